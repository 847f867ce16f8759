#include "compare/all_race.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/sjis.h"
#include "base/task_pool.h"
#include "base/text_format.h"
#include "compare/ranking.h"
#include "compare/search2ba.h"
#include "raceday/later_steps.h"
#include "raceday/race_select.h"
#include "shell/app_shell.h"
#include "shell/code_tables.h"
#include "store/records.h"

namespace sorvane {
namespace {

// Holds the main window for the run: disabled with the progress window up, and given back
// however the run ends, so a failed comparison never leaves the program unusable.
class BusyWindow {
  public:
    explicit BusyWindow(MainFormState& form) : form_(form) { form_.enabled = false; }
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;
    ~BusyWindow() { Release(); }
    void Release() {
        form_.waitForm.visible = false;
        form_.enabled = true;
    }

  private:
    MainFormState& form_;
};

// The race of race slot as the progress window names it: "2024/05/12 大井 11R ".
std::string RaceCaption(const RaceDay& day, int race) {
    const RaRecord ra(day.raceTable.At(race));
    return std::string(ra.YearText()) + "/" + std::string(ra.MonthDay().substr(0, 2)) + "/" +
           std::string(ra.MonthDay().substr(2)) + " " + TrackName(ra.TrackCode()) + " " +
           Format("%d", ra.RaceNumber()) + "R ";
}

// Every runner of the races of the first `lines` lines with its race date, in order.
std::vector<AheadHorse> HorsesOfLines(const RaceDay& day, int lines) {
    std::vector<AheadHorse> horses;
    for (int i = 0; i < lines; ++i) {
        const int race = RaceSlotOfLine(day, i);
        if (race < 0) continue;
        for (auto& h : HorsesOfRace(day, race)) horses.push_back(std::move(h));
    }
    return horses;
}

}  // namespace

void CompRaceBtn(AppShell& shell, CompareEngine& engine) {
    RaceDay& day = shell.day();
    const int race = day.currentRace;
    if (race < 0 || race >= kMaxRaces) return;
    const int n = day.RegisteredRunners(race);
    if (n <= 0) return;
    engine.ComparePairs(PairsOfRace(day, race));
    RaceAnalysis& analysis = day.raceAnalysis[static_cast<size_t>(race)];
    RankRace(analysis, n);
    analysis.compared = 1;
}

void CompareAllRaceBtn(AppShell& shell) {
    MainFormState& form = shell.main();
    RaceDay& day = shell.day();
    // Timers run inside the loop; a second run must not start inside the first.
    if (form.waitForm.visible) return;
    if (form.datListItems.empty()) {
        static const std::string noCard = Sj("出馬表が読み込まれていません。");
        shell.ui().WarningBeep();
        shell.ui().Inform(noCard);
        return;
    }
    static const std::string analysing = Sj("【解析中】しばらくお待ちください");
    const int lines = std::min(static_cast<int>(form.datListItems.size()), kMaxRaces);
    WaitFormState& wait = form.waitForm;
    wait = WaitFormState{};
    wait.barMax = lines;
    wait.label1 = analysing;
    {
        BusyWindow busy(form);
        for (RaceAnalysis& a : day.raceAnalysis) ResetTallies(a);
        wait.visible = true;

        CompareEngine engine(shell, TaskPool::Processors());
        engine.SetPairLabelSink([&wait](const std::string& pair) { wait.labelUma = pair; });
        engine.Preload(HorsesOfLines(day, lines));
        for (int i = 0; i < lines; ++i) {
            wait.barPosition = i + 1;
            shell.ui().ProcessEvents();
            // Line i shows the i-th race slot in use (slot i on a day read without gaps).
            const int race = RaceSlotOfLine(day, i);
            if (race < 0) continue;
            wait.label2 = RaceCaption(day, race);
            day.currentRace = race;
            CompRaceBtn(shell, engine);
        }

        if (form.n9Checked) {
            static const std::string unprocessed =
                Sj("[データ読込時過去走の日付を無視する]が指定してあるのでこの比較結果は"
                   "未処理扱いです。");
            shell.ui().WarningBeep();
            shell.ui().Inform(unprocessed);
        } else {
            YosoWriteBtn(shell);
        }
        busy.Release();
    }
    KaimeCalcBtn(shell);
    SelectRace(shell, std::max(form.datListIndex, 0));
}

void KaimeCalcBtn(AppShell& shell) {
    RaceDay& day = shell.day();
    const double ceiling = OddsCeiling(shell.settings());
    for (int race = 0; race < kMaxRaces; ++race) {
        if (!day.SlotInUse(race)) continue;
        const size_t s = static_cast<size_t>(race);
        RankWins(day.raceAnalysis[s], day.oddsValues[s], day.RegisteredRunners(race), ceiling);
    }
}

}  // namespace sorvane
