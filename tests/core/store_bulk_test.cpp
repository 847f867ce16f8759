// The per-record rules of the bulk store and the real-time stores, and that holding the files
// in memory and writing them at flushes gives the files of storing record by record.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "base/files.h"
#include "base/sjis.h"
#include "scripted_link.h"
#include "store/bulk_store.h"
#include "store/day_stamp.h"
#include "store/pending_build.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

using testing::MakeOdds;
using testing::MakeRa;
using testing::MakeRecord;
using testing::MakeSe;
using testing::TempDir;

class StoreTest : public ::testing::Test {
  protected:
    TempDir tmp;
    ProgramFolder folder{tmp.path()};
    const std::string day = DayStamp("20260901");
    const std::string oi = Sj("大井");

    StoreOptions Bulk(int from = 20260901, bool odds = true) {
        StoreOptions o;
        o.fromDate = from;
        o.storeOdds = odds;
        return o;
    }
    std::string Read(const std::string& name) {
        std::string data;
        if (!ReadWholeFile(folder.Path("Data\\" + name), data)) return "<none>";
        return data;
    }
    std::vector<std::string> Lines(const std::string& name) { return SplitLines(Read(name)); }
    // Every file of Data by name with its content.
    std::map<std::string, std::string> Tree() {
        std::map<std::string, std::string> t;
        std::error_code ec;
        for (auto& e : fs::directory_iterator(folder.Path("Data"), ec)) {
            std::string d;
            ReadWholeFile(e.path(), d);
            t[e.path().filename().string()] = d;
        }
        return t;
    }
};

TEST_F(StoreTest, RaIsStoredWithItsCreationDateZeroedAndTouchesItsDay) {
    RecordStore s(folder, Bulk());
    std::string label;
    std::string final3 = MakeRa("20260901", "44", 3);
    std::string early2 = MakeRa("20260901", "44", 2, 12, '1');
    EXPECT_EQ(s.Put(final3 + "\r\n", &label).verdict, StoreVerdict::Stored);
    EXPECT_EQ(label, Sj("開催:") + day + oi + "03R");
    EXPECT_EQ(s.Put(early2).verdict, StoreVerdict::Stored);
    s.Flush();
    auto lines = Lines(day + ".nvRA");
    ASSERT_EQ(lines.size(), 2u);
    // Data kind first: the kind "1" race sorts before the final one.
    EXPECT_EQ(lines[0].substr(0, 11), "RA100000000");
    EXPECT_EQ(lines[1].substr(0, 11), "RA700000000");
    EXPECT_EQ(lines[1].substr(11), final3.substr(11));
    EXPECT_EQ(s.touchedDays(), std::vector<std::string>{day + ".nvRA"});
    EXPECT_EQ(ReadPendingBuild(folder), std::vector<std::string>{day + ".nvRA"});
}

