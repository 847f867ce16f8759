#include "compare/search2ba.h"

#include <algorithm>
#include <vector>

#include "raceday/race_day.h"
#include "shell/app_shell.h"
#include "shell/code_tables.h"
#include "store/records.h"

namespace sorvane {
namespace {

constexpr auto kPumpInterval = std::chrono::milliseconds(50);

bool Comparable(const PairArgs& p, const std::string& keyA, const std::string& keyB) {
    return !TrimName(p.nameA).empty() && !TrimName(p.nameB).empty() && keyA != keyB;
}

bool ValidSlots(const PairArgs& p) {
    return p.race >= 0 && p.race < kMaxRaces && p.pair >= 1 && p.pair <= kMaxPairs &&
           p.horseA >= 1 && p.horseA <= kMaxRunners && p.horseB >= 1 && p.horseB <= kMaxRunners;
}

// How many of the sorted values v[0, n) are below x (or not above it, with orEqual).
int CountBelow(const double* v, int n, double x, bool orEqual) {
    return static_cast<int>(
        (orEqual ? std::upper_bound(v, v + n, x) : std::lower_bound(v, v + n, x)) - v);
}

// Adds the counts of every entry of A (comparison margins a[0, an), sorted) against every
// value of B (comparison margins e[0, en), sorted): two merges, one for "B below A" and one
// for "B not above A".
void CountSorted(const double* a, int an, const double* e, int en, PairCounts& c) {
    const int negB = CountBelow(e, en, 0.0, false);
    const int negA = CountBelow(a, an, 0.0, false);
    // Branch-free merges: a mispredicted branch costs more than the comparison. The two
    // merges run interleaved while both have entries left, so that their dependency chains
    // (load, compare, index) overlap instead of following each other.
    long below = 0;
    long notAbove = 0;
    int i1 = 0;
    int j1 = 0;
    int i2 = 0;
    int j2 = 0;
    while (i1 < an && j1 < en && i2 < an && j2 < en) {
        const bool f1 = e[j1] < a[i1];
        below += f1 ? 0 : j1;
        j1 += f1;
        i1 += !f1;
        const bool f2 = e[j2] <= a[i2];
        notAbove += f2 ? 0 : j2;
        j2 += f2;
        i2 += !f2;
    }
    while (i1 < an && j1 < en) {
        const bool f1 = e[j1] < a[i1];
        below += f1 ? 0 : j1;
        j1 += f1;
        i1 += !f1;
    }
    below += static_cast<long>(an - i1) * j1;
    while (i2 < an && j2 < en) {
        const bool f2 = e[j2] <= a[i2];
        notAbove += f2 ? 0 : j2;
        j2 += f2;
        i2 += !f2;
    }
    notAbove += static_cast<long>(an - i2) * j2;
    c.ptA += static_cast<int>(below);
    c.ptB += static_cast<int>(static_cast<long>(an) * en - notAbove);
    c.dokuPtA += (an - negA) * negB;
    c.dokuPtB += negA * (en - negB);
}

// The margins v[0, n) moved by -shift into out, less those whose record runs[i] is marked
// in met when filtered; how many were written. The order is kept, so sorted stays sorted.
int ShiftedMargins(const double* v, const int* runs, int n, double shift, bool filtered,
                   const std::vector<uint8_t>& met, double* out) {
    if (!filtered) {
        for (int i = 0; i < n; ++i) out[i] = v[i] - shift;
        return n;
    }
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        out[kept] = v[i] - shift;
        kept += !met[static_cast<size_t>(runs[i])];
    }
    return kept;
}

void CountOne(double hiA, double hiB, int times, PairCounts& c) {
    InstanceOutcome o = OutcomeOf(hiA, hiB);
    c.ptA += o.ptA * times;
    c.ptB += o.ptB * times;
    c.dokuPtA += o.dokuPtA * times;
    c.dokuPtB += o.dokuPtB * times;
}

}  // namespace

CompareEngine::CompareEngine(AppShell& shell)
    : shell_(shell), lastPump_(std::chrono::steady_clock::now()) {}
CompareEngine::~CompareEngine() = default;

HorseHistory& CompareEngine::History(const std::string& blood) {
    auto& slot = histories_[blood];
    if (!slot) slot = std::make_unique<HorseHistory>(shell_.folder(), blood, names_);
    return *slot;
}

