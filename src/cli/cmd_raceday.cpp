#include "cmd_raceday.h"

#include <cstdio>

#include "base/sjis.h"
#include "base/text_format.h"
#include "betting/bet_kind.h"
#include "betting/kaime_label.h"
#include "raceday/day_load.h"
#include "raceday/race_select.h"
#include "store/day_stamp.h"

namespace sorvane {
namespace {

int Usage(const char* text) {
    std::fprintf(stderr, "usage: sorvane-cli %s\n", text);
    return kExitUsage;
}

constexpr const char* kLoadUsage = "load DATE [--compare | --no-compare] [--ignore-dates]";
constexpr const char* kShowUsage =
    "show DATE RACE header|entry|detail|result|pairs|wins|odds KIND [--compare | --no-compare] "
    "[--ignore-dates]";

// The day stamp of a DATE argument: the stamp itself (yyyy年mm月dd日) or yyyy-mm-dd.
std::string StampOfArg(const std::string& sjisArg) {
    if (!DateOfDayStamp(sjisArg).empty()) return sjisArg;
    if (sjisArg.size() == 10 && sjisArg[4] == '-' && sjisArg[7] == '-') {
        std::string date = sjisArg.substr(0, 4) + sjisArg.substr(5, 2) + sjisArg.substr(8, 2);
        if (IsNameDate(date)) return DayStamp(date);
    }
    return {};
}

}  // namespace

// Splits the load options off the arguments; false on an option it does not know.
bool TakeLoadOptions(std::vector<std::string>& args, DayLoadOptions& options) {
    std::vector<std::string> rest;
    for (const std::string& a : args) {
        if (a == "--compare") {
            options.compareAll = true;
        } else if (a == "--no-compare") {
            options.compareAll = false;
        } else if (a == "--ignore-dates") {
            options.ignoreDates = true;
        } else if (a.rfind("--", 0) == 0) {
            return false;
        } else {
            rest.push_back(a);
        }
    }
    args = std::move(rest);
    return true;
}

// Starts the shell and loads the day as the date box does; the status to return otherwise.
int LoadFromArg(CliContext& ctx, const std::string& dateArg, const DayLoadOptions& options) {
    std::string stamp = StampOfArg(ctx.FromTerminal(dateArg));
    if (stamp.empty()) {
        std::fprintf(stderr, "sorvane-cli: %s is no date (use 2024-01-05 or 2024年01月05日)\n",
                     dateArg.c_str());
        return kExitUsage;
    }
    if (!ctx.StartShell()) return kExitError;
    AppShell& sh = ctx.shell();
    const std::vector<std::string>& dates = sh.main().dateComboItems;
    for (size_t i = 0; i < dates.size(); ++i)
        if (dates[i] == stamp)
            return DateComboChange(sh, static_cast<int>(i), options) ? kExitOk : kExitError;
    // Not in the list: the load says that the day is missing.
    return LoadDay(sh, stamp, options) ? kExitOk : kExitError;
}

namespace {

// A race text without blanks and without a final R ("大井 1R" -> "大井1").
std::string RaceKey(std::string text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += c;
    if (!out.empty() && (out.back() == 'R' || out.back() == 'r')) out.pop_back();
    return out;
}

}  // namespace

// The day-list line of a RACE argument (the line's text or its 1-based number); -1 if none.
int LineOfArg(CliContext& ctx, const std::string& arg) {
    const std::vector<std::string>& lines = ctx.shell().main().datListItems;
    if (IsAllDigits(arg)) {
        int n = ToInt(arg);
        return n >= 1 && n <= static_cast<int>(lines.size()) ? n - 1 : -1;
    }
    std::string key = RaceKey(ctx.FromTerminal(arg));
    for (size_t i = 0; i < lines.size(); ++i)
        if (RaceKey(lines[i]) == key) return static_cast<int>(i);
    return -1;
}

int LoadAndSelect(CliContext& ctx, const std::string& dateArg, const std::string& raceArg,
                  const DayLoadOptions& options) {
    int status = LoadFromArg(ctx, dateArg, options);
    if (status != kExitOk) return status;
    int line = LineOfArg(ctx, raceArg);
    if (line < 0) {
        std::fprintf(stderr, "sorvane-cli: the day has no race %s\n", raceArg.c_str());
        return kExitUsage;
    }
    SelectRace(ctx.shell(), line);
    return kExitOk;
}

namespace {

void PrintHeader(CliContext& ctx) {
    const MainFormState& m = ctx.shell().main();
    const std::pair<const char*, const std::string*> labels[] = {{"Label1", &m.label1},
                                                                 {"Label2", &m.label2},
                                                                 {"Label3", &m.label3},
                                                                 {"Label4", &m.label4},
                                                                 {"BashoLabel", &m.bashoLabel},
                                                                 {"RaceLabel", &m.raceLabel},
                                                                 {"TFWtimeLabel", &m.tfwTimeLabel}};
    for (const auto& [name, text] : labels) ctx.PrintLine(std::string(name) + "\t" + *text);
}

// A grid whose cells may hold several lines: the lines of a cell joined by " | ".
void PrintMultiLineGrid(CliContext& ctx, const Grid& grid) {
    Grid flat(grid.name(), grid.ColCount(), grid.RowCount());
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c) {
            std::string text;
            for (const std::string& line : SplitLines(grid.Text(c, r))) {
                if (!text.empty()) text += " | ";
                text += line;
            }
            flat.SetText(c, r, text);
        }
    ctx.PrintGrid(flat);
}

// The winning entries of the result tab (rows with a combination).
void PrintResult(CliContext& ctx) {
    const Grid& g = ctx.shell().main().resultGrid;
    Grid out(g.name(), g.ColCount(), 1);
    for (int c = 0; c < g.ColCount(); ++c) out.SetText(c, 0, g.Text(c, 0));
    for (int r = 1; r < g.RowCount(); ++r) {
        if (g.Text(1, r).empty()) continue;
        out.SetRowCount(out.RowCount() + 1);
        for (int c = 0; c < g.ColCount(); ++c) out.SetText(c, out.RowCount() - 1, g.Text(c, r));
    }
    ctx.PrintGrid(out);
}

std::optional<BetKind> KindOfArg(CliContext& ctx, const std::string& arg) {
    if (IsAllDigits(arg)) return BetKindFromNumber(ToInt(arg));
    return BetKindFromName(ctx.FromTerminal(arg));
}

// The race's odds of one kind: combination number, label, odds "%.1f" as stored, popularity;
// 複勝 with its minimum and maximum odds and the ranks by both.
void PrintOdds(CliContext& ctx, BetKind kind) {
    const RaceDay& day = ctx.shell().day();
    const OddsValues& v = day.oddsValues[day.currentRace];
    bool fuku = kind == BetKind::Fuku;
    std::string text = fuku ? Sj("No\t組番\t最低ｵｯｽﾞ\t最高ｵｯｽﾞ\t人気(最低)\t人気(最高)\n")
                            : Sj("No\t組番\tｵｯｽﾞ\t人気\n");
    for (int k = 1; k <= CombinationCount(kind); ++k) {
        text += std::to_string(k) + "\t" + KumiLabel(kind, k) + "\t";
        if (fuku) {
            text += Format("%.1f\t%.1f\t%d\t%d\n", v.fukuOzMin[k - 1], v.fukuOzMax[k - 1],
                           v.fukuNinkiMin[k - 1], v.fukuNinkiMax[k - 1]);
        } else {
            text += Format("%.1f\t%d\n", v.Odds(kind, k), v.Ninki(kind, k));
        }
    }
    ctx.Print(text);
}

}  // namespace

