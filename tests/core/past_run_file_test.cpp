// The past-run line: its blocks and field order, the path rule, and the fixed-record reader.
#include <gtest/gtest.h>

#include "base/files.h"
#include "base/sjis.h"
#include "scripted_link.h"
#include "store/past_run_file.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

using testing::MakeRa;
using testing::MakeSe;

// A race of n runners: runner s has horse number s + 1 and the given finishing position.
struct Race {
    std::string ra;
    std::vector<std::string> se;
    RunnerSlots slots{};
    Race(int n, const std::vector<int>& positions, const std::vector<std::string>& names = {}) {
        ra = MakeRa("20260901", "44", 3, n);
        for (int s = 0; s < n; ++s) {
            std::string name =
                s < static_cast<int>(names.size()) ? names[s] : "ウマ" + std::to_string(s);
            se.push_back(MakeSe("20260901", "44", 3, s + 1, testing::Blood(3, s + 1), name,
                                positions[static_cast<size_t>(s)]));
        }
        for (int s = 0; s < n; ++s) slots[static_cast<size_t>(s)] = se[static_cast<size_t>(s)];
    }
};

std::vector<int> HorseNumbersInFieldOrder(const std::string& line) {
    std::vector<int> out;
    PastRunRecord r(line);
    for (int k = 0; k < 18; ++k) {
        PastRunEntry e = r.Entry(k);
        if (e.IsBlank()) {
            out.push_back(0);
            continue;
        }
        out.push_back(ToInt(std::string(e.blood.substr(6))));  // Blood(3, h) ends in h
    }
    return out;
}

