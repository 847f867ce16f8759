// The race-day commands: the date list, loading a day with its options, and the tables of a
// selected race.
#include <gtest/gtest.h>

#include "cli_run.h"
#include "day_fixture.h"
#include "fake_clock.h"
#include "shell/settings_file.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

using testing::Cli;
using testing::CliRun;

class CliRaceDay : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::DayWriter older(home.path(), "20240104");
        older.AddRace({});
        older.Write();
        testing::DayWriter day(home.path(), "20240105");
        day.AddRace({.race = 1});
        day.AddRace({.race = 11, .runners = 5, .surface = "17"});
        day.AddRace({.track = "45", .race = 1});
        std::string hr = testing::MakeRaceRecord(RecordType::HR, "20240105", "44", 11);
        Put(hr, 102,
            "04000000310"
            "02");
        day.AddPayout(hr);
        day.Write();
        // The 単勝 odds of 大井11R: horse 1 at 2.5, horse 2 scratched.
        std::string o1 = testing::MakeRaceRecord(RecordType::O1, "20240105", "44", 11);
        Put(o1, 27, "01051932");
        Put(o1, 43,
            "01002501"
            "02----  ");
        testing::WriteTextLines(day.DataPath(DayFileName(DayFileKind::O1, day.Stamp())), {o1});
    }
    CliRun Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home.path().string()});
        return Cli(args, nullptr, std::make_unique<FixedClock>(2024, 2, 1, 9, 0, 0));
    }
    testing::TempDir home;
};

TEST_F(CliRaceDay, DaysNewestFirstAndLoadPrintsTheDayList) {
    CliRun days = Run({"days"});
    ASSERT_EQ(days.status, 0) << days.err;
    EXPECT_EQ(days.out, "2024年01月05日\n2024年01月04日\n");

    const std::string list = "大井 1R\n大井11R\n川崎 1R\n";
    for (const char* date : {"2024-01-05", "2024年01月05日"}) {
        CliRun load = Run({"load", date, "--no-compare"});
        EXPECT_EQ(load.status, 0) << load.err;
        EXPECT_EQ(load.out, list) << date;
    }
    CliRun ignoring = Run({"load", "2024-01-05", "--ignore-dates", "--compare"});
    EXPECT_EQ(ignoring.status, 0) << ignoring.err;
    EXPECT_EQ(ignoring.out, list);
    // The options were for the run only.
    SettingsFile ini(home.path() / "sorvane.ini");
    EXPECT_FALSE(ini.ReadBool("ReadKako", "IgnoDate", false));
    EXPECT_TRUE(ini.ReadBool("AllRace", "ExecComp", true));

    CliRun missing = Run({"load", "2024-01-06"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("2024年01月06日のデータ作成は未完了のようです。"),
              std::string::npos);
    EXPECT_EQ(Run({"load", "yesterday"}).status, 2);
    EXPECT_EQ(Run({"load", "2024-01-05", "--fast"}).status, 2);
}

TEST_F(CliRaceDay, ShowTablesOfARace) {
    CliRun header = Run({"show", "2024-01-05", "大井11R", "header", "--no-compare"});
    ASSERT_EQ(header.status, 0) << header.err;
    EXPECT_NE(header.out.find("Label1\t2024年01月05日(金)大井03回02日11R   15.40発走\n"),
              std::string::npos)
        << header.out;
    EXPECT_NE(header.out.find("BashoLabel\t大井\nRaceLabel\t11\nTFWtimeLabel\t19:32\n"),
              std::string::npos)
        << header.out;
    // The same race by its line number and without the R.
    EXPECT_EQ(Run({"show", "2024-01-05", "2", "header", "--no-compare"}).out, header.out);
    EXPECT_EQ(Run({"show", "2024-01-05", "大井11", "header", "--no-compare"}).out, header.out);

    CliRun entry = Run({"show", "2024-01-05", "2", "entry", "--no-compare"});
    ASSERT_EQ(entry.status, 0) << entry.err;
    EXPECT_EQ(std::count(entry.out.begin(), entry.out.end(), '\n'), 6);  // heading + 5 runners

    CliRun result = Run({"show", "2024-01-05", "2", "result", "--no-compare"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "券種\t組番\t人気\t払戻金\n単勝\t 4\t 2\t     310\n");

    CliRun odds = Run({"show", "2024-01-05", "2", "odds", "単勝", "--no-compare"});
    ASSERT_EQ(odds.status, 0) << odds.err;
    // Odds as stored: a value, scratched (-1.0), no such horse (-2.0).
    for (const char* row : {"\n1\t 1\t2.5\t", "\n2\t 2\t-1.0\t", "\n3\t 3\t-2.0\t"})
        EXPECT_NE(odds.out.find(row), std::string::npos) << odds.out;
    EXPECT_EQ(std::count(odds.out.begin(), odds.out.end(), '\n'), 19);
    CliRun fuku = Run({"show", "2024-01-05", "2", "odds", "1", "--no-compare"});
    ASSERT_EQ(fuku.status, 0) << fuku.err;
    EXPECT_EQ(fuku.out.substr(0, fuku.out.find('\n')),
              "No\t組番\t最低ｵｯｽﾞ\t最高ｵｯｽﾞ\t人気(最低)\t人気(最高)");

    EXPECT_EQ(Run({"show", "2024-01-05", "大井12R", "header"}).status, 2);
    EXPECT_EQ(Run({"show", "2024-01-05", "9", "header"}).status, 2);
    EXPECT_EQ(Run({"show", "2024-01-05", "1", "odds", "9"}).status, 2);
    EXPECT_EQ(Run({"show", "2024-01-05", "1", "odds"}).status, 2);
    EXPECT_EQ(Run({"show", "2024-01-05", "1", "nothing"}).status, 2);
}

}  // namespace
}  // namespace sorvane
