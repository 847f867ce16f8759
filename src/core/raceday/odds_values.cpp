// Clearing and reading the numeric odds of a race.
#include "raceday/odds_values.h"

#include <span>

namespace sorvane {

namespace {

std::span<const double> OddsArray(const OddsValues& v, BetKind kind) {
    using D = const double;
    switch (kind) {
        case BetKind::Tan:
            return std::span<D>(v.tanOz);
        case BetKind::Fuku:
            return std::span<D>(v.fukuOzMin);
        case BetKind::Waku:
            return std::span<D>(v.wakuOz);
        case BetKind::Umaren:
            return std::span<D>(v.umarenOz);
        case BetKind::Wide:
            return std::span<D>(v.wideOz);
        case BetKind::Umatan:
            return std::span<D>(v.umatanOz);
        case BetKind::Sanpuku:
            return std::span<D>(v.sanpukuOz);
        case BetKind::Santan:
            return std::span<D>(v.santanOz);
    }
    return std::span<D>();
}

std::span<const int32_t> NinkiArray(const OddsValues& v, BetKind kind) {
    using I = const int32_t;
    switch (kind) {
        case BetKind::Tan:
            return std::span<I>(v.tanNinki);
        case BetKind::Fuku:
            return std::span<I>(v.fukuNinkiMin);
        case BetKind::Waku:
            return std::span<I>(v.wakuNinki);
        case BetKind::Umaren:
            return std::span<I>(v.umarenNinki);
        case BetKind::Wide:
            return std::span<I>(v.wideNinki);
        case BetKind::Umatan:
            return std::span<I>(v.umatanNinki);
        case BetKind::Sanpuku:
            return std::span<I>(v.sanpukuNinki);
        case BetKind::Santan:
            return std::span<I>(v.santanNinki);
    }
    return std::span<I>();
}

}  // namespace

void OddsValues::ClearNumbers() {
    for (auto* a : {&tanOz, &fukuOzMin, &fukuOzMax}) a->fill(0.0);
    wakuOz.fill(0.0);
    umarenOz.fill(0.0);
    wideOz.fill(0.0);
    umatanOz.fill(0.0);
    sanpukuOz.fill(0.0);
    santanOz.fill(0.0);
    for (auto* a : {&tanNinki, &fukuNinkiMin, &fukuNinkiMax}) a->fill(0);
    wakuNinki.fill(0);
    umarenNinki.fill(0);
    wideNinki.fill(0);
    umatanNinki.fill(0);
    sanpukuNinki.fill(0);
    santanNinki.fill(0);
}

void OddsValues::Reset() {
    happyoTime.clear();
    ozGetTime.clear();
    tohyoTime.clear();
    ClearNumbers();
}

double OddsValues::Odds(BetKind kind, int kumi) const {
    auto a = OddsArray(*this, kind);
    return kumi >= 1 && static_cast<size_t>(kumi) <= a.size() ? a[kumi - 1] : 0.0;
}

int OddsValues::Ninki(BetKind kind, int kumi) const {
    auto a = NinkiArray(*this, kind);
    return kumi >= 1 && static_cast<size_t>(kumi) <= a.size() ? a[kumi - 1] : 0;
}

}  // namespace sorvane
