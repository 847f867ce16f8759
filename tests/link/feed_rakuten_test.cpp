// Betting against the feed folder's account: the checks of each vote line, the account figures,
// and that a refused call writes nothing.
#include "link/feed_rakuten.h"

#include <gtest/gtest.h>

#include "fake_clock.h"
#include "feed_test_support.h"
#include "link/feed_link.h"

namespace sorvane {
namespace {

using testing::ReadFile;
using testing::WriteFile;

// A vote line as the program writes it.
std::string Line(const char* mmdd, const char* track, const char* race, char kind, int a, int b,
                 int c, int units) {
    auto number = [](int n) {
        std::string f(24, '0');
        if (n >= 1 && n <= 24) f[static_cast<size_t>(n - 1)] = '1';
        return f;
    };
    char stake[8];
    std::snprintf(stake, sizeof stake, "%05d", units);
    return std::string("0") + mmdd + track + race + kind + "0" + number(a) + number(b) + number(c) +
           stake + "00";
}

class RakutenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        account_ =
            "[Account]\r\nLimit=10000\r\nPurchased=0\r\nPaid=1200\r\nVotesLeft=10\r\n"
            "DepositAmount=5000\r\n";
        WriteFile(dir_.path() / "rakuten" / "account.ini", account_);
        ASSERT_EQ(link_.NVInit("SORVANE"), 0);
    }
    std::string Account() const { return ReadFile(dir_.path() / "rakuten" / "account.ini"); }
    bool LogExists() const {
        return std::filesystem::exists(dir_.path() / "rakuten" / "votes.log");
    }

    testing::TempDir dir_;
    FixedClock clock_{2025, 4, 5, 14, 3, 9};
    FeedLink link_{dir_.path(), clock_};
    std::string account_;
};

TEST(VoteLineTest, ReadsTheProgramsLines) {
    // 馬単 3-12, 500 yen, race 11 of track 30 on 5 January.
    std::string line = Line("0105", "30", "11", '6', 3, 12, 0, 5);
    EXPECT_EQ(line.substr(0, 11), "00105301160");
    VoteLine v;
    ASSERT_TRUE(ParseVoteLine(line, v));
    EXPECT_EQ(v.month, 1);
    EXPECT_EQ(v.day, 5);
    EXPECT_EQ(v.track, 30);
    EXPECT_EQ(v.race, 11);
    EXPECT_EQ(v.kindCode, '6');
    EXPECT_EQ(v.numbers[0], 3);
    EXPECT_EQ(v.numbers[1], 12);
    EXPECT_EQ(v.numbers[2], 0);
    EXPECT_EQ(v.units, 5);
    for (std::string ok :
         {Line("1231", "57", "01", '1', 18, 0, 0, 99999), Line("0229", "44", "12", '2', 1, 0, 0, 1),
          Line("0405", "44", "05", '3', 8, 8, 0, 1), Line("0405", "44", "05", '5', 1, 18, 0, 1),
          Line("0405", "44", "05", '7', 2, 3, 0, 1), Line("0405", "44", "05", '8', 1, 2, 18, 1),
          Line("0405", "44", "05", '9', 18, 1, 2, 1)})
        EXPECT_TRUE(ParseVoteLine(ok, v)) << ok;
}

