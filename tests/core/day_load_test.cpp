// The date list and the day load: newest day first, the date filter of the past runs, the
// run record by category, the 100-record limit and its read order, the prediction check,
// payouts, the messages of missing and incomplete days, the day list and the live-day state.
#include <gtest/gtest.h>

#include "base/sjis.h"
#include "day_rig.h"
#include "raceday/date_list.h"
#include "raceday/day_schedule.h"
#include "raceday/past_run_stats.h"

namespace sorvane {
namespace {

using testing::BloodOf;
using testing::DayRig;
using testing::MakePastRun;
using testing::MakeYos;
using testing::PastRunSpec;
using testing::RaceSpec;

std::vector<std::string> Utf8(const std::vector<std::string>& sjis) {
    std::vector<std::string> out;
    for (const std::string& s : sjis) out.push_back(Utf8FromSjis(s));
    return out;
}

TEST(DateList, NewestDayFirstOnlyRaFilesWithAStamp) {
    DayRig r;
    for (const char* d : {"20240105", "20231231", "20240203"}) {
        testing::DayWriter w(r.dir.path(), d);
        w.AddRace({});
        w.Write();
    }
    auto data = r.dir.path() / "DATA";
    // Not race days: other kinds, names without a stamp, a folder, the same day in capitals.
    testing::WriteTextLines(data / NativeName(Sj("2024年03月01日.nvHR")), {"x"});
    testing::WriteTextLines(data / "notes.nvRA", {"x"});
    fs::create_directories(data / NativeName(Sj("2024年04月01日.nvRA")));
    testing::WriteTextLines(data / NativeName(Sj("2024年01月05日.NVRA")), {"x"});

    AppShell& sh = r.Start();
    EXPECT_EQ(Utf8(sh.main().dateComboItems),
              (std::vector<std::string>{"2024年02月03日", "2024年01月05日", "2023年12月31日"}));

    sh.main().datListItems = {"x"};
    fs::remove_all(data);
    MakeDataListBtn(sh);
    EXPECT_TRUE(sh.main().dateComboItems.empty());
    EXPECT_TRUE(sh.main().datListItems.empty());
}

// The race of 2024-01-05 with a period of 10 days: E = 2023-12-26.
TEST(PastRunWindow, PeriodBoundaryAndTheRaceDay) {
    PastRunWindow w = MakePastRunWindow(20240105, 10, false);
    EXPECT_EQ(w.earliest, 20231226);
    struct Case {
        int date;
        bool kept, keptIgnoring;
    };
    const Case cases[] = {{20231226, false, true}, {20231227, true, true},  {20240104, true, true},
                          {20240105, false, true}, {20240110, false, true}, {0, false, true}};
    PastRunWindow ignoring = MakePastRunWindow(20240105, 10, true);
    for (const Case& c : cases) {
        EXPECT_EQ(w.Keeps(c.date), c.kept) << c.date;
        EXPECT_EQ(ignoring.Keeps(c.date), c.keptIgnoring) << c.date;
    }
    // A leap year and a race date that is no date.
    EXPECT_EQ(MakePastRunWindow(20240301, 1826, false).earliest, 20190302);
    EXPECT_FALSE(MakePastRunWindow(20241340, 10, false).Keeps(20241330));
}

class DayLoad : public ::testing::Test {
  protected:
    DayRig r;
    RaceSpec race = r.writer.AddRace({});
    std::string blood = BloodOf(race, 1);
    RaceAnalysis& A() { return r.day().raceAnalysis[0]; }
    void SetUp() override {
        // Past runs of 10 days only: E = 2023-12-26.
        testing::WriteTextLines(r.dir.path() / "sorvane.ini", {"[DataSpan]", "period=10"});
    }
};

TEST_F(DayLoad, DateFilterWithAndWithoutIgnoDate) {
    std::vector<std::string> lines;
    for (const char* d : {"20231226", "20231227", "20240105", "20240110"})
        lines.push_back(MakePastRun({.date = d, .position = 2}));
    r.writer.WritePastRuns(blood, lines);

    ASSERT_TRUE(r.Load());
    EXPECT_EQ(r.day().pastRunTable.Count(0, 0), 1);
    EXPECT_EQ(PastRunRecord(r.day().pastRunTable.At(0, 0, 0)).Date(), "20231227");
    EXPECT_EQ(A().runRecord[0][0][1], 1);

    ASSERT_TRUE(LoadDay(*r.shell, r.writer.Stamp(), {.ignoreDates = true, .compareAll = false}));
    // Every run, the later ones too, newest (last in the file) first, and all counted.
    ASSERT_EQ(r.day().pastRunTable.Count(0, 0), 4);
    EXPECT_EQ(PastRunRecord(r.day().pastRunTable.At(0, 0, 0)).Date(), "20240110");
    EXPECT_EQ(PastRunRecord(r.day().pastRunTable.At(0, 0, 3)).Date(), "20231226");
    EXPECT_EQ(A().runRecord[0][0][1], 4);
    // The option of the run did not change the setting or the menu mark.
    EXPECT_FALSE(r.main().n9Checked);
    EXPECT_FALSE(r.shell->settings().ReadBool("ReadKako", "IgnoDate", false));
}

TEST_F(DayLoad, RunRecordByCategoryAndPrize) {
    r.writer.WritePastRuns(
        blood, {// turf on 重 over 1800 m, 1st
                MakePastRun({.date = "20240101",
                             .position = 1,
                             .surface = "17",
                             .distance = 1800,
                             .turfGoing = 3,
                             .dirtGoing = 0,
                             .prize = 500,
                             .added = 20}),
                // dirt on 良 over 1400 m, 3rd
                MakePastRun({.date = "20240102", .position = 3, .distance = 1400, .prize = 100}),
                // dirt on 不良 over 2400 m, 7th: 4th or worse
                MakePastRun({.date = "20240103", .position = 7, .distance = 2400, .dirtGoing = 4}),
                // not placed: copied and paid, but counted nowhere
                MakePastRun({.date = "20240104", .position = 0, .prize = 9})});
    ASSERT_TRUE(r.Load());
    EXPECT_EQ(r.day().pastRunTable.Count(0, 0), 4);
    using C = RunCategory;
    auto rec = [&](C c) { return A().runRecord[static_cast<int>(c)][0]; };
    using P = std::array<int32_t, 4>;
    EXPECT_EQ(rec(C::All), (P{1, 0, 1, 1}));
    EXPECT_EQ(rec(C::TurfHeavy), (P{1, 0, 0, 0}));
    EXPECT_EQ(rec(C::Turf), (P{1, 0, 0, 0}));
    EXPECT_EQ(rec(C::DirtHeavy), (P{0, 0, 0, 1}));
    EXPECT_EQ(rec(C::Dirt), (P{0, 0, 1, 1}));
    EXPECT_EQ(rec(C::UpTo1600), (P{0, 0, 1, 0}));
    EXPECT_EQ(rec(C::UpTo2200), (P{1, 0, 0, 0}));
    EXPECT_EQ(rec(C::Over2200), (P{0, 0, 0, 1}));
    EXPECT_EQ(A().prizeTotal[0], 629);
    // Runners without a past-run file have nothing.
    EXPECT_EQ(r.day().pastRunTable.Count(0, 1), 0);
    EXPECT_EQ(A().runRecord[0][1], (P{0, 0, 0, 0}));
}

TEST_F(DayLoad, OnlyTheFirst100LinesReadFromThe100thBack) {
    testing::WriteTextLines(r.dir.path() / "sorvane.ini", {"[DataSpan]", "period=1826"});
    std::vector<std::string> lines;
    for (int i = 0; i < 120; ++i)
        lines.push_back(MakePastRun(
            {.date = Format("2023%02d%02d", i / 28 + 1, i % 28 + 1), .position = i < 100 ? 1 : 2}));
    r.writer.WritePastRuns(blood, lines);
    ASSERT_TRUE(r.Load());
    ASSERT_EQ(r.day().pastRunTable.Count(0, 0), 100);
    EXPECT_EQ(r.day().pastRunTable.At(0, 0, 0).substr(0, 824), lines[99]);
    EXPECT_EQ(r.day().pastRunTable.At(0, 0, 99).substr(0, 824), lines[0]);
    EXPECT_EQ(A().runRecord[0][0][0], 100);
    EXPECT_EQ(A().runRecord[0][0][1], 0);
}

TEST_F(DayLoad, PredictionsHeldFailedAndMark3) {
    r.writer.WritePastRuns(blood,
                           {MakePastRun({.date = "20240101", .position = 2}),
                            MakePastRun({.date = "20240102", .position = 5}),
                            MakePastRun({.date = "20240103", .position = 1}),
                            MakePastRun({.date = "20240104", .track = "45", .position = 1})});
    r.writer.WritePredictions(
        blood, {MakeYos("20240101", "44", 1),    // held: 2nd
                MakeYos("20240102", "44", 2),    // failed: 5th
                MakeYos("20240103", "44", 1),    // read after the next one: not the one taken
                MakeYos("20240103", "44", 3),    // the backward scan stops here, no count
                MakeYos("20240104", "44", 1)});  // another track than the run's
    ASSERT_TRUE(r.Load());
    EXPECT_EQ(A().juntoCount[0], 1);
    EXPECT_EQ(A().uragiriCount[0], 1);
    EXPECT_DOUBLE_EQ(A().uragiriRate[0], 0.5);
    // Slots newest first: 01-04, 01-03, 01-02, 01-01.
    const auto& marks = r.day().pastRunMark[0][0];
    EXPECT_EQ((std::vector<int>{marks[0], marks[1], marks[2], marks[3]}),
              (std::vector<int>{0, 0, 2, 1}));
    // A runner without a .yos file keeps the initial rate.
    EXPECT_EQ(A().uragiriRate[1], kNoRate);
}

TEST_F(DayLoad, PredictionsBeyondThe100thRecordAreNotRead) {
    r.writer.WritePastRuns(blood, {MakePastRun({.date = "20240101", .position = 1})});
    std::vector<std::string> yos(100, MakeYos("20230101", "44", 1));
    yos.push_back(MakeYos("20240101", "44", 1));
    r.writer.WritePredictions(blood, yos);
    ASSERT_TRUE(r.Load());
    EXPECT_EQ(A().juntoCount[0], 0);
    EXPECT_EQ(A().uragiriRate[0], kNoRate);
}

TEST(PredictionIndexTest, DamagedRecordsAreSkipped) {
    PredictionIndex idx;
    std::string data = MakeYos("2024x101", "44", 1) + "\r\n" + MakeYos("20240101", "44", 2) +
                       "\r\n" + MakeYos("20240101", "44", 1).substr(0, 30);
    idx.Assign(data);
    EXPECT_EQ(idx.MarkFor(20240101, "44"), 2);
    EXPECT_EQ(idx.MarkFor(20240101, "45"), -1);
    idx.Assign("");
    EXPECT_EQ(idx.MarkFor(20240101, "44"), -1);
}

TEST(DayLoadDays, TwelveRacesPayoutsScheduleAndLiveDay) {
    DayRig r;
    for (int n = 1; n <= 12; ++n) r.writer.AddRace({.race = n, .postTime = "1540"});
    // The payout of race 3 only; a payout of a race not on the day is ignored.
    std::string hr = testing::MakeRaceRecord(RecordType::HR, "20240105", "44", 3);
    Put(hr, 102,
        "02000000230"
        "01");
    r.writer.AddPayout(hr);
    std::string other = hr;
    Put(other, 25, "13");
    r.writer.AddPayout(other);
    testing::WriteTextLines(r.dir.path() / "sorvane.ini",
                            {"[Time]", "AutoOzGet=5", "AutoOzGetSec=30", "AutoTohyoInterval=7",
                             "AutoRdataGet=3", "[KaimeSet]", "DefaultAmount=5000"});
    r.clock.Set(2024, 1, 5, 9, 0, 0);
    ASSERT_TRUE(r.Load());

    MainFormState& m = r.main();
    ASSERT_EQ(m.datListItems.size(), 12u);
    EXPECT_EQ(Utf8FromSjis(m.datListItems[0]), "大井 1R");
    EXPECT_EQ(Utf8FromSjis(m.datListItems[11]), "大井12R");
    EXPECT_EQ(m.upDown1Max, 11);
    EXPECT_EQ(m.upDown1Position, 0);
    EXPECT_EQ(m.datListIndex, 0);
    EXPECT_EQ(r.day().raceCount, 12);
    EXPECT_EQ(r.day().raceLoaded[11], 1);
    EXPECT_EQ(r.day().raceLoaded[12], 0);
    EXPECT_FALSE(r.day().SlotInUse(12));
    EXPECT_TRUE(m.pageControl5Visible);
    EXPECT_FALSE(m.prgrsForm.visible);

    EXPECT_EQ(r.day().raceAnalysis[2].resultCombo.tan[0], 2);
    EXPECT_EQ(r.day().raceAnalysis[2].resultPay[0], 230);
    // Races without a payout record: no labels, no popularity, no payouts.
    EXPECT_EQ(r.day().raceAnalysis[0].resultCombo.tan[0], 0);
    EXPECT_EQ(r.day().raceAnalysis[0].resultCombo.umaren[0], "");
    EXPECT_EQ(r.day().raceAnalysis[0].resultPay[0], 0);

    // 15:40:00 less 5 min 30 s, and 7 s after that.
    EXPECT_EQ(r.day().oddsValues[0].ozGetTime, "153430");
    EXPECT_EQ(r.day().oddsValues[0].tohyoTime, "153437");
    EXPECT_EQ(r.day().oddsValues[12].ozGetTime, "");
    EXPECT_EQ(m.raceAmount, std::vector<std::string>(96, "5000"));
    EXPECT_EQ(m.kaimeAmount, "5000");
    EXPECT_EQ(m.timer4IntervalMs, 180000);
    // Loaded on its own day: the live day.
    EXPECT_TRUE(m.henkoJohoTimerEnabled);
    EXPECT_TRUE(m.henkoAuto);
    EXPECT_TRUE(m.restTimeLabelVisible);
    EXPECT_TRUE(r.ui.calls.empty());
    EXPECT_GE(r.ui.pumped, 12 * 3);
}

TEST(DayLoadDays, AnotherDayIsNotLive) {
    DayRig r;
    r.writer.AddRace({});
    ASSERT_TRUE(r.Load());
    EXPECT_FALSE(r.main().henkoJohoTimerEnabled);
    EXPECT_FALSE(r.main().restTimeLabelVisible);
    EXPECT_EQ(r.main().raceAmount[95], "3000");
    EXPECT_EQ(r.main().timer4IntervalMs, 600000);
}

struct Incomplete {
    const char* what;
    void (*damage)(DayRig&);
    const char* message;
};

void NoRaFile(DayRig& r) {
    fs::remove(r.writer.DataPath(DayFileName(DayFileKind::RA, r.writer.Stamp())));
}
void NoRunnerFile(DayRig& r) {
    fs::remove(r.writer.DataPath(DayFileName(DayFileKind::SEr, r.writer.Stamp(), TrackName("45"))));
}
void MissingRunner(DayRig& r) {
    // Race 2 of 大井 registers 3 runners but the file has only two of them.
    std::vector<std::string>& lines = r.writer.RunnerLines("44");
    lines[RunnerSlot(2, 3)] = BlankRunnerLine();
    r.writer.Write();
}
void ShortRunnerFile(DayRig& r) {
    testing::WriteTextLines(
        r.writer.DataPath(DayFileName(DayFileKind::SEr, r.writer.Stamp(), TrackName("44"))),
        {std::string(r.writer.RunnerLines("44")[0])});
}

TEST(DayLoadDays, MissingAndIncompleteDays) {
    const Incomplete cases[] = {
        {"no RA file", NoRaFile, "2024年01月05日のデータ作成は未完了のようです。"},
        {"no runner file", NoRunnerFile,
         "2024年01月05日のデータ作成は未完了です。少し時間をおいてデータを再取得してください。"},
        {"runner without SE", MissingRunner,
         "2024年01月05日のデータ作成は未完了です。少し時間をおいてデータを再取得してください。"},
        {"runner file cut short", ShortRunnerFile,
         "2024年01月05日のデータ作成は未完了です。少し時間をおいてデータを再取得してください。"},
    };
    for (const Incomplete& c : cases) {
        DayRig r;
        r.writer.AddRace({.race = 1});
        r.writer.AddRace({.race = 2});
        r.writer.AddRace({.track = "45", .race = 1});
        r.writer.Write();
        c.damage(r);
        r.Start();
        r.main().datListItems = {"old"};
        EXPECT_FALSE(
            LoadDay(*r.shell, r.writer.Stamp(), {.ignoreDates = std::nullopt, .compareAll = false}))
            << c.what;
        EXPECT_EQ(r.ui.calls,
                  (std::vector<std::string>{"beep", std::string("inform:") + c.message}))
            << c.what;
        EXPECT_TRUE(r.main().datListItems.empty()) << c.what;
        EXPECT_FALSE(r.main().pageControl5Visible) << c.what;
        EXPECT_FALSE(r.main().prgrsForm.visible) << c.what;
    }
}

TEST(DayLoadDays, DamagedFilesNeverCrash) {
    DayRig r;
    RaceSpec race = r.writer.AddRace({.runners = 2});
    r.writer.Write();
    std::string blood = BloodOf(race, 1);
    // A past-run file with a short line in the middle and digits where none belong, and a
    // .yos file of garbage.
    std::string bad = MakePastRun({.date = "20231201"});
    Put(bad, pr::kFinishPosition.offset, "x?");
    Put(bad, pr::kDistance.offset, "-999");
    r.writer.WritePastRuns(blood, {bad, "short", MakePastRun({.date = "20231202"})});
    testing::WriteTextLines(r.writer.HorsePath(blood, ".yos"), {"\x81", std::string(51, '\xff')});
    // Horse 2 names a path outside the folder.
    std::vector<std::string>& lines = r.writer.RunnerLines("44");
    Put(lines[RunnerSlot(1, 2)], 30, "../../etc/");
    // A partial record after the last race.
    r.writer.Write();
    auto ra = r.writer.DataPath(DayFileName(DayFileKind::RA, r.writer.Stamp()));
    std::string data;
    ReadWholeFile(ra, data);
    WriteFileAtomic(ra, data + "RA7garbage");
    r.Start();
    ASSERT_TRUE(
        LoadDay(*r.shell, r.writer.Stamp(), {.ignoreDates = std::nullopt, .compareAll = false}));
    EXPECT_EQ(r.day().raceCount, 1);
    // Only the whole record before the damaged one is read; its position is not a number.
    EXPECT_EQ(r.day().pastRunTable.Count(0, 0), 1);
    EXPECT_EQ(r.day().raceAnalysis[0].runRecord[0][0], (std::array<int32_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(r.day().pastRunTable.Count(0, 1), 0);
    EXPECT_TRUE(r.ui.calls.empty());
}

TEST(Schedule, TimesFromThePostTime) {
    ScheduleLeads l;
    EXPECT_EQ(ScheduleFor("1005", l).ozGetTime, "095500");
    EXPECT_EQ(ScheduleFor("1005", l).tohyoTime, "095505");
    EXPECT_EQ(ScheduleFor("    ", l).ozGetTime, "");
    l.autoOzGet = 2000000000;
    EXPECT_EQ(ScheduleFor("1005", l).ozGetTime, "000000");
}

}  // namespace
}  // namespace sorvane

namespace sorvane {
namespace {

TEST(DayLoadHorseFiles, FoundWhateverTheCaseOfTheirNames) {
    DayRig r;
    testing::RaceSpec race = r.writer.AddRace({.runners = 1});
    std::string blood = testing::BloodOf(race, 1);
    fs::path dir = r.dir.path() / "sei" / blood.substr(0, 4);
    testing::WriteTextLines(dir / (blood + ".KAK"),
                            {testing::MakePastRun({.date = "20231201", .position = 2})});
    testing::WriteTextLines(dir / (blood + ".Yos"), {testing::MakeYos("20231201", "44", 1)});
    r.writer.Write();
    // The folder SEI made at start-up stays empty beside the lower-case one.
    r.Start();
    fs::remove_all(r.dir.path() / "SEI");
    ASSERT_TRUE(
        LoadDay(*r.shell, r.writer.Stamp(), {.ignoreDates = std::nullopt, .compareAll = false}));
    EXPECT_EQ(r.day().pastRunTable.Count(0, 0), 1);
    EXPECT_EQ(r.day().raceAnalysis[0].juntoCount[0], 1);
}

}  // namespace
}  // namespace sorvane

namespace sorvane {
namespace {

// The load hands each runner's file bytes to the past-run table and takes the table's old
// storage back for the next file: loading days in turn must never mix their records.
TEST(DayLoadHorseFiles, DaysLoadedInTurnKeepTheirOwnRecords) {
    DayRig r;
    testing::RaceSpec race = r.writer.AddRace({.runners = 2});
    testing::DayWriter other(r.dir.path(), "20240106");
    other.AddRace({.runners = 2});
    other.Write();
    std::vector<std::string> runs;
    for (int i = 1; i <= 30; ++i)
        runs.push_back(MakePastRun({.date = Format("202312%02d", i), .position = i % 5}));
    r.writer.WritePastRuns(BloodOf(race, 1), runs);
    r.writer.WritePastRuns(BloodOf(race, 2), {runs[0], runs[1]});
    ASSERT_TRUE(r.Load({.ignoreDates = true, .compareAll = false}));
    auto snapshot = [&] {
        std::vector<std::string> all;
        for (int k = 0; k < 2; ++k)
            for (int p = 0; p < r.day().pastRunTable.Count(0, k); ++p)
                all.emplace_back(r.day().pastRunTable.At(0, k, p));
        return all;
    };
    std::vector<std::string> first = snapshot();
    ASSERT_EQ(first.size(), 32u);
    EXPECT_EQ(first[0].substr(0, 824), runs[29]);
    EXPECT_EQ(first[31].substr(0, 824), runs[0]);
    ASSERT_TRUE(LoadDay(*r.shell, other.Stamp(), {.ignoreDates = true, .compareAll = false}));
    EXPECT_EQ(r.day().pastRunTable.Count(0, 0), 30);  // the same horses on the other day
    ASSERT_TRUE(LoadDay(*r.shell, r.writer.Stamp(), {.ignoreDates = false, .compareAll = false}));
    ASSERT_TRUE(LoadDay(*r.shell, r.writer.Stamp(), {.ignoreDates = true, .compareAll = false}));
    EXPECT_EQ(snapshot(), first);

    // Offsets that would read past the bytes are refused and change nothing.
    std::string bytes(900, ' ');
    const uint32_t bad[] = {0, 100};
    EXPECT_FALSE(r.day().pastRunTable.Adopt(0, 0, bytes, bad));
    EXPECT_EQ(bytes.size(), 900u);
    EXPECT_EQ(r.day().pastRunTable.Count(0, 0), 30);
}

}  // namespace
}  // namespace sorvane
