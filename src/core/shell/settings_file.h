// The settings file (sorvane.ini in the program folder), read and written one value at a time.
// Nothing is cached: every read looks at the file and every write is on disk at once, so the
// GUI and the CLI see each other's changes.
#pragma once

#include <string>

#include "base/files.h"

namespace sorvane {

class SettingsFile {
  public:
    explicit SettingsFile(fs::path path) : path_(std::move(path)) {}

    const fs::path& path() const { return path_; }

    // A string value loses one pair of enclosing double quotes or half-width corner brackets;
    // a value that is only such an empty pair reads as empty. Missing key: the default.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    // Decimal (or $/0x hexadecimal) integers; a missing or non-numeric value gives the default.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // True for any non-zero number.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    bool HasKey(const std::string& section, const std::string& key) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);

  private:
    fs::path path_;
};

// The quote rule on its own, for values that arrive from elsewhere.
std::string StripSettingQuotes(const std::string& value);

}  // namespace sorvane
