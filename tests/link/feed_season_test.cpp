// A generated season read back: through the feed link byte for byte, record by record in the
// layouts the program reads, and race by race for the agreements the later stages rely on
// (results, odds, popularity, payouts), plus the live day's real-time files.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "base/fields.h"
#include "base/sjis.h"
#include "base/text_format.h"
#include "fake_clock.h"
#include "feed_test_support.h"
#include "feedgen.h"
#include "link/feed_link.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::GeneratedFeed;
using testing::ReadFile;
using testing::RecordsOf;

const std::map<std::string, size_t>& Lengths() {
    static const std::map<std::string, size_t> l = {
        {"RA", 1272}, {"SE", 555},  {"HR", 719},  {"TC", 45},    {"O1", 962},
        {"O2", 2042}, {"O3", 2654}, {"O4", 4031}, {"O5", 12293}, {"O6", 83285}};
    return l;
}

// Every file of the feed by its path relative to the feed folder.
std::map<std::string, std::string> Tree(const fs::path& root) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) out[fs::relative(e.path(), root).string()] = ReadFile(e.path());
    return out;
}

std::string F(const std::string& rec, size_t off, size_t width) {
    return std::string(Field(rec, off, width));
}

bool IsRunOf(const std::string& s, char c) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [c](char x) { return x == c; });
}

// One race of the bulk files.
struct RaceRecords {
    std::string ra, hr;
    std::vector<std::string> se;
    std::string odds[6];
};

std::map<std::string, RaceRecords> BulkRaces(const fs::path& feed, char raKind) {
    std::map<std::string, RaceRecords> races;
    for (const auto& [name, data] : Tree(feed / "RACEDIFN"))
        for (const auto& rec : RecordsOf(data)) {
            std::string type = rec.substr(0, 2), key = rec.substr(11, 16);
            RaceRecords& r = races[key];
            if (type == "RA") r.ra = rec;
            if (type == "SE") r.se.push_back(rec);
            if (type == "HR") r.hr = rec;
            if (type[0] == 'O') r.odds[type[1] - '1'] = rec;
        }
    for (auto it = races.begin(); it != races.end();)
        it = it->second.ra[2] == raKind ? std::next(it) : races.erase(it);
    return races;
}

TEST(GeneratedFeedTest, SameArgumentsGiveTheSameBytes) {
    testing::TempDir dir;
    feedgen::GenerateFeed(testing::SmallSeasonOptions(dir.path() / "again"));
    auto a = Tree(GeneratedFeed()), b = Tree(dir.path() / "again");
    EXPECT_GT(a.size(), 50u);
    EXPECT_TRUE(a == b);
    feedgen::FeedOptions other = testing::SmallSeasonOptions(dir.path() / "other");
    other.seed = 8;
    other.days = 1;
    feedgen::GenerateFeed(other);
    EXPECT_NE(ReadFile(dir.path() / "other/RACEDIFN/20250602213000_RA20250602.nvd"),
              ReadFile(GeneratedFeed() / "RACEDIFN/20250602213000_RA20250602.nvd"));
    // A folder that already holds a feed is not written over.
    EXPECT_THROW(feedgen::GenerateFeed(testing::SmallSeasonOptions(dir.path() / "again")),
                 std::runtime_error);
}

TEST(GeneratedFeedTest, EveryRecordComesBackThroughTheLink) {
    FixedClock clock(2025, 6, 5, 15, 30, 0);
    FeedLink link(GeneratedFeed(), clock);
    ASSERT_EQ(link.NVInit("SORVANE"), 0);
    NvOpenInfo info;
    ASSERT_EQ(link.NVOpen("RACEDIFN", "20250101000000", 1, info), 0);
    auto files = Tree(GeneratedFeed() / "RACEDIFN");
    ASSERT_EQ(info.readCount, static_cast<int>(files.size()));
    EXPECT_EQ(info.lastFileTimestamp, files.rbegin()->first.substr(0, 14));
    while (link.NVStatus() < info.downloadCount) {
    }
    std::map<std::string, std::string> read;
    std::string current;
    int fileEnds = 0, r = 0;
    std::u16string rec;
    std::string name;
    while ((r = link.NVRead(rec, kNvReadBufferBulk, name)) != 0) {
        ASSERT_TRUE(r > 0 || r == -1) << r;
        if (r == -1) {
            ++fileEnds;
            continue;
        }
        std::string sjis = SjisFromUtf16(rec);
        ASSERT_EQ(static_cast<size_t>(r), sjis.size());
        read[name] += sjis;
    }
    EXPECT_EQ(fileEnds, info.readCount);
    EXPECT_TRUE(read == files);
    EXPECT_EQ(link.NVClose(), 0);
}

