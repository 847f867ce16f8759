// An INI document with the semantics of the Windows profile functions: sections and keys match
// without regard to ASCII case, blanks around keys and values are dropped, lines that are not
// ours (comments, blank lines, unknown keys) are kept as they are. Content is Shift-JIS bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

class IniDocument {
  public:
    IniDocument() = default;
    explicit IniDocument(std::string_view text);

    // The value of key in section, trimmed; nothing when the section or key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Sets a value. A missing key is added after the last entry of its section; a missing
    // section is added at the end.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::vector<std::string> Sections() const;
    std::string Text() const;  // lines joined with CR LF

  private:
    // Index of the section header line, or -1.
    long FindSection(std::string_view section) const;
    // [first, last) body lines of the section whose header is at index h.
    size_t SectionEnd(size_t h) const;

    std::vector<std::string> lines_;
};

}  // namespace sorvane