TEST_F(StoreTest, RecordsTheRulesIgnoreOrRefuseWriteNothing) {
    struct Case {
        const char* what;
        std::string record;
        StoreVerdict verdict;
        RejectReason reason;
    };
    std::string lf = MakeRa("20260901", "44", 1);
    lf[700] = '\n';
    std::string nul = MakeSe("20260901", "44", 1, 1, "2019100001", "ア", 1);
    nul[500] = '\0';
    const std::vector<Case> cases = {
        {"track 20", MakeRa("20260901", "20", 1), StoreVerdict::Ignored, RejectReason::None},
        {"track 58", MakeRa("20260901", "58", 1), StoreVerdict::Ignored, RejectReason::None},
        {"0 runners", MakeRa("20260901", "44", 1, 0), StoreVerdict::Ignored, RejectReason::None},
        {"19 runners", MakeRa("20260901", "44", 1, 19), StoreVerdict::Ignored, RejectReason::None},
        {"race 0", MakeRa("20260901", "44", 0), StoreVerdict::Ignored, RejectReason::None},
        {"race 13", MakeRa("20260901", "44", 13), StoreVerdict::Rejected,
         RejectReason::RaceAbove12},
        {"date with a blank", MakeRa("2026 901", "44", 1), StoreVerdict::Rejected,
         RejectReason::DateNotDigits},
        {"odds date with a slash", MakeOdds(RecordType::O1, "2026/901", "44", 1),
         StoreVerdict::Rejected, RejectReason::DateNotDigits},
        {"track with a letter", MakeRa("20260901", "4A", 1), StoreVerdict::Rejected,
         RejectReason::TrackNotDigits},
        {"short record", MakeRa("20260901", "44", 1).substr(0, 1000), StoreVerdict::Rejected,
         RejectReason::Damaged},
        {"line feed inside", lf, StoreVerdict::Rejected, RejectReason::Damaged},
        {"NUL inside", nul, StoreVerdict::Rejected, RejectReason::Damaged},
        {"horse 0", MakeSe("20260901", "44", 1, 0, "2019100001", "ア", 1), StoreVerdict::Ignored,
         RejectReason::None},
        {"horse 19", MakeSe("20260901", "44", 1, 19, "2019100001", "ア", 1), StoreVerdict::Rejected,
         RejectReason::HorseAbove18},
        {"blood ..", MakeSe("20260901", "44", 1, 1, "..        ", "ア", 1), StoreVerdict::Rejected,
         RejectReason::BadBloodNumber},
        {"blood ../../etc", MakeSe("20260901", "44", 1, 1, "../../etc/", "ア", 1),
         StoreVerdict::Rejected, RejectReason::BadBloodNumber},
        {"blood with /", MakeSe("20260901", "44", 1, 1, "2019/00001", "ア", 1),
         StoreVerdict::Rejected, RejectReason::BadBloodNumber},
        {"blood with \\", MakeSe("20260901", "44", 1, 1, "2019\\00001", "ア", 1),
         StoreVerdict::Rejected, RejectReason::BadBloodNumber},
        {"blank blood", MakeSe("20260901", "44", 1, 1, "          ", "ア", 1),
         StoreVerdict::Rejected, RejectReason::BadBloodNumber},
        {"odds kind 9", MakeOdds(RecordType::O2, "20260901", "44", 1, '9'), StoreVerdict::Ignored,
         RejectReason::None},
        {"odds kind 0", MakeOdds(RecordType::O6, "20260901", "44", 1, '0'), StoreVerdict::Ignored,
         RejectReason::None},
        {"TC", MakeRecord(RecordType::TC, "20260901", "44", 1), StoreVerdict::Ignored,
         RejectReason::None},
        {"unknown type", std::string("ZZ7") + std::string(100, '0'), StoreVerdict::Ignored,
         RejectReason::None},
    };
    RecordStore s(folder, Bulk());
    int rejected = 0;
    for (const Case& c : cases) {
        StoreOutcome o = s.Put(c.record);
        EXPECT_EQ(o.verdict, c.verdict) << c.what;
        EXPECT_EQ(o.reason, c.reason) << c.what;
        rejected += c.verdict == StoreVerdict::Rejected;
    }
    s.Flush();
    EXPECT_TRUE(Tree().empty());
    EXPECT_EQ(s.tally().Rejected(), rejected);
    EXPECT_EQ(s.tally().RejectedOf(RejectReason::BadBloodNumber), 5);
    EXPECT_EQ(s.tally().Stored(), 0);
    EXPECT_FALSE(fs::exists(tmp.path() / "etc"));
}

TEST_F(StoreTest, NoOddsFilesWithoutTheCheckMark) {
    RecordStore s(folder, Bulk(20260901, false));
    for (RecordType t : {RecordType::O1, RecordType::O2, RecordType::O3, RecordType::O4,
                         RecordType::O5, RecordType::O6})
        EXPECT_EQ(s.Put(MakeOdds(t, "20260901", "44", 1)).verdict, StoreVerdict::Ignored);
    EXPECT_EQ(s.Put(MakeRa("20260901", "44", 1)).verdict, StoreVerdict::Stored);
    s.Flush();
    auto t = Tree();
    ASSERT_EQ(t.size(), 1u);
}

