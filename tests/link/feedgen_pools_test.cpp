// The generator's betting pools: published odds, popularity, and payouts that agree with them,
// dead heats and scratched horses included.
#include "feedgen_pools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace sorvane::feedgen {
namespace {

// Ten horses in frames 1..6, 7, 7, 8, 8, the favourite first.
RaceField TenHorses() {
    RaceField f;
    f.registered = 10;
    const int frames[10] = {1, 2, 3, 4, 5, 6, 7, 7, 8, 8};
    for (int i = 0; i < 10; ++i) {
        f.frame[static_cast<size_t>(i)] = frames[i];
        f.publicWin[static_cast<size_t>(i)] = 1.0 / (1.0 + i);
    }
    f.winVotes = 20000;
    return f;
}

std::array<int, kMaxHorses> Positions(std::initializer_list<std::pair<int, int>> horsePos) {
    std::array<int, kMaxHorses> p{};
    for (auto [h, pos] : horsePos) p[static_cast<size_t>(h - 1)] = pos;
    return p;
}

size_t IndexOf(Kind k, const Combo& c) {
    const auto& all = Combos(k);
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].a == c.a && all[i].b == c.b && all[i].c == c.c) return i;
    return all.size();
}

// What the winners are paid back never passes what the pool holds after takeout.
void ExpectWithinPool(const KindPool& pool, const std::vector<Payout>& pays, Kind k) {
    int64_t paid = 0;
    for (const auto& p : pays) paid += p.yen / 100 * pool.votes[IndexOf(k, p.combo)];
    EXPECT_LE(paid * 10000, pool.net10000 + 10000 * static_cast<int64_t>(pays.size())) << k;
}

TEST(PoolsTest, OddsAndPopularityAgree) {
    Rng rng(5);
    RacePools p = BuildPools(TenHorses(), 0.15, rng);
    EXPECT_EQ(p.places, 3);
    for (int k = 0; k < kKindCount; ++k) {
        const KindPool& pool = p.kind[k];
        ASSERT_TRUE(pool.sold) << k;
        std::vector<std::pair<int, int>> byPopularity;  // (popularity, odds)
        for (size_t c = 0; c < pool.state.size(); ++c)
            if (pool.state[c] == ComboState::Sold) {
                EXPECT_GE(pool.odds10[c], 10);
                byPopularity.push_back({pool.popularity[c], pool.odds10[c]});
            }
        std::sort(byPopularity.begin(), byPopularity.end());
        for (size_t r = 0; r < byPopularity.size(); ++r) {
            EXPECT_EQ(byPopularity[r].first, static_cast<int>(r) + 1) << k;
            if (r > 0) {
                EXPECT_LE(byPopularity[r - 1].second, byPopularity[r].second) << k;
            }
        }
    }
    // Takeout of 20 % on 単勝: a horse's odds pay its voters back 80 % of the pool.
    const KindPool& win = p.kind[kWin];
    for (size_t c = 0; c < 10; ++c)
        EXPECT_NEAR(static_cast<double>(win.votes[c]) * win.odds10[c] / 10.0,
                    0.8 * static_cast<double>(win.total),
                    static_cast<double>(win.votes[c]) / 10.0 + 1.0);
}

TEST(PoolsTest, OneWinnerIsPaidItsPublishedOdds) {
    Rng rng(9);
    RaceField f = TenHorses();
    RacePools p = BuildPools(f, 0.15, rng);
    auto pays = Payouts(f, p, Positions({{3, 1}, {1, 2}, {8, 3}, {2, 4}, {5, 5}}));
    for (Kind k : {kWin, kBracket, kQuinella, kExacta, kTrio, kTrifecta}) {
        ASSERT_EQ(pays[k].size(), 1u) << k;
        size_t c = IndexOf(k, pays[k][0].combo);
        EXPECT_EQ(pays[k][0].yen, p.kind[k].odds10[c] * 10) << k;
        EXPECT_EQ(pays[k][0].popularity, p.kind[k].popularity[c]) << k;
    }
    EXPECT_EQ(pays[kWin][0].combo.a, 3);
    EXPECT_EQ(pays[kBracket][0].combo.a, 1);
    EXPECT_EQ(pays[kBracket][0].combo.b, 3);
    EXPECT_EQ(pays[kTrifecta][0].combo.a, 3);
    EXPECT_EQ(pays[kTrifecta][0].combo.b, 1);
    EXPECT_EQ(pays[kTrifecta][0].combo.c, 8);
    // 複勝 and ワイド: each placed horse or pair within its published range.
    for (Kind k : {kPlace, kWide}) {
        ASSERT_EQ(pays[k].size(), 3u) << k;
        for (const auto& pay : pays[k]) {
            size_t c = IndexOf(k, pay.combo);
            EXPECT_GE(pay.yen, p.kind[k].odds10[c] * 10) << k;
            EXPECT_LE(pay.yen, p.kind[k].oddsMax10[c] * 10) << k;
        }
        ExpectWithinPool(p.kind[k], pays[k], k);
    }
}

