#include "base/fields.h"

#include <limits>

namespace sorvane {

std::string_view Field(std::string_view rec, size_t offset, size_t width) {
    if (offset >= rec.size()) return {};
    return rec.substr(offset, width);
}

std::string_view TrimBlanks(std::string_view text) {
    size_t b = 0;
    size_t e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    return text.substr(b, e - b);
}

int64_t ToInt64(std::string_view text) {
    std::string_view t = TrimBlanks(text);
    if (t.empty()) return 0;
    bool negative = false;
    if (t[0] == '+' || t[0] == '-') {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    if (t.empty() || t.size() > 18) return 0;
    int64_t v = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return 0;
        v = v * 10 + (c - '0');
    }
    return negative ? -v : v;
}

int ToInt(std::string_view text) {
    int64_t v = ToInt64(text);
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min()) return 0;
    return static_cast<int>(v);
}

bool IsAllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

bool IsBlank(std::string_view text) {
    for (char c : text)
        if (c != ' ') return false;
    return true;
}

void PutField(std::string& rec, size_t offset, std::string_view replacement) {
    if (rec.size() < offset + replacement.size()) rec.resize(offset + replacement.size(), ' ');
    rec.replace(offset, replacement.size(), replacement);
}

}  // namespace sorvane