const DayGroups& CompareEngine::Groups(HorseHistory& h, int raceDate) {
    if (groupScratch_.size() < static_cast<size_t>(names_.Size()))
        groupScratch_.resize(static_cast<size_t>(names_.Size()), -1);
    return h.Groups(raceDate, groupScratch_);
}

void CompareEngine::ShowPair(const std::string& keyA, const std::string& keyB) {
    if (labelSink_) labelSink_(keyA + "vs" + keyB);
    Pump();
}

void CompareEngine::Pump() {
    auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ < kPumpInterval) return;
    lastPump_ = now;
    shell_.ui().ProcessEvents();
}

void CompareEngine::MarkMeetings(HorseHistory& h, const DayGroups& g, int name, int other,
                                 std::vector<uint8_t>& met, std::vector<uint32_t>& dirty,
                                 std::vector<int>& marked) {
    met.resize(h.Runs().size());
    marked.clear();
    const NameGroup* group = name == NameTable::kNoName ? nullptr : g.Find(name);
    if (!group) return;
    for (int i = 0; i < group->seqLen; ++i) {
        int run = h.Entry(g.seq[static_cast<size_t>(group->seqBegin + i)]).run;
        const HistoryRun& r = h.Runs()[static_cast<size_t>(run)];
        if (met[static_cast<size_t>(run)] || !h.Contains(r, other)) continue;
        met[static_cast<size_t>(run)] = 1;
        marked.push_back(run);
        for (int k = 0; k < r.entryCount; ++k) {
            int n = h.Entry(r.firstEntry + k).name;
            if (n != NameTable::kNoName) dirty[static_cast<size_t>(n)] = stamp_;
        }
    }
}

void CompareEngine::MakeList(const HorseHistory& b, const DayGroups& gb, const NameGroup& xb,
                             double shiftB, OpponentList& l) {
    l = OpponentList{};
    l.group = &xb;
    l.filtered = dirtyB_[static_cast<size_t>(xb.name)] == stamp_;
    // The timed margins, moved to today's weights; dropping entries keeps them sorted.
    l.timedAt = poolTimed_.size();
    poolTimed_.resize(l.timedAt + static_cast<size_t>(xb.timedLen));
    const size_t from = static_cast<size_t>(xb.timedBegin);
    const int kept =
        ShiftedMargins(gb.timedValue.data() + from, gb.timedRun.data() + from, xb.timedLen, shiftB,
                       l.filtered, metB_, poolTimed_.data() + l.timedAt);
    poolTimed_.resize(l.timedAt + static_cast<size_t>(kept));
    l.timedLen = static_cast<int>(poolTimed_.size() - l.timedAt);
    l.fixedAt = poolFixed_.size();
    if (xb.anyUntimed && !l.filtered) {
        l.lead = xb.lead;
        for (int i = 0; i < xb.fixedLen; ++i)
            poolFixed_.push_back(gb.fixedValue[static_cast<size_t>(xb.fixedBegin + i)] - shiftB);
    } else if (xb.anyUntimed) {
        bool timed = false;
        double last = 0;
        for (int i = 0; i < xb.seqLen; ++i) {
            const HistoryEntry& y = b.Entry(gb.seq[static_cast<size_t>(xb.seqBegin + i)]);
            if (metB_[static_cast<size_t>(y.run)]) continue;
            if (y.timed) {
                timed = true;
                last = y.corrected;
            } else if (timed) {
                poolFixed_.push_back(last - shiftB);
            } else {
                ++l.lead;
            }
        }
    }
    l.fixedLen = static_cast<int>(poolFixed_.size() - l.fixedAt);
    l.instances = l.timedLen + l.fixedLen + l.lead;
}

double CompareEngine::ListEnd(const HorseHistory& b, const DayGroups& gb, const OpponentList& l,
                              double shiftB, double carried) const {
    const NameGroup& xb = *l.group;
    if (!l.filtered) return xb.anyTimed ? xb.lastTimed - shiftB : carried;
    for (int i = xb.seqLen - 1; i >= 0; --i) {
        const HistoryEntry& y = b.Entry(gb.seq[static_cast<size_t>(xb.seqBegin + i)]);
        if (!metB_[static_cast<size_t>(y.run)] && y.timed) return y.corrected - shiftB;
    }
    return carried;
}

