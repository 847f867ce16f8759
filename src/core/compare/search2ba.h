// The pair comparison through common opponents (Search2Ba) and the direct-meeting count
// (Search2BaDirect), writing into the race's analysis record.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

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

class RaceDay;
// The pair of runner slots i < j of a race as the race comparison hands it to the engine: the
// names and numbers of their SE records, the pair number and today's weights in kilograms.
PairArgs PairOfRunners(const RaceDay& day, int race, int i, int j);

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
    // What B's list of one common opponent X gives in the current pair: its comparison
    // margins (timed entries, sorted), the untimed entries that take the margin of the
    // instance before them (`lead` of them start the list, the others follow a timed entry
    // and are fixed), and where the list came from.
    struct OpponentList {
        uint32_t stamp = 0;  // the pair it belongs to
        int instances = 0;   // per entry of A against X
        int lead = 0;
        size_t timedAt = 0;  // in poolTimed_
        int timedLen = 0;
        size_t fixedAt = 0;  // in poolFixed_
        int fixedLen = 0;
        const NameGroup* group = nullptr;  // B's group of X
        bool filtered = false;             // some of B's entries against X were dropped
    };
    HorseHistory& History(const std::string& blood);
    const DayGroups& Groups(HorseHistory& h, int raceDate);
    // Marks the records of h in which both names ran (met[i] = 1) and every name in them.
    void MarkMeetings(HorseHistory& h, const DayGroups& g, int name, int other,
                      std::vector<uint8_t>& met, std::vector<uint32_t>& dirty,
                      std::vector<int>& marked);
    // B's list of X in the current pair; instances 0 when X has no usable entry.
    void MakeList(const HorseHistory& b, const DayGroups& gb, const NameGroup& xb, double shiftB,
                  OpponentList& l);
    // 比差 of the last instance of B's list in the current pair, given the one before it.
    double ListEnd(const HorseHistory& b, const DayGroups& gb, const OpponentList& l, double shiftB,
                   double carried) const;
    void ShowPair(const std::string& keyA, const std::string& keyB);
    // Lets pending window messages run, at most every 50 ms.
    void Pump();

    AppShell& shell_;
    NameTable names_;
    std::unordered_map<std::string, std::unique_ptr<HorseHistory>> histories_;
    std::function<void(const std::string&)> labelSink_;
    std::chrono::steady_clock::time_point lastPump_;
    PairCounts last_;
    // Scratch of one pair, indexed by name id or record; the stamp tells the pair.
    uint32_t stamp_ = 0;
    std::vector<int> groupScratch_;
    std::vector<uint32_t> dirtyA_, dirtyB_;           // names met in a race of A and B
    std::vector<std::pair<uint32_t, int>> groupOfB_;  // B's group of a name
    std::vector<OpponentList> lists_;
    std::vector<uint8_t> metA_, metB_;  // records of a race of A and B
    std::vector<int> markedA_, markedB_;
    std::vector<double> poolTimed_, poolFixed_, poolA_;
};

}  // namespace sorvane