TEST(GeneratedFeedTest, RecordsHaveTheirLayout) {
    // Digit fields by record type (offset, width), as the program reads them.
    const std::map<std::string, std::vector<std::pair<size_t, size_t>>> digits = {
        {"RA", {{3, 8},   {11, 16}, {27, 1},  {611, 3}, {616, 2}, {618, 3}, {621, 1}, {622, 3},
                {625, 3}, {628, 3}, {631, 3}, {634, 3}, {697, 4}, {705, 2}, {713, 8}, {721, 8},
                {873, 4}, {881, 2}, {883, 2}, {885, 2}, {887, 1}, {888, 1}, {889, 1}}},
        {"SE",
         {{3, 8},   {11, 16}, {27, 1},  {28, 2},  {30, 10}, {78, 1},  {82, 2},  {288, 3}, {294, 1},
          {322, 1}, {324, 3}, {328, 3}, {331, 1}, {332, 2}, {334, 2}, {338, 4}, {351, 2}, {353, 2},
          {355, 2}, {357, 2}, {359, 4}, {363, 2}, {365, 8}, {373, 8}, {387, 3}, {390, 3}}},
        {"HR", {{3, 8}, {11, 16}, {27, 2}, {29, 2}}},
        {"TC", {{3, 8}, {11, 16}, {27, 8}, {35, 4}, {39, 4}}},
    };
    const std::string blank2 = Sj("　");
    size_t count = 0;
    std::map<int, int> fieldSizes;
    bool longName = false, turf = false;
    for (const auto& [name, data] : Tree(GeneratedFeed())) {
        if (name.size() < 4 || name.substr(name.size() - 4) != ".nvd") continue;
        size_t off = 0;
        while (off < data.size()) {
            std::string type = data.substr(off, 2);
            ASSERT_TRUE(Lengths().count(type)) << name << " @" << off;
            std::string rec = data.substr(off, Lengths().at(type));
            off += rec.size();
            ++count;
            ASSERT_EQ(rec.size(), Lengths().at(type)) << name;
            ASSERT_EQ(rec.find("\r\n"), rec.size() - 2) << name << " " << type;
            ASSERT_TRUE(IsWellFormedSjis(rec)) << name;
            auto d = digits.find(type);
            if (type[0] == 'O') {
                d = digits.find("TC");
                EXPECT_TRUE(IsAllDigits(F(rec, 27, 8))) << type;
            }
            for (auto [o, w] : d->second) {
                if (type[0] != 'O' || o < 27) {
                    ASSERT_TRUE(IsAllDigits(F(rec, o, w))) << name << " " << type << " @" << o;
                }
            }
            if (type == "SE") {
                // A full-width katakana name padded with full-width blanks.
                std::string n = F(rec, 40, 36);
                size_t chars = 0;
                bool padding = false;
                for (size_t i = 0; i < 36; i += 2) {
                    auto a = static_cast<unsigned char>(n[i]),
                         b = static_cast<unsigned char>(n[i + 1]);
                    bool blank = a == 0x81 && b == 0x40;
                    bool kana = (a == 0x83 && b >= 0x40 && b <= 0x96) || (a == 0x81 && b == 0x5B);
                    ASSERT_TRUE(blank || (kana && !padding)) << name << " " << Utf8FromSjis(n);
                    padding = padding || blank;
                    chars += !blank;
                }
                EXPECT_GE(chars, 2u);
                longName = longName || chars > 9;
            }
            if (type == "RA") {
                fieldSizes[FieldInt(rec, 881, 2)]++;
                turf = turf || FieldInt(rec, 705, 2) < 23;
                EXPECT_TRUE(FieldInt(rec, 19, 2) >= 30 && FieldInt(rec, 19, 2) <= 57);
            }
        }
    }
    EXPECT_GT(count, 1000u);
    EXPECT_TRUE(longName);
    EXPECT_TRUE(turf);
    EXPECT_GE(fieldSizes.begin()->first, 5);
    EXPECT_LE(fieldSizes.rbegin()->first, 18);
}

