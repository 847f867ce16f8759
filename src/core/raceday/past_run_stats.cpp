#include "raceday/past_run_stats.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <span>

#include "base/text_format.h"
#include "raceday/race_day.h"
#include "shell/time_text.h"

namespace sorvane {
namespace {

// A field of the record as a number: the all-digit fields of a sound record directly, any
// other text as ToInt reads it (blanks, a sign, or 0 for text that is no number).
int Number(const PastRunRecord& rec, FieldPos f) {
    std::string_view text = rec.At(f);
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return ToInt(text);
        n = n * 10 + (c - '0');
    }
    return text.empty() ? 0 : n;
}

bool IsTurf(int surface) { return surface >= 10 && surface <= 22; }
bool IsDirt(int surface) { return surface >= 23 && surface <= 29; }

void CountPlace(RaceAnalysis& a, RunCategory category, int runner, int place) {
    ++a.runRecord[static_cast<int>(category)][runner][place - 1];
}

// The run record of one kept past run: its place (4th or worse as 4) in the category of all
// runs and in each category it belongs to; unplaced runs count nowhere.
void CountRun(RaceAnalysis& a, int runner, const PastRunRecord& rec) {
    int place = std::min(Number(rec, pr::kFinishPosition), kPlaceCounts);
    if (place < 1) return;
    CountPlace(a, RunCategory::All, runner, place);
    int surface = Number(rec, pr::kTrackSurfaceCode);
    int going = Number(rec, pr::kTurfGoingCode) + Number(rec, pr::kDirtGoingCode);
    bool heavy = going == 3 || going == 4;
    if (IsTurf(surface)) {
        if (heavy) CountPlace(a, RunCategory::TurfHeavy, runner, place);
        CountPlace(a, RunCategory::Turf, runner, place);
    }
    if (IsDirt(surface)) {
        if (heavy) CountPlace(a, RunCategory::DirtHeavy, runner, place);
        CountPlace(a, RunCategory::Dirt, runner, place);
    }
    int distance = Number(rec, pr::kDistance);
    if (distance >= 1 && distance <= 1600) CountPlace(a, RunCategory::UpTo1600, runner, place);
    if (distance >= 1601 && distance <= 2200) CountPlace(a, RunCategory::UpTo2200, runner, place);
    if (distance >= 2201) CountPlace(a, RunCategory::Over2200, runner, place);
}

}  // namespace

PastRunWindow MakePastRunWindow(int raceDate, int period, bool ignoreDates) {
    PastRunWindow w;
    w.raceDate = raceDate;
    w.ignoreDates = ignoreDates;
    std::string date =
        Format("%04d/%02d/%02d", raceDate / 10000, raceDate / 100 % 100, raceDate % 100);
    std::string earliest = AddDays(date, -period);
    // AddDays refuses a text that is no date: nothing lies strictly between D and D.
    if (earliest.size() != 10) {
        w.earliest = raceDate;
        return w;
    }
    w.earliest = ToInt(earliest.substr(0, 4)) * 10000 + ToInt(earliest.substr(5, 2)) * 100 +
                 ToInt(earliest.substr(8, 2));
    return w;
}

int TakePastRuns(RaceDay& day, int race, int runner, std::string& fileData,
                 const PastRunWindow& window, const PredictionIndex* predictions) {
    const std::string_view bytes = fileData;
    size_t n = 0;
    while (n < kPastRunsRead && (n + 1) * kPastRunRecordSize <= bytes.size() &&
           IsWholePastRunRecord(bytes.substr(n * kPastRunRecordSize, kPastRunRecordSize)))
        ++n;
    RaceAnalysis& a = day.raceAnalysis[race];
    ResetRunnerStats(a, runner);
    int64_t prize = 0;
    int junto = 0;
    int uragiri = 0;
    std::array<uint32_t, kPastRunsRead> slots;  // byte offsets of the kept records
    size_t kept = 0;
    for (size_t i = n; i-- > 0;) {
        size_t at = i * kPastRunRecordSize;
        PastRunRecord rec(bytes.substr(at, kPastRunRecordSize));
        int date = Number(rec, pr::kDate);
        if (!window.Keeps(date)) continue;
        CountRun(a, runner, rec);
        prize += int64_t{Number(rec, pr::kPrizeMoney)} + Number(rec, pr::kAddedMoney);
        size_t slot = kept;
        slots[kept++] = static_cast<uint32_t>(at);
        if (predictions == nullptr || !IsAllDigits(rec.Date())) continue;
        int mark = predictions->MarkFor(date, rec.TrackCode());
        if (mark != 1 && mark != 2) continue;
        int position = Number(rec, pr::kFinishPosition);
        bool held = position >= 1 && position <= 3;
        ++(held ? junto : uragiri);
        day.pastRunMark[race][runner][slot] = held ? 1 : 2;
    }
    // The kept records stay where they are: the file's bytes become the runner's storage.
    day.pastRunTable.Adopt(race, runner, fileData, std::span(slots.data(), kept));
    // Prize money is in thousands of yen; a total past the 32-bit field is kept at its top.
    a.prizeTotal[runner] = static_cast<int32_t>(std::clamp<int64_t>(
        prize, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    a.juntoCount[runner] = junto;
    a.uragiriCount[runner] = uragiri;
    if (junto + uragiri >= 1)
        a.uragiriRate[runner] = static_cast<double>(uragiri) / (junto + uragiri);
    return static_cast<int>(kept);
}

}  // namespace sorvane