// The instances are taken in the order RA, k, RB, j, and a side without both times keeps
// the comparison margin of the instance before, so the numbers are those of that order.
// They are found per common opponent X instead: every entry of A against X meets B's whole
// list for X, so where no margin is carried the counts of X follow from the sorted margins
// of both lists. Only entries whose margins depend on the instance before (an untimed entry
// of A, or a list of B that starts untimed) are counted in a walk in the order above.
void CompareEngine::Search2Ba(const PairArgs& p) {
    std::string keyA = NameKey(p.nameA);
    std::string keyB = NameKey(p.nameB);
    ShowPair(keyA, keyB);
    if (!ValidSlots(p) || !Comparable(p, keyA, keyB) || !(p.weightA > 0) || !(p.weightB > 0))
        return;
    HorseHistory& a = History(p.idA);
    HorseHistory& b = History(p.idB);
    if (!a.Found() || !b.Found()) return;
    const int idA = names_.Find(keyA);
    const int idB = names_.Find(keyB);
    const int raceDate = RaceDateOf(shell_.day(), p.race);
    const DayGroups& ga = Groups(a, raceDate);
    const DayGroups& gb = Groups(b, raceDate);

    ++stamp_;
    size_t names = static_cast<size_t>(names_.Size());
    if (dirtyA_.size() < names) {
        dirtyA_.resize(names);
        dirtyB_.resize(names);
        groupOfB_.resize(names);
        lists_.resize(names);
    }
    for (size_t i = 0; i < gb.groups.size(); ++i)
        groupOfB_[static_cast<size_t>(gb.groups[i].name)] = {stamp_, static_cast<int>(i)};
    // Races of A and B are no common-opponent races, in either file.
    MarkMeetings(a, ga, idB, idA, metA_, dirtyA_, markedA_);
    MarkMeetings(b, gb, idA, idB, metB_, dirtyB_, markedB_);

    const double shiftA = (p.weightB - p.weightA) * 0.2;
    const double shiftB = (p.weightA - p.weightB) * 0.2;
    PairCounts c;
    bool walk = false;
    poolTimed_.clear();
    poolFixed_.clear();
    poolTimed_.reserve(gb.timedValue.size());
    poolFixed_.reserve(gb.seq.size());
    for (const NameGroup& xa : ga.groups) {
        const int x = xa.name;
        if (x == idA || x == idB) continue;
        const auto& [stamp, gi] = groupOfB_[static_cast<size_t>(x)];
        if (stamp != stamp_) continue;
        OpponentList& l = lists_[static_cast<size_t>(x)];
        MakeList(b, gb, gb.groups[static_cast<size_t>(gi)], shiftB, l);
        if (l.instances == 0) continue;
        l.stamp = stamp_;
        if (xa.anyUntimed) walk = true;  // untimed entries of A are counted in the walk
        if (l.lead > 0) {
            walk = true;  // so is every entry of A against a list that starts untimed
            continue;
        }
        // A's timed entries against X, moved to today's weights, in order.
        const bool filtered = dirtyA_[static_cast<size_t>(x)] == stamp_;
        poolA_.resize(static_cast<size_t>(xa.timedLen));
        const size_t from = static_cast<size_t>(xa.timedBegin);
        const int kept = ShiftedMargins(ga.timedValue.data() + from, ga.timedRun.data() + from,
                                        xa.timedLen, shiftA, filtered, metA_, poolA_.data());
        poolA_.resize(static_cast<size_t>(kept));
        const int an = static_cast<int>(poolA_.size());
        c.instances += an * l.instances;
        CountSorted(poolA_.data(), an, poolTimed_.data() + l.timedAt, l.timedLen, c);
        for (int f = 0; f < l.fixedLen; ++f)
            for (double hiA : poolA_)
                CountOne(hiA, poolFixed_[l.fixedAt + static_cast<size_t>(f)], 1, c);
    }

    if (walk) {
        // The carried margins, through every instance in order; counted here are only the
        // entries left out above.
        double hiA = 0;
        double hiB = 0;
        for (size_t ra = 0; ra < a.Runs().size(); ++ra) {
            const HistoryRun& run = a.Runs()[ra];
            if (!run.Qualifies(raceDate) || run.entryCount < 1 || metA_[ra]) continue;
            for (int k = 0; k < run.entryCount; ++k) {
                const HistoryEntry& x = a.Entry(run.firstEntry + k);
                if (x.name == NameTable::kNoName || x.name == idA || x.name == idB) continue;
                const OpponentList& l = lists_[static_cast<size_t>(x.name)];
                if (l.stamp != stamp_) continue;
                if (x.timed) hiA = x.corrected - shiftA;
                const double carried = hiB;
                if (!x.timed || l.lead > 0) {
                    const double* t = poolTimed_.data() + l.timedAt;
                    int below = CountBelow(t, l.timedLen, hiA, false);
                    int notAbove = CountBelow(t, l.timedLen, hiA, true);
                    int neg = CountBelow(t, l.timedLen, 0.0, false);
                    c.instances += l.instances;
                    c.ptA += below;
                    c.ptB += l.timedLen - notAbove;
                    if (hiA >= 0)
                        c.dokuPtA += neg;
                    else
                        c.dokuPtB += l.timedLen - neg;
                    for (int f = 0; f < l.fixedLen; ++f)
                        CountOne(hiA, poolFixed_[l.fixedAt + static_cast<size_t>(f)], 1, c);
                    CountOne(hiA, carried, l.lead, c);
                }
                hiB = ListEnd(b, gb, l, shiftB, carried);
            }
        }
    }
    for (int run : markedA_) metA_[static_cast<size_t>(run)] = 0;
    for (int run : markedB_) metB_[static_cast<size_t>(run)] = 0;
    last_ = c;

    RaceAnalysis& an = shell_.day().raceAnalysis[static_cast<size_t>(p.race)];
    const size_t pi = static_cast<size_t>(p.pair - 1);
    const size_t ha = static_cast<size_t>(p.horseA - 1);
    const size_t hb = static_cast<size_t>(p.horseB - 1);
    const int soA = c.ptA + c.dokuPtA;
    const int soB = c.ptB + c.dokuPtB;
    an.pairCount[pi] = c.instances;
    an.pairPtA[pi] = c.ptA;
    an.pairPtB[pi] = c.ptB;
    an.pairDokuPtA[pi] = c.dokuPtA;
    an.pairDokuPtB[pi] = c.dokuPtB;
    an.pairSoPtA[pi] = soA;
    an.pairSoPtB[pi] = soB;
    if (soA > soB) {
        ++an.wins[ha];
        ++an.pairWinA[pi];
        ++an.losses[hb];
    } else if (soB > soA) {
        ++an.wins[hb];
        ++an.pairWinB[pi];
        ++an.losses[ha];
    }
    an.winPt[ha] += soA;
    an.lossPt[hb] += soA;
    an.winPt[hb] += soB;
    an.lossPt[ha] += soB;
}

