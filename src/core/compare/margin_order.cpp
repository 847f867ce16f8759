#include "compare/margin_order.h"

#include <cstdint>

#if defined(__x86_64__) || defined(_M_X64)
#include <immintrin.h>
#define SORVANE_ORDER_SIMD 1
#endif

namespace sorvane {
namespace {

// Two merges, one for "y below x" and one for "y not above x". Branch-free: a mispredicted
// branch costs more than the comparison. They run interleaved while both have values left,
// so that their dependency chains (load, compare, index) overlap. The cost is linear, about
// a dozen cycles per value of either list.
OrderCounts Merged(const double* a, int an, const double* e, int en) {
    long below = 0;
    long notAbove = 0;
    int i1 = 0;
    int j1 = 0;
    int i2 = 0;
    int j2 = 0;
    while (i1 < an && j1 < en && i2 < an && j2 < en) {
        const bool f1 = e[j1] < a[i1];
        below += f1 ? 0 : j1;
        j1 += f1;
        i1 += !f1;
        const bool f2 = e[j2] <= a[i2];
        notAbove += f2 ? 0 : j2;
        j2 += f2;
        i2 += !f2;
    }
    while (i1 < an && j1 < en) {
        const bool f1 = e[j1] < a[i1];
        below += f1 ? 0 : j1;
        j1 += f1;
        i1 += !f1;
    }
    below += static_cast<long>(an - i1) * j1;
    while (i2 < an && j2 < en) {
        const bool f2 = e[j2] <= a[i2];
        notAbove += f2 ? 0 : j2;
        j2 += f2;
        i2 += !f2;
    }
    notAbove += static_cast<long>(an - i2) * j2;
    return {below, notAbove};
}

// Every pair compared, several at a time: no dependency between the comparisons, so the
// cost is the number of pairs over the vector width, which beats the merge on short lists.
void AddScalarPairs(const double* xs, int xn, const double* ys, int from, int yn, OrderCounts& c) {
    for (int j = from; j < yn; ++j)
        for (int i = 0; i < xn; ++i) {
            c.below += ys[j] < xs[i];
            c.notAbove += ys[j] <= xs[i];
        }
}

#if SORVANE_ORDER_SIMD
OrderCounts AllPairsSse2(const double* xs, int xn, const double* ys, int yn) {
    __m128i lt = _mm_setzero_si128();
    __m128i le = _mm_setzero_si128();
    const int whole = yn & ~1;
    for (int i = 0; i < xn; ++i) {
        const __m128d x = _mm_set1_pd(xs[i]);
        for (int j = 0; j < whole; j += 2) {
            const __m128d y = _mm_loadu_pd(ys + j);
            // A true lane is all ones, -1 as an integer.
            lt = _mm_sub_epi64(lt, _mm_castpd_si128(_mm_cmplt_pd(y, x)));
            le = _mm_sub_epi64(le, _mm_castpd_si128(_mm_cmple_pd(y, x)));
        }
    }
    alignas(16) long long l[2];
    alignas(16) long long e[2];
    _mm_store_si128(reinterpret_cast<__m128i*>(l), lt);
    _mm_store_si128(reinterpret_cast<__m128i*>(e), le);
    OrderCounts c{static_cast<long>(l[0] + l[1]), static_cast<long>(e[0] + e[1])};
    AddScalarPairs(xs, xn, ys, whole, yn, c);
    return c;
}

__attribute__((target("avx2"))) OrderCounts AllPairsAvx2(const double* xs, int xn, const double* ys,
                                                         int yn) {
    __m256i lt = _mm256_setzero_si256();
    __m256i le = _mm256_setzero_si256();
    const int whole = yn & ~3;
    for (int i = 0; i < xn; ++i) {
        const __m256d x = _mm256_set1_pd(xs[i]);
        for (int j = 0; j < whole; j += 4) {
            const __m256d y = _mm256_loadu_pd(ys + j);
            lt = _mm256_sub_epi64(lt, _mm256_castpd_si256(_mm256_cmp_pd(y, x, _CMP_LT_OQ)));
            le = _mm256_sub_epi64(le, _mm256_castpd_si256(_mm256_cmp_pd(y, x, _CMP_LE_OQ)));
        }
    }
    alignas(32) long long l[4];
    alignas(32) long long e[4];
    _mm256_store_si256(reinterpret_cast<__m256i*>(l), lt);
    _mm256_store_si256(reinterpret_cast<__m256i*>(e), le);
    OrderCounts c{static_cast<long>(l[0] + l[1] + l[2] + l[3]),
                  static_cast<long>(e[0] + e[1] + e[2] + e[3])};
    AddScalarPairs(xs, xn, ys, whole, yn, c);
    return c;
}

bool HasAvx2() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    }();
    return has;
}

