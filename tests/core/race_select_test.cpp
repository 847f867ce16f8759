// Selecting a race: the header labels and panel colour, the shapes of the grids, the
// tally label, the result tab, the bet amount and the line-to-slot mapping.
#include <gtest/gtest.h>

#include "base/sjis.h"
#include "day_rig.h"
#include "raceday/race_header.h"
#include "raceday/race_select.h"

namespace sorvane {
namespace {

using testing::DayRig;
using testing::MakeRa;
using testing::RaceSpec;

TEST(RaceHeaderTest, LabelsOfARace) {
    RaceSpec spec{.date = "20240105",
                  .track = "44",
                  .race = 11,
                  .runners = 9,
                  .surface = "24",
                  .distance = 1600,
                  .postTime = "2010",
                  .name = "東京記念"};
    std::string ra = MakeRa(spec);
    Put(ra, 611, "012");  // the 12th edition
    Put(ra, 614, "B");
    Put(ra, 622, "   010  5999");
    std::string o1 = BlankRecord(RecordType::O1);
    Put(o1, 27, "01051932");
    RaceHeader h = MakeRaceHeader(ra, o1);
    EXPECT_EQ(Utf8FromSjis(h.label1), "2024年01月05日(金)大井03回02日11R   20.10発走");
    EXPECT_TRUE(Utf8FromSjis(h.label2).starts_with("第12回 東京記念　")) << Utf8FromSjis(h.label2);
    EXPECT_EQ(Utf8FromSjis(h.label3),
              " 9頭  1600ﾒｰﾄﾙ ﾀﾞｰﾄ 右回り G2    サラ系３歳上 　　　　　　　　　　　　");
    EXPECT_EQ(Utf8FromSjis(h.label4), "馬齢  3歳:1000万下 4歳: 500万下 5歳以上:オープン");
    EXPECT_EQ(Utf8FromSjis(h.bashoLabel), "大井");
    EXPECT_EQ(h.raceLabel, "11");
    EXPECT_EQ(h.tfwTimeLabel, "19:32");
    EXPECT_EQ(h.panel14Color, kColorKhaki);

    // Without an edition the name stands alone; without odds the time is blank.
    Put(ra, 611, "000");
    EXPECT_TRUE(Utf8FromSjis(MakeRaceHeader(ra, "").label2).starts_with("東京記念　"));
    EXPECT_EQ(MakeRaceHeader(ra, "").tfwTimeLabel, ":");

    struct Case {
        const char* surface;
        uint32_t color;
    };
    for (Case c : {Case{"09", kColorKhaki}, Case{"10", kColorTurf}, Case{"22", kColorTurf},
                   Case{"23", kColorKhaki}, Case{"  ", kColorKhaki}}) {
        Put(ra, 705, c.surface);
        EXPECT_EQ(MakeRaceHeader(ra, o1).panel14Color, c.color) << c.surface;
    }
}

TEST(RaceSelect, GridsLabelsResultAndAmount) {
    DayRig r;
    r.writer.AddRace({.race = 1, .runners = 12});
    r.writer.AddRace({.race = 2, .runners = 9, .surface = "17"});
    std::string hr = testing::MakeRaceRecord(RecordType::HR, "20240105", "44", 2);
    Put(hr, 102,
        "03000000150"
        "01");
    Put(hr, 245,
        "0309000001230"
        "004");
    r.writer.AddPayout(hr);
    ASSERT_TRUE(r.Load());
    MainFormState& m = r.main();
    EXPECT_EQ(r.day().currentRace, 0);
    EXPECT_EQ(m.stringGrid4.RowCount(), 13);

    // Leftovers of the last race and of the two-horse comparison.
    m.stringGrid4.SetText(3, 12, "old");
    m.stringGrid9.SetRowCount(7);
    m.stringGrid9.SetText(0, 5, "old");
    m.stringGrid7.SetText(1, 1, "old");
    m.edit1 = "A";
    m.edit2 = "B";
    m.raceAmount[1] = "1200";
    r.day().raceAnalysis[1].compared = 1;

    SelectRace(*r.shell, 1);
    EXPECT_EQ(r.day().currentRace, 1);
    EXPECT_EQ(m.upDown1Position, 1);
    EXPECT_EQ(m.datListIndex, 1);
    EXPECT_EQ(m.stringGrid4.RowCount(), 10);
    EXPECT_EQ(m.stringGrid5.RowCount(), 10);
    EXPECT_EQ(m.stringGrid7.RowCount(), 37);  // a row for each of the 36 pairs of 9 runners
    EXPECT_EQ(m.stringGrid9.RowCount(), 2);
    EXPECT_EQ(m.stringGrid7.Text(1, 1), " 1");
    EXPECT_EQ(m.stringGrid8.RowCount(), 10);
    EXPECT_EQ(m.stringGrid8.ColCount(), 10);
    EXPECT_EQ(m.stringGrid10.ColCount(), 10);
    EXPECT_EQ(m.stringGrid10.Text(1, 0), " 1");
    EXPECT_EQ(m.stringGrid10.Text(0, 9), " 9");
    // Headings stay.
    EXPECT_EQ(Utf8FromSjis(m.stringGrid4.Text(2, 0)), "馬名");
    EXPECT_EQ(m.edit1, "");
    EXPECT_EQ(m.edit2, "");
    EXPECT_EQ(m.panel14Color, kColorTurf);
    EXPECT_EQ(Utf8FromSjis(m.bashoLabel), "大井");
    EXPECT_EQ(m.raceLabel, " 2");
    EXPECT_EQ(Utf8FromSjis(m.label1), "2024年01月05日(金)大井03回02日02R   15.40発走");
    EXPECT_EQ(Utf8FromSjis(m.shukeiLabel), "当レースの集計結果は下記の通りです。");
    EXPECT_TRUE(m.pageControl5Visible);
    EXPECT_TRUE(m.stringGrid4Visible);
    EXPECT_TRUE(m.stringGrid5Visible);
    EXPECT_EQ(m.kaimeAmount, "1200");

    const Grid& g = m.resultGrid;
    ASSERT_EQ(g.RowCount(), 37);
    EXPECT_EQ(Utf8FromSjis(g.Text(0, 1)), "単勝");
    EXPECT_EQ(g.Text(1, 1), " 3");
    EXPECT_EQ(g.Text(2, 1), " 1");
    EXPECT_EQ(g.Text(3, 1), "     150");
    EXPECT_EQ(g.Text(1, 2), "");  // no second winner
    EXPECT_EQ(g.Text(2, 2), " 0");
    EXPECT_EQ(Utf8FromSjis(g.Text(0, 12)), "馬連");
    EXPECT_EQ(g.Text(1, 12), " 3- 9");
    EXPECT_EQ(g.Text(2, 12), " 4");
    EXPECT_EQ(g.Text(3, 12), "    1230");
    EXPECT_EQ(Utf8FromSjis(g.Text(0, 36)), "３連単");

    SelectRace(*r.shell, 0);
    EXPECT_EQ(Utf8FromSjis(m.shukeiLabel),
              "集計が未実行です。「全レース比較」ボタンをクリックして集計してください。");
    EXPECT_EQ(m.panel14Color, kColorKhaki);
    EXPECT_EQ(m.resultGrid.Text(1, 1), "");
    EXPECT_EQ(m.kaimeAmount, "3000");

    // Lines the day list does not have change nothing.
    SelectRace(*r.shell, 2);
    SelectRace(*r.shell, -1);
    EXPECT_EQ(r.day().currentRace, 0);
}

TEST(RaceSelect, LinesSkipASlotNotInUse) {
    DayRig r;
    r.writer.AddRace({.race = 1});
    r.writer.AddRace({.race = 2});
    r.writer.AddRace({.race = 3});
    r.writer.Write();
    // The middle race's record has lost its year.
    auto ra = r.writer.DataPath(DayFileName(DayFileKind::RA, r.writer.Stamp()));
    std::vector<std::string> lines;
    ReadLines(ra, lines);
    Put(lines[1], 11, "0000");
    testing::WriteTextLines(ra, lines);
    r.Start();
    ASSERT_TRUE(
        LoadDay(*r.shell, r.writer.Stamp(), {.ignoreDates = std::nullopt, .compareAll = false}));
    ASSERT_EQ(r.main().datListItems.size(), 2u);
    EXPECT_EQ(RaceSlotOfLine(r.day(), 1), 2);
    SelectRace(*r.shell, 1);
    EXPECT_EQ(r.day().currentRace, 2);
    EXPECT_EQ(r.main().raceLabel, " 3");
}

}  // namespace
}  // namespace sorvane
