// Time and date arithmetic of record texts; all totals are kept in 64 bits so that any int
// offset is safe.
#include "shell/time_text.h"

#include <algorithm>
#include <cstdint>

#include "base/fields.h"
#include "base/text_format.h"
#include "ports/clock.h"

namespace sorvane {
namespace {

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// Reads an unsigned decimal part of a date; -1 when it is not all digits.
int DatePart(std::string_view text) {
    if (!IsAllDigits(text) || text.size() > 4) return -1;
    return ToInt(text);
}

}  // namespace

std::string AddMinutes(std::string_view hhmm, int minutes) {
    if (IsBlank(hhmm)) return {};
    int64_t total = int64_t{ToInt(Field(hhmm, 0, 2))} * 60 + ToInt(Field(hhmm, 2, 2)) + minutes;
    total = std::max<int64_t>(total, 0);
    return Format("%02lld%02lld", static_cast<long long>(total / 60),
                  static_cast<long long>(total % 60));
}

std::string AddSeconds(std::string_view hhmmss, int seconds) {
    if (IsBlank(hhmmss)) return {};
    int64_t total = int64_t{ToInt(Field(hhmmss, 0, 2))} * 3600 +
                    int64_t{ToInt(Field(hhmmss, 2, 2))} * 60 + ToInt(Field(hhmmss, 4, 2)) + seconds;
    total = std::max<int64_t>(total, 0);
    return Format("%02lld%02lld%02lld", static_cast<long long>(total / 3600),
                  static_cast<long long>(total / 60 % 60), static_cast<long long>(total % 60));
}

std::string AddDays(std::string_view date, int days) {
    if (IsBlank(date)) return {};
    const std::string_view text = TrimBlanks(date);
    const size_t slash1 = text.find('/');
    const size_t slash2 = slash1 == std::string_view::npos ? slash1 : text.find('/', slash1 + 1);
    if (slash2 == std::string_view::npos) return {};
    const int year = DatePart(text.substr(0, slash1));
    const int month = DatePart(text.substr(slash1 + 1, slash2 - slash1 - 1));
    const int day = DatePart(text.substr(slash2 + 1));
    if (year < 0 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return {};
    int y = 0, m = 0, d = 0;
    CivilFromDays(DaysFromCivil(year, month, day) + days, y, m, d);
    return Format("%04d/%02d/%02d", y, m, d);
}

}  // namespace sorvane
