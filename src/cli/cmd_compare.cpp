#include "cmd_compare.h"

#include <cstdio>

#include "base/fields.h"
#include "cmd_raceday.h"
#include "compare/two_horse.h"

namespace sorvane {
namespace {

constexpr const char* kUsage =
    "compare DATE RACE A B [--direct] [--compare | --no-compare] [--ignore-dates]";

int Usage() {
    std::fprintf(stderr, "usage: sorvane-cli %s\n", kUsage);
    return kExitUsage;
}

// The entry-table row of a horse number, -1 when the race has none.
int RowOfHorse(const Grid& entry, int horse) {
    for (int r = 1; r < entry.RowCount(); ++r)
        if (ToInt(entry.Text(1, r)) == horse) return r;
    return -1;
}

}  // namespace

int CmdCompare(CliContext& ctx, const std::vector<std::string>& argsIn) {
    std::vector<std::string> args;
    bool direct = false;
    for (const std::string& a : argsIn) {
        if (a == "--direct")
            direct = true;
        else
            args.push_back(a);
    }
    DayLoadOptions options;
    options.compareAll = false;  // the pair needs no all-race comparison unless asked
    if (!TakeLoadOptions(args, options) || args.size() != 4) return Usage();
    if (!IsAllDigits(args[2]) || !IsAllDigits(args[3])) return Usage();
    int status = LoadAndSelect(ctx, args[0], args[1], options);
    if (status != kExitOk) return status;
    AppShell& sh = ctx.shell();
    MainFormState& m = sh.main();
    for (const std::string& horse : {args[2], args[3]}) {
        int row = RowOfHorse(m.stringGrid4, ToInt(horse));
        if (row < 0) {
            std::fprintf(stderr, "sorvane-cli: the race has no horse number %s\n", horse.c_str());
            return kExitUsage;
        }
        PickHorse(sh, 2, row);
    }
    if (direct)
        Search2DirectBtn(sh);
    else
        Search2Btn(sh);
    ctx.PrintGrid(m.stringGrid6);
    ctx.PrintLine(m.ctLabel);
    const std::pair<const char*, const std::string*> labels[] = {{"pt1Label", &m.pt1Label},
                                                                 {"pt2Label", &m.pt2Label},
                                                                 {"dpt1Label", &m.dpt1Label},
                                                                 {"dpt2Label", &m.dpt2Label}};
    for (const auto& [name, text] : labels) ctx.PrintLine(std::string(name) + "\t" + *text);
    return kExitOk;
}

}  // namespace sorvane
