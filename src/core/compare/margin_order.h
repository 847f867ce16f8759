// How the margins of one list stand against those of another over every pair of them: the
// inner count of a pair comparison, run once per common opponent.
#pragma once

namespace sorvane {

struct OrderCounts {
    long below = 0;     // pairs (x, y) with y < x
    long notAbove = 0;  // pairs (x, y) with y <= x
};

// Over every x of xs[0, xn) and y of ys[0, yn), both sorted ascending and free of NaN.
OrderCounts CountOrder(const double* xs, int xn, const double* ys, int yn);

// The ways CountOrder may take; it picks the cheapest this processor has for the lengths.
// Every way gives the same counts (for tests: a way the processor lacks gives the merge).
enum class OrderWay { kMerge, kPairs, kPairs2, kPairs4 };
OrderCounts CountOrderBy(OrderWay way, const double* xs, int xn, const double* ys, int yn);

}  // namespace sorvane
