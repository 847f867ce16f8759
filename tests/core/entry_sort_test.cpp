// The entry table by the comparison results: the nine sorts with their secondary keys and the
// selection marks with the 全 and CL buttons.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "compare/all_race.h"
#include "day_rig.h"
#include "shell/app_shell.h"

namespace sorvane {
namespace {

using testing::DayRig;

// The sorted columns of one runner as the entry table shows them; "　" is a blank rank.
struct Runner {
    const char* umaban;      // 1
    const char* winsRank;    // 9
    const char* losses;      // 11
    const char* rateRank;    // 13
    const char* winPt;       // 14
    const char* lossPt;      // 16
    const char* ptRateRank;  // 18
    const char* oddsRank;    // 20
    const char* chakujun;    // 27
};

const Runner kField[] = {
    {" 1", " 3", " 2", " 2", "  12", "   8", " 3", " 2", " 5"},
    {" 2", " 1", " 1", " 1", "  20", "   3", " 1", " 5", " 1"},
    {" 3", "　", " 4", "　", "  12", "   5", " 2", "　", "　"},
    {" 4", " 2", " 2", " 3", "   7", "   8", "　", " 1", " 2"},
    {" 5", " 4", " 4", " 4", "  20", "   1", " 4", " 3", " 1"},
};

struct Rig : DayRig {
    Rig() {
        Start();
        Grid& g = shell->main().stringGrid4;
        g.SetRowCount(6);
        for (int r = 1; r <= 5; ++r) {
            const Runner& x = kField[r - 1];
            const std::pair<int, const char*> cells[] = {
                {1, x.umaban},      {9, x.winsRank},  {11, x.losses},
                {13, x.rateRank},   {14, x.winPt},    {16, x.lossPt},
                {18, x.ptRateRank}, {20, x.oddsRank}, {27, x.chakujun}};
            for (const auto& [c, t] : cells) g.SetText(c, r, Sj(t));
            g.SetText(2, r, "name" + std::to_string(r));
            CellStyle s;
            s.background = 0x100 * static_cast<uint32_t>(r);  // moves with its row
            g.SetStyle(0, r, s);
        }
    }
    // Horse numbers of the data rows, top to bottom, with each row's name and colour checked.
    std::string Order() const {
        const Grid& g = shell->main().stringGrid4;
        std::string out;
        for (int r = 1; r < g.RowCount(); ++r) {
            const int h = std::stoi(g.Text(1, r));
            EXPECT_EQ(g.Text(2, r), "name" + std::to_string(h));
            EXPECT_EQ(g.At(0, r).style.background, 0x100u * static_cast<uint32_t>(h));
            out += std::to_string(h);
        }
        return out;
    }
};

TEST(EntrySortTest, EveryButtonSortsByItsKeys) {
    const std::pair<EntrySort, const char*> cases[] = {
        {EntrySort::Umaban, "12345"},
        // Wins rank, blank last; no ties.
        {EntrySort::Wins, "24153"},
        // Losses ascending; 1 and 4 tie on 2: wins rank descending puts 1 (" 3") first; 3 and
        // 5 tie on 4: the blank rank of 3 sorts after every number, so descending puts it first.
        {EntrySort::Losses, "21435"},
        {EntrySort::WinRate, "21453"},
        // Win points highest first; ties by fewer loss points: 5 (1) before 2 (3), 3 (5)
        // before 1 (8).
        {EntrySort::WinPt, "52314"},
        // Loss points ascending; 1 and 4 tie on 8: more win points (1) first.
        {EntrySort::LossPt, "52314"},
        {EntrySort::PtWinRate, "23154"},
        {EntrySort::OddsRank, "41523"},
        // Finishing position; 2 and 5 tie on 1: horse number ascending.
        {EntrySort::Chakujun, "25413"},
    };
    for (const auto& [key, want] : cases) {
        Rig r;
        SortEntryTable(*r.shell, EntrySort::Umaban == key ? EntrySort::WinPt : EntrySort::Umaban);
        SortEntryTable(*r.shell, key);
        EXPECT_EQ(r.Order(), want) << static_cast<int>(key);
        EXPECT_EQ(r.shell->main().entrySortDown, key);
    }
}

TEST(EntrySortTest, SortsAgainFromAnyOrder) {
    Rig r;
    SortEntryTable(*r.shell, EntrySort::OddsRank);
    SortEntryTable(*r.shell, EntrySort::Chakujun);
    EXPECT_EQ(r.Order(), "25413");
    SortEntryTable(*r.shell, EntrySort::Umaban);
    EXPECT_EQ(r.Order(), "12345");
}

TEST(SelectionMarks, PressTogglesAndAllOrClearFillAColumn) {
    Rig r;
    Grid& g = r.shell->main().stringGrid4;
    g.SetText(1, 5, Sj("　"));  // a row whose horse-number cell is no number
    const std::string nu = Sj("ν");

    ToggleSelectionMark(*r.shell, 24, 2);
    EXPECT_EQ(g.Text(24, 2), nu);
    ToggleSelectionMark(*r.shell, 24, 2);
    EXPECT_EQ(g.Text(24, 2), "");
    ToggleSelectionMark(*r.shell, 26, 1);
    EXPECT_EQ(g.Text(26, 1), nu);

    // Outside the mark columns, on the heading row, past the rows, or without a horse: nothing.
    ToggleSelectionMark(*r.shell, 23, 1);
    ToggleSelectionMark(*r.shell, 27, 1);
    ToggleSelectionMark(*r.shell, 25, 0);
    ToggleSelectionMark(*r.shell, 25, 6);
    ToggleSelectionMark(*r.shell, 25, 5);
    EXPECT_EQ(Utf8FromSjis(g.Text(23, 1)), "");
    EXPECT_EQ(Utf8FromSjis(g.Text(27, 1)), " 5");
    EXPECT_EQ(Utf8FromSjis(g.Text(25, 0)), "〇");
    EXPECT_EQ(g.Text(25, 5), "");

    AllCkBtn(*r.shell, 2);
    for (int row = 1; row <= 5; ++row) EXPECT_EQ(g.Text(25, row), nu) << row;
    EXPECT_EQ(Utf8FromSjis(g.Text(25, 0)), "〇");
    EXPECT_EQ(g.Text(24, 3), "");
    AllDlBtn(*r.shell, 3);
    EXPECT_EQ(g.Text(26, 1), "");
    EXPECT_EQ(g.Text(25, 1), nu);
    AllDlBtn(*r.shell, 2);
    for (int row = 1; row <= 5; ++row) EXPECT_EQ(g.Text(25, row), "") << row;
    // The marks move with their rows.
    AllCkBtn(*r.shell, 1);
    ToggleSelectionMark(*r.shell, 24, 2);
    SortEntryTable(*r.shell, EntrySort::Wins);
    EXPECT_EQ(g.Text(24, 1), "");  // horse 2 is now on top
    EXPECT_EQ(g.Text(24, 2), nu);
}

}  // namespace
}  // namespace sorvane
