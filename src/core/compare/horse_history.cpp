#include "compare/horse_history.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/fields.h"
#include "compare/compare_rules.h"
#include "compare/margin_order.h"
#include "store/past_run_file.h"

namespace sorvane {
namespace {

// ToInt of a field, quicker for the usual all-digit text (same result for any text).
int FieldNumber(std::string_view t) {
    int v = 0;
    for (char c : t) {
        unsigned d = static_cast<unsigned>(c - '0');
        if (d > 9) return ToInt(t);
        v = v * 10 + static_cast<int>(d);
    }
    return t.empty() ? 0 : v;
}

// TimeTenths with FieldNumber.
int Tenths(std::string_view t) {
    if (t.empty()) return 0;
    return FieldNumber(t.substr(0, 1)) * 600 + FieldNumber(t.substr(1, 3));
}

// Tenths of a 4-byte time field in place: the usual four digits read as one word, anything
// else the slow way (same result for any bytes).
int Tenths4(const char* p) {
    uint32_t w;
    std::memcpy(&w, p, 4);
    // Every byte 0x30..0x39: high nibble 3, and adding 6 leaves it 3 (no byte carries).
    if ((w & 0xF0F0F0F0u) == 0x30303030u && ((w + 0x06060606u) & 0xF0F0F0F0u) == 0x30303030u) {
        const auto d = [p](int i) { return static_cast<unsigned char>(p[i]) - '0'; };
        return d(0) * 600 + d(1) * 100 + d(2) * 10 + d(3);
    }
    return Tenths(std::string_view(p, 4));
}

}  // namespace

NameTable::NameTable() : slots_(1024) {}

NameTable::Key NameTable::PaddedKey(std::string_view name) {
    Key k;
    if (name.size() >= k.size()) {
        std::memcpy(k.data(), name.data(), k.size());
        return k;
    }
    k.fill(' ');
    std::memcpy(k.data(), name.data(), name.size());
    return k;
}

namespace {

// Two keys equal, in three loads each (a call to memcmp costs more than the comparison).
bool SameKey(const NameTable::Key& x, const NameTable::Key& y) {
    uint64_t a[2], b[2];
    uint16_t c, d;
    std::memcpy(a, x.data(), 16);
    std::memcpy(b, y.data(), 16);
    std::memcpy(&c, x.data() + 16, 2);
    std::memcpy(&d, y.data() + 16, 2);
    return ((a[0] ^ b[0]) | (a[1] ^ b[1]) | static_cast<uint64_t>(c ^ d)) == 0;
}

}  // namespace

uint64_t NameTable::Hash(const Key& k) {
    uint64_t a, b;
    uint16_t c;
    std::memcpy(&a, k.data(), 8);
    std::memcpy(&b, k.data() + 8, 8);
    std::memcpy(&c, k.data() + 16, 2);
    uint64_t h = a * 0x9E3779B97F4A7C15ull ^ (b + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
    h ^= c;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return h;
}

size_t NameTable::Slot(const Key& k) const {
    size_t mask = slots_.size() - 1;
    size_t i = Hash(k) & mask;
    while (slots_[i].id >= 0 && !SameKey(slots_[i].key, k)) i = (i + 1) & mask;
    return i;
}

void NameTable::Grow() {
    std::vector<SlotEntry> old(slots_.size() * 2);
    slots_.swap(old);
    for (size_t id = 0; id < keys_.size(); ++id)
        slots_[Slot(keys_[id])] = {keys_[id], static_cast<int>(id)};
}

int NameTable::Intern(std::string_view name18) {
    if (name18.empty() ||
        (static_cast<unsigned char>(name18[0]) <= 0x20 && TrimName(name18).empty()))
        return kNoName;
    Key k = PaddedKey(name18);
    size_t i = Slot(k);
    if (slots_[i].id >= 0) return slots_[i].id;
    int id = static_cast<int>(keys_.size());
    keys_.push_back(k);
    slots_[i] = {k, id};
    if (keys_.size() * 2 > slots_.size()) Grow();
    return id;
}

void NameTable::Clear() {
    // Every key's slot is found before any is emptied: emptying one would cut the probe
    // chains of the others.
    used_.clear();
    for (const Key& k : keys_) used_.push_back(Slot(k));
    for (size_t i : used_) slots_[i].id = -1;
    keys_.clear();
}

int NameTable::Find(std::string_view name18) const {
    if (TrimName(name18).empty()) return kNoName;
    size_t i = Slot(PaddedKey(name18));
    return slots_[i].id;
}

const NameGroup* DayGroups::Find(int name) const {
    auto it = std::lower_bound(groups.begin(), groups.end(), name,
                               [](const NameGroup& g, int n) { return g.name < n; });
    return it != groups.end() && it->name == name ? &*it : nullptr;
}

HorseHistory::HorseHistory(const ProgramFolder& folder, std::string_view blood, NameTable& names,
                           FileBuffer& buffer, std::pmr::memory_resource* memory)
    : localKeys_(memory), runs_(memory), entries_(memory), ownRuns_(memory) {
    Read(folder, blood, names, buffer);
}

HorseHistory::HorseHistory(const ProgramFolder& folder, std::string_view blood, Unbound names,
                           FileBuffer& buffer, std::pmr::memory_resource* memory)
    : bound_(false), localKeys_(memory), runs_(memory), entries_(memory), ownRuns_(memory) {
    names.local.Clear();
    Read(folder, blood, names.local, buffer);
    localKeys_.assign(names.local.Keys().begin(), names.local.Keys().end());
}

void HorseHistory::Bind(NameTable& names) {
    if (bound_) return;
    // The local ids are in order of first appearance, so interning them in that order gives
    // every new name the id reading with `names` would have given it.
    std::vector<int> id(localKeys_.size());
    for (size_t i = 0; i < id.size(); ++i)
        id[i] = names.Intern(std::string_view(localKeys_[i].data(), NameTable::kKeyLength));
    for (HistoryEntry& e : entries_)
        if (e.name != NameTable::kNoName) e.name = id[static_cast<size_t>(e.name)];
    if (ownName_ != NameTable::kNoName) ownName_ = id[static_cast<size_t>(ownName_)];
    if (day_) {
        for (NameGroup& g : day_->groups) g.name = id[static_cast<size_t>(g.name)];
        std::sort(day_->groups.begin(), day_->groups.end(),
                  [](const NameGroup& x, const NameGroup& y) { return x.name < y.name; });
    }
    bound_ = true;
    localKeys_ = {};
}

void HorseHistory::Read(const ProgramFolder& folder, std::string_view blood, NameTable& names,
                        FileBuffer& buffer) {
    PastRunFile file;
    found_ = file.Load(folder, blood, buffer);
    // The records first, so that the entries get exactly their room: the memory may be a
    // monotonic one, where a vector that grows leaves its old block unused.
    runs_.resize(file.Count());
    size_t entries = 0;
    for (size_t n = 0; n < file.Count(); ++n) {
        PastRunRecord r = file.Record(n);
        HistoryRun& run = runs_[n];
        run.date = StrictDate(r.Date());
        run.runners = FieldNumber(r.At(pr::kRegisteredRunners));
        run.position = FieldNumber(r.At(pr::kFinishPosition));
        run.usable = run.date >= 0 && run.runners <= pr::kFieldEntries;
        run.firstEntry = static_cast<int>(entries);
        if (run.usable && run.runners > 0) {
            run.entryCount = run.runners;
            entries += static_cast<size_t>(run.runners);
        }
    }
    entries_.reserve(entries);
    for (size_t n = 0; n < file.Count(); ++n) {
        const HistoryRun& run = runs_[n];
        if (run.entryCount == 0) continue;
        PastRunRecord r = file.Record(n);
        int ownTime = Tenths(r.FinishTime());
        int ownWeight = FieldNumber(r.At(pr::kCarriedWeight));
        // A whole record holds all 18 entries: their fields are read in place.
        const char* field = r.raw.data() + pr::kFieldBlockOffset;
        for (int k = 0; k < run.entryCount; ++k) {
            const char* e = field + static_cast<size_t>(k) * pr::kFieldEntrySize;
            HistoryEntry h;
            h.name =
                names.Intern(std::string_view(e + pr::kEntryName.offset, pr::kEntryName.width));
            h.run = static_cast<int>(n);
            static_assert(pr::kEntryTime.width == 4);
            int oppTime = Tenths4(e + pr::kEntryTime.offset);
            h.timed = ownTime != 0 && oppTime != 0;
            if (h.timed)
                h.corrected =
                    CorrectedMargin(ownTime, oppTime, ownWeight,
                                    FieldNumber(std::string_view(e + pr::kEntryWeight.offset,
                                                                 pr::kEntryWeight.width)));
            entries_.push_back(h);
        }
    }
}

bool HorseHistory::Contains(const HistoryRun& run, int name) const {
    if (name == NameTable::kNoName) return false;
    for (int i = 0; i < run.entryCount; ++i)
        if (entries_[static_cast<size_t>(run.firstEntry + i)].name == name) return true;
    return false;
}

void HorseHistory::NoteOwnName(std::string_view nameKey, const NameTable& names) {
    if (ownNoted_) return;
    ownNoted_ = true;
    int name = NameTable::kNoName;
    if (bound_) {
        name = names.Find(nameKey);
    } else {
        // A blank name is never among the keys.
        const NameTable::Key key = NameTable::PaddedKey(nameKey);
        for (size_t i = 0; i < localKeys_.size() && name == NameTable::kNoName; ++i)
            if (localKeys_[i] == key) name = static_cast<int>(i);
    }
    if (name == NameTable::kNoName) return;
    ownName_ = name;
    ownRuns_.assign(runs_.size(), 0);
    ownEverywhere_ = true;
    for (size_t i = 0; i < runs_.size(); ++i) {
        ownRuns_[i] = Contains(runs_[i], name);
        if (runs_[i].entryCount > 0 && !ownRuns_[i]) ownEverywhere_ = false;
    }
}

namespace {

// Names with a bit in the race masks: the first met in the file.
constexpr int kMaskBits = 64;

// How many of v[0, n) come before v[i] in sorted order, ties in file order: those below it,
// and those equal to it before i. Two at a time where there is SSE2.
int RankOf(const double* v, int n, int i) {
    const double x = v[i];
    int rank = 0;
    int j = 0;
#if defined(__SSE2__)
    const __m128d at = _mm_set1_pd(x);
    __m128i below = _mm_setzero_si128();
    for (; j + 2 <= n; j += 2)
        below = _mm_sub_epi64(below, _mm_castpd_si128(_mm_cmplt_pd(_mm_loadu_pd(v + j), at)));
    __m128i equal = _mm_setzero_si128();
    int k = 0;
    for (; k + 2 <= i; k += 2)
        equal = _mm_sub_epi64(equal, _mm_castpd_si128(_mm_cmpeq_pd(_mm_loadu_pd(v + k), at)));
    const __m128i sum = _mm_add_epi64(below, equal);
    rank =
        static_cast<int>(_mm_cvtsi128_si64(sum) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(sum, sum)));
    for (; k < i; ++k) rank += v[k] == x;
#else
    for (int k = 0; k < i; ++k) rank += v[k] == x;
#endif
    for (; j < n; ++j) rank += v[j] < x;
    return rank;
}

// Sorts the timed margins v[0, n) of a group with their records. A group holds tens of
// entries, where placing each by its rank (how many come before it, ties in file order) is
// free of the mispredicted branches of an insertion; long ones are sorted the usual way.
void SortTimed(double* v, int* run, int n, std::vector<std::pair<double, int>>& scratch) {
    if (n < 2) return;
    scratch.resize(static_cast<size_t>(n));
    if (n <= 64) {
        for (int i = 0; i < n; ++i) scratch[static_cast<size_t>(RankOf(v, n, i))] = {v[i], run[i]};
    } else {
        for (int i = 0; i < n; ++i) scratch[static_cast<size_t>(i)] = {v[i], run[i]};
        std::stable_sort(scratch.begin(), scratch.end(),
                         [](const auto& x, const auto& y) { return x.first < y.first; });
    }
    for (int i = 0; i < n; ++i) {
        v[i] = scratch[static_cast<size_t>(i)].first;
        run[i] = scratch[static_cast<size_t>(i)].second;
    }
}

}  // namespace

const DayGroups& HorseHistory::Groups(int raceDate, std::vector<int>& scratch,
                                      std::pmr::memory_resource* memory) {
    if (day_ && day_->raceDate == raceDate) return *day_;
    DayGroups d(memory);
    d.raceDate = raceDate;
    // Per name, in the order first met, the sizes of its group: the file played through once,
    // so that the second pass can put every entry straight into its place.
    struct Tally {
        int name;
        int count = 0;
        int timed = 0;
        int fixed = 0;  // untimed after a timed one
        int lead = 0;   // untimed before any timed one
        int group = 0;  // its place among the groups, by name id
    };
    std::vector<Tally> tally;
    tally.reserve(64);
    for (const HistoryRun& run : runs_) {
        if (!run.Qualifies(raceDate)) continue;
        for (int i = 0; i < run.entryCount; ++i) {
            const HistoryEntry& e = entries_[static_cast<size_t>(run.firstEntry + i)];
            if (e.name == NameTable::kNoName) continue;
            int& g = scratch[static_cast<size_t>(e.name)];
            if (g < 0) {
                g = static_cast<int>(tally.size());
                tally.push_back({e.name});
            }
            Tally& t = tally[static_cast<size_t>(g)];
            ++t.count;
            if (e.timed)
                ++t.timed;
            else if (t.timed > 0)
                ++t.fixed;
            else
                ++t.lead;
        }
    }
    // Groups by name id.
    std::vector<int> byName(tally.size());
    for (size_t i = 0; i < byName.size(); ++i) byName[i] = static_cast<int>(i);
    std::sort(byName.begin(), byName.end(), [&](int x, int y) {
        return tally[static_cast<size_t>(x)].name < tally[static_cast<size_t>(y)].name;
    });
    d.groups.resize(tally.size());
    int seqAt = 0;
    int timedAt = 0;
    int fixedAt = 0;
    for (size_t i = 0; i < byName.size(); ++i) {
        Tally& t = tally[static_cast<size_t>(byName[i])];
        t.group = static_cast<int>(i);
        NameGroup& g = d.groups[i];
        g.name = t.name;
        g.seqBegin = seqAt;
        g.timedBegin = timedAt;
        g.fixedBegin = fixedAt;
        g.lead = t.lead;
        g.anyTimed = t.timed > 0;
        g.anyUntimed = t.count > t.timed;
        g.maskBit = byName[i] < kMaskBits ? byName[i] : -1;
        seqAt += t.count;
        timedAt += t.timed;
        fixedAt += t.fixed;
    }
    d.seq.resize(static_cast<size_t>(seqAt));
    d.seqRun.resize(static_cast<size_t>(seqAt));
    d.timedValue.resize(static_cast<size_t>(timedAt));
    d.timedRun.resize(static_cast<size_t>(timedAt));
    d.fixedValue.resize(static_cast<size_t>(fixedAt));
    // Every entry into its group in file and field order; the lengths count what is placed.
    std::vector<uint64_t> raceMask(runs_.size(), 0);
    for (size_t r = 0; r < runs_.size(); ++r) {
        const HistoryRun& run = runs_[r];
        if (!run.Qualifies(raceDate)) continue;
        uint64_t mask = 0;
        for (int i = 0; i < run.entryCount; ++i) {
            const int e = run.firstEntry + i;
            const HistoryEntry& h = entries_[static_cast<size_t>(e)];
            if (h.name == NameTable::kNoName) continue;
            const int first = scratch[static_cast<size_t>(h.name)];  // order first met
            if (first < kMaskBits) mask |= uint64_t{1} << first;
            NameGroup& g = d.groups[static_cast<size_t>(tally[static_cast<size_t>(first)].group)];
            const size_t at = static_cast<size_t>(g.seqBegin + g.seqLen++);
            d.seq[at] = e;
            d.seqRun[at] = static_cast<int>(r);
            if (h.timed) {
                const size_t t = static_cast<size_t>(g.timedBegin + g.timedLen++);
                d.timedValue[t] = h.corrected;
                d.timedRun[t] = h.run;
                g.lastTimed = h.corrected;
            } else if (g.timedLen > 0) {
                // Takes the last timed margin before it.
                d.fixedValue[static_cast<size_t>(g.fixedBegin + g.fixedLen++)] = g.lastTimed;
            }
        }
        raceMask[r] = mask;
    }
    for (const Tally& t : tally) scratch[static_cast<size_t>(t.name)] = -1;
    // Short lists are only ever compared pair by pair, in any order, so only long ones are
    // sorted (most groups are short).
    std::vector<std::pair<double, int>> sortScratch;
    for (const NameGroup& g : d.groups)
        if (g.timedLen > kUnsortedMax)
            SortTimed(d.timedValue.data() + g.timedBegin, d.timedRun.data() + g.timedBegin,
                      g.timedLen, sortScratch);
    d.timedMask.resize(d.timedRun.size());
    for (size_t t = 0; t < d.timedRun.size(); ++t)
        d.timedMask[t] = raceMask[static_cast<size_t>(d.timedRun[t])];
    day_.reset();
    day_.emplace(std::move(d));  // moved with its memory
    return *day_;
}

}  // namespace sorvane
