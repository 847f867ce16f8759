#include "compare/two_horse.h"

#include <cstdlib>
#include <functional>

#include "base/fields.h"
#include "base/sjis.h"
#include "base/text_format.h"
#include "compare/compare_rules.h"
#include "compare/comparison_grid.h"
#include "shell/app_shell.h"
#include "store/past_run_file.h"
#include "store/records.h"

namespace sorvane {
namespace {

constexpr int kDefaultPeriod = 1826;  // days, when the setting is missing

const std::string& EntryTab() {
    static const std::string t = Sj("出馬表");
    return t;
}
const std::string& ComparisonTab() {
    static const std::string t = Sj("２頭比較");
    return t;
}
std::string CountText(int n) {
    static const std::string t = Sj("該当数：");
    return t + std::to_string(n);
}

// The picked weight captions as kilograms; false when one is blank or not a number.
bool ReadWeight(const std::string& caption, double& kg) {
    std::string_view t = TrimBlanks(caption);
    if (t.empty()) return false;
    std::string s(t);
    char* end = nullptr;
    kg = std::strtod(s.c_str(), &end);
    return end != s.c_str() && *end == '\0';
}

// Input of both interactive forms after validation; false when a message was shown.
struct Picked {
    std::string keyA, keyB;
    double weightA = 0, weightB = 0;
    int raceDate = -1;
    int earliest = -1;
};

bool Validate(AppShell& sh, Picked& p, bool distinctNames) {
    static const std::string noNames = Sj("２頭の馬名の入力をしてください。");
    static const std::string noWeights = Sj("斤量の情報が入力されていません。");
    static const std::string sameNames = Sj("２頭の馬は別の馬名を入力してください。");
    MainFormState& m = sh.main();
    if (TrimName(m.edit1).empty() || TrimName(m.edit2).empty()) {
        sh.ui().WarningBeep();
        sh.ui().Inform(noNames);
        return false;
    }
    if (!ReadWeight(m.kinryoALabel, p.weightA) || !ReadWeight(m.kinryoBLabel, p.weightB)) {
        sh.ui().WarningBeep();
        sh.ui().Inform(noWeights);
        return false;
    }
    p.keyA = NameKey(m.edit1);
    p.keyB = NameKey(m.edit2);
    if (distinctNames && p.keyA == p.keyB) {
        sh.ui().WarningBeep();
        sh.ui().Inform(sameNames);
        return false;
    }
    return true;
}

bool LoadOrReport(AppShell& sh, PastRunFile& f, const std::string& blood, const std::string& key) {
    static const std::string missing = Sj("の馬過去走データが見つかりません。");
    if (f.Load(sh.folder(), blood)) return true;
    sh.ui().Inform(key + missing);
    return false;
}

void StartGrid(AppShell& sh, Picked& p) {
    RaceDay& day = sh.day();
    p.raceDate = RaceDateOf(day, day.currentRace);
    int period = sh.settings().ReadInteger("DataSpan", "period", kDefaultPeriod);
    p.earliest = DaysBefore(p.raceDate, period);
    ResetComparisonGrid(sh.main().stringGrid6);
    sh.main().activeTab = ComparisonTab();
}

// A record the interactive forms may use: a date after the earliest and before the race,
// the horse placed, at most 18 runners.
bool InPeriod(const PastRunRecord& r, const Picked& p) {
    int date = StrictDate(r.Date());
    return date >= 0 && date < p.raceDate && date > p.earliest && r.FinishPosition() >= 1 &&
           r.RegisteredRunners() <= pr::kFieldEntries;
}

bool HasName(const PastRunRecord& r, int n, const std::string& key) {
    for (int k = 0; k < n; ++k)
        if (r.Entry(k).name == key) return true;
    return false;
}

// Ends a run: the trailing empty row goes, or "該当ナシ" when there was no row.
void FinishGrid(Grid& g, int rows) {
    static const std::string none = Sj("該当ナシ");
    if (rows == 0) {
        g.SetText(0, 1, none);
        StyleComparisonRow(g, 1);
    } else {
        g.SetRowCount(rows + 1);
    }
}

// One half of an instance row from column `c`: the horse then the opponent (A's half) or
// the opponent then the horse (B's half).
void PutHalf(Grid& g, int row, int c, const PastRunRecord& r, int slot, const std::string& key,
             bool horseFirst) {
    PastRunEntry e = r.Entry(slot);
    g.SetText(c, row, DateCell(r));
    g.SetText(c + 1, row, TrackCell(r));
    int own = horseFirst ? c + 2 : c + 6;
    int opp = horseFirst ? c + 6 : c + 2;
    g.SetText(own, row, key);
    g.SetText(own + 1, row, WeightCell(r.At(pr::kCarriedWeight)));
    g.SetText(own + 2, row, PositionCell(r.FinishPosition()));
    g.SetText(own + 3, row, TimeCell(r.FinishTime()));
    g.SetText(opp, row, std::string(e.name));
    g.SetText(opp + 1, row, WeightCell(e.weight));
    g.SetText(opp + 2, row, Format("%2d", slot + 1));
    g.SetText(opp + 3, row, TimeCell(e.time));
}

void PutMargins(Grid& g, int row, int c, const Margins& m, bool pt, bool doku) {
    static const std::string mark = Sj(" ○");
    g.SetText(c, row, Format("%4.1f", m.raw));
    g.SetText(c + 1, row, Format("%4.1f", m.corrected));
    g.SetText(c + 2, row, Format("%4.1f", m.comparison));
    g.SetText(c + 3, row, pt ? mark : "");
    g.SetText(c + 4, row, doku ? mark : "");
}

Margins SideMargins(const PastRunRecord& r, int slot, double own, double other) {
    PastRunEntry e = r.Entry(slot);
    return MarginsOf(TimeTenths(r.FinishTime()), TimeTenths(e.time), r.CarriedWeight(),
                     ToInt(e.weight), own, other);
}

}  // namespace

void PickHorse(AppShell& sh, int col, int row) {
    if (col < 0 || col > 2 || row < 1) return;
    MainFormState& m = sh.main();
    const Grid& g = m.stringGrid4;
    if (row >= g.RowCount()) return;
    int horse = ToInt(g.Text(1, row));
    if (horse < 1 || horse > kMaxRunners) return;  // not a runner's row
    RaceDay& day = sh.day();
    std::string blood(SeRecord(day.runnerTable.At(day.currentRace, horse - 1)).BloodNumber());
    const std::string& name = g.Text(2, row);
    if (TrimName(m.edit1).empty()) {
        m.edit1 = name;
        m.kinryoALabel = g.Text(5, row);
        day.horseIdA = blood;
    } else if (name != m.edit1) {
        m.edit2 = name;
        m.kinryoBLabel = g.Text(5, row);
        day.horseIdB = blood;
    }
}

void ClearPickedHorses(AppShell& sh) {
    sh.main().edit1.clear();
    sh.main().edit2.clear();
    sh.main().activeTab = EntryTab();
}

void Search2Btn(AppShell& sh) {
    Picked p;
    if (!Validate(sh, p, false)) return;
    PastRunFile fa, fb;
    if (!LoadOrReport(sh, fa, sh.day().horseIdA, p.keyA)) return;
    if (!LoadOrReport(sh, fb, sh.day().horseIdB, p.keyB)) return;
    StartGrid(sh, p);
    MainFormState& m = sh.main();
    Grid& g = m.stringGrid6;
    m.ctLabel = CountText(0);
    PairCounts counts;
    int rows = 0;
    for (size_t ia = 0; ia < fa.Count(); ++ia) {
        PastRunRecord ra = fa.Record(ia);
        int n = ra.RegisteredRunners();
        if (!InPeriod(ra, p) || n < 1) continue;
        if (HasName(ra, n, p.keyA) && HasName(ra, n, p.keyB)) continue;
        for (int k = 0; k < n; ++k) {
            std::string_view x = ra.Entry(k).name;
            if (TrimName(x).empty() || x == p.keyA || x == p.keyB) continue;
            for (size_t ib = 0; ib < fb.Count(); ++ib) {
                PastRunRecord rb = fb.Record(ib);
                int mb = rb.RegisteredRunners();
                if (!InPeriod(rb, p)) continue;
                if (HasName(rb, mb, p.keyA) && HasName(rb, mb, p.keyB)) continue;
                for (int j = 0; j < mb; ++j) {
                    if (rb.Entry(j).name != x) continue;
                    Margins a = SideMargins(ra, k, p.weightA, p.weightB);
                    Margins b = SideMargins(rb, j, p.weightB, p.weightA);
                    InstanceOutcome o = OutcomeOf(a.comparison, b.comparison);
                    Count(counts, o);
                    int r = ++rows;
                    m.ctLabel = CountText(r);
                    PutHalf(g, r, 0, ra, k, p.keyA, true);
                    PutMargins(g, r, 10, a, o.ptA, o.dokuPtA);
                    PutHalf(g, r, 16, rb, j, p.keyB, false);
                    PutMargins(g, r, 26, b, o.ptB, o.dokuPtB);
                    StyleComparisonRow(g, r);
                    g.SetRowCount(r + 2);
                    sh.ui().ProcessEvents();
                }
            }
        }
    }
    m.pt1Label = Format("%3d", counts.ptA);
    m.pt2Label = Format("%3d", counts.ptB);
    m.dpt1Label = Format("%3d", counts.dokuPtA);
    m.dpt2Label = Format("%3d", counts.dokuPtB);
    FinishGrid(g, rows);
}

void Search2DirectBtn(AppShell& sh) {
    static const std::string damaged =
        Sj("過去走データの形式が正しくありません。比較を中止しました。");
    Picked p;
    if (!Validate(sh, p, true)) return;
    PastRunFile fa;
    if (!LoadOrReport(sh, fa, sh.day().horseIdA, p.keyA)) return;
    StartGrid(sh, p);
    MainFormState& m = sh.main();
    Grid& g = m.stringGrid6;
    int rows = 0;
    for (size_t ia = 0; ia < fa.Count(); ++ia) {
        PastRunRecord ra = fa.Record(ia);
        if (!InPeriod(ra, p)) continue;
        int n = ra.RegisteredRunners();
        for (int k = 0; k < n; ++k) {
            PastRunEntry e = ra.Entry(k);
            if (TrimName(e.name).empty() || e.name != p.keyB) continue;
            int r = ++rows;
            m.ctLabel = CountText(r);
            g.SetText(0, r, DateCell(ra));
            g.SetText(1, r, TrackCell(ra));
            g.SetText(2, r, p.keyA);
            g.SetText(3, r, WeightCell(ra.At(pr::kCarriedWeight)));
            g.SetText(4, r, PositionCell(ra.FinishPosition()));
            g.SetText(5, r, TimeCell(ra.FinishTime()));
            g.SetText(6, r, std::string(e.name));
            g.SetText(7, r, WeightCell(e.weight));
            g.SetText(8, r, Format("%2d", k + 1));
            g.SetText(9, r, TimeCell(e.time));
            g.SetText(10, r,
                      Format("%4.1f", (TimeTenths(e.time) - TimeTenths(ra.FinishTime())) / 10.0));
            StyleComparisonRow(g, r);
            g.SetRowCount(r + 2);
            sh.ui().ProcessEvents();
        }
    }
    FinishGrid(g, rows);
    // Records after a short or damaged one are never read; say so rather than show a part.
    if (fa.Damaged()) sh.ui().ShowError(damaged);
}

void CopyComparisonResult(AppShell& sh) {
    static const std::string first = Sj("２頭比較を行ってください。");
    const Grid& g = sh.main().stringGrid6;
    if (g.RowCount() <= 2 && IsBlank(g.Text(0, 1))) {
        sh.ui().Beep();
        sh.ui().Inform(first);
        return;
    }
    sh.platform().SetClipboardText(GridClipboardText(g));
}

}  // namespace sorvane