TEST(PastRunLine, CopiesTheRaceAndHorseFieldsToTheirOffsets) {
    Race race(12, {3, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    std::string line = MakePastRunLine(race.ra, race.slots, 1);
    ASSERT_EQ(line.size(), kPastRunLineLength);
    PastRunRecord r(line);
    EXPECT_EQ(r.RaceKey(), "2026090144030403");
    EXPECT_EQ(r.At(pr::kRaceShortName3), Sj("ｻﾗ系") + "  ");
    EXPECT_EQ(r.At(pr::kGradeCode), "E");
    EXPECT_EQ(r.At(pr::kConditionCode), "703");
    EXPECT_EQ(r.At(pr::kFirstPrize), "00500000");
    EXPECT_EQ(r.Distance(), 1400);
    EXPECT_EQ(r.RegisteredRunners(), 12);
    EXPECT_EQ(r.At(pr::kTurfGoingCode), "0");
    EXPECT_EQ(r.At(pr::kDirtGoingCode), "2");
    EXPECT_EQ(r.At(pr::kWeatherCode), "1");
    EXPECT_EQ(r.BloodNumber(), testing::Blood(3, 2));
    EXPECT_EQ(r.HorseNumber(), 2);
    EXPECT_EQ(r.CarriedWeight(), 560);
    EXPECT_EQ(r.At(pr::kBodyWeightSign), "+");
    EXPECT_EQ(r.At(pr::kBodyWeightChange), "002");
    EXPECT_EQ(r.FinishTime(), "1202");
    EXPECT_EQ(r.FinishPosition(), 1);
    EXPECT_EQ(r.At(pr::kLast3F), "380");
    EXPECT_EQ(r.At(pr::kWinOdds), "0123");
    EXPECT_EQ(line.substr(pr::kReservedOffset), std::string(32, ' '));
}

TEST(PastRunLine, TwelveRunnersGiveTwelveEntriesInPlaceOrderThenSixBlanks) {
    Race race(12, {3, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    std::string line = MakePastRunLine(race.ra, race.slots, 0);
    EXPECT_EQ(HorseNumbersInFieldOrder(line),
              (std::vector<int>{2, 3, 1, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 0, 0, 0, 0, 0}));
    PastRunEntry first = PastRunRecord(line).Entry(0);
    EXPECT_EQ(first.time, "1202");
    EXPECT_EQ(first.weight, "560");
    EXPECT_EQ(line.substr(162 + 35 * 12, 35 * 6), std::string(35 * 6, ' '));
}

TEST(PastRunLine, DeadHeatsByNameAndNonFinishersLastInSlotOrder) {
    // Slots 0 and 1 dead-heat for 2nd: イ (slot 0) sorts after ア (slot 1). Slot 2 has "00" and
    // slot 3 a blank position: both follow all placed horses in slot order.
    Race race(5, {2, 2, 0, 0, 1}, {"イ", "ア", "ウ", "エ", "オ"});
    race.se[3].replace(334, 2, "  ");
    race.slots[3] = race.se[3];
    std::string line = MakePastRunLine(race.ra, race.slots, 2);
    EXPECT_EQ(HorseNumbersInFieldOrder(line),
              (std::vector<int>{5, 2, 1, 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // The non-finisher's own line has its own data.
    EXPECT_EQ(PastRunRecord(line).HorseNumber(), 3);
    EXPECT_LT(PastRunRecord(line).FinishPosition(), 1);
}

TEST(PastRunLine, LongNamesAreCutTo18BytesInBothBlocks) {
    Race race(2, {1, 2}, {"アイウエオカキクケコサ", "ア"});
    std::string line = MakePastRunLine(race.ra, race.slots, 0);
    EXPECT_EQ(PastRunRecord(line).HorseName(), Sj("アイウエオカキクケ"));
    EXPECT_EQ(PastRunRecord(line).Entry(0).name, Sj("アイウエオカキクケ"));
    EXPECT_EQ(PastRunRecord(line).Entry(1).name, Sj("ア　　　　　　　　"));
}

// The build makes a race's blocks once for all its runners; every line must still be the one
// MakePastRunLine makes, also from short records and records with line breaks or NULs.
TEST(PastRunLine, TheLinesOfARaceAreTheLinesMadeOneByOne) {
    Race full(12, {3, 1, 2, 4, 5, 6, 0, 8, 9, 10, 11, 12});
    Race damaged(5, {2, 1, 0, 4, 3});
    damaged.ra[700] = '\r';    // in the race block
    damaged.se[1][45] = '\n';  // in the horse and field blocks
    damaged.se[2][300] = '\0';
    damaged.se[3].resize(60);  // short
    for (int s = 0; s < 5; ++s)
        damaged.slots[static_cast<size_t>(s)] = damaged.se[static_cast<size_t>(s)];
    damaged.slots[4] = {};  // a blank slot inside the registered ones
    for (Race* race : {&full, &damaged}) {
        RacePastRunLines lines(race->ra, race->slots);
        for (int s = 0; s < 18; ++s)
            EXPECT_EQ(lines.Line(s), MakePastRunLine(race->ra, race->slots, s)) << s;
    }
    RacePastRunLines shortRace(std::string_view(full.ra).substr(0, 100), full.slots);
    EXPECT_EQ(shortRace.Line(0), MakePastRunLine(full.ra.substr(0, 100), full.slots, 0));
}

TEST(PastRunPath, IsTheFirstFourCharactersAndTheWholeNumber) {
    EXPECT_EQ(PastRunPath("2019103456"), "SEI\\2019\\2019103456.kak");
    for (const char* ok : {"2019103456", "A019b0345Z"}) EXPECT_TRUE(IsValidBloodNumber(ok)) << ok;
    for (const char* bad : {"", "201910345", "20191034567", "..\\..\\abcd", "2019/03456",
                            "2019 03456", "          ", "20191.3456"})
        EXPECT_FALSE(IsValidBloodNumber(bad)) << bad;
    EXPECT_FALSE(IsValidBloodNumber(Sj("２０１９１")));
}

TEST(PastRunReader, ViewsWholeRecordsAndStopsAtAShortOrDamagedOne) {
    Race race(2, {1, 2});
    std::string a = MakePastRunLine(race.ra, race.slots, 0) + "\r\n";
    std::string b = MakePastRunLine(race.ra, race.slots, 1) + "\r\n";
    struct Case {
        const char* what;
        std::string data;
        size_t count;
        bool damaged;
    };
    std::string crInside = b;
    crInside[100] = '\r';
    std::string noCrLf = b;
    noCrLf[824] = ' ';
    for (const Case& c : std::vector<Case>{
             {"two whole", a + b, 2, false},
             {"empty", "", 0, false},
             {"short last", a + b.substr(0, 500), 1, true},
             {"CR inside", a + crInside + b, 1, true},
             {"no CR LF at 824", noCrLf + a, 0, true},
             {"825 bytes", a.substr(0, 825), 0, true},
         }) {
        PastRunFile f(c.data);
        EXPECT_EQ(f.Count(), c.count) << c.what;
        EXPECT_EQ(f.Damaged(), c.damaged) << c.what;
        EXPECT_TRUE(f.Record(f.Count()).raw.empty()) << c.what;
        if (c.count > 0) {
            EXPECT_EQ(f.Record(0).raw.size(), kPastRunRecordSize) << c.what;
        }
    }
}

TEST(PastRunReader, ALineBreakOrNulAtAnyByteOfTheLineDamagesTheRecord) {
    Race race(2, {1, 2});
    const std::string a = MakePastRunLine(race.ra, race.slots, 0) + "\r\n";
    for (char bad : {'\r', '\n', '\0'}) {
        for (size_t at = 0; at < kPastRunLineLength; ++at) {
            std::string r = a;
            r[at] = bad;
            ASSERT_FALSE(IsWholePastRunRecord(r))
                << "byte " << at << " = " << static_cast<int>(bad);
        }
    }
    EXPECT_TRUE(IsWholePastRunRecord(a));
}

TEST(PastRunReader, LoadsByBloodNumberAndRefusesUnsafeOnes) {
    testing::TempDir tmp;
    ProgramFolder folder(tmp.path());
    fs::create_directories(tmp.path() / "sei" / "2019");
    fs::create_directories(tmp.path() / "sei" / "2020");
    Race race(2, {1, 2});
    const std::string a = MakePastRunLine(race.ra, race.slots, 0) + "\r\n";
    const std::string b = MakePastRunLine(race.ra, race.slots, 1) + "\r\n";
    WriteFileAtomic(tmp.path() / "sei" / "2019" / "2019030001.kak", a);
    WriteFileAtomic(tmp.path() / "sei" / "2020" / "2020030001.kak", a + b);
    // Read whole into the file's own string, and viewed in a buffer kept across reads.
    FileBuffer buffer;
    for (bool buffered : {false, true}) {
        auto load = [&](PastRunFile& f, std::string_view blood) {
            return buffered ? f.Load(folder, blood, buffer) : f.Load(folder, blood);
        };
        SCOPED_TRACE(buffered ? "buffered" : "own string");
        PastRunFile f;
        EXPECT_TRUE(load(f, "2020030001"));
        EXPECT_EQ(f.Count(), 2u);
        // The shorter file after the longer one shows only its own record.
        EXPECT_TRUE(load(f, "2019030001"));  // SEI matched without regard to case
        EXPECT_EQ(f.Count(), 1u);
        EXPECT_FALSE(f.Damaged());
        EXPECT_EQ(f.Record(0).raw, std::string_view(a));
        EXPECT_FALSE(load(f, "2019030002"));
        EXPECT_EQ(f.Count(), 0u);
        EXPECT_TRUE(load(f, "2019030001"));
        EXPECT_FALSE(load(f, "../../2019"));
        EXPECT_EQ(f.Count(), 0u);
    }
}

}  // namespace
}  // namespace sorvane
