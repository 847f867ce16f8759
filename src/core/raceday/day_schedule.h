// The automatic schedule times of the races of a day: when the odds of a race are fetched
// (OzGetTime) and the second trigger after it (TohyoTime), from the race's post time.
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

class RaceDay;
class SettingsFile;

// The leads of the schedule, from the Time section of the settings.
struct ScheduleLeads {
    int autoOzGet = 10;         // minutes before the post time
    int autoOzGetSec = 0;       // seconds added to that lead
    int autoTohyoInterval = 5;  // seconds after the odds time
};
ScheduleLeads ReadScheduleLeads(const SettingsFile& settings);

// hhmmss of the odds fetch and of the second trigger for a post time hhmm; both empty when
// the post time is blank.
struct ScheduleTimes {
    std::string ozGetTime;
    std::string tohyoTime;
};
ScheduleTimes ScheduleFor(std::string_view postTime, const ScheduleLeads& leads);

// Sets both times of every race slot in use from its RA post time.
void SetScheduleTimes(RaceDay& day, const ScheduleLeads& leads);

}  // namespace sorvane
