#include "store/bulk_store.h"

#include <algorithm>
#include <cstring>

#include "base/sjis.h"
#include "shell/code_tables.h"
#include "store/day_stamp.h"
#include "store/past_run_file.h"
#include "store/pending_build.h"

namespace sorvane {
namespace {

constexpr int kFirstKeptTrack = 30;
constexpr int kLastKeptTrack = 57;

const std::string& OddsLabelPrefix(DayFileKind kind) {
    static const std::string p[6] = {Sj("単勝確定ｵｯｽﾞ:"),  Sj("馬連確定ｵｯｽﾞ:"),
                                     Sj("ﾜｲﾄﾞ確定ｵｯｽﾞ:"),  Sj("馬単確定ｵｯｽﾞ:"),
                                     Sj("3連複確定ｵｯｽﾞ:"), Sj("3連単確定ｵｯｽﾞ:")};
    return p[static_cast<size_t>(kind) - static_cast<size_t>(DayFileKind::O1)];
}

const std::string& LabelRace() {
    static const std::string s = Sj("開催:");
    return s;
}
const std::string& LabelRunner() {
    static const std::string s = Sj("馬毎:");
    return s;
}
const std::string& LabelPayout() {
    static const std::string s = Sj("払戻:");
    return s;
}

bool HasBreakOrNul(std::string_view rec) {
    return std::memchr(rec.data(), '\r', rec.size()) != nullptr ||
           std::memchr(rec.data(), '\n', rec.size()) != nullptr ||
           std::memchr(rec.data(), '\0', rec.size()) != nullptr;
}

bool IsOddsKind(DayFileKind k) { return k >= DayFileKind::O1; }

}  // namespace

const char* RejectReasonName(RejectReason r) {
    switch (r) {
        case RejectReason::None:
            return "none";
        case RejectReason::Damaged:
            return "damaged record";
        case RejectReason::TrackNotDigits:
            return "track code not digits";
        case RejectReason::DateNotDigits:
            return "race date not digits";
        case RejectReason::RaceAbove12:
            return "race number above 12";
        case RejectReason::HorseAbove18:
            return "horse number above 18";
        case RejectReason::BadBloodNumber:
            return "invalid blood registration number";
    }
    return "?";
}

int StoreTally::Stored() const {
    int n = 0;
    for (int s : stored) n += s;
    return n;
}

int StoreTally::Rejected() const {
    int n = 0;
    for (int r : rejected) n += r;
    return n;
}

void RecordFromLink(std::u16string_view u, std::string& out) { SjisFromUtf16(u, out); }

std::string RecordFromLink(std::u16string_view u) {
    std::string out;
    RecordFromLink(u, out);
    return out;
}

RecordStore::RecordStore(const ProgramFolder& folder, StoreOptions options)
    : folder_(folder),
      options_(options),
      store_(folder, options.writers, options.memoryBudget / 2) {}

StoreOutcome RecordStore::Count(StoreOutcome o, DayFileKind kind) {
    if (o.verdict == StoreVerdict::Stored) ++tally_.stored[static_cast<size_t>(kind)];
    if (o.verdict == StoreVerdict::Ignored) ++tally_.ignored;
    return o;
}

StoreOutcome RecordStore::Reject(RejectReason r) {
    ++tally_.rejected[static_cast<size_t>(r)];
    return {StoreVerdict::Rejected, r};
}

void RecordStore::Touch(const std::string& raFileName) { InsertSortedUnique(touched_, raFileName); }

StoreOutcome RecordStore::Put(std::string_view rec, std::string* label) {
    static constexpr StoreOutcome kIgnored{StoreVerdict::Ignored, RejectReason::None};
    static constexpr StoreOutcome kStored{StoreVerdict::Stored, RejectReason::None};
    rec = WithoutLineEnd(rec);
    RecordType type = RecordTypeOf(rec);
    auto kindOpt = DayFileKindOf(type);
    if (!kindOpt) {
        ++tally_.ignored;
        return kIgnored;
    }
    DayFileKind kind = *kindOpt;
    bool odds = IsOddsKind(kind);
    const StoreMode mode = options_.mode;
    if (mode == StoreMode::RealtimeOdds && !odds) return Count(kIgnored, kind);
    if (mode == StoreMode::RealtimeResults && odds) return Count(kIgnored, kind);
    if (mode == StoreMode::Bulk && odds && !options_.storeOdds) return Count(kIgnored, kind);

    if (rec.size() != LineLength(type) || HasBreakOrNul(rec)) return Reject(RejectReason::Damaged);
    RecordView v(rec);
    std::string_view trackCode = v.TrackCode();
    if (!IsNameTrack(trackCode)) return Reject(RejectReason::TrackNotDigits);
    int track = v.TrackNumber();
    if (track < kFirstKeptTrack || track > kLastKeptTrack) return Count(kIgnored, kind);
    std::string_view date = v.RaceDate();
    if (!IsNameDate(date)) return Reject(RejectReason::DateNotDigits);
    int race = v.RaceNumber();
    if (race <= 0) return Count(kIgnored, kind);
    if (race > kRunnerFileRaces) return Reject(RejectReason::RaceAbove12);

    // The date condition subtracts 10 from the 8-digit number, not from the date.
    bool dateOk = v.RaceDateNumber() >= options_.fromDate - 10;
    std::string stamp = DayStamp(date);

    if (odds) {
        std::string_view dk = v.DataKind();
        if (dk == "0" || dk == "9") return Count(kIgnored, kind);
        std::string name = DayFileName(kind, stamp);
        std::string line(rec);
        line.replace(2, 9, "000000000");
        store_.PutKeyed(name, std::move(line), KeyedRule{true, true});
        if (label) *label = OddsLabelPrefix(kind) + std::string(v.RaceNumberText()) + "R/" + name;
        MaybeFlushForBudget();
        return Count(kStored, kind);
    }

    if (kind == DayFileKind::RA) {
        if (mode == StoreMode::Bulk) {
            int runners = RaRecord(rec).RegisteredRunners();
            if (!dateOk || runners < 1 || runners > kHorsesPerRace) return Count(kIgnored, kind);
        }
        std::string name = DayFileName(kind, stamp);
        if (mode == StoreMode::RealtimeResults && !store_.Exists(name))
            return Count(kIgnored, kind);
        std::string line(rec);
        line.replace(3, 8, "00000000");
        if (mode == StoreMode::Bulk)
            store_.PutKeyed(name, std::move(line), KeyedRule{true, false});
        else
            store_.PutKeyed(name, std::move(line), KeyedRule{false, true});
        if (v.DataKind() == "7") Touch(name);
        if (label)
            *label =
                LabelRace() + stamp + TrackName(trackCode) + std::string(v.RaceNumberText()) + "R";
        MaybeFlushForBudget();
        return Count(kStored, kind);
    }

    if (kind == DayFileKind::HR) {
        if (mode == StoreMode::Bulk && !dateOk) return Count(kIgnored, kind);
        std::string name = DayFileName(kind, stamp);
        std::string line(rec);
        if (mode == StoreMode::Bulk) {
            line.replace(3, 8, "00000000");
            store_.PutKeyed(name, std::move(line), KeyedRule{true, false});
        } else {
            // The result store keeps the creation date as delivered and does not sort.
            store_.PutKeyed(name, std::move(line), KeyedRule{false, false});
        }
        if (label)
            *label = LabelPayout() + stamp + TrackName(trackCode) +
                     std::string(v.RaceNumberText()) + "R";
        MaybeFlushForBudget();
        return Count(kStored, kind);
    }

    // SE
    SeRecord se(rec);
    if (mode == StoreMode::Bulk && !dateOk) return Count(kIgnored, kind);
    int horse = se.HorseNumber();
    if (horse < 1) return Count(kIgnored, kind);
    if (horse > kHorsesPerRace) return Reject(RejectReason::HorseAbove18);
    if (!IsValidBloodNumber(se.BloodNumber())) return Reject(RejectReason::BadBloodNumber);
    std::string trackName = TrackName(trackCode);
    std::string name = DayFileName(kind, stamp, trackName);
    if (mode == StoreMode::RealtimeResults && !store_.Exists(name)) return Count(kIgnored, kind);
    store_.PutRunner(name, RunnerSlot(race, horse), std::string(rec));
    if (label)
        *label = LabelRunner() + trackName + std::string(v.RaceNumberText()) + "R/" +
                 CircledNumber(horse) + std::string(se.HorseName());
    MaybeFlushForBudget();
    return Count(kStored, kind);
}

void RecordStore::MaybeFlushForBudget() {
    if (store_.BytesHeld() + store_.BytesQueued() <= options_.memoryBudget) return;
    Flush();
    store_.Drop();
}

void RecordStore::Flush() {
    AddFreshToPending();
    store_.Flush();
}

void RecordStore::StartFlush() {
    AddFreshToPending();
    store_.StartFlush();
}

// Written at once, before any day file of the flush is queued: the pending list must name a
// day before its final results reach the disk.
void RecordStore::AddFreshToPending() {
    std::vector<std::string> fresh;
    for (const auto& d : touched_)
        if (!std::binary_search(
                journaled_.begin(), journaled_.end(), d,
                [](const std::string& a, const std::string& b) { return LineLess(a, b); }))
            fresh.push_back(d);
    if (!fresh.empty()) {
        AddPendingBuild(folder_, fresh);
        for (const auto& d : fresh) InsertSortedUnique(journaled_, d);
    }
}

}  // namespace sorvane