bool HasAvx512() {
    static const bool has = [] {
        __builtin_cpu_init();
        return HasAvx2() && __builtin_cpu_supports("avx512f");
    }();
    return has;
}

// For a mask of kept lanes (bit k: double k of 4), the 32-bit lanes that move the kept
// doubles to the front, in order.
struct CompressTable {
    alignas(32) int32_t lanes[16][8];
};
constexpr CompressTable MakeCompressTable() {
    CompressTable t{};
    for (int mask = 0; mask < 16; ++mask) {
        int to = 0;
        for (int k = 0; k < 4; ++k) {
            if (!(mask & (1 << k))) continue;
            t.lanes[mask][2 * to] = 2 * k;
            t.lanes[mask][2 * to + 1] = 2 * k + 1;
            ++to;
        }
    }
    return t;
}
constexpr CompressTable kCompress = MakeCompressTable();

#endif

// Kept margins one at a time: v[i] - shift for i in [from, n) where keep(i), written from
// out[kept] on; the count of kept ones goes on from kept and is returned, the negatives are
// added to neg.
template <class Keep>
int KeepOneByOne(const double* v, int from, int n, double shift, const Keep& keep, double* out,
                 int kept, int& neg) {
    for (int i = from; i < n; ++i) {
        const double x = v[i] - shift;
        const int k = keep(i) ? 1 : 0;
        out[kept] = x;
        neg += k & (x < 0);
        kept += k;
    }
    return kept;
}

#if SORVANE_ORDER_SIMD
// Four shifted margins x, lane j kept when bit j of keep is set: the kept ones moved to the
// front of the vector, which is stored whole at out + kept (the next store overwrites what
// lies past them).
__attribute__((target("avx2,popcnt"))) inline void StoreKept(__m256d x, int keep, double* out,
                                                             int& kept, int& neg) {
    const int below = _mm256_movemask_pd(_mm256_cmp_pd(x, _mm256_setzero_pd(), _CMP_LT_OQ)) & keep;
    const __m256i lanes =
        _mm256_load_si256(reinterpret_cast<const __m256i*>(kCompress.lanes[keep]));
    _mm256_storeu_pd(out + kept, _mm256_castsi256_pd(
                                     _mm256_permutevar8x32_epi32(_mm256_castpd_si256(x), lanes)));
    kept += __builtin_popcount(static_cast<unsigned>(keep));
    neg += __builtin_popcount(static_cast<unsigned>(below));
}

// By record: the marks looked up one by one (a gather is slower here).
__attribute__((target("avx2,popcnt"))) int KeptAvx2(const double* v, const int* runs, int n,
                                                    double shift, const uint8_t* met, double* out,
                                                    int& negatives) {
    const __m256d by = _mm256_set1_pd(shift);
    int kept = 0;
    int neg = 0;
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const int keep = (met[runs[i]] == 0) | (met[runs[i + 1]] == 0) << 1 |
                         (met[runs[i + 2]] == 0) << 2 | (met[runs[i + 3]] == 0) << 3;
        StoreKept(_mm256_sub_pd(_mm256_loadu_pd(v + i), by), keep, out, kept, neg);
    }
    kept = KeepOneByOne(
        v, i, n, shift, [met, runs](int j) { return met[runs[j]] == 0; }, out, kept, neg);
    negatives = neg;
    return kept;
}

// By race mask: four masks tested at once.
__attribute__((target("avx2,popcnt"))) int KeptByMaskAvx2(const double* v, const uint64_t* masks,
                                                          int n, double shift, uint64_t bit,
                                                          double* out, int& negatives) {
    const __m256d by = _mm256_set1_pd(shift);
    const __m256i test = _mm256_set1_epi64x(static_cast<long long>(bit));
    int kept = 0;
    int neg = 0;
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m256i m = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(masks + i));
        const __m256i clear = _mm256_cmpeq_epi64(_mm256_and_si256(m, test), _mm256_setzero_si256());
        const int keep = _mm256_movemask_pd(_mm256_castsi256_pd(clear));
        StoreKept(_mm256_sub_pd(_mm256_loadu_pd(v + i), by), keep, out, kept, neg);
    }
    kept = KeepOneByOne(
        v, i, n, shift, [masks, bit](int j) { return (masks[j] & bit) == 0; }, out, kept, neg);
    negatives = neg;
    return kept;
}

