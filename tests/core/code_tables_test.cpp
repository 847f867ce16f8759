// Code labels, their fixed widths, combination numbering, time texts and display formatting.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "shell/code_tables.h"
#include "shell/code_tables_format.h"
#include "shell/time_text.h"

namespace sorvane {
namespace {

const std::string kAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ- ";

std::string FullBlanks(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += Sj("　");
    return s;
}

// Every code of the given length over kAlphabet.
std::vector<std::string> AllCodes(size_t length) {
    std::vector<std::string> codes = {""};
    for (size_t k = 0; k < length; ++k) {
        std::vector<std::string> next;
        for (const auto& c : codes)
            for (char ch : kAlphabet) next.push_back(c + ch);
        codes.swap(next);
    }
    return codes;
}

TEST(CodeTables, FixedWidthLabelsKeepTheirWidthForEveryCode) {
    struct Case {
        const char* name;
        std::function<std::string(const std::string&)> label;
        size_t codeLength;
        std::vector<size_t> widths;  // allowed byte widths
    } cases[] = {
        {"TrackName", [](const std::string& c) { return TrackName(c); }, 2, {4}},
        {"RaceKindName", [](const std::string& c) { return RaceKindName(c); }, 2, {12}},
        {"RaceKindLongName", [](const std::string& c) { return RaceKindLongName(c); }, 2, {0, 15}},
        {"RaceSymbolName", [](const std::string& c) { return RaceSymbolName(c); }, 3, {24}},
        {"GradeName", [](const std::string& c) { return GradeName(c); }, 1, {5, 6, 8, 9}},
    };
    for (const auto& c : cases) {
        int known = 0;
        for (const auto& code : AllCodes(c.codeLength)) {
            const std::string label = c.label(code);
            bool allowed = false;
            for (size_t w : c.widths) allowed = allowed || label.size() == w;
            EXPECT_TRUE(allowed) << c.name << "(" << code << ") is " << label.size() << " bytes";
            // A label character without a Shift-JIS form would have become '?'.
            EXPECT_TRUE(IsWellFormedSjis(label) && label.find('?') == std::string::npos)
                << c.name << "(" << code << ")";
            known += label != c.label("??");
        }
        EXPECT_GT(known, 0) << c.name;
    }
}

TEST(CodeTables, TrackNamesMatchExactCodesOnly) {
    EXPECT_EQ(TrackName("44"), Sj("大井"));
    EXPECT_EQ(TrackName("M2"), Sj("澳門"));
    EXPECT_EQ(TrackName("83"), Sj("帯ば"));
    for (const char* other : {"99", "C4", "4", " 44", "440", "a0", ""})
        EXPECT_EQ(TrackName(other), "    ") << '"' << other << '"';
}

TEST(CodeTables, RaceSymbolsBuiltFromTheirThreeCharacters) {
    struct Case {
        const char* code;
        const char* label;  // before padding
    } cases[] = {
        {"N41", "(国際)牡・牝(指定)"}, {"A02", "(混合)・若手騎手"},
        {"002", "若手騎手"},           {"020", "牝"},
        {"034", "牡・ｾﾝ(特指)"},       {"K03", "(市)(抽)関西配布馬[指定]"},
        {"M00", "九州産馬"},
    };
    for (const auto& c : cases) {
        std::string expected = Sj(c.label);
        while (expected.size() < 24) expected += Sj("　");
        EXPECT_EQ(RaceSymbolName(c.code), expected) << c.code;
    }
    // Unlisted codes, even made of meaningful characters.
    for (const char* other : {"N42", "000", "B02", "a00", "N4", ""})
        EXPECT_EQ(RaceSymbolName(other), FullBlanks(12)) << other;
}

TEST(CodeTables, KindGradeAndConditionLabels) {
    EXPECT_EQ(RaceKindName("05"), Sj("混合４歳上　"));
    EXPECT_EQ(RaceKindName("5"), FullBlanks(6));
    EXPECT_EQ(RaceKindLongName("18"), Sj("ｻﾗ系障害3歳以上"));
    EXPECT_EQ(RaceKindLongName("11"), Sj("ｻﾗ系2歳") + std::string(8, ' '));
    EXPECT_EQ(RaceKindLongName("05"), "");
    EXPECT_EQ(GradeName("-"), Sj("普通 "));
    EXPECT_EQ(GradeName("a"), Sj("　　 "));

    EXPECT_EQ(ConditionName("10"), Sj("1000万下"));
    EXPECT_EQ(ConditionName("005"), Sj(" 500万下"));
    EXPECT_EQ(ConditionName(100), Sj("1億下"));
    EXPECT_EQ(ConditionName("999"), Sj("オープン"));
    for (const char* other : {"0", "101", "700", "abc", ""}) EXPECT_EQ(ConditionName(other), "");

    EXPECT_EQ(RaceShortLabel("13", "5"), Sj("3歳上500"));
    EXPECT_EQ(RaceShortLabel("19", 100), Sj("障4歳上10000"));
    EXPECT_EQ(RaceShortLabel("11", 701), Sj("2歳新馬"));
    EXPECT_EQ(RaceShortLabel("21", 999), Sj("ｵｰﾌﾟﾝ"));
    EXPECT_EQ(RaceShortLabel("12", 0), Sj("3歳"));
}

TEST(CodeTables, WeekdayLeavesDestinationAloneOutsideItsRange) {
    std::string dest = "keep";
    EXPECT_TRUE(WeekdayName(0, dest));
    EXPECT_EQ(dest, Sj("　"));
    EXPECT_TRUE(WeekdayName(8, dest));
    EXPECT_EQ(dest, Sj("金"));
    dest = "keep";
    EXPECT_FALSE(WeekdayName(9, dest));
    EXPECT_FALSE(WeekdayName(-1, dest));
    EXPECT_EQ(dest, "keep");
    EXPECT_EQ(WeekdayName(1), Sj("土"));
    EXPECT_EQ(WeekdayName(9), "");
}

TEST(CodeTables, SurfaceRunnerAndMarkLabels) {
    EXPECT_EQ(TrackSurfaceName("51"), Sj("障害 芝　襷"));
    EXPECT_EQ(TrackSurfaceShort("16"), Sj("芝左"));
    EXPECT_EQ(TrackSurfaceShort("17"), Sj("芝右"));
    EXPECT_EQ(TrackSurfaceShort("26"), Sj("ダ右外"));
    EXPECT_EQ(TrackSurfaceShort("59"), Sj("障害"));
    for (const char* other : {"25", "27", "28", "30", "50", "60", "9"})
        EXPECT_EQ(TrackSurfaceShort(other), "") << other;
    EXPECT_EQ(TrackSurfaceName("30"), "");

    EXPECT_EQ(WeightKindName("6"), Sj("騎手ﾊﾝﾃﾞ"));
    EXPECT_EQ(WeightKindName("5"), "");
    EXPECT_EQ(WeatherName("6"), Sj("小雪"));
    EXPECT_EQ(GoingName("4"), Sj("不良"));
    EXPECT_EQ(GoingName("0"), "");
    EXPECT_EQ(SexName("3"), Sj("ｾﾝ"));
    EXPECT_EQ(BlinkerMark("1"), Sj("ﾌﾞﾘﾝ"));
    EXPECT_EQ(BlinkerMark("0"), " ");

    EXPECT_EQ(WeightReductionName("83", "2"), Sj("20kg減"));
    EXPECT_EQ(WeightReductionName("83", "3"), Sj("　"));
    EXPECT_EQ(WeightReductionName("44", "3"), Sj("3kg減"));
    EXPECT_EQ(WeightReductionName("44", "5"), Sj("　"));

    EXPECT_EQ(CircledNumber(1), Sj("①"));
    EXPECT_EQ(CircledNumber("18"), Sj("⑱"));
    EXPECT_EQ(CircledNumber(" 7"), Sj("⑦"));
    for (int n : {0, 19, -1}) EXPECT_EQ(CircledNumber(n), Sj("－")) << n;
    EXPECT_EQ(CircledNumber("x"), Sj("－"));
    EXPECT_EQ(Sj("－").size(), 2u);
}

TEST(CodeTables, PairPositionsRoundTripInOrder) {
    int expected = 0;
    for (int i = 1; i <= 18; ++i) {
        for (int j = i + 1; j <= 18; ++j) {
            ++expected;
            const std::string label = PairLabel(i, j);
            EXPECT_EQ(PairNumber(i, j), expected);
            EXPECT_EQ(HorsePairIndex(label), expected) << label;
            EXPECT_EQ(HorsePairLabel(expected), label);
        }
    }
    EXPECT_EQ(expected, 153);
    EXPECT_EQ(HorsePairIndex(" 1- 2"), 1);
    EXPECT_EQ(HorsePairIndex("17-18"), 153);
    for (const char* other : {" 2- 1", " 1- 1", "1-2", " 1- 2 ", "18-19", ""})
        EXPECT_EQ(HorsePairIndex(other), 0) << '"' << other << '"';
    const std::pair<int, int> invalid[] = {{2, 1}, {3, 3}, {0, 5}, {17, 19}};
    for (auto [i, j] : invalid) EXPECT_EQ(PairNumber(i, j), 0) << i << "-" << j;

    std::string dest = "keep";
    EXPECT_FALSE(HorsePairLabel(0, dest));
    EXPECT_FALSE(HorsePairLabel(154, dest));
    EXPECT_EQ(dest, "keep");

    int bracket = 0;
    for (int a = 1; a <= 8; ++a)
        for (int b = a; b <= 8; ++b) EXPECT_EQ(BracketPairIndex(PairLabel(a, b)), ++bracket);
    EXPECT_EQ(bracket, 36);
    EXPECT_EQ(BracketPairIndex(" 3- 8"), 21);
    for (const char* other : {" 8- 1", " 9- 9", " 0- 1", "1-1"})
        EXPECT_EQ(BracketPairIndex(other), 0) << '"' << other << '"';
    EXPECT_EQ(TripleLabel(1, 12, 3), " 1-12- 3");
}

TEST(TimeText, MinutesSecondsAndDays) {
    struct Case {
        const char* time;
        int offset;
        const char* result;
    } minutes[] = {{"2350", 20, "2410"},   {"1005", -10, "0955"}, {"0010", -40, "0000"},
                   {"0930", -570, "0000"}, {"", 5, ""},           {"    ", 5, ""}},
      seconds[] = {{"235959", 1, "240000"},
                   {"120000", -3661, "105859"},
                   {"000010", -20, "000000"},
                   {"", 1, ""}};
    for (const auto& c : minutes) EXPECT_EQ(AddMinutes(c.time, c.offset), c.result) << c.time;
    for (const auto& c : seconds) EXPECT_EQ(AddSeconds(c.time, c.offset), c.result) << c.time;

    EXPECT_EQ(AddMinutes("1200", 2147483647).substr(0, 4), "3579");  // no overflow
    struct DateCase {
        const char* date;
        int days;
        const char* result;
    } dates[] = {{"2024/02/28", 1, "2024/02/29"},
                 {"2023/12/31", 1, "2024/01/01"},
                 {"2024/03/01", -1, "2024/02/29"},
                 {"2023/03/01", -366, "2022/02/28"},
                 {"2024/1/5", 0, "2024/01/05"},
                 {"2023/02/29", 1, ""},
                 {"2024/13/01", 1, ""},
                 {"2024/01", 1, ""},
                 {"2024/aa/01", 1, ""},
                 {"", 1, ""}};
    for (const auto& c : dates) EXPECT_EQ(AddDays(c.date, c.days), c.result) << c.date;
}

TEST(DisplayFormat, OverwriteAlignAndStrip) {
    EXPECT_EQ(OverwriteAt("abcdef", "XY", 3), "abXYef");
    EXPECT_EQ(OverwriteAt("abc", "XY", 3), "abXY");
    EXPECT_EQ(OverwriteAt("ab", "X", 5), "ab  X");
    EXPECT_EQ(OverwriteAt("abc", "X", 0), "Xbc");

    EXPECT_EQ(RightAlignNumber("05"), " 5");
    EXPECT_EQ(RightAlignNumber("012"), " 12");
    EXPECT_EQ(RightAlignNumber("00"), "  ");
    EXPECT_EQ(RightAlignNumber("x1"), "  ");
    EXPECT_EQ(FormatWidth("007", 4, false), "   7");
    EXPECT_EQ(FormatWidth("000", 4, false), "   0");
    EXPECT_EQ(FormatWidth("000", 4, true), "");
    EXPECT_EQ(FormatWidth("12345", 3, true), "12345");

    EXPECT_EQ(StripFullWidthBlanks(Sj("　ﾃｽﾄ　馬名　")), Sj("ﾃｽﾄ馬名"));
    // メ is 0x83 0x81: its trail byte and a following '@' (0x40) look like a full-width blank.
    const std::string tricky = Sj("メ@");
    ASSERT_EQ(tricky, "\x83\x81@");
    EXPECT_EQ(StripFullWidthBlanks(tricky), tricky);
}

TEST(DisplayFormat, PaceBeforeTheLastThreeFurlongs) {
    struct Case {
        const char* time;
        const char* last3F;
        const char* distance;
        const char* pace;
    } cases[] = {
        {"1234", "370", "1400", "348"},  // t = 464, 464 / 8 * 6
        {"2000", "100", "0700", "660"},  // 6600 cut to its first 3 characters
        {"0376", "370", "1400", "  4"},  // 4.5 rounds to even
        {"1234", "370", "1450", "328"},  // 464 / 8.5 * 6 = 327.53 -> 328
        {"0000", "370", "1400", "   "}, {"1234", "000", "1400", "   "},
        {"1234", "370", "    ", "   "}, {"", "370", "1400", "   "},
        {"1234", "370", "0600", "   "},  // no distance before the last 600 m
        {"1234", "370", "0500", "   "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PaceBefore3F(c.time, c.last3F, c.distance), c.pace)
            << c.time << "," << c.last3F << "," << c.distance;
}

}  // namespace
}  // namespace sorvane
