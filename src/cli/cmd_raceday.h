// Commands of the race day: the date list, loading a day, and one table of a selected race.
#pragma once

#include <string>
#include <vector>

#include "cli_app.h"

namespace sorvane {

// days
int CmdDays(CliContext& ctx, const std::vector<std::string>& args);
// load DATE [--compare | --no-compare] [--ignore-dates]
int CmdLoad(CliContext& ctx, const std::vector<std::string>& args);
// show DATE RACE TABLE [KIND] [--compare | --no-compare] [--ignore-dates]
int CmdShow(CliContext& ctx, const std::vector<std::string>& args);

}  // namespace sorvane
