// The odds import of a race slot: finding the race's records in the day's odds files, the
// value rules of every field, the 単勝/複勝 rankings by sorted text, and damaged files.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/text_format.h"
#include "odds/odds_day_index.h"
#include "odds/odds_fields.h"
#include "odds/odds_import.h"
#include "raceday/race_day.h"
#include "record_fixtures.h"
#include "store/day_stamp.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

using testing::TempDir;

// Race 5 at track 44 on 2024-05-12 with `runners` registered runners.
std::string Ra(int race, int runners) {
    std::string rec = BlankRecord(RecordType::RA);
    Put(rec, 11, "20240512");
    Put(rec, 19, "44");
    Put(rec, 21, "01");
    Put(rec, 23, "02");
    Put(rec, 25, Format("%02d", race));
    Put(rec, 881, Format("%02d", runners));
    return rec;
}

std::string OddsRecord(RecordType type, int race) {
    std::string rec = BlankRecord(type);
    Put(rec, 11, "20240512");
    Put(rec, 19, "44");
    Put(rec, 21, "01");
    Put(rec, 23, "02");
    Put(rec, 25, Format("%02d", race));
    return rec;
}

// 単勝 and 複勝 entry of horse number h (1-based).
void PutHorse(std::string& o1, int h, const char* tan, const char* fukuMin, const char* fukuMax) {
    const size_t i = static_cast<size_t>(h - 1);
    Put(o1, 43 + 8 * i, Format("%02d", h));
    Put(o1, 45 + 8 * i, tan);
    Put(o1, 267 + 12 * i, Format("%02d", h));
    Put(o1, 269 + 12 * i, fukuMin);
    Put(o1, 273 + 12 * i, fukuMax);
}

// The O1 record of the fixture race (12 runners).
std::string FixtureO1(int race) {
    std::string o1 = OddsRecord(RecordType::O1, race);
    Put(o1, 27, "05121035");
    PutHorse(o1, 1, "0035", "0012", "0020");
    PutHorse(o1, 2, "----", "----", "0030");  // scratched before sale
    PutHorse(o1, 3, "0035", "0011", "0025");  // ties horse 1 on 単勝, lower 複勝 minimum
    PutHorse(o1, 4, "0050", "    ", "0040");  // blank 複勝 minimum: no rank at all
    PutHorse(o1, 5, "0035", "0012", "0018");  // ties horse 1 on both: horse number decides
    PutHorse(o1, 6, "****", "0015", "0030");  // scratched after sale, 複勝 still sold
    PutHorse(o1, 7, "12a4", "0020", "0040");  // damaged 単勝 field
    for (int h = 8; h <= 12; ++h) PutHorse(o1, h, Format("%04d", 100 + h).c_str(), "0030", "0060");
    // Entries beyond the registered runners are never read.
    for (int h = 13; h <= 18; ++h) PutHorse(o1, h, "0099", "0099", "0099");
    Put(o1, 603, "11");
    Put(o1, 605, "00123");
    Put(o1, 610, "05");
    Put(o1, 612, "12");
    Put(o1, 614, "-----");
    Put(o1, 619, "07");
    return o1;
}

class OddsImportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir.path() / "Data");
        day->raceTable.Put(0, Ra(5, 12));
        day->dayFiles = DayFileNamesOf(DayStamp("20240512"));
    }
    fs::path DayFile(int kind) const {
        return *folder.Resolve(day->dayFiles.odds[static_cast<size_t>(kind - 1)]);
    }
    void WriteDayFile(int kind, const std::vector<std::string>& records) const {
        std::ofstream out(DayFile(kind), std::ios::binary);
        for (const std::string& r : records) out << r << "\r\n";
    }
    const OddsValues& Values() const { return day->oddsValues[0]; }

    TempDir dir;
    ProgramFolder folder{dir.path()};
    std::unique_ptr<RaceDay> day = std::make_unique<RaceDay>();
};

TEST(OddsFieldTest, ValueRules) {
    struct Case {
        const char* field;
        double value;
        bool holds;
    };
    const Case cases[] = {
        {"0035", 3.5, true},   {" 123", 12.3, true},    {"----", -1.0, false},
        {"****", -1.0, false}, {"    ", -2.0, false},   {"", -2.0, false},
        {"12a4", 0.0, true},   {"--  ", 0.0, true},     {"-010", 0.0, true},
        {"0000", 0.0, true},   {"------", -1.0, false}, {"1234567", 123456.7, true},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(OddsFieldValue(c.field), c.value) << c.field;
        EXPECT_EQ(OddsFieldHoldsValue(c.field), c.holds) << c.field;
    }
    EXPECT_EQ(PopularityValue(" 7"), 7);
    EXPECT_EQ(PopularityValue("x7"), 0);
}

