#include "feedgen.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "base/fields.h"
#include "base/files.h"
#include "base/text_format.h"
#include "feedgen_records.h"
#include "feedgen_season.h"
#include "ports/clock.h"

namespace sorvane::feedgen {

namespace fs = std::filesystem;

namespace {

std::string Ymd(int64_t days) {
    int y = 0, m = 0, d = 0;
    CivilOf(days, y, m, d);
    return Format("%04d%02d%02d", y, m, d);
}

std::string RaceKey(const Race& r) {
    return Ymd(r.date) + Format("%02d%02d%02d%02d", r.track, r.meeting, r.day, r.number);
}

bool ParseNumber(const std::string& text, int64_t lo, int64_t hi, int64_t& out) {
    if (text.empty() || text.size() > 18 || !IsAllDigits(text)) return false;
    out = ToInt64(text);
    return out >= lo && out <= hi;
}

class Writer {
  public:
    explicit Writer(FeedSummary& summary) : summary_(summary) {}
    void Write(const fs::path& path, const std::string& data) {
        WriteFileAtomic(path, data);
        ++summary_.files;
        summary_.bytes += data.size();
    }

  private:
    FeedSummary& summary_;
};

bool HoldsFiles(const fs::path& dir) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    return !ec && it != fs::directory_iterator();
}

// The 14-digit creation time of a bulk file: `second` seconds after 21:30 of the day.
std::string Stamp(int64_t day, int hhmmss) { return Ymd(day) + Format("%06d", hhmmss); }

}  // namespace

std::string FeedUsage() {
    return "usage: sorvane-feedgen --out DIR [--seed N] [--start yyyy-mm-dd] [--days N]\n"
           "                      [--tracks 44,45,...] [--horses N] [--live]\n"
           "  --seed 1, --start 2025-04-01, --days 60, --tracks 30,35,42,43,44,45,50,54,\n"
           "  --horses enough for the tracks; --live makes the last day today's race day,\n"
           "  seen at 15:30 (entries, odds snapshots, results so far, post-time changes)\n";
}

bool ParseFeedArgs(const std::vector<std::string>& args, FeedOptions& o, std::string& error) {
    o = FeedOptions{};
    o.start = DaysFromCivil(2025, 4, 1);
    o.tracks = {30, 35, 42, 43, 44, 45, 50, 54};
    bool haveOut = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& v) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            v = args[++i];
            return true;
        };
        std::string v;
        int64_t n = 0;
        if (a == "--live") {
            o.live = true;
        } else if (a == "--out") {
            if (!value(v)) return false;
            o.out = v;
            haveOut = !v.empty();
        } else if (a == "--seed") {
            if (!value(v)) return false;
            if (!ParseNumber(v, 0, INT64_MAX, n)) return error = "bad --seed: " + v, false;
            o.seed = static_cast<uint64_t>(n);
        } else if (a == "--days") {
            if (!value(v)) return false;
            if (!ParseNumber(v, 1, 3660, n)) return error = "bad --days (1..3660): " + v, false;
            o.days = static_cast<int>(n);
        } else if (a == "--horses") {
            if (!value(v)) return false;
            if (!ParseNumber(v, 20, 500000, n))
                return error = "bad --horses (20..500000): " + v, false;
            o.horses = static_cast<int>(n);
        } else if (a == "--start") {
            if (!value(v)) return false;
            int64_t y = 0, m = 0, d = 0;
            if (v.size() != 10 || v[4] != '-' || v[7] != '-' ||
                !ParseNumber(v.substr(0, 4), 1990, 2200, y) ||
                !ParseNumber(v.substr(5, 2), 1, 12, m) || !ParseNumber(v.substr(8, 2), 1, 31, d))
                return error = "bad --start (yyyy-mm-dd): " + v, false;
            int64_t days =
                DaysFromCivil(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d));
            int y2 = 0, m2 = 0, d2 = 0;
            CivilFromDays(days, y2, m2, d2);
            if (d2 != d) return error = "no such day: " + v, false;
            o.start = days;
        } else if (a == "--tracks") {
            if (!value(v)) return false;
            o.tracks.clear();
            size_t p = 0;
            while (p <= v.size()) {
                size_t c = v.find(',', p);
                std::string part = v.substr(p, c == std::string::npos ? std::string::npos : c - p);
                if (!ParseNumber(part, 30, 57, n))
                    return error = "bad track code (30..57): " + part, false;
                if (std::find(o.tracks.begin(), o.tracks.end(), n) == o.tracks.end())
                    o.tracks.push_back(static_cast<int>(n));
                if (c == std::string::npos) break;
                p = c + 1;
            }
            std::sort(o.tracks.begin(), o.tracks.end());
        } else {
            error = "unknown argument: " + a;
            return false;
        }
    }
    if (!haveOut) {
        error = "--out DIR is required";
        return false;
    }
    return true;
}

