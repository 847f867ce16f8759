// Stake allocation of one bet kind's table of combinations: the four allocation modes, the
// rows and summary the allocation reads and writes, and their display texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "betting/bet_kind.h"

namespace sorvane {

// The bet window's "資金配分" choice; its number is the HaibunSet setting. The entered amount
// means: 均等 the kind's budget in equal stakes; 比例 the kind's budget spread so that every
// combination returns about the same; 均一 the stake of every combination; 期配 the return
// aimed at for every combination.
enum class HaibunMode { Kinto = 0, Hirei = 1, Kinitsu = 2, Kihai = 3 };
inline constexpr int kHaibunModes = 4;
// The mode of number 0..3; none for other numbers.
std::optional<HaibunMode> HaibunModeFromNumber(int number);
// "均等", "比例", "均一", "期配" (Shift-JIS).
const std::string& HaibunModeCaption(HaibunMode mode);

// One combination row of a kind's table. The allocation reads no, cancelled and odds and
// writes stake, payback and paybackShare; an absent value is a blank cell.
struct KaimeRow {
    int no = 0;              // row number from generation; 0 on the blank row of an empty table
    bool cancelled = false;  // "消": keeps its place, takes no stake
    std::string label;
    std::optional<double> odds;          // absent when the race has no odds for the kind
    int ninki = 0;                       // popularity position; 0 = none
    std::optional<int64_t> stake;        // yen, a multiple of 100, at least 100
    std::optional<double> payback;       // stake x odds (回収額)
    std::optional<double> paybackShare;  // payback as a percentage of the total stake (回収率)
    // Filled after the race by the result step: payout per 100 yen, what the stake returned,
    // the popularity of the paid combination.
    std::optional<int> resultPay;
    std::optional<int64_t> resultReturn;
    std::optional<int> resultNinki;
};

// The four figures of a kind. The allocation writes the first three.
struct KaimeSummary {
    std::optional<int> betCount;        // 買い点数
    std::optional<int64_t> totalStake;  // 投票金額
    std::optional<double> expectedRate;  // 予想回収率: average return of one bet, % of the total
    std::optional<int64_t> resultReturn;  // 回収金額
};

struct KaimeTable {
    BetKind kind = BetKind::Tan;
    std::vector<KaimeRow> rows;  // in the order currently shown
    KaimeSummary summary;
};

// The most rows an allocation accepts (every ３連単 combination of 18 horses).
inline constexpr size_t kMaxKaimeRows = 4896;

// The odds as the table shows them, with one decimal ("%.1f" read back).
double OddsAsShown(double odds);

// Sizes the stakes of the table's rows from amount by mode and fills the summary's bet count,
// total stake and expected return rate. A row takes part when it has a row number, is not
// cancelled and has odds. Nothing changes, and false is returned, when the amount is below
// 100, the table is empty or longer than kMaxKaimeRows, or its first row has no odds.
// Otherwise every row's stake, payback and share are cleared first and true is returned.
// Stakes are whole multiples of 100 yen, never below 100; the rate is shown only when some
// stake was given.
bool KaimeHaibun(HaibunMode mode, int64_t amount, KaimeTable& table);

// Display texts; blank ("") for absent values.
std::string KaimeStakeText(const KaimeRow& row);           // "%6d"
std::string KaimePaybackText(const KaimeRow& row);         // "%7.0f"
std::string KaimePaybackShareText(const KaimeRow& row);    // "%7.1f"
std::string KaimeBetCountText(const KaimeSummary& s);      // "%3d"
std::string KaimeTotalStakeText(const KaimeSummary& s);    // "%6d"
std::string KaimeExpectedRateText(const KaimeSummary& s);  // "%7.1f"

}  // namespace sorvane
