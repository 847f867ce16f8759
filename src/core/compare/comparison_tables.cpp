// The comparison tables of the selected race: the pair detail table StringGrid7 (比較詳細表)
// and the win/loss matrix StringGrid8 (比較勝敗表), texts and styles, and their clipboard copies.
#include <algorithm>
#include <string>

#include "base/fields.h"
#include "base/sjis.h"
#include "base/text_format.h"
#include "compare/all_race.h"
#include "shell/app_shell.h"
#include "shell/code_tables.h"
#include "shell/code_tables_format.h"
#include "store/records.h"

namespace sorvane {
namespace {

constexpr uint32_t kSilver = 0xC0C0C0;
constexpr uint32_t kSpringGreen = 0x00FF7F;
constexpr uint32_t kLightYellow = 0xFFFFE0;
constexpr uint32_t kFuchsia = 0xFF00FF;
constexpr uint32_t kLightViolet = 0xE6C8FF;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kBlack = 0x000000;

constexpr int kDetailColumns = 15;

const std::string& WinMark() {
    static const std::string m = Sj("○");
    return m;
}
const std::string& LossMark() {
    static const std::string m = Sj("×");
    return m;
}

CellStyle Centred(uint32_t background) {
    CellStyle s;
    s.background = background;
    s.align = Align::Center;
    return s;
}

// Background and alignment of a data cell of StringGrid7 by its column and text.
CellStyle DetailStyle(int col, const std::string& text) {
    switch (col) {
        case 0:
            return Centred(kSilver);
        case 1:
        case 7:
            return Centred(kSpringGreen);
        case 2:
        case 8: {
            CellStyle s;
            s.background = kLightYellow;
            s.align = Align::Left;
            return s;
        }
        case 6:
        case 12:
            return Centred(TrimBlanks(text) == WinMark() ? kFuchsia : kWhite);
        case 13:
        case 14:
            return Centred(kLightViolet);
        default:
            return Centred(kWhite);
    }
}

// The display form of the runner's name: the SE name without full-width blanks, trimmed.
std::string DisplayName(const SeRecord& se) {
    return std::string(TrimBlanks(StripFullWidthBlanks(se.HorseName())));
}

void FillDetail(Grid& g, const RaceDay& day, int race, int n) {
    const int pairs = n * (n - 1) / 2;
    // The headings of row 0 stay as set at start-up.
    g.Resize(kDetailColumns, std::max(2, pairs + 1));
    for (int r = 1; r < g.RowCount(); ++r)
        for (int c = 0; c < kDetailColumns; ++c) g.SetText(c, r, "");
    for (int c = 0; c < kDetailColumns; ++c) g.SetStyle(c, 0, Centred(kSilver));
    if (race < 0) return;
    const RaceAnalysis& a = day.raceAnalysis[static_cast<size_t>(race)];
    int row = 0;
    for (int i = 0; i < n; ++i) {
        const std::string nameI = DisplayName(SeRecord(day.runnerTable.At(race, i)));
        for (int j = i + 1; j < n; ++j) {
            const size_t p = static_cast<size_t>(PairNumber(i + 1, j + 1) - 1);
            ++row;
            const std::string texts[kDetailColumns] = {
                "",
                Format("%2d", i + 1),
                nameI,
                Format("%3d", a.pairPtA[p]),
                Format("%3d", a.pairDokuPtA[p]),
                Format("%3d", a.pairSoPtA[p]),
                a.pairWinA[p] > 0 ? " " + WinMark() : "",
                Format("%2d", j + 1),
                DisplayName(SeRecord(day.runnerTable.At(race, j))),
                Format("%3d", a.pairPtB[p]),
                Format("%3d", a.pairDokuPtB[p]),
                Format("%3d", a.pairSoPtB[p]),
                a.pairWinB[p] > 0 ? " " + WinMark() : "",
                Format("%3d", a.pairCount[p]),
                Format("%3d", a.pairDirect[p])};
            for (int c = 0; c < kDetailColumns; ++c) {
                g.SetText(c, row, texts[c]);
                g.SetStyle(c, row, DetailStyle(c, texts[c]));
            }
        }
    }
    // A race of fewer than two runners keeps one empty data row, drawn like the others.
    for (int r = row + 1; r < g.RowCount(); ++r)
        for (int c = 0; c < kDetailColumns; ++c) g.SetStyle(c, r, DetailStyle(c, ""));
}

void FillMatrix(Grid& g, const RaceDay& day, int race, int n) {
    g.ClearCells();
    g.Resize(n + 1, n + 1);
    g.SetFixed(1, 1);
    for (int k = 1; k <= n; ++k) {
        g.SetText(k, 0, Format("%2d", k));
        g.SetText(0, k, Format("%2d", k));
    }
    if (race >= 0) {
        const RaceAnalysis& a = day.raceAnalysis[static_cast<size_t>(race)];
        // Cell (column c, row r) tells how the row's horse r did against the column's horse c.
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) {
                const size_t p = static_cast<size_t>(PairNumber(i, j) - 1);
                if (a.pairWinA[p] > 0) {
                    g.SetText(j, i, WinMark());
                    g.SetText(i, j, LossMark());
                }
                if (a.pairWinB[p] > 0) {
                    g.SetText(i, j, WinMark());
                    g.SetText(j, i, LossMark());
                }
            }
    }
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c <= n; ++c) {
            uint32_t bg = kGrey;
            if (r == 0 || c == 0)
                bg = kSilver;
            else if (r == c)
                bg = kBlack;
            else if (g.Text(c, r) == WinMark())
                bg = kFuchsia;
            g.SetStyle(c, r, Centred(bg));
        }
}

}  // namespace

void FillComparisonTables(AppShell& shell) {
    RaceDay& day = shell.day();
    const int race = day.currentRace;
    const bool valid = race >= 0 && race < kMaxRaces && day.SlotInUse(race);
    const int n = valid ? day.RegisteredRunners(race) : 0;
    FillDetail(shell.main().stringGrid7, day, valid ? race : -1, n);
    FillMatrix(shell.main().stringGrid8, day, valid ? race : -1, n);
}

void CopyComparisonDetail(AppShell& shell) {
    shell.platform().SetClipboardText(ClipboardText(shell.main().stringGrid7));
}

void CopyComparisonMatrix(AppShell& shell) {
    shell.platform().SetClipboardText(ClipboardText(shell.main().stringGrid8));
}

}  // namespace sorvane
