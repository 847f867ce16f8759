// The odds of one race as numbers: odds and popularity of every combination of every bet kind,
// the announcement and schedule times, and the per-horse flags of the axis/partner step.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "betting/bet_kind.h"

namespace sorvane {

// Values of the odds arrays: above 0 the odds; kOddsScratched for a horse scratched before
// or after sale ("----", "****"); kOddsAbsent where the record has no such horse or
// combination (blank field); 0.0 not imported (after clearing, or a field that is no number).
// Every reader treats a value <= 0 as no odds.
inline constexpr double kOddsScratched = -1.0;
inline constexpr double kOddsAbsent = -2.0;

// Fields in their fixed order. The combination arrays hold the combination of KumiIndex k + 1
// at index k; the per-horse arrays hold horse number i + 1 at index i. Popularity ranks are
// 1-based, 0 = none.
struct OddsValues {
    std::string happyoTime;  // hhmm of the O1 announcement time; 4 blanks when no record
    std::string ozGetTime;   // hhmmss of the scheduled odds fetch
    std::string tohyoTime;   // hhmmss of the schedule's second trigger

    std::array<double, 18> tanOz{};       // 単勝
    std::array<double, 18> fukuOzMin{};   // 複勝, minimum
    std::array<double, 18> fukuOzMax{};   // 複勝, maximum
    std::array<double, 36> wakuOz{};      // 枠連
    std::array<double, 153> umarenOz{};   // 馬連
    std::array<double, 153> wideOz{};     // ワイド, minimum (the maximum is not kept)
    std::array<double, 306> umatanOz{};   // 馬単
    std::array<double, 816> sanpukuOz{};  // ３連複
    std::array<double, 4896> santanOz{};  // ３連単

    std::array<int32_t, 18> tanNinki{};
    std::array<int32_t, 18> fukuNinkiMin{};  // rank by minimum odds
    std::array<int32_t, 18> fukuNinkiMax{};  // rank by maximum odds
    std::array<int32_t, 36> wakuNinki{};
    std::array<int32_t, 153> umarenNinki{};
    std::array<int32_t, 153> wideNinki{};
    std::array<int32_t, 306> umatanNinki{};
    std::array<int32_t, 816> sanpukuNinki{};
    std::array<int32_t, 4896> santanNinki{};

    // Role flags 0 or 1 of the horses for ◎ (axis 1), 〇 (axis 2) and ▲ (partner), by horse
    // number - 1; written by the axis/partner step only.
    std::array<int32_t, 18> jikuFlag1{};
    std::array<int32_t, 18> jikuFlag2{};
    std::array<int32_t, 18> himoFlag{};

    // Every odds value to 0.0 and every popularity rank to 0; times and flags untouched.
    void ClearNumbers();
    // The initialisation of a day: the three times emptied and ClearNumbers; flags untouched.
    void Reset();

    // The odds and popularity of the kind's combination number kumi (KumiIndex; the horse
    // number for 単勝 and 複勝, whose odds are the minimum odds and the rank by them). 0.0 and
    // 0 for numbers outside the kind's range.
    double Odds(BetKind kind, int kumi) const;
    int Ninki(BetKind kind, int kumi) const;
};

}  // namespace sorvane
