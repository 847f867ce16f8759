#include "raceday/day_schedule.h"

#include <algorithm>
#include <cstdint>

#include "raceday/race_day.h"
#include "shell/settings_file.h"
#include "shell/time_text.h"
#include "store/records.h"

namespace sorvane {

ScheduleLeads ReadScheduleLeads(const SettingsFile& settings) {
    ScheduleLeads l;
    l.autoOzGet = settings.ReadInteger("Time", "AutoOzGet", 10);
    l.autoOzGetSec = settings.ReadInteger("Time", "AutoOzGetSec", 0);
    l.autoTohyoInterval = settings.ReadInteger("Time", "AutoTohyoInterval", 5);
    return l;
}

namespace {

// A shift in seconds, kept within a day's reach whatever the settings say (no overflow).
int Shift(int64_t seconds) {
    return static_cast<int>(std::clamp<int64_t>(seconds, -1000000000, 1000000000));
}

}  // namespace

ScheduleTimes ScheduleFor(std::string_view postTime, const ScheduleLeads& leads) {
    ScheduleTimes t;
    if (IsBlank(postTime)) return t;
    std::string start = std::string(postTime) + "00";
    int64_t lead = int64_t{leads.autoOzGet} * 60;
    t.ozGetTime = AddSeconds(start, Shift(-(lead + leads.autoOzGetSec)));
    t.tohyoTime = AddSeconds(start, Shift(-lead + leads.autoTohyoInterval - leads.autoOzGetSec));
    return t;
}

void SetScheduleTimes(RaceDay& day, const ScheduleLeads& leads) {
    for (int s = 0; s < kMaxRaces; ++s) {
        if (!day.SlotInUse(s)) continue;
        ScheduleTimes t = ScheduleFor(RaRecord(day.raceTable.At(s)).PostTime(), leads);
        day.oddsValues[s].ozGetTime = std::move(t.ozGetTime);
        day.oddsValues[s].tohyoTime = std::move(t.tohyoTime);
    }
}

}  // namespace sorvane
