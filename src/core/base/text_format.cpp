#include "base/text_format.h"

#include <cstdarg>
#include <cstdio>

#include "base/sjis.h"

namespace sorvane {

std::string Format(const char* fmt, ...) {
    char small[128];
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, fmt, args);
    va_end(args);
    if (n < 0) {
        va_end(copy);
        return {};
    }
    if (static_cast<size_t>(n) < sizeof small) {
        va_end(copy);
        return std::string(small, static_cast<size_t>(n));
    }
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), fmt, copy);
    va_end(copy);
    out.resize(static_cast<size_t>(n));
    return out;
}

std::string PadRight(std::string_view text, size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::string PadLeft(std::string_view text, size_t width) {
    if (text.size() >= width) return std::string(text);
    return std::string(width - text.size(), ' ') + std::string(text);
}

std::string CutSjis(std::string_view text, size_t width) {
    if (text.size() <= width) return std::string(text);
    std::string out;
    out.reserve(width);
    size_t i = 0;
    while (i < width) {
        auto b = static_cast<unsigned char>(text[i]);
        if (IsSjisLead(b)) {
            if (i + 2 > width) {
                out.push_back(' ');
                break;
            }
            out.append(text.substr(i, 2));
            i += 2;
        } else {
            out.push_back(text[i]);
            ++i;
        }
    }
    return out;
}

}  // namespace sorvane
