// The time-series odds import: the nearest snapshot of a race (earlier wins a tie), the day
// file updated in place or extended, the preconditions and counts, and the folder choice.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "base/text_format.h"
#include "fake_clock.h"
#include "fake_ports.h"
#include "odds/time_series_odds.h"
#include "raceday/race_day.h"
#include "record_fixtures.h"
#include "shell/app_shell.h"
#include "store/day_files.h"
#include "store/day_stamp.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

using testing::FakeLink;
using testing::FakePlatform;
using testing::FakeUi;
using testing::TempDir;

// A Ui whose folder chooser answers from the test.
class ChooserUi : public FakeUi {
  public:
    std::optional<std::string> answer;
    std::vector<std::string> asked;  // caption | initial, UTF-8
    std::vector<CursorShape> cursors;
    std::optional<std::string> ChooseFolder(const std::string& caption,
                                            const std::string& initial) override {
        asked.push_back(Utf8FromSjis(caption) + "|" + Utf8FromSjis(initial));
        return answer;
    }
    void SetCursor(CursorShape s) override { cursors.push_back(s); }
};

// An O1 line of race `race` (track 44, meeting 01, day 02) announced at mmddhhmm, its 単勝
// odds of horse 1 telling the lines apart.
std::string O1Line(int race, const char* announced, const char* tan) {
    std::string rec = BlankRecord(RecordType::O1);
    Put(rec, 11, "20240512");
    Put(rec, 19, "440102");
    Put(rec, 25, Format("%02d", race));
    Put(rec, 27, announced);
    Put(rec, 43, "01");
    Put(rec, 45, tan);
    Put(rec, 267, "01");
    Put(rec, 269, "00100020");
    return rec;
}

TEST(NearestSnapshotTest, NearestAnnouncedOnRaceDayEarlierWinsTies) {
    const size_t len = LineLength(RecordType::O1);
    const std::string key = std::string(RaceKeyOf(O1Line(5, "05121000", "0010")));
    const int t1030 = 10 * 60 + 30;
    struct Case {
        const char* name;
        int target;
        std::vector<std::string> lines;
        std::optional<size_t> chosen;
    };
    const Case cases[] = {
        {"tie: the earlier line",
         t1030,
         {O1Line(5, "05121025", "0010"), O1Line(5, "05121035", "0020")},
         0},
        {"nearest",
         t1030,
         {O1Line(5, "05120900", "0010"), O1Line(5, "05121028", "0020"),
          O1Line(5, "05121033", "0030")},
         1},
        {"day before is never taken",
         t1030,
         {O1Line(5, "05111030", "0010"), O1Line(5, "05120800", "0020")},
         1},
        {"other race, short line, non-digit time",
         t1030,
         {O1Line(6, "05121030", "0010"), O1Line(5, "05121030", "0010").substr(0, 40),
          O1Line(5, "051210x0", "0010")},
         std::nullopt},
        {"999 minutes away", 999, {O1Line(5, "05120000", "0010")}, 0},
        {"1000 minutes away", 1000, {O1Line(5, "05120000", "0010")}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NearestSnapshotLine(c.lines, c.target, len, key), c.chosen) << c.name;
}

class TimeSeriesImportTest : public ::testing::Test {
  protected:
    TimeSeriesImportTest()
        : shell(ProgramFolder(home.path()), ShellPorts{ui, clock, platform, link}) {}

    void SetUp() override {
        fs::create_directories(home.path() / "Data");
        fs::create_directories(snapshots.path() / "20240512");
        std::string ra = BlankRecord(RecordType::RA);
        Put(ra, 11, "20240512");
        Put(ra, 19, "44010205");
        Put(ra, 881, "12");
        shell.day().raceTable.Put(0, ra);
        shell.day().oddsValues[0].ozGetTime = "103000";
        shell.day().dayFiles = DayFileNamesOf(DayStamp("20240512"));
        shell.main().dateComboItems = {DayStamp("20240512")};
        shell.main().dateComboIndex = 0;
        shell.settings().WriteString("Dir", "jikeiretu", SjisFromPath(snapshots.path()));
    }
    void WriteLinesTo(const fs::path& p, const std::vector<std::string>& lines) {
        std::ofstream out(p, std::ios::binary);
        for (const std::string& l : lines) out << l << "\r\n";
    }
    fs::path DayO1() { return *shell.folder().Resolve(shell.day().dayFiles.odds[0]); }

    TempDir home;
    TempDir snapshots;
    ChooserUi ui;
    FixedClock clock{2024, 5, 12, 9, 0, 0};
    FakePlatform platform;
    FakeLink link;
    AppShell shell;
};

TEST_F(TimeSeriesImportTest, NearestSnapshotReplacesTheRaceLineInPlace) {
    WriteLinesTo(snapshots.path() / "20240512" / "44010205.nvO1",
                 {O1Line(5, "05121020", "0010"), O1Line(5, "05121025", "0020"),
                  O1Line(5, "05121035", "0030")});
    const std::string other = O1Line(3, "05121000", "0099");
    WriteLinesTo(DayO1(), {other, O1Line(5, "05120900", "0050"), other});

    ImportTimeSeriesOdds(shell);

    std::vector<std::string> lines;
    ASSERT_TRUE(ReadLines(DayO1(), lines));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], other);
    EXPECT_EQ(lines[1], O1Line(5, "05121025", "0020"));
    EXPECT_EQ(lines[2], other);
    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(ui.calls[0],
              "inform:1ﾚｰｽ分の単複枠ｵｯｽﾞ、\r\n0ﾚｰｽ分の馬連ｵｯｽﾞ\r\n0ﾚｰｽ分のﾜｲﾄﾞｵｯｽﾞ\r\n"
              "0ﾚｰｽ分の馬単ｵｯｽﾞ\r\n0ﾚｰｽ分の3連複ｵｯｽﾞ\r\n0ﾚｰｽ分の3連単ｵｯｽﾞ\r\nを取りこみました。");
    // The odds import ran on the updated file.
    EXPECT_DOUBLE_EQ(shell.day().oddsValues[0].tanOz[0], 2.0);
    EXPECT_EQ(ui.cursors, (std::vector<CursorShape>{CursorShape::HourGlass, CursorShape::Default}));
}

