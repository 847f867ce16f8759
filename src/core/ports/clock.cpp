#include "ports/clock.h"

#include <sys/time.h>

#include <cstdio>
#include <ctime>

#include "base/text_format.h"

namespace sorvane {

LocalTime SystemClock::Now() const {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::tm tm{};
    time_t secs = tv.tv_sec;
    localtime_r(&secs, &tm);
    LocalTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec;
    t.millisecond = static_cast<int>(tv.tv_usec / 1000);
    return t;
}

std::string FormatDateTime(const LocalTime& t) {
    return Format("%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
}

std::string FormatTime(const LocalTime& t) {
    return Format("%02d:%02d:%02d", t.hour, t.minute, t.second);
}

// Howard Hinnant's civil-date algorithms.
int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy =
        (153 * static_cast<unsigned>(m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

LocalTime AddDaysTo(const LocalTime& t, int days) {
    LocalTime r = t;
    CivilFromDays(DaysFromCivil(t.year, t.month, t.day) + days, r.year, r.month, r.day);
    return r;
}

bool ParseDateTime(const std::string& text, LocalTime& out) {
    LocalTime t;
    int n = std::sscanf(text.c_str(), "%4d/%2d/%2d %2d:%2d:%2d", &t.year, &t.month, &t.day, &t.hour,
                        &t.minute, &t.second);
    if (n < 5) return false;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour < 0 || t.hour > 23 ||
        t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59)
        return false;
    out = t;
    return true;
}

}  // namespace sorvane
