#include "odds/odds_fields.h"

#include "base/fields.h"
#include "raceday/odds_values.h"

namespace sorvane {

namespace {

bool IsRun(std::string_view text, char c, size_t length) {
    if (text.size() != length || text.empty()) return false;
    for (char b : text)
        if (b != c) return false;
    return true;
}

// A decimal number: digits, optionally a point and more digits; at least one digit. Odds are
// never negative, so a sign (which could forge the -1.0 and -2.0 codes) makes it no number.
bool ParseDecimal(std::string_view t, double& out) {
    size_t i = 0;
    double value = 0;
    int digits = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digits)
        value = value * 10 + (t[i] - '0');
    if (i < t.size() && t[i] == '.') {
        ++i;
        double scale = 0.1;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digits, scale /= 10)
            value += (t[i] - '0') * scale;
    }
    if (digits == 0 || i != t.size()) return false;
    out = value;
    return true;
}

}  // namespace

double OddsFieldValue(std::string_view field) {
    // The blanks trimmed here rather than by TrimBlanks: this runs for every entry of every
    // block of every race of the day.
    size_t b = 0;
    size_t e = field.size();
    while (b < e && field[b] == ' ') ++b;
    if (b == e) return kOddsAbsent;
    while (field[e - 1] == ' ') --e;  // stops at the non-blank found above
    const std::string_view t = field.substr(b, e - b);
    if (IsRun(t, '-', field.size()) || IsRun(t, '*', field.size())) return kOddsScratched;
    double v = 0;
    return ParseDecimal(t, v) ? v / 10.0 : 0.0;
}

bool OddsFieldHoldsValue(std::string_view field) {
    const double v = OddsFieldValue(field);
    return v != kOddsScratched && v != kOddsAbsent;
}

int PopularityValue(std::string_view field) { return ToInt(field); }

}  // namespace sorvane
