// The inner loops of a pair comparison, run once per common opponent: a list of margins
// moved to today's weights less the races the pair shared, and how the margins of one list
// stand against those of another over every pair of them.
#pragma once

#include <cstdint>

namespace sorvane {

struct OrderCounts {
    long below = 0;     // pairs (x, y) with y < x
    long notAbove = 0;  // pairs (x, y) with y <= x
};

// Lists no longer than this are compared pair by pair, whatever their order, so they need
// not be sorted: the usual list of tens of entries is never sorted at all.
constexpr int kUnsortedMax = 32;

// Over every x of xs[0, xn) and y of ys[0, yn), free of NaN; when both are longer than
// kUnsortedMax both must be sorted ascending (they may then be merged).
OrderCounts CountOrder(const double* xs, int xn, const double* ys, int yn);

// The ways CountOrder may take; it picks the cheapest this processor has for the lengths.
// Every way gives the same counts, the merge for sorted lists only (for tests: a way the
// processor lacks gives the merge).
enum class OrderWay { kMerge, kPairs, kPairs2, kPairs4 };
OrderCounts CountOrderBy(OrderWay way, const double* xs, int xn, const double* ys, int yn);

// The ways KeptMargins and KeptMarginsByMask may take: the widest the processor has by
// default; one it lacks gives the next narrower (all give the same margins).
enum class KeepWay { kPlain, kAvx2, kAvx512 };

// The room past n margins that KeptMargins may write into: margins are stored 8 at a time.
constexpr int kKeptSlack = 7;

// The margins v[i] - shift, in order, of every i whose record runs[i] is not marked in met
// (non-zero), written to out; how many were written, and in negatives how many of them are
// below 0. out must have room for n + kKeptSlack margins.
int KeptMargins(const double* v, const int* runs, int n, double shift, const uint8_t* met,
                double* out, int& negatives, KeepWay way = KeepWay::kAvx512);
// The same where the records to leave out are those whose race mask masks[i] has `bit`.
int KeptMarginsByMask(const double* v, const uint64_t* masks, int n, double shift, uint64_t bit,
                      double* out, int& negatives, KeepWay way = KeepWay::kAvx512);

}  // namespace sorvane
