// The generator's own random numbers and the few functions of real numbers it needs, built only
// from IEEE basic operations so that a season comes out byte-identical on every machine and
// library version (the standard distributions and libm are free to differ there).
#pragma once

#include <cmath>
#include <cstdint>

namespace sorvane::feedgen {

// splitmix64: seeds the main generator and mixes keys into seeds.
inline uint64_t SplitMix(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// A seed for one purpose (a race, a day) drawn from the season seed and a key.
inline uint64_t MixSeed(uint64_t seed, uint64_t key) {
    uint64_t s = seed ^ (key * 0xD1B54A32D192ED03ull);
    SplitMix(s);
    return SplitMix(s);
}

// exp(x) by range reduction to |r| <= ln2/2 and a Taylor series; exact scaling by 2^k.
inline double Exp(double x) {
    if (x < -700.0) return 0.0;
    if (x > 700.0) x = 700.0;
    constexpr double kLn2 = 0.69314718055994530942;
    double k = std::floor(x / kLn2 + 0.5);
    double r = x - k * kLn2;
    double term = 1.0, sum = 1.0;
    for (int n = 1; n <= 16; ++n) {
        term = term * r / n;
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));
}

// ln(x) for x > 0 through the atanh series on the mantissa.
inline double Log(double x) {
    if (!(x > 0.0)) return -745.0;
    constexpr double kLn2 = 0.69314718055994530942;
    int e = 0;
    double m = std::frexp(x, &e);
    if (m < 0.70710678118654752) {
        m *= 2.0;
        --e;
    }
    double t = (m - 1.0) / (m + 1.0), t2 = t * t, power = t, sum = 0.0;
    for (int n = 1; n <= 41; n += 2) {
        sum += power / n;
        power *= t2;
    }
    return 2.0 * sum + e * kLn2;
}

// xoshiro256**.
class Rng {
  public:
    explicit Rng(uint64_t seed) {
        for (auto& w : s_) w = SplitMix(seed);
    }

    uint64_t Next() {
        uint64_t result = Rotl(s_[1] * 5, 7) * 9;
        uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = Rotl(s_[3], 45);
        return result;
    }

    // [0, n) for 0 < n < 2^32 (multiply-shift; its tiny bias does not matter here).
    int Below(int n) { return static_cast<int>(((Next() >> 32) * static_cast<uint64_t>(n)) >> 32); }
    // [lo, hi], both included.
    int Range(int lo, int hi) { return lo + Below(hi - lo + 1); }
    // [0, 1) with 53 random bits.
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    bool Chance(double p) { return Unit() < p; }
    // Roughly standard normal: the sum of twelve uniforms, centred.
    double Normal() {
        double s = 0.0;
        for (int i = 0; i < 12; ++i) s += Unit();
        return s - 6.0;
    }
    // Cheaper, rougher normal (four uniforms) for the many combinations of one race.
    double QuickNormal() {
        double s = Unit() + Unit() + Unit() + Unit();
        return (s - 2.0) * 1.7320508075688772;
    }
    // Standard Gumbel (maximum) variate.
    double Gumbel() {
        double u = (static_cast<double>(Next() >> 11) + 0.5) * 0x1.0p-53;
        return -Log(-Log(u));
    }
    // An index drawn with the given integer weights.
    template <size_t N>
    int Weighted(const int (&weights)[N]) {
        int total = 0;
        for (int w : weights) total += w;
        int r = Below(total);
        for (size_t i = 0; i < N; ++i) {
            if (r < weights[i]) return static_cast<int>(i);
            r -= weights[i];
        }
        return static_cast<int>(N) - 1;
    }

  private:
    static uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    uint64_t s_[4];
};

}  // namespace sorvane::feedgen
