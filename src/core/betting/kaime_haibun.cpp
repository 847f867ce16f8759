// Stake allocation of one kind's combination table.
#include "betting/kaime_haibun.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "base/sjis.h"
#include "base/text_format.h"

namespace sorvane {

namespace {

constexpr int64_t kUnit = 100;  // yen; every stake is a whole number of units

// 100 x trunc(units), never below one unit. Units beyond any real amount are capped so that
// the conversion to an integer stays defined.
int64_t StakeOfUnits(double units) {
    double whole = std::trunc(std::min(units, 1e13));
    return std::max<int64_t>(kUnit, kUnit * static_cast<int64_t>(whole));
}

bool Counted(const KaimeRow& r) { return r.no != 0 && !r.cancelled && r.odds.has_value(); }

}  // namespace

std::optional<HaibunMode> HaibunModeFromNumber(int number) {
    if (number < 0 || number >= kHaibunModes) return std::nullopt;
    return static_cast<HaibunMode>(number);
}

const std::string& HaibunModeCaption(HaibunMode mode) {
    static const std::array<std::string, kHaibunModes> captions{Sj("均等"), Sj("比例"), Sj("均一"),
                                                                Sj("期配")};
    auto i = static_cast<size_t>(mode);
    return captions[i < captions.size() ? i : 0];
}

double OddsAsShown(double odds) { return std::strtod(Format("%.1f", odds).c_str(), nullptr); }

bool KaimeHaibun(HaibunMode mode, int64_t amount, KaimeTable& table) {
    std::vector<KaimeRow>& rows = table.rows;
    if (amount < kUnit || rows.empty() || rows.size() > kMaxKaimeRows || !rows.front().odds)
        return false;

    for (KaimeRow& r : rows) {
        r.stake.reset();
        r.payback.reset();
        r.paybackShare.reset();
    }
    auto odds = [](const KaimeRow& r) { return OddsAsShown(*r.odds); };
    const double a = static_cast<double>(amount);

    int n = 0;
    int64_t total = 0;
    switch (mode) {
        case HaibunMode::Kinto: {
            n = static_cast<int>(std::count_if(rows.begin(), rows.end(), Counted));
            if (n == 0) break;  // every row cancelled: nothing to spread the budget over
            int64_t unit = StakeOfUnits(a / n / kUnit + 0.9);
            for (KaimeRow& r : rows)
                if (Counted(r)) r.stake = unit;
            total = unit * n;
            break;
        }
        case HaibunMode::Hirei: {
            double weights = 0;
            for (const KaimeRow& r : rows) {
                if (!Counted(r)) continue;
                ++n;
                if (odds(r) > 0) weights += 1 / odds(r);
            }
            if (weights <= 0) break;
            for (KaimeRow& r : rows) {
                if (!Counted(r) || odds(r) <= 0) continue;
                double share = (1 / odds(r)) / weights;
                r.stake = StakeOfUnits(a * share / kUnit + 0.95);
                total += *r.stake;
            }
            break;
        }
        case HaibunMode::Kinitsu: {
            // The amount is the stake itself, taken down to whole units so that what is shown
            // is what a vote line can carry.
            int64_t stake = StakeOfUnits(a / kUnit);
            for (KaimeRow& r : rows) {
                if (!Counted(r) || odds(r) <= 0) continue;
                ++n;
                r.stake = stake;
                total += stake;
            }
            break;
        }
        case HaibunMode::Kihai: {
            for (KaimeRow& r : rows) {
                if (!Counted(r) || odds(r) <= 0) continue;
                ++n;
                r.stake = StakeOfUnits(a / odds(r) / kUnit + 0.99);
                total += *r.stake;
            }
            break;
        }
    }

    // The return of a stake at one-decimal odds is a whole number of yen; it is computed from
    // the odds in tenths so that 100 x 2.3 is 230, not 229.99.. truncated to 229.
    int64_t returns = 0;
    for (KaimeRow& r : rows) {
        if (!r.stake) continue;
        int64_t tenths = std::llround(odds(r) * 10);
        int64_t back = *r.stake * tenths / 10;
        r.payback = static_cast<double>(back);
        r.paybackShare = static_cast<double>(back) / static_cast<double>(total) * 100;
        returns += back;
    }

    table.summary.betCount = n;
    table.summary.totalStake = total;
    if (n > 0 && total > 0)
        table.summary.expectedRate =
            static_cast<double>(returns) / n / static_cast<double>(total) * 100;
    else
        table.summary.expectedRate.reset();
    return true;
}

std::string KaimeStakeText(const KaimeRow& row) {
    return row.stake ? Format("%6lld", static_cast<long long>(*row.stake)) : std::string();
}
std::string KaimePaybackText(const KaimeRow& row) {
    return row.payback ? Format("%7.0f", *row.payback) : std::string();
}
std::string KaimePaybackShareText(const KaimeRow& row) {
    return row.paybackShare ? Format("%7.1f", *row.paybackShare) : std::string();
}
std::string KaimeBetCountText(const KaimeSummary& s) {
    return s.betCount ? Format("%3d", *s.betCount) : std::string();
}
std::string KaimeTotalStakeText(const KaimeSummary& s) {
    return s.totalStake ? Format("%6lld", static_cast<long long>(*s.totalStake)) : std::string();
}
std::string KaimeExpectedRateText(const KaimeSummary& s) {
    return s.expectedRate ? Format("%7.1f", *s.expectedRate) : std::string();
}

}  // namespace sorvane