TEST(PoolsTest, DeadHeatsShareThePools) {
    Rng rng(11);
    RaceField f = TenHorses();
    RacePools p = BuildPools(f, 0.15, rng);
    struct Case {
        const char* what;
        std::array<int, kMaxHorses> positions;
        std::array<size_t, kKindCount> entries;  // per kind
    } cases[] = {
        {"first", Positions({{2, 1}, {5, 1}, {7, 3}, {1, 4}}), {2, 3, 1, 1, 3, 2, 1, 2}},
        {"second", Positions({{1, 1}, {2, 2}, {3, 2}, {4, 4}}), {1, 3, 2, 2, 3, 2, 1, 2}},
        {"third", Positions({{1, 1}, {2, 2}, {3, 3}, {4, 3}, {5, 5}}), {1, 4, 1, 1, 5, 1, 2, 2}},
    };
    for (const auto& c : cases) {
        auto pays = Payouts(f, p, c.positions);
        for (int k = 0; k < kKindCount; ++k) {
            EXPECT_EQ(pays[k].size(), c.entries[k]) << c.what << " kind " << k;
            std::set<size_t> seen;
            for (const auto& pay : pays[k]) {
                size_t i = IndexOf(static_cast<Kind>(k), pay.combo);
                EXPECT_TRUE(seen.insert(i).second);
                EXPECT_GE(pay.yen, 100);
                // Sharing never pays more than the combination alone would have.
                if (k != kPlace && k != kWide) {
                    EXPECT_LE(pay.yen, p.kind[k].odds10[i] * 10);
                }
            }
            ExpectWithinPool(p.kind[k], pays[k], static_cast<Kind>(k));
        }
    }
    // The two horses tied for third make no ワイド pair together.
    auto pays = Payouts(f, p, cases[2].positions);
    for (const auto& pay : pays[kWide]) EXPECT_FALSE(pay.combo.a == 3 && pay.combo.b == 4);
}

TEST(PoolsTest, ScratchedAndMissingHorsesMarkTheirCombinations) {
    Rng rng(3);
    RaceField f = TenHorses();
    f.scratch[3] = '-';  // horse 4 before the sale
    f.scratch[8] = '*';  // horse 9 after it
    RacePools p = BuildPools(f, 0.15, rng);
    const KindPool& tri = p.kind[kTrifecta];
    int sold = 0;
    for (size_t c = 0; c < tri.state.size(); ++c) {
        const Combo& x = Combos(kTrifecta)[c];
        auto has = [&](int h) { return x.a == h || x.b == h || x.c == h; };
        ComboState want = std::max({x.a, x.b, x.c}) > 10 ? ComboState::Absent
                          : has(9)                       ? ComboState::ScratchedAfter
                          : has(4)                       ? ComboState::ScratchedBefore
                                                         : ComboState::Sold;
        EXPECT_EQ(tri.state[c], want) << x.a << "-" << x.b << "-" << x.c;
        if (want == ComboState::Sold) {
            ++sold;
            EXPECT_GE(tri.popularity[c], 1);
            EXPECT_LE(tri.popularity[c], 336);
        }
    }
    EXPECT_EQ(sold, 8 * 7 * 6);
    const KindPool& br = p.kind[kBracket];
    auto bracket = [&](int a, int b) { return br.state[IndexOf(kBracket, {a, b, 0})]; };
    EXPECT_EQ(bracket(1, 1), ComboState::Absent);           // one horse in frame 1
    EXPECT_EQ(bracket(7, 7), ComboState::Sold);             // horses 7 and 8
    EXPECT_EQ(bracket(8, 8), ComboState::ScratchedAfter);   // horse 9 is out
    EXPECT_EQ(bracket(4, 6), ComboState::ScratchedBefore);  // frame 4 is horse 4 alone
    EXPECT_EQ(bracket(3, 8), ComboState::Sold);             // horse 10 still runs
    EXPECT_EQ(p.kind[kWin].state[3], ComboState::ScratchedBefore);
    EXPECT_EQ(p.kind[kWin].state[10], ComboState::Absent);
}

TEST(PoolsTest, SmallFieldsSellNoBracketsAndFewerPlaces) {
    Rng rng(1);
    RaceField f = TenHorses();
    f.registered = 7;
    RacePools p = BuildPools(f, 0.15, rng);
    EXPECT_EQ(p.places, 2);
    EXPECT_FALSE(p.kind[kBracket].sold);
    auto pays = Payouts(f, p, Positions({{1, 1}, {2, 2}, {3, 3}}));
    EXPECT_EQ(pays[kPlace].size(), 2u);
    EXPECT_TRUE(pays[kBracket].empty());
}

}  // namespace
}  // namespace sorvane::feedgen
