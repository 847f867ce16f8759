// printf-style formatting for the fixed formats of screens and files ("%2d", "%5.1f", "%7d"),
// and the small text helpers that go with them. Widths count Shift-JIS bytes.
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// Formats like Delphi's Format for the numeric directives the program uses; built on snprintf.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Text padded on the right with ASCII blanks (or cut) to exactly width bytes.
std::string PadRight(std::string_view text, size_t width);
// Text padded on the left with ASCII blanks to at least width bytes.
std::string PadLeft(std::string_view text, size_t width);

// Cuts text to at most width bytes without splitting a two-byte Shift-JIS character; a
// character that would be split is replaced by a blank so the result is exactly width bytes
// when the input is at least that long.
std::string CutSjis(std::string_view text, size_t width);

}  // namespace sorvane
