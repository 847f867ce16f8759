// The clock port: the current local time, so that tests can fix "now".
#pragma once

#include <cstdint>
#include <string>

namespace sorvane {

struct LocalTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0, millisecond = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
};

// The machine's local time (TZ decides the zone).
class SystemClock : public Clock {
  public:
    LocalTime Now() const override;
};

// "yyyy/mm/dd hh:nn:ss"
std::string FormatDateTime(const LocalTime& t);
// "hh:nn:ss"
std::string FormatTime(const LocalTime& t);
// The time moved by whole days (calendar arithmetic, leap years included).
LocalTime AddDaysTo(const LocalTime& t, int days);
// Parses "yyyy/mm/dd hh:nn:ss" (the seconds may be missing); false when malformed.
bool ParseDateTime(const std::string& text, LocalTime& out);

// Days since 1970-01-01 of a civil date, and back.
int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(int64_t days, int& year, int& month, int& day);

}  // namespace sorvane
