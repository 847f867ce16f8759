#include "cmd_shell.h"

#include <cstdio>

#include "base/sjis.h"

namespace sorvane {
namespace {

int Usage(const char* text) {
    std::fprintf(stderr, "usage: sorvane-cli %s\n", text);
    return kExitUsage;
}

// Start-up as the GUI does it, without showing the window; false when the program must end.
bool StartQuietly(CliContext& ctx) { return ctx.StartShell(); }

}  // namespace

int CmdStart(CliContext& ctx, const std::vector<std::string>& args) {
    if (!args.empty()) return Usage("start");
    if (!ctx.StartShell()) return kExitError;
    ctx.shell().Show();
    MainFormState& m = ctx.shell().main();
    ctx.PrintLine(m.caption);
    ctx.PrintLine("program folder\t" + SjisFromPath(ctx.shell().folder().Root()));
    ctx.PrintLine("place\t" + std::to_string(m.place.left) + "," + std::to_string(m.place.top) +
                  " " + std::to_string(m.place.width) + "x" + std::to_string(m.place.height));
    ctx.PrintLine(std::string("N9\t") + (m.n9Checked ? "1" : "0"));
    ctx.PrintLine(std::string("N19\t") + (m.n19Checked ? "1" : "0"));
    return kExitOk;
}

int CmdGrid(CliContext& ctx, const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage("grid NAME");
    if (!StartQuietly(ctx)) return kExitError;
    Grid* g = ctx.shell().main().FindGrid(args[0]);
    if (g == nullptr) {
        std::fprintf(stderr, "sorvane-cli: no grid %s\n", args[0].c_str());
        return kExitUsage;
    }
    ctx.PrintGrid(*g);
    return kExitOk;
}

int CmdSettings(CliContext& ctx, const std::vector<std::string>& args) {
    SettingsFile& s = ctx.shell().settings();
    if (args.size() >= 3 && args.size() <= 4 && args[0] == "get") {
        std::string def = args.size() == 4 ? ctx.FromTerminal(args[3]) : "";
        ctx.PrintLine(s.ReadString(ctx.FromTerminal(args[1]), ctx.FromTerminal(args[2]), def));
        return kExitOk;
    }
    if (args.size() == 4 && args[0] == "set") {
        s.WriteString(ctx.FromTerminal(args[1]), ctx.FromTerminal(args[2]),
                      ctx.FromTerminal(args[3]));
        return kExitOk;
    }
    return Usage("settings get SECTION KEY [DEFAULT] | settings set SECTION KEY VALUE");
}

int CmdOption(CliContext& ctx, const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage("option N9|N19|N21");
    if (!StartQuietly(ctx)) return kExitError;
    AppShell& sh = ctx.shell();
    if (args[0] == "N9") {
        sh.ToggleIgnoreDates();
        ctx.PrintLine(std::string("N9\t") + (sh.main().n9Checked ? "1" : "0"));
    } else if (args[0] == "N19") {
        sh.ToggleCompareAll();
        ctx.PrintLine(std::string("N19\t") + (sh.main().n19Checked ? "1" : "0"));
    } else if (args[0] == "N21") {
        auto req = sh.RequestUnprocessedDays();
        if (!req) return kExitError;
        ctx.PrintLine(Sj("未読込データ処理") + "\t" + std::to_string(req->year));
    } else {
        return Usage("option N9|N19|N21");
    }
    return kExitOk;
}

int CmdManual(CliContext& ctx, const std::vector<std::string>& args) {
    if (!args.empty()) return Usage("manual");
    if (!StartQuietly(ctx)) return kExitError;
    return ctx.shell().OpenManual() ? kExitOk : kExitError;
}

}  // namespace sorvane
