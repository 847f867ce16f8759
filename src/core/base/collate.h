// The one text ordering of the program: "case-insensitive in the platform's ANSI collation".
#pragma once

#include <string_view>

namespace sorvane {

// Compares two Shift-JIS texts byte by byte after folding ASCII letters to upper case, so
// "a" and "A" are equal and everything else orders by its byte value. We use this instead of a
// locale collation because the stored files only ever need a stable total order on fixed-width
// digit texts, record types and race keys; a byte order is the same on every platform and makes
// the files reproducible. Returns <0, 0 or >0.
int CompareText(std::string_view a, std::string_view b);

inline bool TextLess(std::string_view a, std::string_view b) { return CompareText(a, b) < 0; }

// ASCII-case-insensitive equality (the rule for folder, file, section and key names).
bool SameText(std::string_view a, std::string_view b);

}  // namespace sorvane
