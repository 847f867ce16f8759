#include "compare/search2ba.h"

#include <vector>

#include "raceday/race_day.h"
#include "shell/app_shell.h"

namespace sorvane {
namespace {

constexpr auto kPumpInterval = std::chrono::milliseconds(50);
constexpr int kInstancesPerClockLook = 4096;

bool Comparable(const PairArgs& p, const std::string& keyA, const std::string& keyB) {
    return !TrimName(p.nameA).empty() && !TrimName(p.nameB).empty() && keyA != keyB;
}

bool ValidSlots(const PairArgs& p) {
    return p.race >= 0 && p.race < kMaxRaces && p.pair >= 1 && p.pair <= kMaxPairs &&
           p.horseA >= 1 && p.horseA <= kMaxRunners && p.horseB >= 1 && p.horseB <= kMaxRunners;
}

}  // namespace

CompareEngine::CompareEngine(AppShell& shell)
    : shell_(shell), lastPump_(std::chrono::steady_clock::now()) {}
CompareEngine::~CompareEngine() = default;

const HorseHistory& CompareEngine::History(const std::string& blood) {
    auto& slot = histories_[blood];
    if (!slot) slot = std::make_unique<HorseHistory>(shell_.folder(), blood, names_);
    return *slot;
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

void CompareEngine::Search2Ba(const PairArgs& p) {
    std::string keyA = NameKey(p.nameA);
    std::string keyB = NameKey(p.nameB);
    ShowPair(keyA, keyB);
    if (!ValidSlots(p) || !Comparable(p, keyA, keyB) || !(p.weightA > 0) || !(p.weightB > 0))
        return;
    const HorseHistory& a = History(p.idA);
    const HorseHistory& b = History(p.idB);
    if (!a.Found() || !b.Found()) return;
    const int idA = names_.Find(keyA);
    const int idB = names_.Find(keyB);
    const int raceDate = RaceDateOf(shell_.day(), p.race);

    // B's records that may hold an instance: before the race, B placed, and not a race in
    // which A ran too (a race of A is found through A's entries in B's file).
    const auto& runsB = b.Runs();
    std::vector<char> okB(runsB.size());
    for (size_t i = 0; i < runsB.size(); ++i) okB[i] = runsB[i].Qualifies(raceDate);
    for (int e : b.EntriesNamed(idA)) {
        int run = b.Entry(e).run;
        if (b.Contains(runsB[static_cast<size_t>(run)], idB)) okB[static_cast<size_t>(run)] = 0;
    }

    // Instances in the order RA, k, RB, j; a side without both times keeps the previous
    // comparison margin, so the order decides the numbers.
    const double shiftA = (p.weightB - p.weightA) * 0.2;
    const double shiftB = (p.weightA - p.weightB) * 0.2;
    double hiA = 0;
    double hiB = 0;
    PairCounts c;
    int sinceClock = 0;
    for (const HistoryRun& ra : a.Runs()) {
        if (!ra.Qualifies(raceDate) || ra.entryCount < 1) continue;
        if (a.Contains(ra, idA) && a.Contains(ra, idB)) continue;
        for (int k = 0; k < ra.entryCount; ++k) {
            const HistoryEntry& x = a.Entry(ra.firstEntry + k);
            if (x.name == NameTable::kNoName || x.name == idA || x.name == idB) continue;
            const std::vector<int>& met = b.EntriesNamed(x.name);
            if (met.empty()) continue;
            for (int e : met) {
                const HistoryEntry& y = b.Entry(e);
                if (!okB[static_cast<size_t>(y.run)]) continue;
                if (x.timed) hiA = x.corrected - shiftA;
                if (y.timed) hiB = y.corrected - shiftB;
                Count(c, OutcomeOf(hiA, hiB));
                if (++sinceClock == kInstancesPerClockLook) {
                    sinceClock = 0;
                    Pump();
                }
            }
        }
    }
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
    const HorseHistory& a = History(p.idA);
    if (!a.Found()) return;
    const int idB = names_.Find(keyB);
    const int raceDate = RaceDateOf(shell_.day(), p.race);
    int count = 0;
    if (idB != NameTable::kNoName) {
        for (int e : a.EntriesNamed(idB))
            if (a.Runs()[static_cast<size_t>(a.Entry(e).run)].Qualifies(raceDate)) ++count;
    }
    shell_.day()
        .raceAnalysis[static_cast<size_t>(p.race)]
        .pairDirect[static_cast<size_t>(p.pair - 1)] = count;
}

}  // namespace sorvane
