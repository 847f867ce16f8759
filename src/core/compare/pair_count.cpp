#include "compare/pair_count.h"

#include <algorithm>
#include <limits>

#include "compare/margin_order.h"

namespace sorvane {
namespace {

// How many of the values v[0, n) are below x, and how many not above it. A list longer than
// kUnsortedMax is sorted and searched; a shorter one, in any order, is counted through.
void CountBelow(const double* v, int n, double x, int& below, int& notAbove) {
    if (n > kUnsortedMax) {
        below = static_cast<int>(std::lower_bound(v, v + n, x) - v);
        notAbove = static_cast<int>(std::upper_bound(v, v + n, x) - v);
        return;
    }
    int lt = 0;
    int le = 0;
    for (int i = 0; i < n; ++i) {
        lt += v[i] < x;
        le += v[i] <= x;
    }
    below = lt;
    notAbove = le;
}

// A list of B with its padding (see MakeList).
int PaddedLength(int n) { return (n + 3) & ~3; }

// Adds the counts of every entry of A (comparison margins a[0, an), negA of them below 0)
// against every value of B (e[0, en), negB below 0); lists longer than kUnsortedMax sorted.
void CountSorted(const double* a, int an, int negA, const double* e, int en, int negB,
                 PairCounts& c) {
    // B's list is padded to whole vectors with +infinity, which is never below or equal to a
    // margin: counted with its padding, the vectors need no scalar tail.
    const OrderCounts o = CountOrder(a, an, e, PaddedLength(en));
    c.ptA += static_cast<int>(o.below);
    c.ptB += static_cast<int>(static_cast<long>(an) * en - o.notAbove);
    c.dokuPtA += (an - negA) * negB;
    c.dokuPtB += negA * (en - negB);
}

// The margins v[from, +n) of groups g moved by -shift into out, less those of the shared
// races when filtered; how many were written, and in negatives how many of them are below 0.
// The order is kept, so sorted stays sorted. Out has room for n + kKeptSlack, as KeptMargins
// wants.
int ShiftedMargins(const DayGroups& g, size_t from, int n, double shift, bool filtered,
                   const SharedRaces& shared, double* out, int& negatives) {
    const double* v = g.timedValue.data() + from;
    if (!filtered) {
        int neg = 0;
        for (int i = 0; i < n; ++i) {
            out[i] = v[i] - shift;
            neg += out[i] < 0;
        }
        negatives = neg;
        return n;
    }
    if (shared.bit != 0)
        return KeptMarginsByMask(v, g.timedMask.data() + from, n, shift, shared.bit, out,
                                 negatives);
    return KeptMargins(v, g.timedRun.data() + from, n, shift, shared.met->data(), out, negatives);
}

// How a side finds the races it shared with the other horse: by race mask when its own name
// is in every record and the other's name has a bit, else by the records marked in met.
SharedRaces SharedRacesOf(const HorseHistory& h, const DayGroups& g, int own, int other,
                          const std::vector<uint8_t>& met) {
    SharedRaces shared{&met, 0};
    if (!h.OwnNameEverywhere(own) || other == NameTable::kNoName) return shared;
    const NameGroup* group = g.Find(other);
    if (group && group->maskBit >= 0) shared.bit = uint64_t{1} << group->maskBit;
    return shared;
}

void CountOne(double hiA, double hiB, int times, PairCounts& c) {
    InstanceOutcome o = OutcomeOf(hiA, hiB);
    c.ptA += o.ptA * times;
    c.ptB += o.ptB * times;
    c.dokuPtA += o.dokuPtA * times;
    c.dokuPtB += o.dokuPtB * times;
}

using OpponentList = PairScratch::OpponentList;

// Past this many shared records every opponent is taken to have run in one: naming them
// costs more than the check it saves, as most of them then have.
constexpr size_t kNamedMeetings = 4;

// Marks the records of h in which both names ran (met[i] = 1) and, while they are few, every
// name in them (dirty[n] = stamp); true when they are more, and any name may be in one.
bool MarkMeetings(const HorseHistory& h, const DayGroups& g, int name, int other, uint32_t stamp,
                  std::vector<uint8_t>& met, std::vector<uint32_t>& dirty,
                  std::vector<int>& marked) {
    met.resize(h.Runs().size());
    marked.clear();
    const NameGroup* group = name == NameTable::kNoName ? nullptr : g.Find(name);
    if (!group) return false;
    for (int i = 0; i < group->seqLen; ++i) {
        const int run = g.seqRun[static_cast<size_t>(group->seqBegin + i)];
        if (met[static_cast<size_t>(run)] || !h.RunHas(run, other)) continue;
        met[static_cast<size_t>(run)] = 1;
        marked.push_back(run);
        if (marked.size() > kNamedMeetings) continue;
        const HistoryRun& r = h.Runs()[static_cast<size_t>(run)];
        for (int k = 0; k < r.entryCount; ++k) {
            int n = h.Entry(r.firstEntry + k).name;
            if (n != NameTable::kNoName) dirty[static_cast<size_t>(n)] = stamp;
        }
    }
    return marked.size() > kNamedMeetings;
}

// B's list of X in the current pair; instances 0 when X has no usable entry.
void MakeList(const HorseHistory& b, const DayGroups& gb, const NameGroup& xb, double shiftB,
              PairScratch& s, OpponentList& l) {
    l = OpponentList{};
    l.group = &xb;
    l.filtered = s.anyDirtyB || s.dirtyB[static_cast<size_t>(xb.name)] == s.stamp;
    // The timed margins, moved to today's weights; dropping entries keeps their order (so a
    // sorted long list stays sorted).
    l.timedAt = s.timedUsed;
    const size_t from = static_cast<size_t>(xb.timedBegin);
    const int kept = ShiftedMargins(gb, from, xb.timedLen, shiftB, l.filtered, s.sharedB,
                                    s.poolTimed.data() + l.timedAt, l.negatives);
    // Followed by +infinity up to whole vectors of four, for CountSorted.
    for (int i = kept; i < PaddedLength(kept); ++i)
        s.poolTimed[l.timedAt + static_cast<size_t>(i)] = std::numeric_limits<double>::infinity();
    s.timedUsed += static_cast<size_t>(PaddedLength(kept));
    l.timedLen = kept;
    l.fixedAt = s.fixedUsed;
    if (xb.anyUntimed && !l.filtered) {
        l.lead = xb.lead;
        for (int i = 0; i < xb.fixedLen; ++i)
            s.poolFixed[s.fixedUsed++] =
                gb.fixedValue[static_cast<size_t>(xb.fixedBegin + i)] - shiftB;
    } else if (xb.anyUntimed) {
        bool timed = false;
        double last = 0;
        for (int i = 0; i < xb.seqLen; ++i) {
            const HistoryEntry& y = b.Entry(gb.seq[static_cast<size_t>(xb.seqBegin + i)]);
            if (s.metB[static_cast<size_t>(y.run)]) continue;
            if (y.timed) {
                timed = true;
                last = y.corrected;
            } else if (timed) {
                s.poolFixed[s.fixedUsed++] = last - shiftB;
            } else {
                ++l.lead;
            }
        }
    }
    l.fixedLen = static_cast<int>(s.fixedUsed - l.fixedAt);
    l.instances = l.timedLen + l.fixedLen + l.lead;
}

// 比差 of the last instance of B's list in the current pair, given the one before it.
double ListEnd(const HorseHistory& b, const DayGroups& gb, const OpponentList& l, double shiftB,
               double carried, const std::vector<uint8_t>& metB) {
    const NameGroup& xb = *l.group;
    if (!l.filtered) return xb.anyTimed ? xb.lastTimed - shiftB : carried;
    for (int i = xb.seqLen - 1; i >= 0; --i) {
        const HistoryEntry& y = b.Entry(gb.seq[static_cast<size_t>(xb.seqBegin + i)]);
        if (!metB[static_cast<size_t>(y.run)] && y.timed) return y.corrected - shiftB;
    }
    return carried;
}

}  // namespace

// The instances are taken in the order RA, k, RB, j, and a side without both times keeps
// the comparison margin of the instance before, so the numbers are those of that order.
// They are found per common opponent X instead: every entry of A against X meets B's whole
// list for X, so where no margin is carried the counts of X follow from the margins
// of both lists. Only entries whose margins depend on the instance before (an untimed entry
// of A, or a list of B that starts untimed) are counted in a walk in the order above.
PairCounts CountPair(const PairSide& sa, const PairSide& sb, int raceDate, size_t nameIds,
                     PairScratch& s) {
    const HorseHistory& a = *sa.history;
    const HorseHistory& b = *sb.history;
    const DayGroups& ga = *sa.groups;
    const DayGroups& gb = *sb.groups;
    const int idA = sa.name;
    const int idB = sb.name;
    ++s.stamp;
    if (s.dirtyA.size() < nameIds) {
        s.dirtyA.resize(nameIds);
        s.dirtyB.resize(nameIds);
        s.groupOfB.resize(nameIds);
        s.lists.resize(nameIds);
    }
    for (size_t i = 0; i < gb.groups.size(); ++i)
        s.groupOfB[static_cast<size_t>(gb.groups[i].name)] = {s.stamp, static_cast<int>(i)};
    // Races of A and B are no common-opponent races, in either file.
    const bool anyDirtyA = MarkMeetings(a, ga, idB, idA, s.stamp, s.metA, s.dirtyA, s.markedA);
    s.anyDirtyB = MarkMeetings(b, gb, idA, idB, s.stamp, s.metB, s.dirtyB, s.markedB);
    const SharedRaces sharedA = SharedRacesOf(a, ga, idA, idB, s.metA);
    s.sharedB = SharedRacesOf(b, gb, idB, idA, s.metB);

    const double shiftA = (sb.weight - sa.weight) * 0.2;
    const double shiftB = (sa.weight - sb.weight) * 0.2;
    PairCounts c;
    bool walk = false;
    // Room for every list of B with its padding and for A's longest; grown, never cleared
    // (every value read is written first in the pair). KeptMargins may write kKeptSlack past
    // its last margin, and each list of B is padded by up to 3.
    s.timedUsed = 0;
    s.fixedUsed = 0;
    const size_t room = gb.timedValue.size() + 3 * gb.groups.size() + kKeptSlack;
    if (s.poolTimed.size() < room) s.poolTimed.resize(room);
    if (s.poolFixed.size() < gb.seq.size()) s.poolFixed.resize(gb.seq.size());
    if (s.poolA.size() < ga.timedValue.size() + kKeptSlack)
        s.poolA.resize(ga.timedValue.size() + kKeptSlack);
    for (const NameGroup& xa : ga.groups) {
        const int x = xa.name;
        if (x == idA || x == idB) continue;
        const auto& [stamp, gi] = s.groupOfB[static_cast<size_t>(x)];
        if (stamp != s.stamp) continue;
        OpponentList& l = s.lists[static_cast<size_t>(x)];
        MakeList(b, gb, gb.groups[static_cast<size_t>(gi)], shiftB, s, l);
        if (l.instances == 0) continue;
        l.stamp = s.stamp;
        if (xa.anyUntimed) walk = true;  // untimed entries of A are counted in the walk
        if (l.lead > 0) {
            walk = true;  // so is every entry of A against a list that starts untimed
            continue;
        }
        // A's timed entries against X, moved to today's weights, in the group's order.
        const bool filtered = anyDirtyA || s.dirtyA[static_cast<size_t>(x)] == s.stamp;
        const size_t from = static_cast<size_t>(xa.timedBegin);
        int negA = 0;
        const int an =
            ShiftedMargins(ga, from, xa.timedLen, shiftA, filtered, sharedA, s.poolA.data(), negA);
        c.instances += an * l.instances;
        CountSorted(s.poolA.data(), an, negA, s.poolTimed.data() + l.timedAt, l.timedLen,
                    l.negatives, c);
        for (int f = 0; f < l.fixedLen; ++f)
            for (int i = 0; i < an; ++i)
                CountOne(s.poolA[static_cast<size_t>(i)],
                         s.poolFixed[l.fixedAt + static_cast<size_t>(f)], 1, c);
    }

    if (walk) {
        // The carried margins, through every instance in order; counted here are only the
        // entries left out above.
        double hiA = 0;
        double hiB = 0;
        for (size_t ra = 0; ra < a.Runs().size(); ++ra) {
            const HistoryRun& run = a.Runs()[ra];
            if (!run.Qualifies(raceDate) || run.entryCount < 1 || s.metA[ra]) continue;
            for (int k = 0; k < run.entryCount; ++k) {
                const HistoryEntry& x = a.Entry(run.firstEntry + k);
                if (x.name == NameTable::kNoName || x.name == idA || x.name == idB) continue;
                const OpponentList& l = s.lists[static_cast<size_t>(x.name)];
                if (l.stamp != s.stamp) continue;
                if (x.timed) hiA = x.corrected - shiftA;
                const double carried = hiB;
                if (!x.timed || l.lead > 0) {
                    const double* t = s.poolTimed.data() + l.timedAt;
                    int below = 0;
                    int notAbove = 0;
                    CountBelow(t, l.timedLen, hiA, below, notAbove);
                    const int neg = l.negatives;
                    c.instances += l.instances;
                    c.ptA += below;
                    c.ptB += l.timedLen - notAbove;
                    if (hiA >= 0)
                        c.dokuPtA += neg;
                    else
                        c.dokuPtB += l.timedLen - neg;
                    for (int f = 0; f < l.fixedLen; ++f)
                        CountOne(hiA, s.poolFixed[l.fixedAt + static_cast<size_t>(f)], 1, c);
                    CountOne(hiA, carried, l.lead, c);
                }
                hiB = ListEnd(b, gb, l, shiftB, carried, s.metB);
            }
        }
    }
    for (int run : s.markedA) s.metA[static_cast<size_t>(run)] = 0;
    for (int run : s.markedB) s.metB[static_cast<size_t>(run)] = 0;
    return c;
}

}  // namespace sorvane