TEST_F(StoreTest, TheDateConditionSubtractsTenFromTheNumber) {
    // From the 15th: ten days back. From the 5th: 20260905 - 10 = 20260895, so nothing of
    // August, but all of September from the 1st.
    struct Case {
        int from;
        const char* date;
        bool stored;
    };
    for (const Case& c : std::vector<Case>{{20260915, "20260905", true},
                                           {20260915, "20260904", false},
                                           {20260905, "20260901", true},
                                           {20260905, "20260831", false},
                                           {20260905, "20260904", true}}) {
        RecordStore s(folder, Bulk(c.from));
        EXPECT_EQ(s.Put(MakeRa(c.date, "44", 1)).verdict == StoreVerdict::Stored, c.stored)
            << c.from << " " << c.date;
        EXPECT_EQ(s.Put(MakeSe(c.date, "44", 1, 1, "2019100001", "ア", 1)).verdict ==
                      StoreVerdict::Stored,
                  c.stored);
        EXPECT_EQ(
            s.Put(MakeRecord(RecordType::HR, c.date, "44", 1)).verdict == StoreVerdict::Stored,
            c.stored);
        // Odds have no date condition.
        EXPECT_EQ(s.Put(MakeOdds(RecordType::O1, c.date, "44", 1)).verdict, StoreVerdict::Stored);
    }
}

TEST_F(StoreTest, ARunnerGoesToItsSlotOfA216LineFile) {
    RecordStore s(folder, Bulk());
    std::string se = MakeSe("20260901", "44", 3, 5, "2019100005", "アイウ", 2, '1');
    std::string label;
    ASSERT_EQ(s.Put(se, &label).verdict, StoreVerdict::Stored);
    EXPECT_EQ(label.substr(0, Sj("馬毎:").size() + 4), Sj("馬毎:") + oi);
    EXPECT_NE(label.find("03R/" + Sj("⑤") + Sj("アイウ")), std::string::npos);
    s.Flush();
    auto lines = Lines(day + oi + ".nvSEr");
    ASSERT_EQ(lines.size(), 216u);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == 40)
            EXPECT_EQ(lines[i], se);  // stored unchanged
        else
            EXPECT_EQ(lines[i], std::string(553, ' ')) << i;
    }
    EXPECT_EQ(Read(day + oi + ".nvSEr").size(), 216u * 555u);
}

TEST_F(StoreTest, OddsAreZeroedSortedAndLoseABlankFirstLine) {
    // An odds file with a blank line at its start (written by something else).
    std::string race2 = MakeOdds(RecordType::O2, "20260901", "44", 2);
    race2.replace(2, 9, "000000000");
    folder.EnsureFolder("Data");
    WriteFileAtomic(folder.Path("Data\\" + day + ".nvO2"), "\r\n" + race2 + "\r\n");
    // And an RA file with one: the RA rule keeps it.
    WriteFileAtomic(folder.Path("Data\\" + day + ".nvRA"), "\r\n");

    RecordStore s(folder, Bulk());
    std::string label;
    ASSERT_EQ(s.Put(MakeOdds(RecordType::O2, "20260901", "44", 1, '4'), &label).verdict,
              StoreVerdict::Stored);
    EXPECT_EQ(label, Sj("馬連確定ｵｯｽﾞ:") + "01R/" + day + ".nvO2");
    s.Put(MakeRa("20260901", "44", 1));
    s.Flush();
    auto lines = Lines(day + ".nvO2");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 27), "O2000000000" + std::string("2026090144030401"));
    EXPECT_EQ(lines[1], race2);
    auto ra = Lines(day + ".nvRA");
    ASSERT_EQ(ra.size(), 2u);
    EXPECT_EQ(ra[0], "");
}