TEST(VoteLineTest, RefusesMalformedLines) {
    const std::string good = Line("0405", "44", "05", '5', 3, 7, 0, 2);
    auto with = [&](size_t pos, char c) {
        std::string s = good;
        s[pos] = c;
        return s;
    };
    struct Case {
        const char* what;
        std::string line;
    } cases[] = {
        {"short", good.substr(0, 89)},
        {"long", good + "0"},
        {"first byte", with(0, '1')},
        {"byte 11", with(10, '1')},
        {"byte 89", with(88, '1')},
        {"byte 90", with(89, ' ')},
        {"month 13", Line("1305", "44", "05", '5', 3, 7, 0, 2)},
        {"day 0", Line("0400", "44", "05", '5', 3, 7, 0, 2)},
        {"31 April", Line("0431", "44", "05", '5', 3, 7, 0, 2)},
        {"blank date", Line("04 5", "44", "05", '5', 3, 7, 0, 2)},
        {"track 29", Line("0405", "29", "05", '5', 3, 7, 0, 2)},
        {"track 58", Line("0405", "58", "05", '5', 3, 7, 0, 2)},
        {"race 0", Line("0405", "44", "00", '5', 3, 7, 0, 2)},
        {"race 13", Line("0405", "44", "13", '5', 3, 7, 0, 2)},
        {"kind 4", Line("0405", "44", "05", '4', 3, 7, 0, 2)},
        {"two marks", with(11 + 9, '1')},
        {"other mark", with(11 + 9, '2')},
        {"no first number", Line("0405", "44", "05", '5', 0, 7, 0, 2)},
        {"third number for a pair", Line("0405", "44", "05", '5', 3, 7, 9, 2)},
        {"second number for 単勝", Line("0405", "44", "05", '1', 3, 7, 0, 2)},
        {"horse 19", Line("0405", "44", "05", '1', 19, 0, 0, 2)},
        {"frame 9", Line("0405", "44", "05", '3', 1, 9, 0, 2)},
        {"枠連 descending", Line("0405", "44", "05", '3', 5, 2, 0, 2)},
        {"馬連 descending", Line("0405", "44", "05", '5', 7, 3, 0, 2)},
        {"ワイド same horse", Line("0405", "44", "05", '7', 3, 3, 0, 2)},
        {"馬単 same horse", Line("0405", "44", "05", '6', 3, 3, 0, 2)},
        {"３連複 not ascending", Line("0405", "44", "05", '8', 1, 3, 2, 2)},
        {"３連単 repeated", Line("0405", "44", "05", '9', 1, 3, 1, 2)},
        {"stake 0", Line("0405", "44", "05", '5', 3, 7, 0, 0)},
        {"stake blank", with(84, ' ')},
    };
    VoteLine v;
    for (const auto& c : cases) EXPECT_FALSE(ParseVoteLine(c.line, v)) << c.what;
}

TEST_F(RakutenTest, LoginTakesTheTwoFormsOnly) {
    EXPECT_EQ(link_.RakutenLogin("user", "pass"), kRakutenBadArgument);
    EXPECT_EQ(link_.RakutenLogin("show", ""), kRakutenBadArgument);
    RakutenBalance b;
    EXPECT_EQ(link_.RakutenZandaka(b, ""), kRakutenNotLoggedIn);
    EXPECT_EQ(link_.RakutenLogin("show", "form"), 0);
    EXPECT_EQ(link_.RakutenLogout(), 0);
    EXPECT_EQ(link_.RakutenLogin("", ""), 0);
    std::filesystem::remove(dir_.path() / "rakuten" / "account.ini");
    FeedLink other(dir_.path(), clock_);
    ASSERT_EQ(other.NVInit("SORVANE"), 0);
    EXPECT_EQ(other.RakutenLogin("", ""), kRakutenNoAccount);
}

