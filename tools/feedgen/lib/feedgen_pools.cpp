#include "feedgen_pools.h"

#include <algorithm>
#include <numeric>

namespace sorvane::feedgen {

namespace {

std::vector<Combo> MakeCombos(Kind kind) {
    std::vector<Combo> out;
    const int n = kMaxHorses;
    switch (kind) {
        case kWin:
        case kPlace:
            for (int i = 1; i <= n; ++i) out.push_back({i, 0, 0});
            break;
        case kBracket:
            for (int i = 1; i <= 8; ++i)
                for (int j = i; j <= 8; ++j) out.push_back({i, j, 0});
            break;
        case kQuinella:
        case kWide:
            for (int i = 1; i <= n; ++i)
                for (int j = i + 1; j <= n; ++j) out.push_back({i, j, 0});
            break;
        case kExacta:
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j <= n; ++j)
                    if (i != j) out.push_back({i, j, 0});
            break;
        case kTrio:
            for (int i = 1; i <= n; ++i)
                for (int j = i + 1; j <= n; ++j)
                    for (int k = j + 1; k <= n; ++k) out.push_back({i, j, k});
            break;
        case kTrifecta:
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j <= n; ++j)
                    for (int k = 1; k <= n; ++k)
                        if (i != j && i != k && j != k) out.push_back({i, j, k});
            break;
        default:
            break;
    }
    return out;
}

int PairIndex(int i, int j) {  // 馬連 / ワイド, i < j, 0-based
    return (i - 1) * (36 - i) / 2 + (j - i) - 1;
}
int TrioIndex(int i, int j, int k) {  // i < j < k, 0-based
    static const std::vector<int> table = [] {
        std::vector<int> t(19 * 19 * 19, -1);
        const auto& c = Combos(kTrio);
        for (size_t x = 0; x < c.size(); ++x) t[(c[x].a * 19 + c[x].b) * 19 + c[x].c] = x;
        return t;
    }();
    return table[(i * 19 + j) * 19 + k];
}
int BracketIndex(int f, int g) {  // f <= g, 0-based
    return (f - 1) * (18 - f) / 2 + (g - f + 1) - 1;
}

int64_t RoundVotes(double x) { return static_cast<int64_t>(std::floor(x + 0.5)); }

int OddsCap(Kind k) {
    int cap = 1;
    for (int d = 0; d < kOddsDigits[k]; ++d) cap *= 10;
    return cap - 1;
}

// Votes from shares, raised where needed so that no combination's odds pass the field's width.
void FillVotes(KindPool& pool, const std::vector<double>& share, Kind kind, int64_t total) {
    double sum = 0.0;
    for (size_t c = 0; c < share.size(); ++c)
        if (pool.state[c] == ComboState::Sold) sum += share[c];
    pool.votes.assign(share.size(), 0);
    for (size_t c = 0; c < share.size(); ++c)
        if (pool.state[c] == ComboState::Sold)
            pool.votes[c] = std::max<int64_t>(1, RoundVotes(share[c] / sum * total));
    const int64_t cap = OddsCap(kind);
    for (int round = 0; round < 8; ++round) {
        pool.total = 0;
        for (int64_t v : pool.votes) pool.total += v;
        pool.net10000 = pool.total * (10000 - kTakeoutBp[kind]);
        // odds10 = net10000 / (votes * 1000) <= cap  <=>  votes > net10000 / (1000 (cap + 1))
        int64_t least = pool.net10000 / (1000 * (cap + 1)) + 1;
        bool raised = false;
        for (size_t c = 0; c < share.size(); ++c)
            if (pool.state[c] == ComboState::Sold && pool.votes[c] < least) {
                pool.votes[c] = least;
                raised = true;
            }
        if (!raised) break;
    }
}

void Rank(KindPool& pool) {
    std::vector<int> order;
    for (size_t c = 0; c < pool.state.size(); ++c)
        if (pool.state[c] == ComboState::Sold) order.push_back(static_cast<int>(c));
    std::sort(order.begin(), order.end(), [&](int x, int y) {
        if (pool.odds10[x] != pool.odds10[y]) return pool.odds10[x] < pool.odds10[y];
        if (pool.votes[x] != pool.votes[y]) return pool.votes[x] > pool.votes[y];
        return x < y;
    });
    pool.popularity.assign(pool.state.size(), 0);
    for (size_t r = 0; r < order.size(); ++r) pool.popularity[order[r]] = static_cast<int>(r) + 1;
}

int ClampOdds(int64_t odds10, Kind kind) {
    return static_cast<int>(std::clamp<int64_t>(odds10, 10, OddsCap(kind)));
}

