// Commands of the application shell: start-up, settings, option marks and the main grids.
#pragma once

#include <string>
#include <vector>

#include "cli_app.h"

namespace sorvane {

int CmdStart(CliContext& ctx, const std::vector<std::string>& args);
int CmdGrid(CliContext& ctx, const std::vector<std::string>& args);
int CmdSettings(CliContext& ctx, const std::vector<std::string>& args);
int CmdOption(CliContext& ctx, const std::vector<std::string>& args);
int CmdManual(CliContext& ctx, const std::vector<std::string>& args);

}  // namespace sorvane
