#include "shell/ini_file.h"

#include "base/collate.h"
#include "base/files.h"

namespace sorvane {
namespace {

std::string_view Trim(std::string_view s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}

// The section name of a header line "[name]", or nothing.
std::optional<std::string_view> HeaderName(std::string_view line) {
    std::string_view t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// Splits "key=value"; nothing for comments and lines without '='.
bool SplitEntry(std::string_view line, std::string_view& key, std::string_view& value) {
    std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';') return false;
    size_t eq = t.find('=');
    if (eq == std::string_view::npos) return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return true;
}

}  // namespace

IniDocument::IniDocument(std::string_view text) : lines_(SplitLines(text)) {}

long IniDocument::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        auto name = HeaderName(lines_[i]);
        if (name && SameText(*name, Trim(section))) return static_cast<long>(i);
    }
    return -1;
}

size_t IniDocument::SectionEnd(size_t h) const {
    size_t i = h + 1;
    while (i < lines_.size() && !HeaderName(lines_[i])) ++i;
    return i;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    long h = FindSection(section);
    if (h < 0) return std::nullopt;
    size_t end = SectionEnd(static_cast<size_t>(h));
    for (size_t i = static_cast<size_t>(h) + 1; i < end; ++i) {
        std::string_view k, v;
        if (SplitEntry(lines_[i], k, v) && SameText(k, Trim(key))) return std::string(v);
    }
    return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    // A line break inside a value would split it into two entries; keep it on one line.
    std::string clean(value);
    for (char& c : clean)
        if (c == '\r' || c == '\n') c = ' ';
    std::string entry = std::string(Trim(key)) + "=" + clean;
    long h = FindSection(section);
    if (h < 0) {
        lines_.push_back("[" + std::string(Trim(section)) + "]");
        lines_.push_back(entry);
        return;
    }
    size_t end = SectionEnd(static_cast<size_t>(h));
    size_t lastEntry = static_cast<size_t>(h);
    for (size_t i = static_cast<size_t>(h) + 1; i < end; ++i) {
        std::string_view k, v;
        if (!SplitEntry(lines_[i], k, v)) continue;
        if (SameText(k, Trim(key))) {
            lines_[i] = entry;
            return;
        }
        lastEntry = i;
    }
    lines_.insert(lines_.begin() + static_cast<long>(lastEntry) + 1, entry);
}

std::vector<std::string> IniDocument::Sections() const {
    std::vector<std::string> out;
    for (const auto& l : lines_)
        if (auto n = HeaderName(l)) out.emplace_back(*n);
    return out;
}

std::string IniDocument::Text() const { return JoinLines(lines_); }

}  // namespace sorvane
