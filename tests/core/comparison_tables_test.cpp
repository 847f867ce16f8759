// The comparison tables of a small race: texts and styles of the pair detail table and the
// win/loss matrix, and their clipboard copies.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/sjis.h"
#include "base/text_format.h"
#include "compare/all_race.h"
#include "day_rig.h"
#include "record_fixtures.h"
#include "shell/app_shell.h"
#include "shell/code_tables.h"

namespace sorvane {
namespace {

using testing::DayRig;

std::string Se(int horse, const char* utf8Name) {
    std::string rec = BlankRecord(RecordType::SE);
    Put(rec, 27, "1");
    Put(rec, 28, Format("%02d", horse));
    // The name field is 36 bytes of full-width characters padded with full-width blanks.
    std::string name = Sj(utf8Name);
    while (name.size() < 36) name += Sj("　");
    Put(rec, 40, name);
    return rec;
}

struct Rig : DayRig {
    // Race slot 2 with three runners: 1 beat 2, 3 beat 1, 2 and 3 drew.
    Rig() {
        Start();
        RaceDay& day = shell->day();
        std::string ra = BlankRecord(RecordType::RA);
        Put(ra, 11, "20240512");
        Put(ra, 881, "03");
        day.raceTable.Put(2, ra);
        day.runnerTable.Put(2, 0, Se(1, "アイ"));
        day.runnerTable.Put(2, 1, Se(2, "カキクケ"));
        day.runnerTable.Put(2, 2, Se(3, "サ"));
        RaceAnalysis& a = day.raceAnalysis[2];
        const int p12 = PairNumber(1, 2) - 1, p13 = PairNumber(1, 3) - 1,
                  p23 = PairNumber(2, 3) - 1;
        a.pairPtA[p12] = 5;
        a.pairPtB[p12] = 2;
        a.pairDokuPtA[p12] = 1;
        a.pairSoPtA[p12] = 6;
        a.pairSoPtB[p12] = 2;
        a.pairWinA[p12] = 1;
        a.pairCount[p12] = 12;
        a.pairDirect[p12] = 2;
        a.pairSoPtB[p13] = 3;
        a.pairPtB[p13] = 3;
        a.pairWinB[p13] = 1;
        a.pairCount[p13] = 4;
        a.pairSoPtA[p23] = 1;
        a.pairSoPtB[p23] = 1;
        day.currentRace = 2;
    }
};

std::string Row(const Grid& g, int row) {
    std::string out;
    for (int c = 0; c < g.ColCount(); ++c) out += (c ? "|" : "") + Utf8FromSjis(g.Text(c, row));
    return out;
}

TEST(ComparisonTables, DetailRowsOfEveryPairWithTheirStyles) {
    Rig r;
    FillComparisonTables(*r.shell);
    const Grid& g = r.shell->main().stringGrid7;
    ASSERT_EQ(g.RowCount(), 4);
    EXPECT_EQ(Utf8FromSjis(g.Text(13, 0)), "比較数");  // the headings stay
    EXPECT_EQ(Row(g, 1), "| 1|アイ|  5|  1|  6| ○| 2|カキクケ|  2|  0|  2|| 12|  2");
    EXPECT_EQ(Row(g, 2), "| 1|アイ|  0|  0|  0|| 3|サ|  3|  0|  3| ○|  4|  0");
    EXPECT_EQ(Row(g, 3), "| 2|カキクケ|  0|  0|  1|| 3|サ|  0|  0|  1||  0|  0");

    const CellStyle& head = g.At(5, 0).style;
    EXPECT_EQ(head.background, 0xC0C0C0u);
    EXPECT_EQ(g.At(0, 1).style.background, 0xC0C0C0u);
    EXPECT_EQ(g.At(1, 1).style.background, 0x00FF7Fu);
    EXPECT_EQ(g.At(7, 2).style.background, 0x00FF7Fu);
    EXPECT_EQ(g.At(2, 1).style.background, 0xFFFFE0u);
    EXPECT_EQ(g.At(2, 1).style.align, Align::Left);
    EXPECT_EQ(g.At(8, 3).style.align, Align::Left);
    EXPECT_EQ(g.At(3, 1).style.align, Align::Center);
    EXPECT_EQ(g.At(6, 1).style.background, 0xFF00FFu);   // " ○"
    EXPECT_EQ(g.At(12, 1).style.background, 0xFFFFFFu);  // no win
    EXPECT_EQ(g.At(12, 2).style.background, 0xFF00FFu);
    EXPECT_EQ(g.At(13, 1).style.background, g.At(14, 3).style.background);
    EXPECT_NE(g.At(13, 1).style.background, 0xFFFFFFu);
    EXPECT_EQ(g.At(9, 1).style.background, 0xFFFFFFu);
}

TEST(ComparisonTables, MatrixShowsWhoBeatWhom) {
    Rig r;
    FillComparisonTables(*r.shell);
    const Grid& g = r.shell->main().stringGrid8;
    ASSERT_EQ(g.RowCount(), 4);
    ASSERT_EQ(g.ColCount(), 4);
    EXPECT_EQ(Row(g, 0), "| 1| 2| 3");
    EXPECT_EQ(Row(g, 1), " 1||○|×");
    EXPECT_EQ(Row(g, 2), " 2|×||");
    EXPECT_EQ(Row(g, 3), " 3|○||");
    EXPECT_EQ(g.At(0, 2).style.background, 0xC0C0C0u);
    EXPECT_EQ(g.At(2, 0).style.background, 0xC0C0C0u);
    EXPECT_EQ(g.At(2, 2).style.background, 0x000000u);
    EXPECT_EQ(g.At(2, 1).style.background, 0xFF00FFu);
    EXPECT_EQ(g.At(1, 3).style.background, 0xFF00FFu);
    EXPECT_EQ(g.At(3, 1).style.background, 0x808080u);  // ×
    EXPECT_EQ(g.At(3, 2).style.background, 0x808080u);  // a draw
    EXPECT_EQ(g.At(3, 2).style.align, Align::Center);
}

TEST(ComparisonTables, ARaceWithoutRunnersLeavesEmptyTables) {
    Rig r;
    FillComparisonTables(*r.shell);
    r.shell->day().currentRace = 7;  // no race there
    FillComparisonTables(*r.shell);
    const Grid& g7 = r.shell->main().stringGrid7;
    EXPECT_EQ(g7.RowCount(), 2);
    EXPECT_EQ(Row(g7, 1), "||||||||||||||");
    EXPECT_EQ(Utf8FromSjis(g7.Text(1, 0)), "馬番");
    EXPECT_EQ(r.shell->main().stringGrid8.RowCount(), 1);
}

TEST(ComparisonTables, ClipboardTakesEveryCellWithTabsAndCrLf) {
    Rig r;
    FillComparisonTables(*r.shell);
    CopyComparisonMatrix(*r.shell);
    EXPECT_EQ(Utf8FromSjis(r.platform.clipboard),
              "\t 1\t 2\t 3\r\n 1\t\t○\t×\r\n 2\t×\t\t\r\n 3\t○\t\t\r\n");
    CopyComparisonDetail(*r.shell);
    const std::string text = Utf8FromSjis(r.platform.clipboard);
    EXPECT_EQ(
        text.substr(0, text.find("\r\n")),
        "\t馬番\t馬名\tPt\t独Pt\t総Pt\t勝敗\t馬番\t馬名\tPt\t独Pt\t総Pt\t勝敗\t比較数\t直接対決");
    EXPECT_NE(
        text.find("\r\n\t 2\tカキクケ\t  0\t  0\t  1\t\t 3\tサ\t  0\t  0\t  1\t\t  0\t  0\r\n"),
        std::string::npos);
}

}  // namespace
}  // namespace sorvane