FeedSummary GenerateFeed(const FeedOptions& o) {
    FeedSummary summary;
    Writer out(summary);
    fs::create_directories(o.out);
    const fs::path bulk = o.out / "RACEDIFN", odds = o.out / "0B30", results = o.out / "0B12",
                   changes = o.out / "0B14", rakuten = o.out / "rakuten";
    for (const fs::path& d : {bulk, odds, results, changes})
        if (HoldsFiles(d))
            throw std::runtime_error("the folder already holds a feed: " + o.out.string());
    for (const fs::path& d : {bulk, odds, results, changes, rakuten}) fs::create_directories(d);

    if (!fs::exists(o.out / "link.ini"))
        out.Write(o.out / "link.ini",
                  "; How the emulated NV-Link service behaves (all keys optional).\r\n"
                  "[Service]\r\n"
                  "; download count reported by NVOpen; NVStatus counts up one file per call\r\n"
                  "DownloadFiles=0\r\n"
                  "; NVRead answers -3 this many times before the first record of each file\r\n"
                  "BusyReads=0\r\n"
                  "[Fault]\r\n"
                  "; a code makes the call return it: NVInit, NVSetUIProperties, NVOpen,\r\n"
                  "; NVRTOpen, NVClose, RakutenLogin, RakutenBet, RakutenZandaka,\r\n"
                  "; RakutenDeposit, RakutenLogout; NVStatus=code with NVStatusAfter=N (the Nth\r\n"
                  "; call); NVRead=code with NVReadAfter=N (in place of record N+1)\r\n");
    if (!fs::exists(rakuten / "account.ini"))
        out.Write(rakuten / "account.ini",
                  "[Account]\r\nLimit=100000\r\nPurchased=0\r\nPaid=0\r\nVotesLeft=1000\r\n"
                  "DepositAmount=10000\r\n");

    SeasonOptions so;
    so.seed = o.seed;
    so.start = o.start;
    so.days = o.days;
    so.tracks = o.tracks;
    so.horses = o.horses;
    Season season(so);
    for (int index = 0; index < o.days; ++index) {
        const int64_t date = o.start + index;
        std::vector<TrackDay> day = season.SimulateDay(index);
        ++summary.days;
        if (day.empty()) continue;
        summary.trackDays += static_cast<int>(day.size());
        for (const auto& td : day) summary.races += static_cast<int>(td.races.size());
        const std::string ymd = Ymd(date);
        const bool live = o.live && index == o.days - 1;

        if (!live) {
            // The evening's bulk files: final results and confirmed odds, one file per kind.
            std::string ra, se, hr, oz[6];
            for (const auto& td : day)
                for (const auto& race : td.races) {
                    ra += MakeRA(race, '7', date, true);
                    for (const auto& u : race.runners)
                        se += MakeSE(season, td.track, race, u, '7', date, true);
                    hr += MakeHR(race, '2', date);
                    for (int w = 1; w <= 6; ++w)
                        oz[w - 1] += MakeOdds(w, race, race.pools, '4', date, race.postTime);
                }
            out.Write(bulk / (Stamp(date, 213000) + "_RA" + ymd + ".nvd"), ra);
            out.Write(bulk / (Stamp(date, 213010) + "_SE" + ymd + ".nvd"), se);
            out.Write(bulk / (Stamp(date, 213020) + "_HR" + ymd + ".nvd"), hr);
            static constexpr int kOddsStamp[6] = {213030, 213040, 213050, 213100, 213110, 213120};
            for (int w = 1; w <= 6; ++w)
                out.Write(bulk / (Stamp(date, kOddsStamp[w - 1]) + "_O" + std::to_string(w) + ymd +
                                  ".nvd"),
                          oz[w - 1]);
            continue;
        }

        // Today's race day in progress: entries published yesterday evening, odds of every
        // race, results of the races run, and a few post-time changes.
        const int64_t eve = date - 1;
        std::string ra, se, flash, tc;
        Rng rng(MixSeed(o.seed, static_cast<uint64_t>(date) * 7919 + 17));
        for (const auto& td : day) {
            bool delayed = false;
            for (const auto& race : td.races) {
                ra += MakeRA(race, '2', eve, false);
                for (const auto& u : race.runners)
                    se += MakeSE(season, td.track, race, u, '2', eve, false);
                bool run = race.postTime <= kLiveNow - 5;
                std::string snapshot;
                if (run) {
                    for (int w = 1; w <= 6; ++w)
                        snapshot += MakeOdds(w, race, race.pools, '4', date, race.postTime);
                    flash += MakeRA(race, '6', date, true);
                    for (const auto& u : race.runners)
                        flash += MakeSE(season, td.track, race, u, '6', date, true);
                    flash += MakeHR(race, '1', date);
                } else {
                    RacePools early = season.EarlyPools(race);
                    for (int w = 1; w <= 6; ++w)
                        snapshot += MakeOdds(w, race, early, '1', date, kLiveNow);
                }
                out.Write(odds / (RaceKey(race) + ".nvd"), snapshot);
                // A delay that holds up two or three races of a track, announced this afternoon.
                if (!run && !delayed && race.postTime >= kLiveNow + 20 && rng.Chance(0.5)) {
                    delayed = true;
                    int by = 5 * rng.Range(1, 3);
                    int announced = kLiveNow - rng.Range(5, 40);
                    int count = rng.Range(2, 3);
                    for (const auto& later : td.races)
                        if (later.number >= race.number && later.number < race.number + count)
                            tc += MakeTC(later, date, announced, later.postTime + by);
                }
            }
        }
        out.Write(bulk / (Stamp(eve, 170000) + "_RA" + ymd + ".nvd"), ra);
        out.Write(bulk / (Stamp(eve, 170010) + "_SE" + ymd + ".nvd"), se);
        if (!flash.empty()) out.Write(results / (ymd + ".nvd"), flash);
        if (!tc.empty()) out.Write(changes / (ymd + ".nvd"), tc);
    }
    return summary;
}

}  // namespace sorvane::feedgen
