// The rules the two-horse comparisons share: the 18-byte name key, the dates and times of
// past-run records as numbers, and the margins of one common-opponent instance.
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

class RaceDay;

inline constexpr size_t kNameKeyLength = 18;

// The name without blanks (or control bytes) at either end; blank when nothing is left.
std::string_view TrimName(std::string_view name);
// The trimmed name followed by nine full-width blanks, cut to its first 18 bytes.
std::string NameKey(std::string_view name);

// yyyymmdd of an 8-digit date text; -1 for anything else (blanks, signs, letters), so that a
// damaged date never passes for an early one.
int StrictDate(std::string_view text);
// The date of a race slot's RA record (year + month-day), -1 when it is not a date.
int RaceDateOf(const RaceDay& day, int race);
// The race date moved back by `days` calendar days, as yyyymmdd; -1 for an invalid date.
int DaysBefore(int yyyymmdd, int days);

// A 4-digit finishing time m ss t in tenths of a second: m * 600 + sst; 0 when blank.
int TimeTenths(std::string_view mssst);

// The margins of one side of an instance. Times in tenths of a second and weights in tenths
// of a kilogram from the past race; today's weights in kilograms. One kilogram is 0.2 s.
struct Margins {
    double raw = 0;         // 差: seconds ahead of the opponent
    double corrected = 0;   // 修差: corrected for the weights of that race
    double comparison = 0;  // 比差: moved to today's weights
};
// d / 10.0, the division done at compile time for the differences of times and weights a
// race has (a division costs a dozen cycles, and a day's histories hold millions of margins).
// Correctly rounded either way, so the value is the same bit for bit.
inline constexpr int kTenthsTableHalf = 1024;
struct TenthsTable {
    double value[2 * kTenthsTableHalf];
};
inline constexpr TenthsTable kTenthsTable = [] {
    TenthsTable t{};
    for (int d = -kTenthsTableHalf; d < kTenthsTableHalf; ++d)
        t.value[d + kTenthsTableHalf] = d / 10.0;
    return t;
}();
inline double TenthsToUnits(int d) {
    if (d >= -kTenthsTableHalf && d < kTenthsTableHalf)
        return kTenthsTable.value[d + kTenthsTableHalf];
    return d / 10.0;
}
// The corrected margin of a horse against an opponent in one past race.
inline double CorrectedMargin(int ownTime, int oppTime, int ownWeight, int oppWeight) {
    double raw = TenthsToUnits(oppTime - ownTime);
    return raw + TenthsToUnits(oppWeight - ownWeight) * (-0.2);
}
// 比差 of the horse carrying `own` kilograms today against the other horse carrying `other`.
inline double ComparisonMargin(double corrected, double own, double other) {
    return corrected - (other - own) * 0.2;
}
Margins MarginsOf(int ownTime, int oppTime, int ownWeight, int oppWeight, double ownToday,
                  double otherToday);

// The four counts of one comparison.
struct PairCounts {
    int instances = 0;
    int ptA = 0;
    int ptB = 0;
    int dokuPtA = 0;
    int dokuPtB = 0;
};
// Which counts one instance with the comparison margins hiA and hiB adds.
struct InstanceOutcome {
    bool ptA = false;
    bool ptB = false;
    bool dokuPtA = false;
    bool dokuPtB = false;
};
inline InstanceOutcome OutcomeOf(double hiA, double hiB) {
    return {hiA > hiB, hiB > hiA, hiB < 0 && hiA >= 0, hiA < 0 && hiB >= 0};
}
inline void Count(PairCounts& c, const InstanceOutcome& o) {
    ++c.instances;
    c.ptA += o.ptA;
    c.ptB += o.ptB;
    c.dokuPtA += o.dokuPtA;
    c.dokuPtB += o.dokuPtB;
}

}  // namespace sorvane