TEST(GeneratedFeedTest, ResultsOddsAndPayoutsAgree) {
    auto races = BulkRaces(GeneratedFeed(), '7');
    ASSERT_GT(races.size(), 80u);
    int favouriteWins = 0, deadHeats = 0;
    for (const auto& [key, r] : races) {
        SCOPED_TRACE(key);
        ASSERT_FALSE(r.hr.empty());
        ASSERT_FALSE(r.odds[0].empty());
        ASSERT_FALSE(r.odds[5].empty());
        const int n = FieldInt(r.ra, 881, 2);
        ASSERT_EQ(static_cast<int>(r.se.size()), n);
        std::map<int, std::string> byNumber;
        for (const auto& se : r.se) byNumber[FieldInt(se, 28, 2)] = se;
        int starters = 0, finishers = 0;
        std::vector<std::pair<int, int>> placed;  // (position, time in tenths)
        std::vector<bool> runs(19, false);
        for (const auto& [h, se] : byNumber) {
            int abnormal = FieldInt(se, 331, 1);
            runs[static_cast<size_t>(h)] = abnormal != 1 && abnormal != 2;
            starters += runs[static_cast<size_t>(h)];
            int pos = FieldInt(se, 334, 2);
            int t = F(se, 338, 1)[0] - '0';
            t = t * 600 + FieldInt(se, 339, 3);
            if (pos > 0) {
                ++finishers;
                placed.push_back({pos, t});
            }
            // The runner's odds and popularity are the published final ones.
            const std::string& o1 = r.odds[0];
            std::string tan = F(o1, 43 + 8 * static_cast<size_t>(h - 1), 8);
            EXPECT_EQ(FieldInt(tan, 0, 2), h);
            if (runs[static_cast<size_t>(h)]) {
                EXPECT_EQ(F(se, 359, 4), tan.substr(2, 4));
                EXPECT_EQ(F(se, 363, 2), tan.substr(6, 2));
            } else {
                EXPECT_TRUE(IsRunOf(tan.substr(2), '-') || IsRunOf(tan.substr(2), '*')) << tan;
            }
        }
        EXPECT_EQ(FieldInt(r.ra, 883, 2), starters);
        EXPECT_EQ(FieldInt(r.ra, 885, 2), finishers);
        // Confirmed positions follow the times; the winner has the smallest time.
        std::sort(placed.begin(), placed.end());
        ASSERT_FALSE(placed.empty());
        EXPECT_EQ(placed[0].first, 1);
        for (size_t i = 1; i < placed.size(); ++i) {
            EXPECT_LE(placed[i - 1].second, placed[i].second);
            if (placed[i].first == placed[i - 1].first) {
                EXPECT_EQ(placed[i].second, placed[i - 1].second);
            }
        }
        int winners = static_cast<int>(
            std::count_if(placed.begin(), placed.end(), [](auto p) { return p.first == 1; }));
        deadHeats += std::any_of(byNumber.begin(), byNumber.end(),
                                 [](const auto& x) { return x.second[336] == '1'; });

        // Popularity 1 has the lowest 単勝 odds.
        int lowest = 1 << 30, favourite = 0, favouriteOdds = 0;
        for (int h = 1; h <= n; ++h) {
            std::string tan = F(r.odds[0], 43 + 8 * static_cast<size_t>(h - 1), 8);
            if (!IsAllDigits(tan)) continue;
            lowest = std::min(lowest, FieldInt(tan, 2, 4));
            if (FieldInt(tan, 6, 2) == 1) {
                favourite = h;
                favouriteOdds = FieldInt(tan, 2, 4);
            }
        }
        EXPECT_EQ(favouriteOdds, lowest);
        for (int h = n + 1; h <= 18; ++h)
            EXPECT_TRUE(IsBlank(F(r.odds[0], 43 + 8 * static_cast<size_t>(h - 1), 8)));

        // 単勝 payouts: the winner's final odds; shared when horses dead-heat.
        int paid = 0;
        for (size_t i = 0; i < 3; ++i) {
            std::string e = F(r.hr, 102 + 13 * i, 13);
            if (IsBlank(e)) continue;
            ++paid;
            int h = FieldInt(e, 0, 2);
            EXPECT_EQ(FieldInt(byNumber[h], 334, 2), 1);
            int odds = FieldInt(r.odds[0], 45 + 8 * static_cast<size_t>(h - 1), 4);
            if (winners == 1) {
                EXPECT_EQ(FieldInt(e, 2, 9), odds * 10);
                EXPECT_EQ(FieldInt(e, 11, 2),
                          FieldInt(r.odds[0], 49 + 8 * static_cast<size_t>(h - 1), 2));
            } else {
                EXPECT_LE(FieldInt(e, 2, 9), odds * 10);
                EXPECT_GE(FieldInt(e, 2, 9), 100);
            }
            favouriteWins += h == favourite;
        }
        EXPECT_EQ(paid, winners);

        // 3連単 entries exist exactly for the ordered triples of the registered horses, with
        // odds exactly for those of three starters.
        const std::string& o6 = r.odds[5];
        size_t k = 0, priced = 0;
        for (int a = 1; a <= 18; ++a)
            for (int b = 1; b <= 18; ++b)
                for (int c = 1; c <= 18; ++c) {
                    if (a == b || a == c || b == c) continue;
                    std::string e = F(o6, 40 + 17 * k++, 17);
                    if (a > n || b > n || c > n) {
                        ASSERT_TRUE(IsBlank(e)) << a << "-" << b << "-" << c;
                        continue;
                    }
                    ASSERT_EQ(F(e, 0, 6), Format("%02d%02d%02d", a, b, c));
                    bool all = runs[a] && runs[b] && runs[c];
                    std::string odds = e.substr(6);
                    if (all) {
                        ASSERT_TRUE(IsAllDigits(odds)) << e;
                        ++priced;
                    } else {
                        ASSERT_TRUE(IsRunOf(odds, '-') || IsRunOf(odds, '*')) << e;
                    }
                }
        EXPECT_EQ(priced, static_cast<size_t>(starters * (starters - 1) * (starters - 2)));
        // Without a dead heat, one 3連単 payout: the first three in order, at its odds.
        if (placed.size() >= 3 && placed[1].first == 2 && placed[2].first == 3 &&
            (placed.size() == 3 || placed[3].first != 3)) {
            std::string e = F(r.hr, 603, 19);
            std::string want;
            for (int p = 1; p <= 3; ++p)
                for (const auto& [h, se] : byNumber)
                    if (FieldInt(se, 334, 2) == p) want += Format("%02d", h);
            EXPECT_EQ(e.substr(0, 6), want);
            EXPECT_TRUE(IsBlank(F(r.hr, 603 + 19, 19)));
            int a = ToInt(want.substr(0, 2)), b = ToInt(want.substr(2, 2)),
                c = ToInt(want.substr(4, 2));
            size_t idx = static_cast<size_t>(272 * (a - 1) + 16 * (b - 1 - (b > a)) + c - (a < c) -
                                             (b < c) - 1);
            EXPECT_EQ(F(o6, 40 + 17 * idx, 6), want);
            EXPECT_EQ(FieldInt(e, 6, 9), FieldInt(o6, 46 + 17 * idx, 7) * 10);
        }
    }
    // Results follow the chances the odds are made from: favourites win often, not always.
    double rate = static_cast<double>(favouriteWins) / static_cast<double>(races.size());
    EXPECT_GT(rate, 0.2);
    EXPECT_LT(rate, 0.6);
    (void)deadHeats;
}

