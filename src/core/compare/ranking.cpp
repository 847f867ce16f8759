#include "compare/ranking.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "base/fields.h"
#include "base/text_format.h"
#include "raceday/odds_values.h"
#include "raceday/race_analysis.h"
#include "shell/settings_file.h"

namespace sorvane {
namespace {

// A sort buffer of fixed-width entries whose last two characters are the horse number: the
// ascending byte order of the texts is the order of the numbers they are made of.
class RankList {
  public:
    void Add(std::string entry) { entries_.push_back(std::move(entry)); }
    void Sort() { std::sort(entries_.begin(), entries_.end()); }
    int Count() const { return static_cast<int>(entries_.size()); }
    // Runner slot (horse number - 1) of the entry at position p.
    int RunnerAt(int p) const {
        const std::string& e = entries_[static_cast<size_t>(p)];
        return ToInt(std::string_view(e).substr(e.size() - 2)) - 1;
    }
    // Rank count - p to the entry at position p: the last entry (the largest) is rank 1.
    template <class Ranks>
    void GiveDescendingRanks(Ranks& ranks) const {
        for (int p = 0; p < Count(); ++p) Put(ranks, RunnerAt(p), Count() - p);
    }
    // Rank p + 1 to the entry at position p: the first entry (the smallest) is rank 1.
    template <class Ranks>
    void GiveAscendingRanks(Ranks& ranks) const {
        for (int p = 0; p < Count(); ++p) Put(ranks, RunnerAt(p), p + 1);
    }

  private:
    template <class Ranks>
    static void Put(Ranks& ranks, int runner, int rank) {
        if (runner >= 0 && runner < static_cast<int>(ranks.size()))
            ranks[static_cast<size_t>(runner)] = rank;
    }
    std::vector<std::string> entries_;
};

int Clamp(int runners) { return std::clamp(runners, 0, kMaxRunners); }

}  // namespace

void RankRace(RaceAnalysis& a, int runners) {
    RankList byRate;
    RankList byPtRate;
    for (int i = 0; i < Clamp(runners); ++i) {
        a.winRateRank[i] = 0;
        a.ptWinRateRank[i] = 0;
        const int decided = a.wins[i] + a.losses[i];
        if (decided > 0) {
            a.winRate[i] = static_cast<double>(a.wins[i]) / decided;
            byRate.Add(Format("%10.3f%10d%2d", a.winRate[i], a.wins[i], i + 1));
        } else {
            a.winRate[i] = kNoRate;
        }
        const int points = a.winPt[i] + a.lossPt[i];
        if (points > 0) {
            a.ptWinRate[i] = static_cast<double>(a.winPt[i]) / points;
            byPtRate.Add(Format("%10.3f%10d%2d", a.ptWinRate[i], a.winPt[i], i + 1));
        } else {
            a.ptWinRate[i] = kNoRate;
        }
    }
    byRate.Sort();
    byPtRate.Sort();
    byRate.GiveDescendingRanks(a.winRateRank);
    byPtRate.GiveDescendingRanks(a.ptWinRateRank);
}

void RankWins(RaceAnalysis& a, const OddsValues& odds, int runners, double ceiling) {
    RankList byWins;
    RankList byPt;
    RankList mostWins;
    for (int i = 0; i < Clamp(runners); ++i) {
        const double tan = odds.tanOz[static_cast<size_t>(i)];
        const int ninki = odds.tanNinki[static_cast<size_t>(i)];
        const bool popular = tan > 0 && tan <= ceiling;
        if (a.wins[i] > 0 && popular) byWins.Add(Format("%10d%10d%2d", a.wins[i], ninki, i + 1));
        if (a.winPt[i] > 0 && popular) byPt.Add(Format("%10d%10d%2d", a.winPt[i], ninki, i + 1));
        a.winsRevRank[i] = 0;
        a.ptRevRank[i] = 0;
        a.winsRank[i] = 0;
        if (a.wins[i] > 0) mostWins.Add(Format("%10d%10.5f%2d", a.wins[i], a.ptWinRate[i], i + 1));
    }
    byWins.Sort();
    byPt.Sort();
    mostWins.Sort();
    byWins.GiveAscendingRanks(a.winsRevRank);
    byPt.GiveAscendingRanks(a.ptRevRank);
    mostWins.GiveDescendingRanks(a.winsRank);
}

double OddsCeiling(const SettingsFile& settings) {
    static constexpr double kDefault = 10.0;
    const std::string text = settings.ReadString("OddsSpan", "ceil", "10.0");
    const std::string_view t = TrimBlanks(text);
    // from_chars reads the point whatever the locale, as the stored "10.0" means.
    double v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v))
        return kDefault;
    return v;
}

}  // namespace sorvane
