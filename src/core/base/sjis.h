// Conversions between the Shift-JIS (code page 932) bytes the core works in and the encodings
// of its edges: UTF-8 (Qt, the terminal, Linux file names) and UTF-16 (the link control).
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// Bytes that cannot be converted become a replacement: U+FFFD towards UTF-8/UTF-16,
// '?' towards Shift-JIS. Never throws on bad input.
std::string Utf8FromSjis(std::string_view sjis);
std::string SjisFromUtf8(std::string_view utf8);
std::string SjisFromUtf16(std::u16string_view utf16);
std::u16string Utf16FromSjis(std::string_view sjis);
// The same into `out`, reusing its memory (for one conversion per record). The first returns
// false when a byte could not be converted (the output then holds U+FFFD, which no Shift-JIS
// character maps to).
bool Utf16FromSjis(std::string_view sjis, std::u16string& out);
void SjisFromUtf16(std::u16string_view utf16, std::string& out);

// A label written in UTF-8 in the source, as Shift-JIS. Call once and keep the result
// (label tables hold these in function-local statics).
inline std::string Sj(std::string_view utf8) { return SjisFromUtf8(utf8); }

// True when byte b opens a two-byte Shift-JIS character.
constexpr bool IsSjisLead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// True when the whole text is well-formed Shift-JIS (lead bytes followed by a trail byte).
bool IsWellFormedSjis(std::string_view sjis);

}  // namespace sorvane