// State of a combination of horses: absent when a horse is past the field, scratched when one
// of them does not run (after sale wins over before sale), else sold.
ComboState StateOf(const RaceField& f, std::initializer_list<int> horses) {
    ComboState s = ComboState::Sold;
    for (int h : horses) {
        if (h == 0) continue;
        if (h > f.registered) return ComboState::Absent;
        char x = f.scratch[h - 1];
        if (x == '*') s = ComboState::ScratchedAfter;
        if (x == '-' && s == ComboState::Sold) s = ComboState::ScratchedBefore;
    }
    return s;
}

}  // namespace

const std::vector<Combo>& Combos(Kind kind) {
    static const std::array<std::vector<Combo>, kKindCount> all = [] {
        std::array<std::vector<Combo>, kKindCount> a;
        for (int k = 0; k < kKindCount; ++k) a[k] = MakeCombos(static_cast<Kind>(k));
        return a;
    }();
    return all[kind];
}

int64_t ShareOdds10(int64_t stake, int64_t winners, int64_t rest10000) {
    int64_t base = winners * stake * 10000;
    int64_t num = base + rest10000;
    if (num <= base) return 10;
    return std::max<int64_t>(10, num * 10 / base);
}

RacePools BuildPools(const RaceField& f, double combNoise, Rng& rng) {
    RacePools p;
    const int n = f.registered;
    int starters = 0;
    for (int h = 1; h <= n; ++h)
        if (!f.scratch[h - 1]) ++starters;
    p.places = starters >= 8 ? 3 : starters >= 5 ? 2 : 0;

    // Win chances of the starters, normalised.
    std::array<double, kMaxHorses + 1> w{};
    double sum = 0.0;
    for (int h = 1; h <= n; ++h)
        if (!f.scratch[h - 1]) sum += f.publicWin[h - 1];
    for (int h = 1; h <= n; ++h)
        w[h] = !f.scratch[h - 1] && sum > 0 ? f.publicWin[h - 1] / sum : 0.0;

    // Harville: the chance of every ordered triple, and from it everything else.
    const auto& tri = Combos(kTrifecta);
    std::vector<double> triChance(tri.size(), 0.0);
    for (size_t c = 0; c < tri.size(); ++c) {
        const Combo& t = tri[c];
        double d1 = 1.0 - w[t.a], d2 = 1.0 - w[t.a] - w[t.b];
        if (d1 > 1e-12 && d2 > 1e-12) triChance[c] = w[t.a] * w[t.b] / d1 * w[t.c] / d2;
    }
    std::vector<double> exChance(Combos(kExacta).size(), 0.0);
    {
        const auto& ex = Combos(kExacta);
        for (size_t c = 0; c < ex.size(); ++c) {
            double d1 = 1.0 - w[ex[c].a];
            if (d1 > 1e-12) exChance[c] = w[ex[c].a] * w[ex[c].b] / d1;
        }
    }

    auto noisy = [&](double x) { return x * Exp(combNoise * rng.QuickNormal()); };

    for (int k = 0; k < kKindCount; ++k) {
        Kind kind = static_cast<Kind>(k);
        KindPool& pool = p.kind[k];
        const auto& combos = Combos(kind);
        pool.state.assign(combos.size(), ComboState::Absent);
        std::vector<double> share(combos.size(), 0.0);
        for (size_t c = 0; c < combos.size(); ++c) {
            const Combo& x = combos[c];
            if (kind == kBracket) {
                // A frame pair exists when the field gives it horses; it is scratched when the
                // horses that run no longer fill it.
                int regF = 0, regG = 0, runF = 0, runG = 0;
                bool after = false;
                for (int h = 1; h <= n; ++h) {
                    bool runs = !f.scratch[h - 1];
                    if (f.frame[h - 1] == x.a) {
                        ++regF;
                        runF += runs;
                    }
                    if (f.frame[h - 1] == x.b) {
                        ++regG;
                        runG += runs;
                    }
                    if (!runs && f.scratch[h - 1] == '*' &&
                        (f.frame[h - 1] == x.a || f.frame[h - 1] == x.b))
                        after = true;
                }
                bool exists = x.a == x.b ? regF >= 2 : regF >= 1 && regG >= 1;
                bool runsOk = x.a == x.b ? runF >= 2 : runF >= 1 && runG >= 1;
                if (!exists || n <= 8)
                    pool.state[c] = ComboState::Absent;
                else if (!runsOk)
                    pool.state[c] =
                        after ? ComboState::ScratchedAfter : ComboState::ScratchedBefore;
                else
                    pool.state[c] = ComboState::Sold;
            } else {
                pool.state[c] = StateOf(f, {x.a, x.b, x.c});
            }
        }
        switch (kind) {
            case kWin:
                for (size_t c = 0; c < combos.size(); ++c) share[c] = w[combos[c].a];
                break;
            case kPlace:
                // Chance of a place among the first `places`.
                for (size_t c = 0; c < combos.size(); ++c) share[c] = w[combos[c].a];
                for (size_t c = 0; c < exChance.size(); ++c)
                    share[Combos(kExacta)[c].b - 1] += exChance[c];
                if (p.places == 3)
                    for (size_t c = 0; c < tri.size(); ++c) share[tri[c].c - 1] += triChance[c];
                break;
            case kQuinella:
                for (size_t c = 0; c < exChance.size(); ++c) {
                    const Combo& e = Combos(kExacta)[c];
                    share[PairIndex(std::min(e.a, e.b), std::max(e.a, e.b))] += exChance[c];
                }
                for (double& s : share) s = noisy(s);
                break;
            case kBracket:
                for (size_t c = 0; c < exChance.size(); ++c) {
                    const Combo& e = Combos(kExacta)[c];
                    if (e.a > n || e.b > n) continue;
                    int fa = f.frame[e.a - 1], fb = f.frame[e.b - 1];
                    share[BracketIndex(std::min(fa, fb), std::max(fa, fb))] += exChance[c];
                }
                for (double& s : share) s = noisy(s);
                break;
            case kWide:
                for (size_t c = 0; c < tri.size(); ++c) {
                    int h[3] = {tri[c].a, tri[c].b, tri[c].c};
                    std::sort(h, h + 3);
                    share[PairIndex(h[0], h[1])] += triChance[c];
                    share[PairIndex(h[0], h[2])] += triChance[c];
                    share[PairIndex(h[1], h[2])] += triChance[c];
                }
                for (double& s : share) s = noisy(s);
                break;
            case kExacta:
                for (size_t c = 0; c < combos.size(); ++c) share[c] = noisy(exChance[c]);
                break;
            case kTrio:
                for (size_t c = 0; c < tri.size(); ++c) {
                    int h[3] = {tri[c].a, tri[c].b, tri[c].c};
                    std::sort(h, h + 3);
                    share[TrioIndex(h[0], h[1], h[2])] += triChance[c];
                }
                for (double& s : share) s = noisy(s);
                break;
            case kTrifecta:
                for (size_t c = 0; c < combos.size(); ++c) share[c] = noisy(triChance[c]);
                break;
            default:
                break;
        }
        bool anySold = std::any_of(pool.state.begin(), pool.state.end(),
                                   [](ComboState s) { return s == ComboState::Sold; });
        pool.sold = anySold && (kind != kPlace || p.places > 0);
        if (!pool.sold) {
            for (auto& s : pool.state)
                if (s == ComboState::Sold) s = ComboState::Absent;
        }
        static constexpr double kScale[kKindCount] = {1.0, 0.45, 0.25, 0.9, 0.5, 1.1, 1.4, 3.5};
        int64_t total = std::max<int64_t>(100, RoundVotes(f.winVotes * kScale[k]));
        pool.odds10.assign(combos.size(), 0);
        pool.oddsMax10.assign(combos.size(), 0);
        if (!pool.sold) {
            pool.votes.assign(combos.size(), 0);
            pool.popularity.assign(combos.size(), 0);
            continue;
        }
        FillVotes(pool, share, kind, total);
        for (size_t c = 0; c < combos.size(); ++c) {
            if (pool.state[c] != ComboState::Sold) continue;
            int64_t v = pool.votes[c];
            if (kind == kPlace) {
                // The other placed horses decide the share: most when they carry the least.
                std::vector<int64_t> others;
                for (size_t d = 0; d < combos.size(); ++d)
                    if (d != c && pool.state[d] == ComboState::Sold)
                        others.push_back(pool.votes[d]);
                std::sort(others.begin(), others.end());
                int take = std::min<int>(p.places - 1, static_cast<int>(others.size()));
                int64_t low = 0, high = 0;
                for (int i = 0; i < take; ++i) {
                    low += others[i];
                    high += others[others.size() - 1 - i];
                }
                int64_t winners = take + 1;
                pool.odds10[c] =
                    ClampOdds(ShareOdds10(v, winners, pool.net10000 - 10000 * (v + high)), kind);
                pool.oddsMax10[c] =
                    ClampOdds(ShareOdds10(v, winners, pool.net10000 - 10000 * (v + low)), kind);
            } else if (kind == kWide) {
                // The third placed horse decides which two other pairs share with this one.
                const Combo& x = combos[c];
                int64_t lo = INT64_MAX, hi = 0;
                for (int h = 1; h <= n; ++h) {
                    if (h == x.a || h == x.b || f.scratch[h - 1]) continue;
                    int64_t o = pool.votes[PairIndex(std::min(x.a, h), std::max(x.a, h))] +
                                pool.votes[PairIndex(std::min(x.b, h), std::max(x.b, h))];
                    int64_t odds = ShareOdds10(v, 3, pool.net10000 - 10000 * (v + o));
                    lo = std::min(lo, odds);
                    hi = std::max(hi, odds);
                }
                if (lo == INT64_MAX) lo = hi = pool.net10000 / (v * 1000);
                pool.odds10[c] = ClampOdds(lo, kind);
                pool.oddsMax10[c] = ClampOdds(hi, kind);
            } else {
                pool.odds10[c] = ClampOdds(pool.net10000 / (v * 1000), kind);
            }
        }
        Rank(pool);
    }
    return p;
}

