// The pair comparison through common opponents (Search2Ba) and the direct-meeting count
// (Search2BaDirect), writing into the race's analysis record.
#pragma once

#include <string>

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
class CompareEngine {
  public:
    explicit CompareEngine(AppShell& shell);
    CompareEngine(const CompareEngine&) = delete;
    CompareEngine& operator=(const CompareEngine&) = delete;
    ~CompareEngine();

    void Search2Ba(const PairArgs& pair);
    void Search2BaDirect(const PairArgs& pair);

  private:
    AppShell& shell_;
};

}  // namespace sorvane
