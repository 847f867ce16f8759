// The all-race comparison on a shell: its preconditions, the progress window and the disabled
// main window, the reset of earlier tallies, the IgnoDate message and the wins ranks of
// every race against the stored odds ceiling.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "base/text_format.h"
#include "compare/all_race.h"
#include "fake_clock.h"
#include "fake_ports.h"
#include "record_fixtures.h"
#include "shell/app_shell.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

using testing::FakeLink;
using testing::FakePlatform;
using testing::FakeUi;
using testing::TempDir;

// Records the window as it is whenever the comparison lets pending messages run.
class WatchingUi : public FakeUi {
  public:
    struct Seen {
        bool enabled;
        bool waitVisible;
        int position;
        int max;
        std::string label1;
    };
    const MainFormState* form = nullptr;
    std::vector<Seen> seen;
    void ProcessEvents() override {
        FakeUi::ProcessEvents();
        if (form)
            seen.push_back({form->enabled, form->waitForm.visible, form->waitForm.barPosition,
                            form->waitForm.barMax, Utf8FromSjis(form->waitForm.label1)});
    }
};

std::string Ra(int raceNumber, int runners) {
    std::string rec = BlankRecord(RecordType::RA);
    Put(rec, 11, "2024");
    Put(rec, 15, "0512");
    Put(rec, 19, "44");
    Put(rec, 25, Format("%02d", raceNumber));
    Put(rec, 881, Format("%02d", runners));
    return rec;
}

struct Rig {
    TempDir dir;
    WatchingUi ui;
    FixedClock clock{2024, 5, 12, 9, 0, 0};
    FakePlatform platform;
    FakeLink link;
    std::unique_ptr<AppShell> shell;

    Rig() {
        shell = std::make_unique<AppShell>(ProgramFolder(dir.path()),
                                           ShellPorts{ui, clock, platform, link});
        EXPECT_TRUE(shell->Start());
        ui.form = &shell->main();
        ui.calls.clear();
    }
    // A day of races with the given runner counts, listed in the day list.
    void Day(const std::vector<int>& runners) {
        RaceDay& day = shell->day();
        for (size_t s = 0; s < runners.size(); ++s) {
            day.raceTable.Put(static_cast<int>(s), Ra(static_cast<int>(s) + 1, runners[s]));
            shell->main().datListItems.push_back("line");
        }
        shell->main().datListIndex = 0;
    }
};

TEST(CompareAllRace, WithoutADayItOnlySaysSo) {
    Rig r;
    CompareAllRaceBtn(*r.shell);
    EXPECT_EQ(r.ui.calls,
              (std::vector<std::string>{"warning-beep", "inform:出馬表が読み込まれていません。"}));
    EXPECT_TRUE(r.shell->main().enabled);
    EXPECT_FALSE(r.shell->main().waitForm.visible);
}

TEST(CompareAllRace, RunsEveryRaceWithTheWindowHeldAndResetsEarlierTallies) {
    Rig r;
    r.Day({3, 0, 5});
    RaceDay& day = r.shell->day();
    // Left over from an earlier run: the reset must clear it, also in slots off the list.
    day.raceAnalysis[0].wins[1] = 4;
    day.raceAnalysis[0].winRateRank[1] = 1;
    day.raceAnalysis[0].winRate[1] = 0.8;
    day.raceAnalysis[0].pairWinA[0] = 1;
    day.raceAnalysis[50].winPt[0] = 3;

    CompareAllRaceBtn(*r.shell);

    // One pump per race, each with the main window disabled and the progress window up; then
    // the race selection with the window given back.
    ASSERT_EQ(r.ui.seen.size(), 4u);
    EXPECT_TRUE(r.ui.seen[3].enabled);
    EXPECT_FALSE(r.ui.seen[3].waitVisible);
    for (int i = 0; i < 3; ++i) {
        const WatchingUi::Seen& s = r.ui.seen[static_cast<size_t>(i)];
        EXPECT_FALSE(s.enabled);
        EXPECT_TRUE(s.waitVisible);
        EXPECT_EQ(s.position, i + 1);
        EXPECT_EQ(s.max, 3);
        EXPECT_EQ(s.label1, "【解析中】しばらくお待ちください");
    }
    const MainFormState& form = r.shell->main();
    EXPECT_TRUE(form.enabled);
    EXPECT_FALSE(form.waitForm.visible);
    EXPECT_EQ(Utf8FromSjis(form.waitForm.label2), "2024/05/12 大井 3R ");

    EXPECT_EQ(day.raceAnalysis[0].wins[1], 0);
    EXPECT_EQ(day.raceAnalysis[0].winRateRank[1], 0);
    EXPECT_DOUBLE_EQ(day.raceAnalysis[0].winRate[1], kNoRate);
    EXPECT_EQ(day.raceAnalysis[0].pairWinA[0], 0);
    EXPECT_EQ(day.raceAnalysis[50].winPt[0], 0);
    // Races with runners are marked compared; the race without runners is not.
    EXPECT_EQ(day.raceAnalysis[0].compared, 1);
    EXPECT_EQ(day.raceAnalysis[1].compared, 0);
    EXPECT_EQ(day.raceAnalysis[2].compared, 1);
    // Predictions are written: no message.
    EXPECT_TRUE(r.ui.calls.empty());
}

TEST(CompareAllRace, IgnoredDatesLeaveTheResultUnprocessed) {
    Rig r;
    r.Day({2});
    r.shell->main().n9Checked = true;
    CompareAllRaceBtn(*r.shell);
    EXPECT_EQ(r.ui.calls,
              (std::vector<std::string>{
                  "warning-beep",
                  "inform:[データ読込時過去走の日付を無視する]が指定してあるのでこの比較結果は"
                  "未処理扱いです。"}));
    EXPECT_EQ(r.shell->day().raceAnalysis[0].compared, 1);
    EXPECT_TRUE(r.shell->main().enabled);
}

TEST(KaimeCalc, UsesTheStoredCeilingOnEveryRaceInUse) {
    Rig r;
    r.Day({2, 2});
    r.shell->settings().WriteString("OddsSpan", "ceil", "5.0");
    RaceDay& day = r.shell->day();
    for (int race : {0, 1, 40}) {  // slot 40 holds no race
        RaceAnalysis& a = day.raceAnalysis[static_cast<size_t>(race)];
        a.wins = {1, 2};
        a.winPt = {1, 2};
        day.oddsValues[static_cast<size_t>(race)].tanOz = {4.0, 6.0};
        day.oddsValues[static_cast<size_t>(race)].tanNinki = {1, 2};
    }
    KaimeCalcBtn(*r.shell);
    for (int race : {0, 1}) {
        const RaceAnalysis& a = day.raceAnalysis[static_cast<size_t>(race)];
        EXPECT_EQ(a.winsRevRank[0], 1) << race;
        EXPECT_EQ(a.winsRevRank[1], 0) << race;  // 6.0 is above the ceiling of 5.0
        EXPECT_EQ(a.winsRank[1], 1) << race;
        EXPECT_EQ(a.winsRank[0], 2) << race;
    }
    EXPECT_EQ(day.raceAnalysis[40].winsRank[0], 0);
}

}  // namespace
}  // namespace sorvane
