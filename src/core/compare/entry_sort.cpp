// The entry table by the comparison results: the nine sorts of StringGrid4 and the three
// selection-mark columns (◎ 〇 ▲) with their "全" and "CL" buttons.
#include <algorithm>
#include <string>
#include <vector>

#include "base/fields.h"
#include "base/sjis.h"
#include "compare/all_race.h"
#include "raceday/later_steps.h"
#include "shell/app_shell.h"

namespace sorvane {
namespace {

// Entry-table columns of the sort keys.
constexpr int kColUmaban = 1;
constexpr int kColWinsRank = 9;
constexpr int kColLosses = 11;
constexpr int kColWinRateRank = 13;
constexpr int kColWinPt = 14;
constexpr int kColLossPt = 16;
constexpr int kColPtWinRateRank = 18;
constexpr int kColOddsRank = 20;
constexpr int kColChakujun = 27;
// The selection-mark columns ◎ 〇 ▲.
constexpr int kFirstMarkCol = 24;
constexpr int kMarkCols = 3;

struct SortKey {
    int col;
    bool descending;
};
struct SortRule {
    SortKey primary;
    SortKey secondary;
};

SortRule RuleOf(EntrySort key) {
    switch (key) {
        case EntrySort::Umaban:
            return {{kColUmaban, false}, {kColLosses, false}};
        case EntrySort::Wins:
            return {{kColWinsRank, false}, {kColLosses, true}};
        case EntrySort::Losses:
            return {{kColLosses, false}, {kColWinsRank, true}};
        case EntrySort::WinRate:
            return {{kColWinRateRank, false}, {kColWinsRank, true}};
        case EntrySort::WinPt:
            return {{kColWinPt, true}, {kColLossPt, false}};
        case EntrySort::LossPt:
            return {{kColLossPt, false}, {kColWinPt, true}};
        case EntrySort::PtWinRate:
            return {{kColPtWinRateRank, false}, {kColWinPt, true}};
        case EntrySort::OddsRank:
            return {{kColOddsRank, false}, {kColPtWinRateRank, false}};
        case EntrySort::Chakujun:
            break;
    }
    return {{kColChakujun, false}, {kColUmaban, false}};
}

// Byte order of two cell texts under the key's direction: <0, 0 or >0.
int CompareCells(const std::vector<Cell>& a, const std::vector<Cell>& b, SortKey key) {
    const int c =
        a[static_cast<size_t>(key.col)].text.compare(b[static_cast<size_t>(key.col)].text);
    return key.descending ? -c : c;
}

const std::string& Mark() {
    static const std::string m = Sj("ν");
    return m;
}

void SetMarkColumn(AppShell& shell, int button, const std::string& text) {
    if (button < 1 || button > kMarkCols) return;
    Grid& g = shell.main().stringGrid4;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r)
        g.SetText(kFirstMarkCol + button - 1, r, text);
    KaimeMakeBtn(shell);
}

}  // namespace

void SortEntryTable(AppShell& shell, EntrySort key) {
    shell.main().entrySortDown = key;
    Grid& g = shell.main().stringGrid4;
    const SortRule rule = RuleOf(key);
    const int first = g.FixedRows();
    if (g.RowCount() - first < 2) return;
    if (std::max(rule.primary.col, rule.secondary.col) >= g.ColCount()) return;

    std::vector<std::vector<Cell>> rows;
    for (int r = first; r < g.RowCount(); ++r) {
        std::vector<Cell> row;
        row.reserve(static_cast<size_t>(g.ColCount()));
        for (int c = 0; c < g.ColCount(); ++c) row.push_back(g.At(c, r));
        rows.push_back(std::move(row));
    }
    // The primary key, then the secondary within rows of equal primary text: one ordering on
    // both. Rows equal in both keep their order.
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
        const int p = CompareCells(a, b, rule.primary);
        if (p != 0) return p < 0;
        return CompareCells(a, b, rule.secondary) < 0;
    });
    for (size_t i = 0; i < rows.size(); ++i)
        for (int c = 0; c < g.ColCount(); ++c)
            *g.Mutable(c, first + static_cast<int>(i)) = std::move(rows[i][static_cast<size_t>(c)]);
}

void ToggleSelectionMark(AppShell& shell, int col, int row) {
    Grid& g = shell.main().stringGrid4;
    if (col < kFirstMarkCol || col >= kFirstMarkCol + kMarkCols) return;
    if (row < g.FixedRows() || row >= g.RowCount()) return;
    if (ToInt(g.Text(kColUmaban, row)) <= 0) return;
    g.SetText(col, row, g.Text(col, row).empty() ? Mark() : std::string());
    KaimeMakeBtn(shell);
}

void AllCkBtn(AppShell& shell, int button) { SetMarkColumn(shell, button, Mark()); }

void AllDlBtn(AppShell& shell, int button) { SetMarkColumn(shell, button, std::string()); }

}  // namespace sorvane
