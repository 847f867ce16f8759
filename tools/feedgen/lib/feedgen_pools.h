// Betting pools of one race: the public's money on every combination of the eight kinds, the
// odds and popularity that the service publishes from it, and the payouts of the result. All
// sums are whole votes of 100 yen, so published odds and payouts agree to the yen.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "feedgen_rng.h"

namespace sorvane::feedgen {

enum Kind { kWin, kPlace, kBracket, kQuinella, kWide, kExacta, kTrio, kTrifecta, kKindCount };

inline constexpr int kMaxHorses = 18;

// The canonical combinations of each kind over 18 horses (8 frames for 枠連), in the order of
// their combination numbers; entry k of an odds record is combination k of its kind.
struct Combo {
    int a = 0, b = 0, c = 0;  // horse (or frame) numbers; 0 where the kind has fewer
};
const std::vector<Combo>& Combos(Kind kind);

// Odds-field widths in digits (odds x 10) and payout-entry counts of HR per kind.
inline constexpr int kOddsDigits[kKindCount] = {4, 4, 5, 6, 5, 6, 6, 7};
inline constexpr int kPayoutSlots[kKindCount] = {3, 5, 3, 3, 7, 6, 3, 6};
// The service's takeout per kind in basis points (20-25 %).
inline constexpr int kTakeoutBp[kKindCount] = {2000, 2000, 2250, 2250, 2250, 2500, 2500, 2500};

// State of one canonical combination in a race.
enum class ComboState : uint8_t { Absent, Sold, ScratchedBefore, ScratchedAfter };

struct KindPool {
    bool sold = false;
    std::vector<ComboState> state;  // per canonical combination
    std::vector<int64_t> votes;
    std::vector<int> odds10;      // published odds x 10 (the minimum for 複勝 and ワイド)
    std::vector<int> oddsMax10;   // the maximum for 複勝 and ワイド
    std::vector<int> popularity;  // 1 = lowest odds; 0 when not sold
    int64_t total = 0;            // votes in the pool
    int64_t net10000 = 0;         // total x (10000 - takeout in bp): what is paid back, x 10000
};

// What the pools are made from.
struct RaceField {
    int registered = 0;                          // horses 1..registered
    std::array<int, kMaxHorses> frame{};         // frame of horse h at [h-1]
    std::array<char, kMaxHorses> scratch{};      // 0 runs, '-' scratched before sale, '*' after
    std::array<double, kMaxHorses> publicWin{};  // the public's win chances (starters)
    int64_t winVotes = 0;  // size of the 単勝 pool; the others scale from it
};

struct RacePools {
    int places = 0;  // 複勝 places paid: 3 from 8 starters, 2 from 5, none below
    std::array<KindPool, kKindCount> kind;
};

// Builds every pool: Harville chances from the public's win chances, some noise per
// combination (combNoise, a log-normal sigma), votes, odds and popularity.
RacePools BuildPools(const RaceField& field, double combNoise, Rng& rng);

struct Payout {
    Combo combo;
    int64_t yen = 0;  // per 100-yen stake
    int popularity = 0;
};

// The payouts of each kind for confirmed positions (position[h-1], 0 for a horse that did
// not finish or did not run). Dead heats give several winning combinations, which share the
// pool as the service does.
std::array<std::vector<Payout>, kKindCount> Payouts(const RaceField& field, const RacePools& pools,
                                                    const std::array<int, kMaxHorses>& position);

// Odds x 10 of a combination with `stake` votes among `winners` winning combinations when
// `rest10000` (x 10000) is left to share after the winning stakes are paid back; at least 1.0.
int64_t ShareOdds10(int64_t stake, int64_t winners, int64_t rest10000);

}  // namespace sorvane::feedgen
