// Shift-JIS conversions, field reading, formats and the text order.
#include <gtest/gtest.h>

#include "base/collate.h"
#include "base/fields.h"
#include "base/sjis.h"
#include "base/text_format.h"

namespace sorvane {
namespace {

TEST(Sjis, RoundTripsJapaneseAndAscii) {
    const std::string utf8 = "大井 ｻﾗ系２歳　①";
    std::string sj = SjisFromUtf8(utf8);
    // 大井 = 4 bytes, blank, 2 half-width katakana, 系２歳 = 6, full-width blank 2, ① 2.
    EXPECT_EQ(sj.size(), 4u + 1 + 2 + 6 + 2 + 2);
    EXPECT_EQ(Utf8FromSjis(sj), utf8);
    EXPECT_EQ(SjisFromUtf16(Utf16FromSjis(sj)), sj);
    EXPECT_EQ(Sj("　"), "\x81\x40");
}

TEST(Sjis, BadBytesBecomeReplacementsNotCrashes) {
    // A lone lead byte at the end, an invalid trail, and an unmappable UTF-8 character.
    EXPECT_EQ(Utf8FromSjis("A\x81"), "A\xEF\xBF\xBD");
    EXPECT_EQ(Utf8FromSjis("\x81\x20Z").back(), 'Z');
    EXPECT_EQ(SjisFromUtf8("a\xF0\x9F\x98\x80z"), "a?z");  // an emoji has no Shift-JIS form
    EXPECT_EQ(SjisFromUtf8("a\xC3"), "a?");                // truncated UTF-8
    std::u16string lone = u"x";
    lone.push_back(static_cast<char16_t>(0xD800));  // unpaired surrogate
    EXPECT_EQ(SjisFromUtf16(lone), "x?");
    EXPECT_FALSE(IsWellFormedSjis("ab\x82"));
    EXPECT_TRUE(IsWellFormedSjis(Sj("馬名ﾃｽﾄ")));
}

TEST(Sjis, AsciiRunsOfEveryLengthJoinTheRestExactly) {
    // ASCII is converted in blocks: runs of every length around a block's edge, on both sides
    // of a two-byte character, must come out unit for unit and back byte for byte.
    const std::string a = Sj("ア");  // U+30A2
    for (size_t before = 0; before <= 40; ++before) {
        for (size_t after : {0, 1, 7, 8, 9, 15, 16, 17, 33}) {
            std::string sjis;
            std::u16string expected;
            for (size_t k = 0; k < before; ++k) {
                sjis += static_cast<char>('0' + k % 10);
                expected += static_cast<char16_t>('0' + k % 10);
            }
            sjis += a;
            expected += u'\u30A2';
            for (size_t k = 0; k < after; ++k) {
                sjis += static_cast<char>('A' + k % 26);
                expected += static_cast<char16_t>('A' + k % 26);
            }
            ASSERT_EQ(Utf16FromSjis(sjis), expected) << before << " " << after;
            ASSERT_EQ(SjisFromUtf16(expected), sjis) << before << " " << after;
        }
    }
}

TEST(Sjis, ReusedBuffersConvertLikeFreshOnes) {
    // The link converts every record into the same two buffers: a long earlier record must
    // leave nothing behind, and the ASCII start (longer than one 64-byte block) must join the
    // converted rest exactly. A failed byte is reported and still becomes U+FFFD.
    const std::string pad(70, '7');
    struct Case {
        std::string sjis;
        bool clean;
    } cases[] = {{pad + Sj("馬名ﾃｽﾄ　") + "12", true},
                 {Sj("大井") + pad, true},
                 {pad + " Z", false},
                 {pad + "A", false},
                 {pad, true},
                 {"", true}};
    std::u16string wide = std::u16string(500, u'x');
    std::string narrow(500, 'x');
    for (const auto& c : cases) {
        EXPECT_EQ(Utf16FromSjis(c.sjis, wide), c.clean) << c.sjis;
        EXPECT_EQ(wide, Utf16FromSjis(c.sjis)) << c.sjis;
        EXPECT_EQ(wide.find(u'\uFFFD') == std::u16string::npos, c.clean) << c.sjis;
        SjisFromUtf16(wide, narrow);
        if (c.clean) {
            EXPECT_EQ(narrow, c.sjis);
        }
        EXPECT_EQ(narrow, SjisFromUtf16(wide));
    }
    // An unassigned pair whose second byte opens a valid pair with the byte after it: the
    // replacement covers the first byte only, as when converting the text whole.
    EXPECT_FALSE(Utf16FromSjis(pad + "\x85\x82\x60", wide));
    EXPECT_EQ(wide, std::u16string(pad.begin(), pad.end()) + u"\uFFFD\uFF21");
    std::u16string lone = std::u16string(80, u'a') + char16_t(0xD800) + u"b";
    SjisFromUtf16(lone, narrow);
    EXPECT_EQ(narrow, std::string(80, 'a') + "?b");
}

TEST(Fields, ClampAndIntegerReading) {
    const std::string rec = "RA7  0012 -3x12";
    EXPECT_EQ(Field(rec, 0, 2), "RA");
    EXPECT_EQ(Field(rec, 13, 10), "12");  // cut at the end
    EXPECT_EQ(Field(rec, 99, 3), "");
    struct Case {
        const char* text;
        int value;
    } cases[] = {{"0012", 12}, {"  ", 0},  {"", 0},   {" 5", 5}, {"-3", -3},
                 {"3x", 0},    {"1 2", 0}, {"+7", 7}, {"-", 0},  {"99999999999", 0}};
    for (const auto& c : cases) EXPECT_EQ(ToInt(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(ToInt64("99999999999"), 99999999999LL);
    std::string r = "abc";
    PutField(r, 5, "XY");
    EXPECT_EQ(r, "abc  XY");
}

TEST(Format, FixedFormatsAndSjisCuts) {
    EXPECT_EQ(Format("%2d", 5), " 5");
    EXPECT_EQ(Format("%5.1f", 3.25), "  3.2");  // round-half-even of the binary value
    EXPECT_EQ(Format("%5.1f", 12.35), " 12.3");
    EXPECT_EQ(Format("%7d", 1234), "   1234");
    EXPECT_EQ(Format("%s", std::string(300, 'x').c_str()).size(), 300u);
    std::string name = Sj("アイウ");
    EXPECT_EQ(CutSjis(name, 4), Sj("アイ"));
    EXPECT_EQ(CutSjis(name, 5), Sj("アイ") + " ");  // never half a character
    EXPECT_EQ(PadRight("ab", 4), "ab  ");
    EXPECT_EQ(PadLeft("ab", 4), "  ab");
}

TEST(Collate, AsciiCaseFoldedByteOrder) {
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("RA1", "ra2"), 0);
    EXPECT_LT(CompareText("ab", "abc"), 0);
    EXPECT_GT(CompareText("\x82\xA0", "z"), 0);  // Shift-JIS sorts after ASCII
    // A trail byte in the letter range is not folded: ム (0x83 0x80) vs ャ (0x83 0x83) differ,
    // and \x83\x61 (ア) must not equal \x83\x41 (ア's neighbour in the table).
    EXPECT_NE(CompareText("\x83\x61", "\x83\x41"), 0);
    EXPECT_TRUE(SameText("Data", "DATA"));
}

}  // namespace
}  // namespace sorvane
