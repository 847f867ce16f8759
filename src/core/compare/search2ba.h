// The pair comparison through common opponents (Search2Ba) and the direct-meeting count
// (Search2BaDirect), writing into the race's analysis record.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "compare/compare_rules.h"
#include "compare/horse_history.h"

namespace sorvane {

class AppShell;

// One pair of runners of a race, A the one with the lower runner slot.
struct PairArgs {
    std::string nameA;  // horse names as in the SE record (Shift-JIS)
    std::string nameB;
    std::string idA;  // blood registration numbers, 10 characters
    std::string idB;
    int horseA = 0;  // horse numbers 1..18
    int horseB = 0;
    int race = 0;        // race slot 0..95
    int pair = 0;        // pair number 1..153
    double weightA = 0;  // today's carried weights, kilograms
    double weightB = 0;
};

// Compares the pairs of one run of comparisons (an all-race comparison, say) on data read
// once; it lives no longer than that run, so files changed between runs are read afresh.
// Each horse's past-run file is read and indexed the first time a pair needs it.
class CompareEngine {
  public:
    explicit CompareEngine(AppShell& shell);
    CompareEngine(const CompareEngine&) = delete;
    CompareEngine& operator=(const CompareEngine&) = delete;
    ~CompareEngine();

    // The race date is that of the pair's race slot; nothing is written for a pair with a
    // blank name, equal keys, a weight not above 0 or a missing file.
    void Search2Ba(const PairArgs& pair);
    // PairDirect of the pair: meetings of A and B in A's file before the race date.
    void Search2BaDirect(const PairArgs& pair);

    // Receives A's key + "vs" + B's key before every pair (the progress window's LabelUma).
    void SetPairLabelSink(std::function<void(const std::string&)> sink) {
        labelSink_ = std::move(sink);
    }
    // The counts of the last Search2Ba that compared (for tests and tools).
    const PairCounts& LastCounts() const { return last_; }

  private:
    const HorseHistory& History(const std::string& blood);
    void ShowPair(const std::string& keyA, const std::string& keyB);
    // Lets pending window messages run, at most every 50 ms.
    void Pump();

    AppShell& shell_;
    NameTable names_;
    std::unordered_map<std::string, std::unique_ptr<HorseHistory>> histories_;
    std::function<void(const std::string&)> labelSink_;
    std::chrono::steady_clock::time_point lastPump_;
    PairCounts last_;
};

}  // namespace sorvane
