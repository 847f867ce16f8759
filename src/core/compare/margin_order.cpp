#include "compare/margin_order.h"

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
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}
#endif

}  // namespace

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
    // Where each way is cheaper, from their costs per pair and per value on a desktop core.
#if SORVANE_ORDER_SIMD
    if (HasAvx2() && pairs <= 32 * values) return CountOrderBy(OrderWay::kPairs4, xs, xn, ys, yn);
    if (pairs <= 16 * values) return CountOrderBy(OrderWay::kPairs2, xs, xn, ys, yn);
#else
    if (pairs <= 2 * values) return CountOrderBy(OrderWay::kPairs, xs, xn, ys, yn);
#endif
    return CountOrderBy(OrderWay::kMerge, xs, xn, ys, yn);
}

}  // namespace sorvane
