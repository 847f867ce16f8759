#include "shell/settings_file.h"

#include <cstdlib>
#include <optional>

#include "shell/ini_file.h"

namespace sorvane {
namespace {

IniDocument Load(const fs::path& path) {
    std::string text;
    ReadWholeFile(path, text);
    return IniDocument(text);
}

std::optional<int> ParseInteger(const std::string& s) {
    if (s.empty()) return std::nullopt;
    size_t i = 0;
    bool negative = false;
    if (s[i] == '-' || s[i] == '+') {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return std::nullopt;
    long long v = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return std::nullopt;
        v = v * base + d;
        if (v > 0xFFFFFFFFLL) return std::nullopt;
    }
    if (negative) v = -v;
    if (v < -2147483648LL || v > 0xFFFFFFFFLL) return std::nullopt;
    return static_cast<int>(static_cast<int64_t>(v) > 2147483647LL ? v - 0x100000000LL : v);
}

}  // namespace

std::string StripSettingQuotes(const std::string& v) {
    // Half-width corner brackets are the single bytes 0xA2 and 0xA3 in Shift-JIS.
    if (v.size() >= 2 &&
        ((v.front() == '"' && v.back() == '"') || (v.front() == '\xA2' && v.back() == '\xA3')))
        return v.substr(1, v.size() - 2);
    return v;
}

std::string SettingsFile::ReadString(const std::string& section, const std::string& key,
                                     const std::string& def) const {
    auto v = Load(path_).Get(section, key);
    if (!v) return def;
    return StripSettingQuotes(*v);
}

int SettingsFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    auto v = Load(path_).Get(section, key);
    if (!v) return def;
    auto n = ParseInteger(StripSettingQuotes(*v));
    return n ? *n : def;
}

bool SettingsFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool SettingsFile::HasKey(const std::string& section, const std::string& key) const {
    return Load(path_).Get(section, key).has_value();
}

void SettingsFile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
    IniDocument doc = Load(path_);
    doc.Set(section, key, value);
    WriteFileAtomic(path_, doc.Text());
}

void SettingsFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void SettingsFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

}  // namespace sorvane
