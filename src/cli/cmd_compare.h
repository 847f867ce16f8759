// The two-horse comparison from the command line: compare DATE RACE A B [--direct].
#pragma once

#include <string>
#include <vector>

#include "cli_app.h"

namespace sorvane {

// Loads the day, selects the race, picks horse numbers A and B from its entry table and runs
// the comparison through common opponents (or of the direct meetings); prints StringGrid6,
// then the count label and the four point labels.
int CmdCompare(CliContext& ctx, const std::vector<std::string>& args);

}  // namespace sorvane
