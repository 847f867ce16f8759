#include "raceday/day_load.h"

#include <algorithm>
#include <map>

#include "base/sjis.h"
#include "base/text_format.h"
#include "compare/all_race.h"
#include "odds/odds_day_index.h"
#include "odds/odds_import.h"
#include "raceday/day_schedule.h"
#include "raceday/horse_files.h"
#include "raceday/later_steps.h"
#include "raceday/past_run_stats.h"
#include "raceday/race_select.h"
#include "shell/app_shell.h"
#include "shell/code_tables.h"
#include "shell/code_tables_format.h"
#include "store/day_files.h"
#include "store/day_stamp.h"

namespace sorvane {
namespace {

const std::string& MsgNoDay() {
    static const std::string m = Sj("のデータ作成は未完了のようです。");
    return m;
}
const std::string& MsgIncompleteDay() {
    static const std::string m =
        Sj("のデータ作成は未完了です。少し時間をおいてデータを再取得してください。");
    return m;
}
const std::string& MsgReading() {
    static const std::string m = Sj("レースデータを読み込んでいます。");
    return m;
}

constexpr int kProgressMax = 24;

// Record n of a file of fixed records of `size` bytes; a last record that lacks only its
// CR LF still counts. Empty when the file has no such record.
std::string_view RecordAt(std::string_view data, size_t size, size_t n) {
    if (n > data.size() / size) return {};
    std::string_view rec = data.substr(n * size, size);
    return rec.size() + 2 >= size ? rec : std::string_view();
}
size_t RecordCount(std::string_view data, size_t size) {
    size_t n = data.size() / size;
    return RecordAt(data, size, n).empty() ? n : n + 1;
}

std::string TodayStamp(const Clock& clock) {
    LocalTime t = clock.Now();
    return DayStamp(Format("%04d%02d%02d", t.year, t.month, t.day));
}

// The day file names with the Data folder as it is spelled on disk, so that every later
// lookup (the odds import looks up six files per race) matches it at once instead of
// searching the program folder for another spelling.
DayFileNames OnDiskSpelling(const ProgramFolder& folder, DayFileNames names) {
    std::string spelled = SjisFromPath(ResolveComponent(folder.Root(), kDataFolder).filename());
    if (!IsSafeComponent(spelled)) return names;
    auto respell = [&](std::string& name) {
        name = spelled + name.substr(std::string_view(kDataFolder).size());
    };
    respell(names.ra);
    for (std::string& odds : names.odds) respell(odds);
    return names;
}

// The day's files as read once during a load: runner files are shared by the races of a
// track and read the first time one of them asks.
class DayReader {
  public:
    DayReader(const ProgramFolder& folder, std::string stamp)
        : folder_(folder), stamp_(std::move(stamp)) {}

    // The whole file of kind (and track), false when it does not exist.
    bool Read(DayFileKind kind, std::string& out, std::string_view track = {}) const {
        std::optional<fs::path> p =
            folder_.Resolve(DayFilePath(DayFileName(kind, stamp_, TrackName(track))));
        return p && ReadWholeFile(*p, out);
    }
    // The runner file of a track code; null when it does not exist.
    const std::string* Runners(std::string_view track) {
        std::string key(track);
        auto it = runners_.find(key);
        if (it == runners_.end()) {
            std::optional<std::string> data;
            std::string text;
            if (IsNameTrack(track) && Read(DayFileKind::SEr, text, track)) data = std::move(text);
            it = runners_.emplace(key, std::move(data)).first;
        }
        return it->second ? &*it->second : nullptr;
    }