TEST_F(StoreTest, ReadingTheSamePeriodTwiceGivesTheSameFiles) {
    std::vector<std::string> recs;
    for (int race = 1; race <= 4; ++race) {
        recs.push_back(MakeRa("20260901", "44", race));
        recs.push_back(MakeRecord(RecordType::HR, "20260901", "44", race));
        recs.push_back(MakeOdds(RecordType::O1, "20260901", "44", race));
        for (int h = 1; h <= 3; ++h)
            recs.push_back(MakeSe("20260901", "44", race, h, testing::Blood(race, h), "ア", h));
    }
    {
        RecordStore s(folder, Bulk());
        for (const auto& r : recs) s.Put(r);
        s.Flush();
    }
    auto first = Tree();
    {
        RecordStore s(folder, Bulk());
        for (auto it = recs.rbegin(); it != recs.rend(); ++it) s.Put(*it);
        s.Flush();
    }
    EXPECT_EQ(Tree(), first);
    EXPECT_EQ(Lines(day + ".nvRA").size(), 4u);
}

// The property the fast store rests on: flushing after every record (the files of the
// record-by-record rules), only at the end, or whenever a tiny memory budget is passed, gives
// the same bytes in every file, whatever the order and the repeats of the records.
TEST_F(StoreTest, FlushPointsAreInvisibleInTheFiles) {
    std::mt19937 rng(42);
    std::vector<std::string> pool;
    for (const char* date : {"20260901", "20260902"})
        for (const char* track : {"44", "45"})
            for (int race = 1; race <= 3; ++race) {
                for (char kind : {'1', '7'}) {
                    pool.push_back(MakeRa(date, track, race, 10, kind));
                    pool.push_back(MakeRecord(RecordType::HR, date, track, race, kind));
                    pool.push_back(
                        MakeOdds(RecordType::O3, date, track, race, kind == '7' ? '4' : '2'));
                }
                for (int h = 1; h <= 4; ++h)
                    pool.push_back(MakeSe(date, track, race, h, testing::Blood(race, h), "ア", h));
            }
    std::vector<std::string> seq;
    for (int i = 0; i < 300; ++i) seq.push_back(pool[rng() % pool.size()]);

    auto run = [&](const fs::path& home, int mode) {
        fs::create_directories(home);
        ProgramFolder f(home);
        // A leftover blank line at the start of an odds file, as the rule is applied per record.
        f.EnsureFolder("Data");
        WriteFileAtomic(f.Path("Data\\" + DayStamp("20260901") + ".nvO3"), "\r\n\r\n  \r\n");
        StoreOptions o = Bulk();
        if (mode == 2) o.memoryBudget = 20000;
        // Background writers with a flush started after every record: most records then
        // change a file whose lines are still being written.
        if (mode == 3) o.writers = 2;
        RecordStore s(f, o);
        for (const auto& r : seq) {
            s.Put(r);
            if (mode == 0) s.Flush();
            if (mode == 3) s.StartFlush();
        }
        s.Flush();
        std::map<std::string, std::string> t;
        for (auto& e : fs::directory_iterator(f.Path("Data"))) {
            std::string d;
            ReadWholeFile(e.path(), d);
            t[e.path().filename().string()] = d;
        }
        return t;
    };
    auto each = run(tmp.path() / "each", 0);
    EXPECT_EQ(run(tmp.path() / "end", 1), each);
    EXPECT_EQ(run(tmp.path() / "budget", 2), each);
    EXPECT_EQ(run(tmp.path() / "writers", 3), each);
    EXPECT_GE(each.size(), 10u);
}

