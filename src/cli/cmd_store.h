// Commands of the local store: the bulk acquisition with the acquisition window's rules, and
// the check of the whole store.
#pragma once

#include <string>
#include <vector>

#include "cli_app.h"

namespace sorvane {

// acquire [--from "yyyy/mm/dd hh:nn:ss"] [--odds | --no-odds]
int CmdAcquire(CliContext& ctx, const std::vector<std::string>& args);
// verify
int CmdVerify(CliContext& ctx, const std::vector<std::string>& args);

}  // namespace sorvane