  private:
    const ProgramFolder& folder_;
    std::string stamp_;
    std::map<std::string, std::optional<std::string>> runners_;
};

// A runner file's record for race r (1..12) and runner slot k: the record at position
// (r - 1) x 18 + k.
std::string_view RunnerRecord(std::string_view data, int race, int slot) {
    if (race < 1 || race > kRunnerFileRaces) return {};
    return RecordAt(data, kRunnerRecordSize, RunnerSlot(race, slot + 1));
}

// Steps 4 and 5: the races and their runners. False, after the clean-up and the message, when
// a runner file or a registered runner's record is missing.
bool ReadRaces(AppShell& shell, DayReader& reader, const std::string& raData,
               const std::string& stamp) {
    RaceDay& day = shell.day();
    MainFormState& m = shell.main();
    size_t count = std::min(RecordCount(raData, RecordLength(RecordType::RA)), size_t{kMaxRaces});
    for (size_t s = 0; s < count; ++s) {
        int slot = static_cast<int>(s);
        day.raceTable.Put(slot, RecordAt(raData, RecordLength(RecordType::RA), s));
        RaRecord ra(day.raceTable.At(slot));
        const std::string* runners = reader.Runners(ra.TrackCode());
        bool complete = runners != nullptr;
        int c = day.RegisteredRunners(slot);
        for (int k = 0; complete && k < c; ++k) {
            std::string_view se = RunnerRecord(*runners, ra.RaceNumber(), k);
            day.runnerTable.Put(slot, k, se);
            complete = SeRecord(se).BracketNumber() >= 1;
        }
        if (!complete) {
            m.prgrsForm.Close();
            m.datListItems.clear();
            m.datListIndex = -1;
            shell.ui().Beep();
            shell.ui().Inform(stamp + MsgIncompleteDay());
            return false;
        }
        ++m.prgrsForm.barPosition;
        day.raceLoaded[slot] = 1;
        day.raceCount = slot + 1;
    }
    return true;
}

// Step 6: each payout record to the first race with its year, month-day, track and race.
void ReadPayouts(RaceDay& day, const std::string& hrData) {
    size_t size = RecordLength(RecordType::HR);
    size_t count = std::min(RecordCount(hrData, size), size_t{kMaxRaces});
    for (size_t n = 0; n < count; ++n) {
        HrRecord hr(RecordAt(hrData, size, n));
        for (int s = 0; s < kMaxRaces; ++s) {
            RaRecord ra(day.raceTable.At(s));
            if (ra.YearText() == hr.YearText() && ra.MonthDay() == hr.MonthDay() &&
                ra.TrackCode() == hr.TrackCode() && ra.RaceNumberText() == hr.RaceNumberText()) {
                day.payoutTable.Put(s, hr.raw);
                break;
            }
        }
    }
}

void ListRaces(RaceDay& day, MainFormState& m) {
    m.datListItems.clear();
    m.datListIndex = -1;
    for (int s = 0; s < kMaxRaces; ++s) {
        if (!day.SlotInUse(s)) continue;
        RaRecord ra(day.raceTable.At(s));
        m.datListItems.push_back(TrackName(ra.TrackCode()) + Format("%2d", ra.RaceNumber()) + "R");
    }
}

// Step 10: the past runs, statistics and prediction record of every runner.
void ReadPastRuns(AppShell& shell, bool ignoreDates) {
    RaceDay& day = shell.day();
    MainFormState& m = shell.main();
    int period = shell.settings().ReadInteger("DataSpan", "period", 1826);
    HorseFiles horses(shell.folder());
    // One buffer for every past-run file and one for every prediction file.
    std::string data;
    std::string yosData;
    PredictionIndex predictions;
    for (int s = 0; s < kMaxRaces; ++s) {
        if (!day.SlotInUse(s)) continue;
        RaRecord ra(day.raceTable.At(s));
        PastRunWindow window = MakePastRunWindow(ra.RaceDateNumber(), period, ignoreDates);
        std::string raceText = TrackName(ra.TrackCode()) + RightAlignNumber(ra.RaceNumberText());
        int c = day.RegisteredRunners(s);
        for (int k = 0; k < c; ++k) {
            SeRecord se(day.runnerTable.At(s, k));
            m.prgrsForm.label2 = raceText + "R/" + RightAlignNumber(se.HorseNumberText()) +
                                 std::string(Field(se.raw, se::kHorseShortName));
            m.prgrsForm.barPosition = s;
            shell.ui().ProcessEvents();

            ResetRunnerStats(day.raceAnalysis[s], k);
            std::string_view blood = se.BloodNumber();
            // Only the first 100 records of either file are ever read.
            if (!horses.Read(blood, kPastRunExtension, kPastRunsRead * kPastRunRecordSize, data))
                continue;
            // The prediction file matters only for a horse with past runs.
            bool havePredictions = data.size() >= kPastRunRecordSize &&
                                   horses.Read(blood, kPredictionExtension,
                                               kPredictionsRead * kPredictionRecordSize, yosData);
            if (havePredictions) predictions.Assign(yosData);
            TakePastRuns(day, s, k, data, window, havePredictions ? &predictions : nullptr);
        }
        ResetTallies(day.raceAnalysis[s]);
    }
}

bool LoadDayFiles(AppShell& shell, const std::string& stamp, const DayLoadOptions& options) {
    RaceDay& day = shell.day();
    MainFormState& m = shell.main();
    DayReader reader(shell.folder(), stamp);
    day.dayFiles = OnDiskSpelling(shell.folder(), DayFileNamesOf(stamp));

    std::string raData;
    if (!reader.Read(DayFileKind::RA, raData)) {
        shell.ui().Beep();
        shell.ui().Inform(stamp + MsgNoDay());
        m.datListItems.clear();
        m.datListIndex = -1;
        return false;
    }

    m.prgrsForm.Show(kProgressMax, MsgReading(), stamp);
    day.ClearRecords();
    if (!ReadRaces(shell, reader, raData, stamp)) return false;

    std::string hrData;
    if (reader.Read(DayFileKind::HR, hrData)) ReadPayouts(day, hrData);

    ListRaces(day, m);

    // Each odds file read once for all the slots, not six files opened and scanned per slot.
    OddsDayIndex odds(shell.folder());
    for (int s = 0; s < kMaxRaces; ++s) {
        day.ozRaceSlot = s;
        OzReadBtn(shell, odds);
    }

    for (int s = 0; s < kMaxRaces; ++s) {
        if (!day.SlotInUse(s)) continue;
        RaceAnalysis& a = day.raceAnalysis[s];
        SetPayoutResults(a, day.payoutTable.At(s));
        int c = day.RegisteredRunners(s);
        for (int k = 0; k < c; ++k) SetRunnerResult(a, k, day.runnerTable.At(s, k));
    }

    ReadPastRuns(shell, options.ignoreDates.value_or(m.n9Checked));
    m.prgrsForm.Close();
    return true;
}

}  // namespace

void IniBtn(AppShell& shell) { shell.day().Initialise(); }

bool LoadDay(AppShell& shell, const std::string& stamp, const DayLoadOptions& options) {
    MainFormState& m = shell.main();
    SettingsFile& settings = shell.settings();
    const bool today = stamp == TodayStamp(shell.clock());
    m.restTimeLabelVisible = today;
    m.restTimeLabel.clear();
    m.pageControl5Visible = false;
    IniBtn(shell);

    try {
        if (!LoadDayFiles(shell, stamp, options)) return false;
    } catch (const FileError& e) {
        m.prgrsForm.Close();
        m.datListItems.clear();
        m.datListIndex = -1;
        shell.ui().ShowError(SjisFromUtf8(e.what()) + ": " + SjisFromPath(e.path()));
        return false;
    }

    RaceDay& day = shell.day();
    SetScheduleTimes(day, ReadScheduleLeads(settings));

    int amount = std::max(100, settings.ReadInteger("KaimeSet", "DefaultAmount", 3000));
    m.raceAmount.assign(kMaxRaces, std::to_string(amount));

    int minutes = std::clamp(settings.ReadInteger("Time", "AutoRdataGet", 10), 0, 35791);
    m.timer4IntervalMs = minutes * 60000;

    if (today) {
        m.henkoJohoTimerEnabled = true;
        m.henkoAuto = true;
        KaisaiReadBtn(shell);
    }

    int lines = static_cast<int>(m.datListItems.size());
    if (lines > 0) {
        m.datListIndex = 0;
        SelectRace(shell, 0);
    }
    m.upDown1Max = std::max(0, lines - 1);
    m.upDown1Position = 0;

    if (options.compareAll.value_or(m.n19Checked)) CompareAllRaceBtn(shell);
    m.pageControl5Visible = true;
    return true;
}

bool DateComboChange(AppShell& shell, int index, const DayLoadOptions& options) {
    MainFormState& m = shell.main();
    if (index < 0 || index >= static_cast<int>(m.dateComboItems.size())) return false;
    m.dateComboIndex = index;
    return LoadDay(shell, m.dateComboItems[index], options);
}

}  // namespace sorvane
