// The counts of one pair through its common opponents, from two indexed histories: a pure
// computation apart from its scratch, so that pairs can be counted on several threads, each
// with a scratch of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "compare/compare_rules.h"
#include "compare/horse_history.h"

namespace sorvane {

// One horse of the pair: its history, the history's groups for the race date, the id of its
// name (kNoName when no history has it) and today's carried weight in kilograms.
struct PairSide {
    const HorseHistory* history = nullptr;
    const DayGroups* groups = nullptr;
    int name = NameTable::kNoName;
    double weight = 0;
};

// The races a side shared with the other horse, whose entries its lists leave out: the
// records marked in met, or, when `bit` is non-zero, those whose race mask has the bit.
struct SharedRaces {
    const std::vector<uint8_t>* met = nullptr;
    uint64_t bit = 0;
};

// Work space of CountPair, indexed by name id or record; the stamp tells the pair. Reused
// from pair to pair; one per thread, each on cache lines of its own (it is written at every
// opponent, and a line shared by two threads would bounce between them).
class alignas(64) PairScratch {
  public:
    // What B's list of one common opponent X gives in the current pair: its comparison
    // margins (timed entries, in their group's order), the untimed entries that take the margin of
    // the instance before them (`lead` of them start the list, the others follow a timed entry and
    // are fixed), and where the list came from.
    struct OpponentList {
        uint32_t stamp = 0;  // the pair it belongs to
        int instances = 0;   // per entry of A against X
        int lead = 0;
        size_t timedAt = 0;  // in poolTimed
        int timedLen = 0;
        int negatives = 0;   // timed margins below 0
        size_t fixedAt = 0;  // in poolFixed
        int fixedLen = 0;
        const NameGroup* group = nullptr;  // B's group of X
        bool filtered = false;             // some of B's entries against X may be dropped
    };

    uint32_t stamp = 0;
    std::vector<uint32_t> dirtyA, dirtyB;            // names met in a race of A and B
    bool anyDirtyB = false;                          // every name of B counts as dirty
    SharedRaces sharedB;                             // how B's lists leave out shared races
    std::vector<std::pair<uint32_t, int>> groupOfB;  // B's group of a name
    std::vector<OpponentList> lists;
    std::vector<uint8_t> metA, metB;  // records of a race of A and B
    std::vector<int> markedA, markedB;
    std::vector<double> poolTimed, poolFixed, poolA;
    size_t timedUsed = 0, fixedUsed = 0;  // of poolTimed and poolFixed in the current pair
};

// The counts of A against B for the race date the groups were made for; nameIds is the
// number of name ids any entry of either history may hold.
PairCounts CountPair(const PairSide& a, const PairSide& b, int raceDate, size_t nameIds,
                     PairScratch& s);

}  // namespace sorvane