// Eight margins at a time, the last few under a mask (a masked lane is never loaded), so
// there is no scalar tail. Lane j is kept when its record is not marked in met (kByMask
// false) or its race mask lacks `bit` (true); the kept ones are compressed to the front of
// the vector, which is stored whole at out + kept.
template <bool kByMask>
__attribute__((target("avx2,avx512f,popcnt"))) int Kept512(const double* v, int n, double shift,
                                                           const uint64_t* masks, uint64_t bit,
                                                           const int* runs, const uint8_t* met,
                                                           double* out, int& negatives) {
    const __m512d by = _mm512_set1_pd(shift);
    const __m512i test = _mm512_set1_epi64(static_cast<long long>(bit));
    int kept = 0;
    int neg = 0;
    for (int i = 0; i < n; i += 8) {
        const __mmask8 valid =
            n - i >= 8 ? static_cast<__mmask8>(0xFF) : static_cast<__mmask8>((1u << (n - i)) - 1);
        __mmask8 k;
        if constexpr (kByMask) {
            k = _mm512_mask_testn_epi64_mask(valid, _mm512_maskz_loadu_epi64(valid, masks + i),
                                             test);
        } else {
            unsigned keep = 0;
            for (int j = 0; j < 8 && i + j < n; ++j) keep |= (met[runs[i + j]] == 0 ? 1u : 0u) << j;
            k = static_cast<__mmask8>(keep);
        }
        const __m512d x = _mm512_sub_pd(_mm512_maskz_loadu_pd(valid, v + i), by);
        const __mmask8 below = _mm512_mask_cmp_pd_mask(k, x, _mm512_setzero_pd(), _CMP_LT_OQ);
        _mm512_storeu_pd(out + kept, _mm512_maskz_compress_pd(k, x));
        kept += __builtin_popcount(static_cast<unsigned>(k));
        neg += __builtin_popcount(static_cast<unsigned>(below));
    }
    negatives = neg;
    return kept;
}
#endif

}  // namespace

int KeptMarginsByMask(const double* v, const uint64_t* masks, int n, double shift, uint64_t bit,
                      double* out, int& negatives, KeepWay way) {
#if SORVANE_ORDER_SIMD
    if (way == KeepWay::kAvx512 && n >= 1 && HasAvx512())
        return Kept512<true>(v, n, shift, masks, bit, nullptr, nullptr, out, negatives);
    if (way != KeepWay::kPlain && n >= 4 && HasAvx2())
        return KeptByMaskAvx2(v, masks, n, shift, bit, out, negatives);
#else
    (void)way;
#endif
    negatives = 0;
    return KeepOneByOne(
        v, 0, n, shift, [masks, bit](int j) { return (masks[j] & bit) == 0; }, out, 0, negatives);
}

int KeptMargins(const double* v, const int* runs, int n, double shift, const uint8_t* met,
                double* out, int& negatives, KeepWay way) {
#if SORVANE_ORDER_SIMD
    if (way == KeepWay::kAvx512 && n >= 1 && HasAvx512())
        return Kept512<false>(v, n, shift, nullptr, 0, runs, met, out, negatives);
    if (way != KeepWay::kPlain && n >= 4 && HasAvx2())
        return KeptAvx2(v, runs, n, shift, met, out, negatives);
#else
    (void)way;
#endif
    negatives = 0;
    return KeepOneByOne(
        v, 0, n, shift, [met, runs](int j) { return met[runs[j]] == 0; }, out, 0, negatives);
}

OrderCounts CountOrderBy(OrderWay way, const double* xs, int xn, const double* ys, int yn) {
    if (xn <= 0 || yn <= 0) return {};
    switch (way) {
        case OrderWay::kPairs: {
            OrderCounts c;
            AddScalarPairs(xs, xn, ys, 0, yn, c);
            return c;
        }
#if SORVANE_ORDER_SIMD
        case OrderWay::kPairs2:
            return AllPairsSse2(xs, xn, ys, yn);
        case OrderWay::kPairs4:
            if (HasAvx2()) return AllPairsAvx2(xs, xn, ys, yn);
            break;
#endif
        default:
            break;
    }
    return Merged(xs, xn, ys, yn);
}

OrderCounts CountOrder(const double* xs, int xn, const double* ys, int yn) {
    const long pairs = static_cast<long>(xn) * yn;
    const long values = xn + yn;
    // A short list may be unsorted: it is always compared pair by pair.
    const bool anyOrder = xn <= kUnsortedMax || yn <= kUnsortedMax;
    // Otherwise where each way is cheaper, from their costs per pair and per value on a
    // desktop core.
#if SORVANE_ORDER_SIMD
    if (HasAvx2() && (anyOrder || pairs <= 32 * values))
        return CountOrderBy(OrderWay::kPairs4, xs, xn, ys, yn);
    if (anyOrder || pairs <= 16 * values) return CountOrderBy(OrderWay::kPairs2, xs, xn, ys, yn);
#else
    if (anyOrder || pairs <= 2 * values) return CountOrderBy(OrderWay::kPairs, xs, xn, ys, yn);
#endif
    return CountOrderBy(OrderWay::kMerge, xs, xn, ys, yn);
}

}  // namespace sorvane
