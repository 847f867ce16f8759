// The texts of the entry table and the filling of both entry tables for the selected race.
#include "raceday/entry_tables.h"

#include <algorithm>

#include "base/fields.h"
#include "base/sjis.h"
#include "base/text_format.h"
#include "raceday/entry_detail.h"
#include "raceday/entry_labels.h"
#include "raceday/entry_style.h"
#include "raceday/race_day.h"
#include "shell/app_shell.h"
#include "shell/code_tables.h"
#include "store/records.h"

namespace sorvane {

namespace {

const std::string& FullBlank() {
    static const std::string s = Sj("　");
    return s;
}

// A rank or count: the format when at least 1, otherwise the blank given.
std::string Count(int v, const char* fmt, const std::string& blank) {
    return v >= 1 ? Format(fmt, v) : blank;
}

// A rate in percent, five blanks when negative (no rate).
std::string Rate(double r) { return r < 0 ? std::string(5, ' ') : Format("%5.1f", r * 100.0); }

// "1250" -> "1.25.0"; six blanks when blank, zero or cut short.
std::string TimeText(std::string_view t) {
    if (t.size() < 4 || ToInt(t) == 0) return std::string(6, ' ');
    return std::string(t.substr(0, 1)) + "." + std::string(t.substr(1, 2)) + "." +
           std::string(t.substr(3, 1));
}

}  // namespace

std::string EntryCellText(const RaceDay& day, int race, int runner, int col) {
    const SeRecord se(day.runnerTable.At(race, runner));
    const RaRecord ra(day.raceTable.At(race));
    const RaceAnalysis& a =
        day.raceAnalysis[static_cast<size_t>(std::clamp(race, 0, kMaxRaces - 1))];
    const OddsValues& o = day.oddsValues[static_cast<size_t>(std::clamp(race, 0, kMaxRaces - 1))];
    const auto h = static_cast<size_t>(std::clamp(runner, 0, kMaxRunners - 1));
    static const std::string kTwo(2, ' ');
    static const std::string kThree(3, ' ');
    static const std::string kNoOdds = Sj("　　　");
    const std::string& fb = FullBlank();
    switch (col) {
        case 0:
            return Format("%2d", se.BracketNumber());
        case 1:
            return Format("%2d", runner + 1);
        case 2:
            return DisplayHorseName(se.HorseName());
        case 3:
            return SexName(se.SexCode()) + AgeLabel(se.Age());
        case 4:
            return std::string(se.JockeyShortName());
        case 5:
            return CarriedWeightText(se.CarriedWeightText());
        case 6:
            return WeightReductionName(ra.TrackCode(), se.ApprenticeCode());
        case 7:
            return std::string(se.TrainerShortName());
        case 8:
            return Count(a.wins[h], "%2d", fb);
        case 9:
            return Count(a.winsRank[h], "%2d", fb);
        case 10:
            return Count(a.winsRevRank[h], "%2d", fb);
        case 11:
            return Count(a.losses[h], "%2d", fb);
        case 12:
            return Rate(a.winRate[h]);
        case 13:
            return Count(a.winRateRank[h], "%2d", fb);
        case 14:
            return Count(a.winPt[h], "%4d", kTwo);
        case 15:
            return Count(a.ptRevRank[h], "%2d", fb);
        case 16:
            return Count(a.lossPt[h], "%4d", fb);
        case 17:
            return Rate(a.ptWinRate[h]);
        case 18:
            return Count(a.ptWinRateRank[h], "%2d", fb);
        case 19:
            return o.tanOz[h] > 0 ? Format("%6.1f", o.tanOz[h]) : kNoOdds;
        case 20:
            return Count(o.tanNinki[h], "%2d", fb);
        case 21:
            return Count(a.juntoCount[h], "%3d", kThree);
        case 22:
            return Count(a.uragiriCount[h], "%3d", kThree);
        case 23:
            return Rate(a.uragiriRate[h]);
        case 27:
            return Count(ToInt(a.runnerResult[h].finishPosition), "%2d", fb);
        case 28:
            return TimeText(a.runnerResult[h].finishTime);
        case 29:
            return se.WinOdds() == 0 ? std::string(5, ' ') : Format("%5.1f", se.WinOdds() / 10.0);
        case 30:
            return Count(se.WinPopularity(), "%2d", fb);
        default:
            return std::string();
    }
}

void FillEntryGrid(const RaceDay& day, int race, Grid& grid) {
    const int rows = std::min(grid.RowCount() - 1, day.RegisteredRunners(race));
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < kEntryColumns; ++c) {
            if (c >= 24 && c <= 26) continue;  // the selection marks are not ours
            grid.SetText(c, r, EntryCellText(day, race, r - 1, c));
        }
    RestyleEntryGrid(grid);
}

void SisushutubaBtn(AppShell& shell) {
    RaceDay& day = shell.day();
    const int race = day.currentRace;
    FillEntryGrid(day, race, shell.main().stringGrid4);
    Grid& detail = shell.main().stringGrid5;
    const int rows = std::min(detail.RowCount() - 1, day.RegisteredRunners(race));
    for (int k = 0; k < rows; ++k) FillDetailHorse(day, race, k, detail);
}

void GetKakoBtn(AppShell& shell) {
    RaceDay& day = shell.day();
    const int race = day.currentRace;
    Grid& detail = shell.main().stringGrid5;
    SetDetailHeadings(day, race, detail);
    const int rows = std::min(detail.RowCount() - 1, day.RegisteredRunners(race));
    for (int k = 0; k < rows; ++k) FillDetailRuns(day, race, k, detail);
}

}  // namespace sorvane