int CmdDays(CliContext& ctx, const std::vector<std::string>& args) {
    if (!args.empty()) return Usage("days");
    if (!ctx.StartShell()) return kExitError;
    for (const std::string& d : ctx.shell().main().dateComboItems) ctx.PrintLine(d);
    return kExitOk;
}

int CmdLoad(CliContext& ctx, const std::vector<std::string>& argsIn) {
    std::vector<std::string> args = argsIn;
    DayLoadOptions options;
    if (!TakeLoadOptions(args, options) || args.size() != 1) return Usage(kLoadUsage);
    int status = LoadFromArg(ctx, args[0], options);
    if (status != kExitOk) return status;
    for (const std::string& line : ctx.shell().main().datListItems) ctx.PrintLine(line);
    return kExitOk;
}

int CmdShow(CliContext& ctx, const std::vector<std::string>& argsIn) {
    std::vector<std::string> args = argsIn;
    DayLoadOptions options;
    if (!TakeLoadOptions(args, options) || args.size() < 3 || args.size() > 4)
        return Usage(kShowUsage);
    const std::string& table = args[2];
    static const char* const kTables[] = {"header", "entry", "detail", "result",
                                          "pairs",  "wins",  "odds"};
    bool known = false;
    for (const char* t : kTables) known = known || table == t;
    if (!known || (table == "odds") != (args.size() == 4)) return Usage(kShowUsage);
    std::optional<BetKind> kind;
    if (table == "odds") {
        kind = KindOfArg(ctx, args[3]);
        if (!kind) {
            std::fprintf(stderr, "sorvane-cli: no bet kind %s (0-7 or 単勝 ... ３連単)\n",
                         args[3].c_str());
            return kExitUsage;
        }
    }
    int status = LoadAndSelect(ctx, args[0], args[1], options);
    if (status != kExitOk) return status;
    MainFormState& m = ctx.shell().main();
    if (table == "header") PrintHeader(ctx);
    if (table == "entry") ctx.PrintGrid(m.stringGrid4);
    if (table == "detail") PrintMultiLineGrid(ctx, m.stringGrid5);
    if (table == "result") PrintResult(ctx);
    if (table == "pairs") ctx.PrintGrid(m.stringGrid7);
    if (table == "wins") ctx.PrintGrid(m.stringGrid8);
    if (table == "odds") PrintOdds(ctx, *kind);
    return kExitOk;
}

}  // namespace sorvane