TEST_F(StoreTest, TheResultStoreOnlyAddsToExistingRaceAndRunnerFiles) {
    StoreOptions rt;
    rt.mode = StoreMode::RealtimeResults;
    {
        RecordStore s(folder, rt);
        EXPECT_EQ(s.Put(MakeRa("20260901", "44", 1)).verdict, StoreVerdict::Ignored);
        EXPECT_EQ(s.Put(MakeSe("20260901", "44", 1, 1, "2019100001", "ア", 1)).verdict,
                  StoreVerdict::Ignored);
        EXPECT_EQ(s.Put(MakeOdds(RecordType::O1, "20260901", "44", 1)).verdict,
                  StoreVerdict::Ignored);
        // HR creates its file and keeps its creation date.
        EXPECT_EQ(s.Put(MakeRecord(RecordType::HR, "20260901", "44", 2)).verdict,
                  StoreVerdict::Stored);
        s.Flush();
    }
    EXPECT_EQ(Read(day + ".nvRA"), "<none>");
    EXPECT_EQ(Lines(day + ".nvHR").at(0).substr(3, 8), "20260905");

    {
        RecordStore bulk(folder, Bulk());
        bulk.Put(MakeRa("20260901", "44", 5, 12, '1'));
        bulk.Put(MakeSe("20260901", "44", 5, 1, "2019100001", "ア", 0, '1'));
        bulk.Flush();
    }
    RemovePendingBuild(folder, {day + ".nvRA"});
    {
        RecordStore s(folder, rt);
        // Race 1 is appended after race 5: the result store does not sort. No runner
        // condition applies.
        EXPECT_EQ(s.Put(MakeRa("20260901", "44", 1, 0)).verdict, StoreVerdict::Stored);
        EXPECT_EQ(s.Put(MakeSe("20260901", "44", 5, 1, "2019100001", "ア", 3)).verdict,
                  StoreVerdict::Stored);
        EXPECT_EQ(s.Put(MakeRecord(RecordType::HR, "20260901", "44", 1)).verdict,
                  StoreVerdict::Stored);
        s.Flush();
        EXPECT_EQ(s.touchedDays(), std::vector<std::string>{day + ".nvRA"});
    }
    auto ra = Lines(day + ".nvRA");
    ASSERT_EQ(ra.size(), 2u);
    EXPECT_EQ(ra[0].substr(25, 2), "05");
    EXPECT_EQ(ra[1].substr(25, 2), "01");
    EXPECT_EQ(ra[1].substr(3, 8), "00000000");
    auto hr = Lines(day + ".nvHR");
    ASSERT_EQ(hr.size(), 2u);
    EXPECT_EQ(hr[0].substr(25, 2), "02");  // not sorted either
    // The final results of the day wait for the next acquisition's past-run build.
    EXPECT_EQ(ReadPendingBuild(folder), std::vector<std::string>{day + ".nvRA"});
}

TEST_F(StoreTest, TheOddsStoreTakesOddsOnlyWithoutTheCheckMark) {
    StoreOptions o;
    o.mode = StoreMode::RealtimeOdds;
    o.storeOdds = false;  // not consulted
    RecordStore s(folder, o);
    EXPECT_EQ(s.Put(MakeOdds(RecordType::O5, "20260901", "44", 1)).verdict, StoreVerdict::Stored);
    EXPECT_EQ(s.Put(MakeOdds(RecordType::O5, "20260901", "44", 2, '9')).verdict,
              StoreVerdict::Ignored);
    EXPECT_EQ(s.Put(MakeRa("20260901", "44", 1)).verdict, StoreVerdict::Ignored);
    s.Flush();
    EXPECT_EQ(Lines(day + ".nvO5").size(), 1u);
}

TEST(RecordFromLink, NarrowsAsciiAndConvertsTheRest) {
    std::string ascii = "O1" + std::string(50, '1');
    EXPECT_EQ(RecordFromLink(Utf16FromSjis(ascii)), ascii);
    std::string jp = "SE" + Sj("アイウ　") + "12";
    EXPECT_EQ(RecordFromLink(Utf16FromSjis(jp)), jp);

    // An all-ASCII record is widened without the code page; it must read exactly as the same
    // bytes do through it (a full-width character sends the whole text through the table).
    std::string bytes;
    for (int b = 1; b < 0x80; ++b) bytes += static_cast<char>(b);
    std::u16string viaTable = Utf16FromSjis(bytes + Sj("ア"));
    EXPECT_EQ(Utf16FromSjis(bytes), viaTable.substr(0, bytes.size()));
}

}  // namespace
}  // namespace sorvane
