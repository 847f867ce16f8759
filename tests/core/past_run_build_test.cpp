// The past-run build over stored day files: new files and folders, replacement by race key,
// races and runners without final results, the pending list, cancel and the memory budget.
#include <gtest/gtest.h>

#include <map>

#include "base/files.h"
#include "base/sjis.h"
#include "scripted_link.h"
#include "store/bulk_store.h"
#include "store/day_stamp.h"
#include "store/past_run_build.h"
#include "store/pending_build.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

using testing::Blood;
using testing::MakeRa;
using testing::MakeSe;

class BuildTest : public ::testing::Test {
  protected:
    testing::TempDir tmp;
    ProgramFolder folder{tmp.path()};

    // Stores a race of n runners; runner h (1-based) finishes h-th; runnerKind for all runners.
    void StoreRace(RecordStore& s, const char* date, int race, int n, char raceKind = '7',
                   char runnerKind = '7') {
        s.Put(MakeRa(date, "44", race, n, raceKind));
        for (int h = 1; h <= n; ++h)
            s.Put(MakeSe(date, "44", race, h, Blood(race, h), "ウマ", h, runnerKind));
    }
    std::vector<std::string> Store(const std::function<void(RecordStore&)>& fill) {
        StoreOptions o;
        o.fromDate = 20260101;
        RecordStore s(folder, o);
        fill(s);
        s.Flush();
        return s.touchedDays();
    }
    std::map<std::string, std::string> Sei() {
        std::map<std::string, std::string> t;
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(tmp.path() / "SEI", ec);
             it != fs::recursive_directory_iterator(); ++it) {
            if (!it->is_regular_file()) continue;
            std::string d;
            ReadWholeFile(it->path(), d);
            t[fs::relative(it->path(), tmp.path()).string()] = d;
        }
        return t;
    }
    std::vector<std::string> HorseLines(const std::string& blood) {
        std::vector<std::string> lines;
        ReadLines(tmp.path() / "SEI" / blood.substr(0, 4) / (blood + ".kak"), lines);
        return lines;
    }
};

TEST_F(BuildTest, FinalRacesGiveEachFinalRunnerALineInANewFile) {
    auto days = Store([&](RecordStore& s) {
        StoreRace(s, "20260901", 1, 12);
        StoreRace(s, "20260901", 2, 8, '1');  // no final results: no lines
        s.Put(MakeSe("20260901", "44", 1, 12, Blood(1, 12), "ウマ", 0, '1'));  // not final
    });
    ASSERT_EQ(days.size(), 1u);
    BuildTally tally;
    int lastPos = -1, lastMax = -1;
    std::string lastLabel;
    BuildHooks hooks;
    hooks.progress = [&](int pos, int max, const std::string& label) {
        lastPos = pos;
        lastMax = max;
        lastLabel = label;
    };
    EXPECT_EQ(RunPastRunBuild(folder, days, hooks, &tally), BuildResult::Done);
    EXPECT_EQ(lastPos, 1);
    EXPECT_EQ(lastMax, 1);
    EXPECT_EQ(lastLabel, BuildDoneText());
    auto files = Sei();
    EXPECT_EQ(files.size(), 11u);
    EXPECT_EQ(tally.lines, 11);
    auto lines = HorseLines(Blood(1, 3));
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 824u);
    PastRunRecord r(lines[0]);
    EXPECT_EQ(r.RaceKey(), "2026090144030401");
    // The non-final runner has no file but is in the field of the others, with 12 entries.
    EXPECT_TRUE(HorseLines(Blood(1, 12)).empty());
    EXPECT_EQ(r.Entry(11).blood, Blood(1, 12));
    EXPECT_TRUE(r.Entry(12).IsBlank());
    EXPECT_TRUE(ReadPendingBuild(folder).empty());
}

TEST_F(BuildTest, RebuildingReplacesByRaceKeyAndKeepsDateOrder) {
    auto later = Store([&](RecordStore& s) { StoreRace(s, "20260905", 1, 4); });
    RunPastRunBuild(folder, later, {});
    auto earlier = Store([&](RecordStore& s) { StoreRace(s, "20260901", 1, 4); });
    RunPastRunBuild(folder, earlier, {});
    auto once = Sei();
    auto lines = HorseLines(Blood(1, 2));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 8), "20260901");
    EXPECT_EQ(lines[1].substr(0, 8), "20260905");
    // The same acquisition again: the same number of lines and the same bytes.
    auto both = Store([&](RecordStore& s) {
        StoreRace(s, "20260901", 1, 4);
        StoreRace(s, "20260905", 1, 4);
    });
    EXPECT_EQ(both.size(), 2u);
    RunPastRunBuild(folder, both, {});
    EXPECT_EQ(Sei(), once);
}

TEST_F(BuildTest, ATinyMemoryBudgetWritesTheSameFiles) {
    auto days = Store([&](RecordStore& s) {
        for (const char* d : {"20260901", "20260902", "20260903"})
            for (int race = 1; race <= 3; ++race) StoreRace(s, d, race, 6);
    });
    RunPastRunBuild(folder, days, {}, nullptr, 1);
    auto small = Sei();
    fs::remove_all(tmp.path() / "SEI");
    RunPastRunBuild(folder, days, {});
    EXPECT_EQ(Sei(), small);
    EXPECT_EQ(small.size(), 18u);
}

TEST_F(BuildTest, MissingDaysAreSkippedAndACancelLeavesTheDaysPending) {
    auto days = Store([&](RecordStore& s) { StoreRace(s, "20260901", 1, 3); });
    std::vector<std::string> withMissing = days;
    InsertSortedUnique(withMissing, DayStamp("20260101") + ".nvRA");
    BuildHooks cancel;
    cancel.cancelled = [] { return true; };
    EXPECT_EQ(RunPastRunBuild(folder, withMissing, cancel), BuildResult::Cancelled);
    EXPECT_TRUE(Sei().empty());
    EXPECT_EQ(ReadPendingBuild(folder), days);

    BuildTally tally;
    EXPECT_EQ(RunPastRunBuild(folder, withMissing, {}, &tally), BuildResult::Done);
    EXPECT_EQ(tally.missingDays, 1);
    EXPECT_EQ(Sei().size(), 3u);
    EXPECT_EQ(RunPastRunBuild(folder, {}, {}), BuildResult::NothingToDo);
}

TEST_F(BuildTest, OnlyTheRegisteredRunnerSlotsAreRead) {
    // The race says 3 runners; a final record on slot 4 of the runner file is not read.
    auto days = Store([&](RecordStore& s) {
        StoreRace(s, "20260901", 1, 3);
        s.Put(MakeSe("20260901", "44", 1, 4, Blood(1, 4), "ウマ", 4));
    });
    RunPastRunBuild(folder, days, {});
    EXPECT_EQ(Sei().size(), 3u);
    EXPECT_TRUE(PastRunRecord(HorseLines(Blood(1, 1)).at(0)).Entry(3).IsBlank());
}

}  // namespace
}  // namespace sorvane
