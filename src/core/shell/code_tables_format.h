// Small formatting operations on Shift-JIS display texts: overwriting, right-aligned numbers,
// removing full-width blanks, and the pace figure of a finishing time.
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// text with the bytes from 1-based position, as many as replacement has, replaced by it. A
// replacement running past the end extends the text; a position past the end pads with
// blanks up to it; positions below 1 count as 1.
std::string OverwriteAt(std::string_view text, std::string_view replacement, int position);

// The number of text right-aligned in a field as wide as text ("05" -> " 5"); 0 or text that
// is not a number gives as many blanks.
std::string RightAlignNumber(std::string_view text);

// The number of text right-aligned in width bytes (wider numbers are not cut); with
// blankZero a value of 0 (or non-numeric text) gives "".
std::string FormatWidth(std::string_view text, int width, bool blankZero);

// text without any full-width blank "　" (whole characters only, never a trail byte pair).
std::string StripFullWidthBlanks(std::string_view text);

// Time per 600 m over the distance before the last 600 m, in tenths of a second, as 3
// characters. time is "mttt" (minutes, tenths: "1234" = 1:23.4), last3F "ttt" (tenths),
// distance "dddd" (metres). t = m * 600 + ttt - last3F; result t / (distance / 100 - 6) * 6
// rounded half to even, "%3d", cut to 3 characters. Three blanks when an input is blank, zero
// or not a number, and when the distance is 600 m or less (no stretch before the last 600 m).
std::string PaceBefore3F(std::string_view time, std::string_view last3F, std::string_view distance);

}  // namespace sorvane