TEST(GeneratedFeedTest, LiveDayHasEntriesOddsResultsAndChanges) {
    const fs::path feed = GeneratedFeed();
    auto entries = BulkRaces(feed, '2');
    ASSERT_FALSE(entries.empty());
    for (const auto& [key, r] : entries) {
        EXPECT_EQ(key.substr(0, 8), "20250605");
        EXPECT_TRUE(r.hr.empty());
        for (const auto& se : r.se) {
            EXPECT_EQ(se[2], '2');
            EXPECT_EQ(F(se, 334, 2), "00");
            EXPECT_EQ(F(se, 338, 4), "0000");
        }
        // An odds snapshot for every race: O1 … O6 of that race.
        auto snap = RecordsOf(ReadFile(feed / "0B30" / (key + ".nvd")));
        ASSERT_EQ(snap.size(), 6u) << key;
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(snap[i].substr(0, 2), "O" + std::to_string(i + 1));
            EXPECT_EQ(snap[i].substr(11, 16), key);
            EXPECT_NE(snap[i][2], '0');
            EXPECT_NE(snap[i][2], '9');
        }
    }
    // Results of the races run by 15:30, with their payouts; later races have none.
    std::map<std::string, int> flash;
    for (const auto& rec : RecordsOf(ReadFile(feed / "0B12/20250605.nvd"))) {
        flash[rec.substr(0, 2) + rec.substr(11, 16)]++;
        if (rec.substr(0, 2) == "SE" && rec[331] == '0') {
            EXPECT_GT(FieldInt(rec, 334, 2), 0);
        }
    }
    int run = 0;
    for (const auto& [key, r] : entries) {
        bool done = FieldInt(r.ra, 873, 4) <= 1525;
        run += done;
        EXPECT_EQ(flash["RA" + key], done ? 1 : 0) << key;
        EXPECT_EQ(flash["HR" + key], done ? 1 : 0) << key;
        EXPECT_EQ(flash["SE" + key], done ? static_cast<int>(r.se.size()) : 0) << key;
    }
    EXPECT_GT(run, 0);
    EXPECT_LT(run, static_cast<int>(entries.size()));
    // Post-time changes of races still to run.
    auto changes = RecordsOf(ReadFile(feed / "0B14/20250605.nvd"));
    ASSERT_FALSE(changes.empty());
    for (const auto& tc : changes) {
        ASSERT_EQ(tc.size(), 45u);
        const std::string key = tc.substr(11, 16);
        ASSERT_TRUE(entries.count(key)) << key;
        EXPECT_EQ(F(tc, 39, 4), F(entries[key].ra, 873, 4));
        EXPECT_GT(FieldInt(tc, 35, 4), FieldInt(tc, 39, 4));
        EXPECT_GT(FieldInt(tc, 39, 4), 1530);
        EXPECT_EQ(F(tc, 27, 4), "0605");
    }
}

}  // namespace
}  // namespace sorvane
