// Fixed-width field access on Shift-JIS records by 0-based byte offset and width, and the
// integer reading of digit texts that every record and file uses.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sorvane {

// The bytes [offset, offset+width) of rec, cut short where rec is shorter (never past its end).
std::string_view Field(std::string_view rec, size_t offset, size_t width);

// Reads a decimal integer. Blanks around the digits are allowed, and an optional sign; text
// that is blank, empty or not a number reads as 0 (the stored convention for missing values).
int64_t ToInt64(std::string_view text);
int ToInt(std::string_view text);

// Integer of the field at offset/width, 0 when blank or not a number.
inline int FieldInt(std::string_view rec, size_t offset, size_t width) {
    return ToInt(Field(rec, offset, width));
}

// True when every byte is an ASCII digit (and there is at least one).
bool IsAllDigits(std::string_view text);
// True when the text is empty or only ASCII blanks.
bool IsBlank(std::string_view text);

// Text with leading and trailing ASCII blanks removed.
std::string_view TrimBlanks(std::string_view text);

// Writes replacement over rec starting at offset; grows rec with blanks when it is too short.
void PutField(std::string& rec, size_t offset, std::string_view replacement);

}  // namespace sorvane
