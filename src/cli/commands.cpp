// The command table of the CLI.
#include "cli_app.h"
#include "cmd_compare.h"
#include "cmd_raceday.h"
#include "cmd_shell.h"
#include "cmd_store.h"

namespace sorvane {

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> commands = {
        {"start", "start", "run the start-up sequence (folders, error log, NVInit)", CmdStart},
        {"grid", "grid NAME", "print a main-window grid (StringGrid3 ... StringGrid9)", CmdGrid},
        {"settings", "settings get|set SECTION KEY [VALUE]", "read or write sorvane.ini",
         CmdSettings},
        {"option", "option N9|N19|N21", "toggle an option mark, or open N21's window", CmdOption},
        {"manual", "manual", "open the manual SorvaneNV.pdf", CmdManual},
        {"acquire", "acquire [--from TIME] [--odds|--no-odds]",
         "bulk acquisition into the day files and past-run files", CmdAcquire},
        {"verify", "verify", "check the day files and past-run files (exit 1 on damage)",
         CmdVerify},
        {"days", "days", "list the race days, newest first", CmdDays},
        {"load", "load DATE [--compare|--no-compare] [--ignore-dates]",
         "load a race day and print its day list", CmdLoad},
        {"show", "show DATE RACE TABLE [KIND]",
         "one table of a race: header entry detail result pairs wins odds KIND", CmdShow},
        {"compare", "compare DATE RACE A B [--direct]",
         "compare horse numbers A and B of a race (StringGrid6 and the point labels)", CmdCompare},
    };
    return commands;
}

}  // namespace sorvane