void CompareEngine::Search2BaDirect(const PairArgs& p) {
    std::string keyA = NameKey(p.nameA);
    std::string keyB = NameKey(p.nameB);
    ShowPair(keyA, keyB);
    if (!ValidSlots(p) || !Comparable(p, keyA, keyB)) return;
    HorseHistory& a = History(p.idA);
    if (!a.Found()) return;
    const int idB = names_.Find(keyB);
    // Every entry with B's name in a qualifying record of A is one meeting.
    const NameGroup* g =
        idB == NameTable::kNoName ? nullptr : Groups(a, RaceDateOf(shell_.day(), p.race)).Find(idB);
    shell_.day()
        .raceAnalysis[static_cast<size_t>(p.race)]
        .pairDirect[static_cast<size_t>(p.pair - 1)] = g ? g->seqLen : 0;
}

PairArgs PairOfRunners(const RaceDay& day, int race, int i, int j) {
    const SeRecord a(day.runnerTable.At(race, i));
    const SeRecord b(day.runnerTable.At(race, j));
    PairArgs pair;
    pair.nameA = std::string(a.ShortName());
    pair.nameB = std::string(b.ShortName());
    pair.idA = std::string(a.BloodNumber());
    pair.idB = std::string(b.BloodNumber());
    pair.horseA = i + 1;
    pair.horseB = j + 1;
    pair.race = race;
    pair.pair = PairNumber(i + 1, j + 1);
    pair.weightA = a.CarriedWeight() / 10.0;
    pair.weightB = b.CarriedWeight() / 10.0;
    return pair;
}

}  // namespace sorvane
