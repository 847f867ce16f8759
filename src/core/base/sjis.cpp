// Conversions go through iconv's CP932 table (the Windows flavour of Shift-JIS, which is what
// the link and the stored files use). Each thread keeps one descriptor per direction, opened
// on first use: opening one costs more than converting a record, and a descriptor must not be
// shared between threads. Text that is all ASCII (most records) never reaches iconv.
#include "base/sjis.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

    // Appends the conversion of in to the `used` bytes at the start of out (out is then cut to
    // its new length); on an unconvertible or truncated sequence skips one character of input
    // (its length told by `skip`) and appends `replacement`. Returns false when it did so.
    using SkipFn = size_t (*)(const char* p, size_t left);
    template <typename Out>
    bool Run(const char* in, size_t inLen, SkipFn skip, std::string_view replacement, Out& out,
             size_t used) {
        constexpr size_t unit = sizeof(typename Out::value_type);
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            out.resize(used / unit);
            return inLen == 0;
        }
        bool clean = true;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        // Bytes of output written so far; out always holds at least that many.
        auto grow = [&](size_t need) {
            size_t bytes = out.size() * unit;
            if (bytes >= need) return;
            out.resize((std::max(need, bytes * 2) + unit - 1) / unit);
        };
        grow(used + inLen * 2 + 16);
        char* src = const_cast<char*>(in);
        size_t left = inLen;
        auto base = [&]() { return reinterpret_cast<char*>(out.data()); };
        while (left > 0) {
            char* dst = base() + used;
            size_t room = out.size() * unit - used;
            size_t r = iconv(cd_, &src, &left, &dst, &room);
            used = static_cast<size_t>(dst - base());
            if (r != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) {
                grow(used + left * 4 + 16);
                continue;
            }
            // EILSEQ or EINVAL: drop one character of input and emit a replacement.
            clean = false;
            size_t drop = skip(src, left);
            if (drop == 0 || drop > left) drop = left;
            src += drop;
            left -= drop;
            grow(used + replacement.size() + left * 2 + 16);
            std::memcpy(base() + used, replacement.data(), replacement.size());
            used += replacement.size();
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        grow(used + 16);
        char* dst = base() + used;
        size_t room = out.size() * unit - used;
        iconv(cd_, nullptr, nullptr, &dst, &room);
        used = static_cast<size_t>(dst - base());
        out.resize(used / unit);
        return clean;
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

// The ASCII runs of a record are widened and narrowed 16 characters at a time (SSE2 is part
// of every x86-64; elsewhere the plain loops serve): a day's feed is hundreds of MB of mostly
// ASCII odds, converted once each way.

// Length of the leading run of ASCII bytes.
size_t AsciiPrefix(const char* p, size_t n) {
    size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16) {
        const int high =
            _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)));
        if (high != 0)
            return i + static_cast<size_t>(std::countr_zero(static_cast<unsigned>(high)));
    }
#endif
    while (i < n && (static_cast<unsigned char>(p[i]) & 0x80) == 0) ++i;
    return i;
}

// Length of the leading run of UTF-16 units below 0x80.
size_t AsciiPrefix(const char16_t* p, size_t n) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i above = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        // Two mask bits per unit, set where the unit is ASCII.
        const unsigned ascii = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, above), zero)));
        if (ascii != 0xFFFF) return i + static_cast<size_t>(std::countr_one(ascii)) / 2;
    }
#endif
    while (i < n && p[i] < 0x80) ++i;
    return i;
}

// d[k] = s[k] for n ASCII bytes.
void WidenAscii(const char* s, size_t n, char16_t* d) {
    size_t k = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; k + 16 <= n; k += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + k));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + k), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + k + 8), _mm_unpackhi_epi8(v, zero));
    }
#endif
    for (; k < n; ++k) d[k] = static_cast<char16_t>(s[k]);
}

// d[k] = s[k] for n units below 0x80.
void NarrowAscii(const char16_t* s, size_t n, char* d) {
    size_t k = 0;
#if defined(__SSE2__)
    for (; k + 16 <= n; k += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + k));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + k + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + k), _mm_packus_epi16(a, b));
    }
#endif
    for (; k < n; ++k) d[k] = static_cast<char>(s[k]);
}

}  // namespace

