// The analysis record of one race slot: per-runner past-run statistics, the comparison tallies
// and ranks, the pair results, the prediction record and the race's results and payouts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "betting/bet_kind.h"
#include "raceday/race_day_bounds.h"

namespace sorvane {

// Per runner: horse number h at index h - 1.
template <class T>
using PerHorse = std::array<T, kMaxRunners>;
// Per pair: pair number p (PairNumber(i, j), 1..153) at index p - 1.
template <class T>
using PerPair = std::array<T, kMaxPairs>;

// The categories of the past-run record, in their fixed order.
enum class RunCategory { All = 0, TurfHeavy, Turf, DirtHeavy, Dirt, UpTo1600, UpTo2200, Over2200 };
inline constexpr int kRunCategories = 8;
// Finishing places counted: 1st, 2nd, 3rd, 4th or worse at index 0..3.
inline constexpr int kPlaceCounts = 4;

// A runner's result as its SE record gives it, the field texts unchanged (at most 4, 2, 2 and
// 4 bytes; blanks until the race is run).
struct RunnerResult {
    std::string finishTime;      // mttt
    std::string finishPosition;  // confirmed finishing position
    std::string winPopularity;
    std::string winOdds;  // odds x 10
};

// The winning combinations of a race: horse numbers for 単勝 and 複勝 (0 = none), labels of the
// other kinds ("" = none). Entry i of a kind pairs with entry FirstPayoutEntry(kind) + i of
// resultNinki and resultPay.
struct ResultCombo {
    std::array<int32_t, 3> tan{};
    std::array<int32_t, 5> fuku{};
    std::array<std::string, 3> waku;  // frame pair labels " 3- 5"
    std::array<std::string, 3> umaren;
    std::array<std::string, 7> wide;
    std::array<std::string, 6> umatan;
    std::array<std::string, 3> sanpuku;  // triple labels " 1- 5-12"
    std::array<std::string, 6> santan;

    // Horse number of entry i of 単勝 or 複勝; 0 for other kinds or i out of range.
    int Horse(BetKind kind, int i) const;
    // Label of entry i of 枠連 .. ３連単; "" for 単勝, 複勝 or i out of range.
    const std::string& Label(BetKind kind, int i) const;
    // The same label to write; null for 単勝, 複勝 or i out of range.
    std::string* LabelSlot(BetKind kind, int i);
};

// The combination of a result entry as the result tab shows it: a horse number in "%2d", a
// label as stored; "" for horse number 0 and for labels that are blank, " 0- 0" or " 0- 0- 0".
std::string ResultEntryText(const ResultCombo& combo, BetKind kind, int i);

inline constexpr double kNoRate = -1.0;  // a rate with nothing to divide by

constexpr PerHorse<double> NoRates() {
    PerHorse<double> r{};
    for (double& x : r) x = kNoRate;
    return r;
}

// Fields in their fixed order.
struct RaceAnalysis {
    PerHorse<int32_t> prizeTotal{};  // prize + added money over the loaded past runs
    // [category][horse][place]: counts of loaded past runs by finishing place.
    std::array<PerHorse<std::array<int32_t, kPlaceCounts>>, kRunCategories> runRecord{};
    PerHorse<int32_t> wins{};              // pairs won (勝数)
    PerHorse<int32_t> losses{};            // pairs lost (負数)
    PerHorse<double> winRate = NoRates();  // wins / (wins + losses); kNoRate when none decided
    PerHorse<int32_t> winRateRank{};       // 0 = no rank
    PerHorse<int32_t> winsRank{};
    PerHorse<int32_t> winsRevRank{};  // reverse rank by wins among the popular horses
    PerHorse<int32_t> winPt{};
    PerHorse<int32_t> lossPt{};
    PerHorse<double> ptWinRate = NoRates();  // winPt / (winPt + lossPt); kNoRate when no points
    PerHorse<int32_t> ptWinRateRank{};
    PerHorse<int32_t> ptRevRank{};  // reverse rank by winPt among the popular horses
    // Pair results; A is the runner with the lower horse number.
    PerPair<int32_t> pairCount{};
    PerPair<int32_t> pairWinA{};
    PerPair<int32_t> pairWinB{};
    PerPair<int32_t> pairPtA{};
    PerPair<int32_t> pairPtB{};
    PerPair<int32_t> pairDokuPtA{};
    PerPair<int32_t> pairDokuPtB{};
    PerPair<int32_t> pairSoPtA{};
    PerPair<int32_t> pairSoPtB{};
    PerPair<int32_t> pairDirect{};
    PerPair<int32_t> pairSpare1{};  // cleared with the others, never written otherwise
    PerPair<int32_t> pairSpare2{};
    PerHorse<int32_t> juntoCount{};            // earlier predictions that held (順当)
    PerHorse<int32_t> uragiriCount{};          // earlier predictions that failed (裏切)
    PerHorse<double> uragiriRate = NoRates();  // uragiri / (junto + uragiri); kNoRate if none
    PerHorse<RunnerResult> runnerResult;
    ResultCombo resultCombo;
    std::array<int32_t, kPayoutEntries> resultNinki{};  // by payout entry index
    std::array<int32_t, kPayoutEntries> resultPay{};    // yen per 100-yen stake
    uint8_t compared = 0;                               // 1 once the race comparison has run
};

// The initialisation: every field 0 or empty, the three rates kNoRate.
void ResetAnalysis(RaceAnalysis& a);
// The reset of the comparison before a day's races are compared (day load, all-race
// comparison): wins, losses, points and all ranks 0, winRate and ptWinRate kNoRate, the
// twelve pair arrays 0. Statistics, results and compared are kept.
void ResetTallies(RaceAnalysis& a);
// The past-run statistics of one runner slot before its past runs are read: prize total,
// run record and prediction counts 0, uragiriRate kNoRate.
void ResetRunnerStats(RaceAnalysis& a, int runner);

// The result fields from the race's HR record (a blank record for a race without one): every
// payout and popularity, the 単勝 and 複勝 horse numbers, and the label of every entry whose
// numbers are all at least 1. Every label is emptied first, so the labels always belong to
// the record given.
void SetPayoutResults(RaceAnalysis& a, std::string_view hrRecord);
// RunnerResult of runner slot from its SE record (finishing time, confirmed position, win
// popularity, win odds); an empty seRecord empties it.
void SetRunnerResult(RaceAnalysis& a, int runner, std::string_view seRecord);

}  // namespace sorvane