TEST_F(RakutenTest, BetBuysTheLinesAndKeepsTheAccount) {
    std::string a = Line("0405", "44", "05", '1', 4, 0, 0, 3);
    std::string b = Line("0405", "44", "05", '9', 4, 1, 7, 2);
    ASSERT_EQ(link_.RakutenLogin("", ""), 0);
    RakutenBetResult r;
    ASSERT_EQ(link_.RakutenBet("", a + b, 1, r), 0);
    EXPECT_EQ(r.amountBought, 500);
    EXPECT_EQ(r.votesLeft, 8);
    EXPECT_EQ(r.purchaseLimit, 9500);
    EXPECT_EQ(ReadFile(dir_.path() / "rakuten" / "votes.log"),
              "2025/04/05 14:03:09 " + a + "\r\n2025/04/05 14:03:09 " + b + "\r\n");
    RakutenBalance bal;
    ASSERT_EQ(link_.RakutenZandaka(bal, ""), 0);
    EXPECT_EQ(bal.purchaseLimit, 9500);
    EXPECT_EQ(bal.purchasedToday, 500);
    EXPECT_EQ(bal.paidToday, 1200);
    EXPECT_EQ(bal.votesLeft, 8);
    ASSERT_EQ(link_.RakutenDeposit(), 0);
    ASSERT_EQ(link_.RakutenZandaka(bal, ""), 0);
    EXPECT_EQ(bal.purchaseLimit, 14500);
    // A second link (the program started again) reads the same account.
    FeedLink again(dir_.path(), clock_);
    ASSERT_EQ(again.NVInit("SORVANE"), 0);
    ASSERT_EQ(again.RakutenLogin("", ""), 0);
    ASSERT_EQ(again.RakutenBet("", a, 1, r), 0);
    EXPECT_EQ(r.purchaseLimit, 14200);
    EXPECT_EQ(r.votesLeft, 7);
    EXPECT_EQ(link_.RakutenLogout(), 0);
    EXPECT_EQ(link_.RakutenBet("", a, 1, r), kRakutenNotLoggedIn);
}

TEST_F(RakutenTest, RefusedBetsWriteNothing) {
    const std::string good = Line("0405", "44", "05", '5', 3, 7, 0, 2);
    const std::string bad = Line("0405", "44", "05", '5', 7, 3, 0, 2);
    std::string many;
    for (int i = 0; i < 11; ++i) many += good;
    std::string tooMany;
    for (int i = 0; i < 121; ++i) tooMany += good;
    struct Case {
        const char* what;
        std::string lines;
        int mode;
        int code;
    } cases[] = {
        {"one bad line among good ones", good + bad + good, 1, kRakutenBadVoteLine},
        {"a cut line", good + good.substr(0, 50), 1, kRakutenBadVoteLine},
        {"no line", "", 1, kRakutenBadVoteLine},
        {"121 lines", tooMany, 1, kRakutenBadVoteLine},
        {"mode 0", good, 0, kRakutenBadArgument},
        {"past the limit", Line("0405", "44", "05", '5', 3, 7, 0, 101), 1, kRakutenOverLimit},
        {"more lines than votes left", many, 1, kRakutenNoVotesLeft},
    };
    ASSERT_EQ(link_.RakutenLogin("", ""), 0);
    for (const auto& c : cases) {
        RakutenBetResult r;
        EXPECT_EQ(link_.RakutenBet("", c.lines, c.mode, r), c.code) << c.what;
        EXPECT_FALSE(LogExists()) << c.what;
        EXPECT_EQ(Account(), account_) << c.what;
    }
    // Exactly the limit is allowed.
    RakutenBetResult r;
    EXPECT_EQ(link_.RakutenBet("", Line("0405", "44", "05", '5', 3, 7, 0, 100), 1, r), 0);
    EXPECT_EQ(r.purchaseLimit, 0);
}

TEST_F(RakutenTest, HundredTwentyLinesGoInOneCall) {
    WriteFile(dir_.path() / "rakuten" / "account.ini",
              "[Account]\r\nLimit=1000000\r\nVotesLeft=500\r\n");
    std::string lines;
    for (int h = 0; h < 120; ++h) lines += Line("0405", "44", "05", '2', 1 + h % 18, 0, 0, 1);
    ASSERT_EQ(link_.RakutenLogin("", ""), 0);
    RakutenBetResult r;
    ASSERT_EQ(link_.RakutenBet("", lines, 1, r), 0);
    EXPECT_EQ(r.amountBought, 12000);
    EXPECT_EQ(r.votesLeft, 380);
    EXPECT_EQ(testing::RecordsOf(ReadFile(dir_.path() / "rakuten" / "votes.log")).size(), 120u);
}

}  // namespace
}  // namespace sorvane
