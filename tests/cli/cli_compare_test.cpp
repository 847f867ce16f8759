// compare DATE RACE A B [--direct]: the interactive comparison of two runners of a race.
#include <gtest/gtest.h>

#include "cli_run.h"
#include "compare_fixtures.h"
#include "day_fixture.h"

namespace sorvane {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::PastRace;

TEST(CliCompare, PrintsTheGridAndTheLabels) {
    testing::TempDir home;
    testing::DayWriter day(home.path(), "20240105");
    testing::RaceSpec race = day.AddRace({.race = 1, .runners = 3});
    for (std::string& line : day.RunnerLines(race.track))
        if (!IsBlank(line)) Put(line, 288, "550");
    day.Write();
    const std::string h1 = "テストホース01";
    const std::string h2 = "テストホース02";
    PastRace met{20231201, {{h2, 600}, {h1, 602}}};
    day.WritePastRuns(testing::BloodOf(race, 1),
                      {testing::PastRunLine({20231101, {{h1, 600}, {"エックス", 605}}}, h1),
                       testing::PastRunLine(met, h1)});
    day.WritePastRuns(testing::BloodOf(race, 2),
                      {testing::PastRunLine({20231102, {{h2, 600}, {"エックス", 601}}}, h2),
                       testing::PastRunLine(met, h2)});
    auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home.path().string(), "compare", "2024-01-05"});
        return Cli(args, nullptr, std::make_unique<FixedClock>(2024, 2, 1, 9, 0, 0));
    };

    // +0.5 against X for horse 1, +0.1 for horse 2: one instance, a point for horse 1.
    CliRun c = run({"1", "1", "2"});
    ASSERT_EQ(c.status, 0) << c.err;
    std::vector<std::string> lines = SplitLines(c.out);
    ASSERT_EQ(lines.size(), 7u) << c.out;
    EXPECT_EQ(lines[0].rfind("開催日\tﾄﾗｯｸ\t比較される馬", 0), 0u);
    EXPECT_EQ(lines[1].rfind("2023/11/01\tダ1400\tテストホース01", 0), 0u);
    EXPECT_NE(lines[1].find("\t 0.5\t 0.5\t 0.5\t ○\t\t\t2023/11/02"), std::string::npos);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
              (std::vector<std::string>{"該当数：1", "pt1Label\t  1", "pt2Label\t  0",
                                        "dpt1Label\t  0", "dpt2Label\t  0"}));

    // The direct meeting: horse 2 won by 0.2.
    CliRun d = run({"大井1", "1", "2", "--direct"});
    ASSERT_EQ(d.status, 0) << d.err;
    lines = SplitLines(d.out);
    ASSERT_EQ(lines.size(), 7u) << d.out;
    EXPECT_NE(lines[1].find("2023/12/01\tダ1400\tテストホース01"), std::string::npos);
    EXPECT_NE(lines[1].find("\t 1\t1.00.0\t-0.2\t"), std::string::npos);
    EXPECT_EQ(lines[2], "該当数：1");

    EXPECT_EQ(run({"1", "1"}).status, 2);
    EXPECT_EQ(run({"1", "1", "x"}).status, 2);
    EXPECT_EQ(run({"1", "1", "9"}).status, 2);
    EXPECT_EQ(run({"7", "1", "2"}).status, 2);
}

}  // namespace
}  // namespace sorvane