TEST_F(OddsImportTest, WinAndPlaceValuesAndRanks) {
    WriteDayFile(1, {FixtureO1(4), FixtureO1(5)});
    ImportRaceOdds(*day, folder, 0);
    const OddsValues& v = Values();

    const double tan[12] = {3.5, -1.0, 3.5, 5.0, 3.5, -1.0, 0.0, 10.8, 10.9, 11.0, 11.1, 11.2};
    const double fMin[12] = {1.2, -1.0, 1.1, -2.0, 1.2, 1.5, 2.0, 3.0, 3.0, 3.0, 3.0, 3.0};
    const double fMax[12] = {2.0, -1.0, 2.5, -2.0, 1.8, 3.0, 4.0, 6.0, 6.0, 6.0, 6.0, 6.0};
    // 単勝: ascending odds, then 複勝 minimum, then horse number; the scratched, the damaged
    // and the horse without a 複勝 minimum have no rank and the others close up.
    const int tanRank[12] = {2, 0, 1, 0, 3, 0, 0, 4, 5, 6, 7, 8};
    // 複勝 minimum: ties on 1.2 broken by the lower maximum (horse 5 before 1).
    const int minRank[12] = {3, 0, 1, 0, 2, 4, 5, 6, 7, 8, 9, 10};
    const int maxRank[12] = {2, 0, 3, 0, 1, 4, 5, 6, 7, 8, 9, 10};
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_DOUBLE_EQ(v.tanOz[i], tan[i]) << "horse " << i + 1;
        EXPECT_DOUBLE_EQ(v.fukuOzMin[i], fMin[i]) << "horse " << i + 1;
        EXPECT_DOUBLE_EQ(v.fukuOzMax[i], fMax[i]) << "horse " << i + 1;
        EXPECT_EQ(v.tanNinki[i], tanRank[i]) << "horse " << i + 1;
        EXPECT_EQ(v.fukuNinkiMin[i], minRank[i]) << "horse " << i + 1;
        EXPECT_EQ(v.fukuNinkiMax[i], maxRank[i]) << "horse " << i + 1;
    }
    // Entries 12..17 belong to no registered runner: not imported, not absent.
    for (size_t i = 12; i < 18; ++i) {
        EXPECT_EQ(v.tanOz[i], 0.0);
        EXPECT_EQ(v.fukuOzMin[i], 0.0);
        EXPECT_EQ(v.fukuOzMax[i], 0.0);
        EXPECT_EQ(v.tanNinki[i], 0);
    }
    EXPECT_EQ(v.happyoTime, "1035");
    // 枠連: value with its popularity, scratched without, then blanks.
    EXPECT_DOUBLE_EQ(v.wakuOz[0], 12.3);
    EXPECT_EQ(v.wakuNinki[0], 5);
    EXPECT_DOUBLE_EQ(v.wakuOz[1], -1.0);
    EXPECT_EQ(v.wakuNinki[1], 0);
    EXPECT_DOUBLE_EQ(v.wakuOz[2], -2.0);
    // The first matching record of the file is the one kept, byte for byte.
    EXPECT_EQ(day->oddsO1.At(0).substr(0, 960), FixtureO1(5));
}

TEST_F(OddsImportTest, CombinationKindsFromTheirRecords) {
    std::string o2 = OddsRecord(RecordType::O2, 5);
    Put(o2, 40, "0102000456001");
    Put(o2, 53, "0103 12x  002");  // damaged odds: 0.0, popularity still taken
    std::string o3 = OddsRecord(RecordType::O3, 5);
    Put(o3, 40, "010200030005502");  // ワイド keeps the minimum only
    Put(o3, 54, "002");
    std::string o4 = OddsRecord(RecordType::O4, 5);
    Put(o4, 40 + 13 * 305, "1817******   ");
    std::string o5 = OddsRecord(RecordType::O5, 5);
    Put(o5, 40 + 15 * 815, "161718001000816");
    std::string o6 = OddsRecord(RecordType::O6, 5);
    Put(o6, 40 + 17 * 4895, "18171612345674321");
    WriteDayFile(2, {o2});
    WriteDayFile(3, {o3});
    WriteDayFile(4, {o4});
    WriteDayFile(5, {o5});
    WriteDayFile(6, {OddsRecord(RecordType::O6, 3), o6});
    ImportRaceOdds(*day, folder, 0);
    const OddsValues& v = Values();
    EXPECT_DOUBLE_EQ(v.umarenOz[0], 45.6);
    EXPECT_EQ(v.umarenNinki[0], 1);
    EXPECT_DOUBLE_EQ(v.umarenOz[1], 0.0);
    EXPECT_EQ(v.umarenNinki[1], 2);
    EXPECT_DOUBLE_EQ(v.umarenOz[2], -2.0);
    EXPECT_DOUBLE_EQ(v.wideOz[0], 3.0);
    EXPECT_EQ(v.wideNinki[0], 2);
    EXPECT_DOUBLE_EQ(v.umatanOz[305], -1.0);
    EXPECT_EQ(v.umatanNinki[305], 0);
    EXPECT_DOUBLE_EQ(v.sanpukuOz[815], 100.0);
    EXPECT_EQ(v.sanpukuNinki[815], 816);
    EXPECT_DOUBLE_EQ(v.santanOz[4895], 123456.7);
    EXPECT_EQ(v.santanNinki[4895], 4321);
    // No O1 file: the blank raw record gives "absent" for every registered horse.
    EXPECT_DOUBLE_EQ(v.tanOz[11], -2.0);
    EXPECT_EQ(v.happyoTime, "    ");
}