std::string Utf8FromSjis(std::string_view sjis) {
    thread_local Converter c("UTF-8", "CP932");
    std::string out;
    c.Run(sjis.data(), sjis.size(), SkipByte, kUtf8Replacement, out, 0);
    return out;
}

std::string SjisFromUtf8(std::string_view utf8) {
    thread_local Converter c("CP932", "UTF-8");
    std::string out;
    c.Run(utf8.data(), utf8.size(), SkipUtf8, "?", out, 0);
    return out;
}

void SjisFromUtf16(std::u16string_view utf16, std::string& out) {
    // Runs of ASCII are narrowed directly (CP932 maps ASCII to itself); only the runs of other
    // characters go through iconv. Every UTF-16 unit of a run is at least 0x80, so a run never
    // splits a surrogate pair and the result is that of converting the whole text at once.
    thread_local Converter c("CP932", "UTF-16LE");
    const char16_t* p = utf16.data();
    const size_t n = utf16.size();
    out.clear();
    size_t i = 0;
    while (i < n) {
        size_t ascii = AsciiPrefix(p + i, n - i);
        size_t at = out.size();
        out.resize(at + ascii);
        NarrowAscii(p + i, ascii, out.data() + at);
        i += ascii;
        if (i == n) break;
        size_t j = i;
        while (j < n && p[j] >= 0x80) ++j;
        if constexpr (std::endian::native == std::endian::little) {
            c.Run(reinterpret_cast<const char*>(p + i), (j - i) * 2, SkipUtf16, "?", out,
                  out.size());
        } else {
            // Work on explicit little-endian bytes so the result does not depend on the host.
            std::string bytes;
            bytes.reserve((j - i) * 2);
            for (size_t k = i; k < j; ++k) {
                bytes.push_back(static_cast<char>(p[k] & 0xFF));
                bytes.push_back(static_cast<char>((p[k] >> 8) & 0xFF));
            }
            c.Run(bytes.data(), bytes.size(), SkipUtf16, "?", out, out.size());
        }
        i = j;
    }
}

std::string SjisFromUtf16(std::u16string_view utf16) {
    std::string out;
    SjisFromUtf16(utf16, out);
    return out;
}

namespace {

// Appends the UTF-16 of sjis to out by iconv; false when a byte could not be converted.
bool Utf16ByIconv(std::string_view sjis, std::u16string& out) {
    thread_local Converter c("UTF-16LE", "CP932");
    if constexpr (std::endian::native == std::endian::little) {
        return c.Run(sjis.data(), sjis.size(), SkipByte, "\xFD\xFF", out, out.size() * 2);
    } else {
        std::string bytes;
        bool clean = c.Run(sjis.data(), sjis.size(), SkipByte, "\xFD\xFF", bytes, 0);
        size_t at = out.size();
        out.resize(at + bytes.size() / 2);
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            out[at + i / 2] =
                static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
        return clean;
    }
}

}  // namespace

bool Utf16FromSjis(std::string_view sjis, std::u16string& out) {
    // Records of odds and numbers are all ASCII, which CP932 maps to the same code points, and
    // the others are mostly ASCII: runs of ASCII are widened directly and only the runs of other
    // characters go through iconv. A lead byte takes the byte after it into its run (a trail
    // byte may be ASCII). When a run holds a byte that does not convert, the rest of the text
    // is converted at once instead, so that the replacements fall exactly where they would
    // when converting the whole text.
    const char* p = sjis.data();
    const size_t n = sjis.size();
    out.clear();
    size_t i = 0;
    while (i < n) {
        size_t ascii = AsciiPrefix(p + i, n - i);
        size_t at = out.size();
        out.resize(at + ascii);
        WidenAscii(p + i, ascii, out.data() + at);
        i += ascii;
        if (i == n) break;
        size_t j = i;
        while (j < n && (static_cast<unsigned char>(p[j]) & 0x80) != 0)
            j += IsSjisLead(static_cast<unsigned char>(p[j])) && j + 1 < n ? 2 : 1;
        at = out.size();
        if (!Utf16ByIconv(sjis.substr(i, j - i), out)) {
            out.resize(at);
            return Utf16ByIconv(sjis.substr(i), out);
        }
        i = j;
    }
    return true;
}

std::u16string Utf16FromSjis(std::string_view sjis) {
    std::u16string out;
    Utf16FromSjis(sjis, out);
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
