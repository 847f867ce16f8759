// The command line of sorvane-cli: global options, then a command and its arguments.
#pragma once

#include <string>
#include <vector>

namespace sorvane {

struct CliOptions {
    std::string home;   // --home DIR
    std::string link;   // --link KIND[:DIR]
    bool sjis = false;  // --sjis: raw Shift-JIS output
    bool yes = false;   // --yes: answer confirmations with Yes
    bool help = false;
    std::vector<std::string> args;  // the command and its arguments
};

// False on bad usage, with the reason in error.
bool ParseCliOptions(const std::vector<std::string>& argv, CliOptions& out, std::string& error);

}  // namespace sorvane