TEST_F(OddsImportTest, MissingFilesAndUnmatchedRecordsKeepTheRawRecord) {
    std::string old = OddsRecord(RecordType::O2, 5);
    Put(old, 44, "000777");
    day->oddsO2.Put(0, old);
    WriteDayFile(1, {FixtureO1(5)});
    ImportRaceOdds(*day, folder, 0);  // no O2 file
    EXPECT_DOUBLE_EQ(Values().umarenOz[0], 77.7);
    WriteDayFile(2, {OddsRecord(RecordType::O2, 6)});
    ImportRaceOdds(*day, folder, 0);  // no matching record
    EXPECT_DOUBLE_EQ(Values().umarenOz[0], 77.7);

    // A slot without a race number reads nothing, yet its numbers are rebuilt.
    day->raceTable.Put(0, Ra(0, 12));
    WriteDayFile(2, {OddsRecord(RecordType::O2, 0)});
    ImportRaceOdds(*day, folder, 0);
    EXPECT_DOUBLE_EQ(Values().umarenOz[0], 77.7);
    EXPECT_DOUBLE_EQ(Values().tanOz[0], 3.5);
}

TEST_F(OddsImportTest, DamagedFilesNeitherCrashNorMisread) {
    // A truncated last record: taken as far as it goes, the rest reads blank.
    std::string o1 = FixtureO1(5);
    {
        std::ofstream out(DayFile(1), std::ios::binary);
        out << FixtureO1(3) << "\r\n" << o1.substr(0, 60);
    }
    ImportRaceOdds(*day, folder, 0);
    EXPECT_DOUBLE_EQ(Values().tanOz[0], 3.5);
    EXPECT_DOUBLE_EQ(Values().tanOz[3], -2.0);
    // A file shorter than one key, and one of garbage, find nothing.
    for (const std::string& content : {std::string("O1"), std::string(5000, '\xff')}) {
        {
            std::ofstream out(DayFile(2), std::ios::binary);
            out << content;
        }
        EXPECT_FALSE(FindOddsRecord(DayFile(2), 2042, "4405").has_value());
    }
    // A count above 18 is clamped to the 18 horses the tables hold.
    day->raceTable.Put(0, Ra(5, 25));
    WriteDayFile(1, {FixtureO1(5)});
    ImportRaceOdds(*day, folder, 0);
    EXPECT_DOUBLE_EQ(Values().tanOz[17], 9.9);
}

// The day load reads each odds file once through an OddsDayIndex: every slot must get the raw
// records a fresh read of the files gives, whatever state the files are in.
TEST_F(OddsImportTest, ReadOnceIndexGivesWhatAFreshReadGives) {
    day->raceTable.Put(1, Ra(3, 12));
    day->raceTable.Put(2, Ra(9, 12));  // no record of race 9 anywhere
    std::string o1Again = FixtureO1(5);
    Put(o1Again, 45, "0777");  // a later record of race 5: the first one wins
    {
        std::ofstream out(DayFile(1), std::ios::binary);
        out << FixtureO1(3) << "\r\n" << FixtureO1(5) << "\r\n" << o1Again << "\r\n";
    }
    WriteDayFile(2, {OddsRecord(RecordType::O2, 5)});
    {
        // Race 3's record cut short at the end of the file.
        std::ofstream out(DayFile(3), std::ios::binary);
        out << OddsRecord(RecordType::O3, 5) << "\r\n"
            << OddsRecord(RecordType::O3, 3).substr(0, 90);
    }
    {
        std::ofstream out(DayFile(4), std::ios::binary);
        out << "O4";  // shorter than a key
    }
    fs::create_directories(DayFile(5));  // not a file: nothing, as when missing
    // No O6 file at all.

    auto fresh = std::make_unique<RaceDay>();
    fresh->raceTable = day->raceTable;
    fresh->dayFiles = day->dayFiles;
    OddsDayIndex index(folder);
    for (int slot = 0; slot < 3; ++slot) {
        ImportRaceOdds(*fresh, folder, slot);
        ImportRaceOdds(*day, folder, slot, &index);
    }
    for (int slot = 0; slot < 3; ++slot)
        for (int kind = 1; kind <= 6; ++kind) {
            EXPECT_EQ(day->OddsTable(kind).At(slot), fresh->OddsTable(kind).At(slot))
                << "slot " << slot << " kind " << kind;
            EXPECT_EQ(day->OddsTable(kind).Filled(slot), fresh->OddsTable(kind).Filled(slot))
                << "slot " << slot << " kind " << kind;
        }
    EXPECT_DOUBLE_EQ(day->oddsValues[0].tanOz[0], 3.5);
    EXPECT_DOUBLE_EQ(day->oddsValues[1].tanOz[0], 3.5);
    EXPECT_TRUE(day->oddsO3.Filled(1));
    EXPECT_FALSE(day->oddsO1.Filled(2));
}

}  // namespace
}  // namespace sorvane
