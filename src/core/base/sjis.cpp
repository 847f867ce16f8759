// Conversions go through iconv's CP932 table (the Windows flavour of Shift-JIS, which is what
// the link and the stored files use). Each call opens its own descriptor, so the functions
// are reentrant; the cost is small next to the file I/O they sit beside.
#include "base/sjis.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace sorvane {
namespace {

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts in to out; on an unconvertible or truncated sequence skips one character of
    // input (its length told by `skip`) and appends `replacement`.
    using SkipFn = size_t (*)(const char* p, size_t left);
    std::string Run(const char* in, size_t inLen, SkipFn skip, std::string_view replacement) {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return out;
        out.reserve(inLen * 2 + 16);
        std::vector<char> buf(4096);
        char* src = const_cast<char*>(in);
        size_t left = inLen;
        while (left > 0) {
            char* dst = buf.data();
            size_t room = buf.size();
            size_t r = iconv(cd_, &src, &left, &dst, &room);
            out.append(buf.data(), static_cast<size_t>(dst - buf.data()));
            if (r != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: drop one character of input and emit a replacement.
            size_t drop = skip(src, left);
            if (drop == 0 || drop > left) drop = left;
            src += drop;
            left -= drop;
            out.append(replacement);
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        char* dst = buf.data();
        size_t room = buf.size();
        iconv(cd_, nullptr, nullptr, &dst, &room);
        out.append(buf.data(), static_cast<size_t>(dst - buf.data()));
        return out;
    }

  private:
    iconv_t cd_;
};

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";

size_t SkipByte(const char*, size_t) { return 1; }

// One UTF-8 character: its lead byte tells the length, cut short at a non-continuation byte.
size_t SkipUtf8(const char* p, size_t left) {
    auto b = static_cast<unsigned char>(p[0]);
    size_t len = b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    size_t n = 1;
    while (n < len && n < left && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80) ++n;
    return n;
}

// One UTF-16LE unit, or a whole surrogate pair.
size_t SkipUtf16(const char* p, size_t left) {
    if (left < 2) return left;
    unsigned hi = static_cast<unsigned char>(p[1]);
    if (hi >= 0xD8 && hi <= 0xDB && left >= 4) {
        unsigned hi2 = static_cast<unsigned char>(p[3]);
        if (hi2 >= 0xDC && hi2 <= 0xDF) return 4;
    }
    return 2;
}

}  // namespace

std::string Utf8FromSjis(std::string_view sjis) {
    Converter c("UTF-8", "CP932");
    return c.Run(sjis.data(), sjis.size(), SkipByte, kUtf8Replacement);
}

std::string SjisFromUtf8(std::string_view utf8) {
    Converter c("CP932", "UTF-8");
    return c.Run(utf8.data(), utf8.size(), SkipUtf8, "?");
}

std::string SjisFromUtf16(std::u16string_view utf16) {
    Converter c("CP932", "UTF-16LE");
    // Work on explicit little-endian bytes so the result does not depend on the host.
    std::string bytes;
    bytes.reserve(utf16.size() * 2);
    for (char16_t ch : utf16) {
        bytes.push_back(static_cast<char>(ch & 0xFF));
        bytes.push_back(static_cast<char>((ch >> 8) & 0xFF));
    }
    return c.Run(bytes.data(), bytes.size(), SkipUtf16, "?");
}

std::u16string Utf16FromSjis(std::string_view sjis) {
    // Records of odds and numbers are all ASCII, which CP932 maps to the same code points;
    // they are widened directly rather than through iconv (tens of MB per acquisition).
    if (std::all_of(sjis.begin(), sjis.end(), [](char ch) { return (ch & 0x80) == 0; }))
        return std::u16string(sjis.begin(), sjis.end());
    Converter c("UTF-16LE", "CP932");
    std::string bytes = c.Run(sjis.data(), sjis.size(), SkipByte, "\xFD\xFF");
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return out;
}

bool IsWellFormedSjis(std::string_view sjis) {
    for (size_t i = 0; i < sjis.size(); ++i) {
        auto b = static_cast<unsigned char>(sjis[i]);
        if (!IsSjisLead(b)) continue;
        if (i + 1 >= sjis.size()) return false;
        auto t = static_cast<unsigned char>(sjis[i + 1]);
        if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
        ++i;
    }
    return true;
}

}  // namespace sorvane