TEST_F(TimeSeriesImportTest, AppendsOrCreatesTheDayFile) {
    WriteLinesTo(snapshots.path() / "20240512" / "44010205.nvO1", {O1Line(5, "05121031", "0040")});
    ImportTimeSeriesOdds(shell);  // no day file yet: created with the line alone
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadLines(DayO1(), lines));
    EXPECT_EQ(lines, std::vector<std::string>{O1Line(5, "05121031", "0040")});

    const std::string other = O1Line(3, "05121000", "0099");
    WriteLinesTo(DayO1(), {other});
    ImportTimeSeriesOdds(shell);
    ASSERT_TRUE(ReadLines(DayO1(), lines));
    EXPECT_EQ(lines, (std::vector<std::string>{other, O1Line(5, "05121031", "0040")}));
}

TEST_F(TimeSeriesImportTest, Preconditions) {
    shell.settings().WriteString("Dir", "jikeiretu", SjisFromPath(home.path()) + "/");
    ImportTimeSeriesOdds(shell);
    EXPECT_EQ(ui.calls,
              (std::vector<std::string>{"beep", "inform:時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定をしてください。"}));

    ui.calls.clear();
    shell.settings().WriteString("Dir", "jikeiretu", SjisFromPath(snapshots.path()));
    shell.main().dateComboIndex = -1;
    ImportTimeSeriesOdds(shell);
    EXPECT_EQ(ui.calls,
              (std::vector<std::string>{
                  "beep", "inform:ｵｯｽﾞを読み込みたい当日の開催日ﾃﾞｰﾀを読み込んでください。"}));
    EXPECT_FALSE(fs::exists(DayO1()));
}

TEST_F(TimeSeriesImportTest, PathCharactersInTheRaceNeverLeaveTheFolders) {
    std::string ra = BlankRecord(RecordType::RA);
    Put(ra, 11, "20240512");
    Put(ra, 19, "..//0205");
    shell.day().raceTable.Put(0, ra);
    WriteLinesTo(snapshots.path() / "20240512" / "..//0205.nvO1", {O1Line(5, "05121031", "0040")});
    ImportTimeSeriesOdds(shell);
    EXPECT_EQ(ui.calls.back().substr(0, 8), "inform:0");
    EXPECT_FALSE(fs::exists(DayO1()));
}

TEST_F(TimeSeriesImportTest, FolderChoiceStoresOnlyAConfirmedFolder) {
    ui.answer = std::nullopt;
    ChooseTimeSeriesFolder(shell);
    EXPECT_EQ(shell.settings().ReadString("Dir", "jikeiretu", ""), SjisFromPath(snapshots.path()));
    ui.answer = "/srv/tallowin/Data";
    ChooseTimeSeriesFolder(shell);
    EXPECT_EQ(shell.settings().ReadString("Dir", "jikeiretu", ""), "/srv/tallowin/Data");
    ASSERT_EQ(ui.asked.size(), 2u);
    EXPECT_EQ(ui.asked[0], "時系列ｵｯｽﾞﾃﾞｰﾀﾌｫﾙﾀﾞの指定|" + snapshots.path().string());
}

}  // namespace
}  // namespace sorvane
