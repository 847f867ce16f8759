// Commands of the race day: the date list, loading a day, and one table of a selected race.
#pragma once

#include <string>
#include <vector>

#include "cli_app.h"
#include "raceday/day_load.h"

namespace sorvane {

// For commands that work on a loaded day: splits the load options off the arguments (false
// on an unknown option); loads the day of a DATE argument (yyyy-mm-dd or the day stamp) as the
// date box does, returning the exit status; the day-list line of a RACE argument (its
// 1-based number or its text), -1 when the day has none.
bool TakeLoadOptions(std::vector<std::string>& args, DayLoadOptions& options);
int LoadFromArg(CliContext& ctx, const std::string& dateArg, const DayLoadOptions& options);
int LineOfArg(CliContext& ctx, const std::string& arg);
// Loads the day of dateArg and selects the race of raceArg; the exit status.
int LoadAndSelect(CliContext& ctx, const std::string& dateArg, const std::string& raceArg,
                  const DayLoadOptions& options);

// days
int CmdDays(CliContext& ctx, const std::vector<std::string>& args);
// load DATE [--compare | --no-compare] [--ignore-dates]
int CmdLoad(CliContext& ctx, const std::vector<std::string>& args);
// show DATE RACE TABLE [KIND] [--compare | --no-compare] [--ignore-dates]
int CmdShow(CliContext& ctx, const std::vector<std::string>& args);

}  // namespace sorvane
