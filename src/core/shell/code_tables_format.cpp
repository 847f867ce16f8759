// Formatting operations of display texts; widths are Shift-JIS bytes.
#include "shell/code_tables_format.h"

#include <algorithm>
#include <cmath>

#include "base/fields.h"
#include "base/sjis.h"
#include "base/text_format.h"

namespace sorvane {

std::string OverwriteAt(std::string_view text, std::string_view replacement, int position) {
    std::string out(text);
    PutField(out, static_cast<size_t>(std::max(position, 1) - 1), replacement);
    return out;
}

std::string RightAlignNumber(std::string_view text) {
    const int width = static_cast<int>(text.size());
    const int value = ToInt(text);
    if (value == 0) return std::string(text.size(), ' ');
    return Format("%*d", width, value);
}

std::string FormatWidth(std::string_view text, int width, bool blankZero) {
    const int value = ToInt(text);
    if (blankZero && value == 0) return {};
    return Format("%*d", std::clamp(width, 0, 255), value);
}

std::string StripFullWidthBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const bool lead = IsSjisLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        const size_t len = lead ? 2 : 1;
        if (!(lead && text[i] == '\x81' && text[i + 1] == '\x40')) out.append(text.substr(i, len));
        i += len;
    }
    return out;
}

std::string PaceBefore3F(std::string_view time, std::string_view last3F,
                         std::string_view distance) {
    static const std::string blanks(3, ' ');
    const std::string_view timeField = Field(time, 0, 4);
    const int last = ToInt(Field(last3F, 0, 3));
    const int metres = ToInt(Field(distance, 0, 4));
    if (ToInt(timeField) == 0 || last == 0 || metres == 0) return blanks;
    const double stretches = metres / 100.0 - 6.0;  // 100 m units before the last 600 m
    if (stretches <= 0) return blanks;
    const int t = ToInt(Field(timeField, 0, 1)) * 600 + ToInt(Field(timeField, 1, 3)) - last;
    // |t| <= 6399 and stretches >= 0.01, so the value fits an int comfortably.
    const int pace = static_cast<int>(std::nearbyint(t / stretches * 6.0));
    return Format("%3d", pace).substr(0, 3);
}

}  // namespace sorvane
