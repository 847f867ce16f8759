// The inner loops of a pair comparison against plain loops: the margins kept of a list, and
// the order counts of two lists whichever way they are counted (every pair several at a time
// for short lists, two merges for long ones).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "compare/margin_order.h"

namespace sorvane {
namespace {

OrderCounts Plain(const std::vector<double>& xs, const std::vector<double>& ys) {
    OrderCounts c;
    for (double x : xs)
        for (double y : ys) {
            c.below += y < x;
            c.notAbove += y <= x;
        }
    return c;
}

// Sorted margins on a grid of tenths, so that equal values are common; some moved by one
// unit in the last place, which must count as unequal; 0.0 and -0.0, which are equal.
std::vector<double> Margins(std::mt19937& rng, int n) {
    std::uniform_int_distribution<int> tenths(-30, 30);
    std::uniform_int_distribution<int> kind(0, 9);
    std::vector<double> v;
    for (int i = 0; i < n; ++i) {
        double m = tenths(rng) / 10.0;
        const int k = kind(rng);
        if (k == 0) m = std::nextafter(m, 10.0);
        if (k == 1) m = std::nextafter(m, -10.0);
        if (k == 2) m = i % 2 ? 0.0 : -0.0;
        v.push_back(m);
    }
    std::sort(v.begin(), v.end());
    return v;
}

TEST(MarginOrder, EveryLengthCountsAsEveryPairDoes) {
    std::mt19937 rng(7);
    struct Case {
        int xn, yn;
    };
    // Empty lists, odd tails of every vector width, the short lists of a usual opponent, and
    // lists long enough to be merged, in both shapes.
    for (const Case& c : std::vector<Case>{{0, 5},
                                           {5, 0},
                                           {1, 1},
                                           {1, 7},
                                           {3, 2},
                                           {5, 3},
                                           {15, 15},
                                           {16, 17},
                                           {17, 19},
                                           {40, 3},
                                           {3, 41},
                                           {63, 64},
                                           {100, 100},
                                           {2, 400},
                                           {400, 2},
                                           {400, 400},
                                           {1000, 37}}) {
        for (int round = 0; round < 3; ++round) {
            const std::vector<double> xs = Margins(rng, c.xn);
            const std::vector<double> ys = Margins(rng, c.yn);
            const OrderCounts want = Plain(xs, ys);
            const OrderCounts got = CountOrder(xs.data(), c.xn, ys.data(), c.yn);
            EXPECT_EQ(got.below, want.below) << c.xn << " x " << c.yn;
            EXPECT_EQ(got.notAbove, want.notAbove) << c.xn << " x " << c.yn;
            for (OrderWay way :
                 {OrderWay::kMerge, OrderWay::kPairs, OrderWay::kPairs2, OrderWay::kPairs4}) {
                const OrderCounts by = CountOrderBy(way, xs.data(), c.xn, ys.data(), c.yn);
                EXPECT_EQ(by.below, want.below)
                    << c.xn << " x " << c.yn << " way " << static_cast<int>(way);
                EXPECT_EQ(by.notAbove, want.notAbove) << c.xn << " x " << c.yn;
            }
        }
    }
}

TEST(MarginOrder, ShortListsCountInAnyOrder) {
    // A list of at most kUnsortedMax is left in file order; against a list of any length,
    // sorted or not, it must count as every pair does.
    std::mt19937 rng(11);
    for (int shortLen : {1, 5, kUnsortedMax - 1, kUnsortedMax}) {
        for (int otherLen : {3, kUnsortedMax, kUnsortedMax + 1, 200, 2000}) {
            std::vector<double> xs = Margins(rng, shortLen);
            std::shuffle(xs.begin(), xs.end(), rng);
            std::vector<double> ys = Margins(rng, otherLen);
            if (otherLen <= kUnsortedMax) std::shuffle(ys.begin(), ys.end(), rng);
            const OrderCounts want = Plain(xs, ys);
            const OrderCounts ab = CountOrder(xs.data(), shortLen, ys.data(), otherLen);
            const OrderCounts ba = CountOrder(ys.data(), otherLen, xs.data(), shortLen);
            EXPECT_EQ(ab.below, want.below) << shortLen << " x " << otherLen;
            EXPECT_EQ(ab.notAbove, want.notAbove) << shortLen << " x " << otherLen;
            EXPECT_EQ(ba.below, static_cast<long>(shortLen) * otherLen - want.notAbove)
                << otherLen << " x " << shortLen;
            EXPECT_EQ(ba.notAbove, static_cast<long>(shortLen) * otherLen - want.below)
                << otherLen << " x " << shortLen;
        }
    }
}

TEST(MarginOrder, AllEqualListsAreNeverBelowAndAlwaysNotAbove) {
    for (int n : {1, 4, 9, 33, 300}) {
        const std::vector<double> v(static_cast<size_t>(n), -0.3);
        const OrderCounts c = CountOrder(v.data(), n, v.data(), n);
        EXPECT_EQ(c.below, 0) << n;
        EXPECT_EQ(c.notAbove, static_cast<long>(n) * n) << n;
    }
}

TEST(MarginOrder, KeptMarginsAreThoseOfUnmarkedRecordsInOrder) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> tenths(-30, 30);
    for (int n = 0; n <= 41; ++n) {
        for (int marked : {0, 1, 3, 7}) {  // of 7 records
            const int records = 12;
            std::vector<uint8_t> met(records, 0);
            for (int r = 0; r < records; ++r)
                met[static_cast<size_t>(r)] = rng() % 7 < static_cast<unsigned>(marked);
            std::vector<double> v;
            std::vector<int> runs;
            for (int i = 0; i < n; ++i) {
                v.push_back(i % 5 == 0 ? 0.0 : tenths(rng) / 10.0);
                runs.push_back(static_cast<int>(rng() % records));
            }
            const double shift = (rng() % 2 ? -0.2 : 0.6);
            std::vector<double> want;
            int wantNeg = 0;
            for (int i = 0; i < n; ++i) {
                if (met[static_cast<size_t>(runs[static_cast<size_t>(i)])]) continue;
                want.push_back(v[static_cast<size_t>(i)] - shift);
                wantNeg += want.back() < 0;
            }
            // The same records as race masks: bit 5 set where the record is marked, other
            // bits set at random.
            std::vector<uint64_t> masks;
            for (int r : runs) {
                const uint64_t noise =
                    (static_cast<uint64_t>(rng()) << 32 | rng()) & ~(uint64_t{1} << 5);
                masks.push_back(noise | static_cast<uint64_t>(met[static_cast<size_t>(r)]) << 5);
            }
            for (int way = 0; way < 6; ++way) {
                const KeepWay by = static_cast<KeepWay>(way % 3);
                std::vector<double> out(static_cast<size_t>(n) + kKeptSlack, 99.0);
                int neg = -1;
                const int kept = way < 3 ? KeptMargins(v.data(), runs.data(), n, shift, met.data(),
                                                       out.data(), neg, by)
                                         : KeptMarginsByMask(v.data(), masks.data(), n, shift,
                                                             uint64_t{1} << 5, out.data(), neg, by);
                ASSERT_EQ(kept, static_cast<int>(want.size())) << n << " way " << way;
                EXPECT_EQ(neg, wantNeg) << n << " way " << way;
                for (int i = 0; i < kept; ++i)
                    EXPECT_EQ(out[static_cast<size_t>(i)], want[static_cast<size_t>(i)])
                        << n << " way " << way << " at " << i;
            }
        }
    }
}

}  // namespace
}  // namespace sorvane
