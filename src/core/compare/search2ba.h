// The pair comparison through common opponents (Search2Ba) and the direct-meeting count
// (Search2BaDirect), writing into the race's analysis record.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/bulk_memory.h"
#include "base/task_pool.h"
#include "compare/compare_rules.h"
#include "compare/horse_history.h"
#include "compare/pair_count.h"

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
// Every pair of a race's runners in the order the race comparison takes them: runner slots
// i < j, i outer.
std::vector<PairArgs> PairsOfRace(const RaceDay& day, int race);
// A horse whose file CompareEngine::Preload reads ahead: its blood registration number, the
// race date its comparisons are for, and its 18-byte name key.
struct AheadHorse {
    std::string blood;
    int raceDate = 0;
    std::string nameKey;
};
// The runners of a race as CompareEngine::Preload takes them.
std::vector<AheadHorse> HorsesOfRace(const RaceDay& day, int race);

// Compares the pairs of one run of comparisons (an all-race comparison, say) on data read
// once; it lives no longer than that run, so files changed between runs are read afresh.
// Each horse's past-run file is read and indexed the first time a pair needs it, or ahead by
// Preload.
class CompareEngine {
  public:
    // `workers` threads read files in Preload and count pairs in ComparePairs; with 1 all the
    // work is done on the calling thread. Results never depend on the number.
    explicit CompareEngine(AppShell& shell, int workers = 1);
    CompareEngine(const CompareEngine&) = delete;
    CompareEngine& operator=(const CompareEngine&) = delete;
    ~CompareEngine();

    // The race date is that of the pair's race slot; nothing is written for a pair with a
    // blank name, equal keys, a weight not above 0 or a missing file.
    void Search2Ba(const PairArgs& pair);
    // PairDirect of the pair: meetings of A and B in A's file before the race date.
    void Search2BaDirect(const PairArgs& pair);
    // Search2Ba and Search2BaDirect of every pair, one pair after the other as far as anything
    // outside can tell: the same writes, applied in the pairs' order, and a file that cannot
    // be read fails at the same pair. The pairs are counted on the workers meanwhile; the
    // calling thread shows the latest pair begun and lets window messages run every 50 ms,
    // and shows the last pair at the end (pairs going faster than that are not all shown).
    void ComparePairs(const std::vector<PairArgs>& pairs);
    // Reads and indexes the files of these horses ahead, on the workers, with their groups
    // for the date and the records holding their names. A file that cannot be read is left
    // to the pair that needs it, so that it fails there.
    void Preload(const std::vector<AheadHorse>& horses);

    // Receives A's key + "vs" + B's key before every pair (the progress window's LabelUma).
    void SetPairLabelSink(std::function<void(const std::string&)> sink) {
        labelSink_ = std::move(sink);
    }
    // The counts of the last Search2Ba that compared (for tests and tools).
    const PairCounts& LastCounts() const { return last_; }

  private:
    // A pair of ComparePairs made ready on the calling thread: what Search2Ba counts (when
    // `count`) and what Search2BaDirect writes (when `direct`).
    struct PairJob {
        const PairArgs* pair = nullptr;
        bool count = false;
        PairSide a, b;
        int raceDate = 0;
        size_t nameIds = 0;  // name ids when made: every id the two histories may hold
        bool direct = false;
        const DayGroups* directGroups = nullptr;  // A's, to find B's name in, if known
        int directName = NameTable::kNoName;
        int directCount = 0;
        PairCounts counts;
    };
    HorseHistory& History(const std::string& blood);
    const DayGroups& Groups(HorseHistory& h, int raceDate);
    // The job of a pair whose histories are read and whose groups for the race date may be
    // made without remaking groups another job of the batch (ids in `dates`) uses; false
    // otherwise, and for a pair whose file cannot be read.
    bool MakeJob(const PairArgs& p, std::unordered_map<const HorseHistory*, int>& dates,
                 PairJob& job);
    // Makes the jobs of pairs from `at` on into jobs_, up to one that cannot be made (left at
    // `at`), and counts them on the workers, each as soon as it is made; then waits, showing
    // progress.
    void MakeAndCountJobs(const std::vector<PairArgs>& pairs, size_t& at,
                          std::unordered_map<const HorseHistory*, int>& dates);
    // Waits for what was submitted to the workers; meanwhile the calling thread calls
    // progress() and lets window messages run every 50 ms.
    void WaitForWorkers(const std::function<void()>& progress);
    void WriteCounts(const PairArgs& p, const PairCounts& c);
    void ShowPair(const std::string& keyA, const std::string& keyB);
    void ShowPair(const PairArgs& p);
    // Lets pending window messages run, at most every 50 ms.
    void Pump();

    AppShell& shell_;
    NameTable names_;
    // The histories' memory: [0] for the calling thread, [1 + w] for worker w while reading
    // ahead. Declared before the histories, so that it outlives them.
    std::vector<std::unique_ptr<BulkArena>> memory_;
    std::unordered_map<std::string, std::unique_ptr<HorseHistory>> histories_;
    std::function<void(const std::string&)> labelSink_;
    std::chrono::steady_clock::time_point lastPump_;
    PairCounts last_;
    std::vector<int> groupScratch_;
    FileBuffer readBuffer_;             // the files read on the calling thread
    std::unique_ptr<TaskPool> pool_;    // null with one worker
    std::vector<PairScratch> scratch_;  // one per worker; [0] for the calling thread
    std::vector<PairJob> jobs_;
};

}  // namespace sorvane
