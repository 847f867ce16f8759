// Day stamps, day file names, runner slots and the line rules of the sorted day files.
#include <gtest/gtest.h>

#include "base/sjis.h"
#include "store/day_files.h"
#include "store/day_stamp.h"

namespace sorvane {
namespace {

TEST(DayStamp, Is14BytesOfTheRaceDate) {
    std::string s = DayStamp("20260901");
    EXPECT_EQ(s, Sj("2026年09月01日"));
    EXPECT_EQ(s.size(), kDayStampLength);
    EXPECT_EQ(DateOfDayStamp(s), "20260901");
}

TEST(DayStamp, OnlyDigitsFormNames) {
    for (const char* bad : {"2026090", "2026 901", "2026/9/1", "../../x", "2026090a", ""}) {
        EXPECT_FALSE(IsNameDate(bad)) << bad;
        EXPECT_EQ(DayStamp(bad), "") << bad;
    }
    EXPECT_TRUE(IsNameTrack("44"));
    for (const char* bad : {"4", " 4", "4/", "..", "A0"}) EXPECT_FALSE(IsNameTrack(bad)) << bad;
}

TEST(DayFileName, KindsAndRunnerFilesCarryTheTrackName) {
    std::string stamp = DayStamp("20260901");
    EXPECT_EQ(DayFileName(DayFileKind::RA, stamp), stamp + ".nvRA");
    EXPECT_EQ(DayFileName(DayFileKind::O6, stamp), stamp + ".nvO6");
    EXPECT_EQ(DayFileName(DayFileKind::SEr, stamp, Sj("大井")), stamp + Sj("大井") + ".nvSEr");

    auto p = ParseDayFileName(stamp + Sj("大井") + ".NVSER");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->kind, DayFileKind::SEr);
    EXPECT_EQ(p->trackName, Sj("大井"));
    EXPECT_FALSE(ParseDayFileName(stamp + "x.nvRA"));
    EXPECT_FALSE(ParseDayFileName("2026.nvRA"));
    EXPECT_FALSE(ParseDayFileName(stamp + ".nvSEr"));  // no track name
}

TEST(RunnerSlot, Horse5OfRace3IsLine40) {
    EXPECT_EQ(RunnerSlot(3, 5), 40u);
    EXPECT_EQ(RunnerSlot(1, 1), 0u);
    EXPECT_EQ(RunnerSlot(12, 18), 215u);
    auto lines = NewRunnerLines();
    ASSERT_EQ(lines.size(), 216u);
    for (const auto& l : lines) EXPECT_EQ(l, std::string(553, ' '));
}

TEST(RunnerSlot, ExistingFilesAreBroughtTo216Slots) {
    std::vector<std::string> few(3, "x");
    NormaliseRunnerLines(few);
    EXPECT_EQ(few.size(), 216u);
    EXPECT_EQ(few[2], "x");
    EXPECT_EQ(few[3], BlankRunnerLine());
    std::vector<std::string> many(300, "y");
    NormaliseRunnerLines(many);
    EXPECT_EQ(many.size(), 216u);
}

TEST(LineOrder, CaseInsensitiveWithATotalTieBreak) {
    EXPECT_TRUE(LineLess("a1", "B0"));  // case folded: A1 < B0
    EXPECT_TRUE(LineLess("AB", "ab"));  // equal folded: bytes decide, so a sort is stable
    EXPECT_FALSE(LineLess("ab", "AB"));
    EXPECT_FALSE(LineLess("ab", "ab"));
    std::vector<std::string> v{"ab", "AB", "Ab", "aa"};
    std::vector<std::string> w{"Ab", "aa", "AB", "ab"};
    SortLines(v);
    SortLines(w);
    EXPECT_EQ(v, w);
}

TEST(RaceKeyLines, ReplaceTheFirstLineWithTheKeyOrAppend) {
    std::string a(30, ' '), b(30, ' '), a2(30, ' ');
    a.replace(11, 16, "2026090144030401");
    a2 = a;
    a2[0] = 'Z';
    b.replace(11, 16, "2026090144030402");
    std::vector<std::string> lines{a};
    PutByRaceKey(lines, b);
    PutByRaceKey(lines, a2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], a2);
    EXPECT_EQ(lines[1], b);
}

TEST(RaceKeyLines, BlankFirstLinesGoOnePerRecord) {
    std::vector<std::string> lines{"", "  ", "x", ""};
    EXPECT_EQ(DropBlankFirstLines(lines, 1), 1);
    EXPECT_EQ(lines.size(), 3u);
    EXPECT_EQ(DropBlankFirstLines(lines, 5), 1);
    EXPECT_EQ(lines, (std::vector<std::string>{"x", ""}));
}

}  // namespace
}  // namespace sorvane