std::array<std::vector<Payout>, kKindCount> Payouts(const RaceField& f, const RacePools& pools,
                                                    const std::array<int, kMaxHorses>& pos) {
    std::array<std::vector<int>, kKindCount> winners;
    const int n = f.registered;
    auto finished = [&](int h) { return h >= 1 && h <= n && pos[h - 1] >= 1; };
    // (x, y[, z]) leads some order of the finishers that respects the confirmed positions.
    auto leads = [&](std::initializer_list<int> head) {
        int last = 0, prev = 0;
        for (int h : head) {
            if (!finished(h) || pos[h - 1] < prev) return false;
            prev = last = pos[h - 1];
        }
        for (int w = 1; w <= n; ++w) {
            if (!finished(w) || std::find(head.begin(), head.end(), w) != head.end()) continue;
            if (pos[w - 1] < last) return false;
        }
        return true;
    };
    const auto& ex = Combos(kExacta);
    const auto& tri = Combos(kTrifecta);
    for (int h = 1; h <= n; ++h) {
        if (finished(h) && pos[h - 1] == 1) winners[kWin].push_back(h - 1);
        if (finished(h) && pos[h - 1] <= pools.places) winners[kPlace].push_back(h - 1);
    }
    for (size_t c = 0; c < ex.size(); ++c) {
        if (!leads({ex[c].a, ex[c].b})) continue;
        winners[kExacta].push_back(static_cast<int>(c));
        winners[kQuinella].push_back(
            PairIndex(std::min(ex[c].a, ex[c].b), std::max(ex[c].a, ex[c].b)));
        int fa = f.frame[ex[c].a - 1], fb = f.frame[ex[c].b - 1];
        winners[kBracket].push_back(BracketIndex(std::min(fa, fb), std::max(fa, fb)));
    }
    for (size_t c = 0; c < tri.size(); ++c) {
        if (!leads({tri[c].a, tri[c].b, tri[c].c})) continue;
        winners[kTrifecta].push_back(static_cast<int>(c));
        int h[3] = {tri[c].a, tri[c].b, tri[c].c};
        std::sort(h, h + 3);
        winners[kTrio].push_back(TrioIndex(h[0], h[1], h[2]));
        winners[kWide].push_back(PairIndex(h[0], h[1]));
        winners[kWide].push_back(PairIndex(h[0], h[2]));
        winners[kWide].push_back(PairIndex(h[1], h[2]));
    }
    std::array<std::vector<Payout>, kKindCount> out;
    for (int k = 0; k < kKindCount; ++k) {
        const KindPool& pool = pools.kind[k];
        auto& list = winners[k];
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
        if (!pool.sold) continue;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](int c) { return pool.state[c] != ComboState::Sold; }),
                   list.end());
        if (list.empty()) continue;
        int64_t paidBack = 0;
        for (int c : list) paidBack += pool.votes[c];
        int64_t rest = pool.net10000 - 10000 * paidBack;
        int64_t m = static_cast<int64_t>(list.size());
        for (int c : list) {
            if (static_cast<int>(out[k].size()) >= kPayoutSlots[k]) break;
            Payout pay;
            pay.combo = Combos(static_cast<Kind>(k))[c];
            // One winner: exactly its published odds (the same division).
            int64_t odds10 = m == 1 && k != kPlace && k != kWide
                                 ? std::max<int64_t>(10, pool.net10000 / (pool.votes[c] * 1000))
                                 : ShareOdds10(pool.votes[c], m, rest);
            pay.yen = odds10 * 10;
            pay.popularity = pool.popularity[c];
            out[k].push_back(pay);
        }
    }
    return out;
}

}  // namespace sorvane::feedgen
