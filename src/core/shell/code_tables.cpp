// Code-to-label tables. The labels are written in UTF-8 here and converted to Shift-JIS once,
// on first use, into function-local statics.
#include "shell/code_tables.h"

#include <initializer_list>
#include <utility>
#include <vector>

#include "base/fields.h"
#include "base/sjis.h"
#include "base/text_format.h"

namespace sorvane {
namespace {

struct Row {
    const char* code;
    const char* label;  // UTF-8
};

// Code (ASCII, compared exactly) -> Shift-JIS label.
class LabelTable {
  public:
    LabelTable(std::initializer_list<Row> rows) {
        rows_.reserve(rows.size());
        for (const Row& r : rows) rows_.emplace_back(r.code, Sj(r.label));
    }
    // The label of code, or fallback when the code is not in the table.
    const std::string& Find(std::string_view code, const std::string& fallback) const {
        for (const auto& [c, label] : rows_)
            if (c == code) return label;
        return fallback;
    }

  private:
    std::vector<std::pair<std::string, std::string>> rows_;
};

const std::string& Empty() {
    static const std::string empty;
    return empty;
}

const std::string& FullWidthBlank() {
    static const std::string blank = Sj("　");
    return blank;
}

std::string FullWidthBlanks(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += FullWidthBlank();
    return out;
}

// text padded with full-width blanks to width bytes (an odd byte left over gets a blank).
std::string PadFullWidth(std::string text, size_t width) {
    while (text.size() + 2 <= width) text += FullWidthBlank();
    if (text.size() < width) text.push_back(' ');
    return text;
}

// "%2d-" .. "%2d" labels of all pairs a <= b (or a < b) of 1..maxNumber, in position order.
std::vector<std::string> PairLabels(int maxNumber, bool allowSame) {
    std::vector<std::string> labels;
    for (int a = 1; a <= maxNumber; ++a)
        for (int b = allowSame ? a : a + 1; b <= maxNumber; ++b) labels.push_back(PairLabel(a, b));
    return labels;
}

int IndexOf(const std::vector<std::string>& labels, std::string_view label) {
    for (size_t i = 0; i < labels.size(); ++i)
        if (labels[i] == label) return static_cast<int>(i) + 1;
    return 0;
}

const std::vector<std::string>& HorsePairLabels() {
    static const std::vector<std::string> labels = PairLabels(18, false);
    return labels;
}

}  // namespace

std::string TrackName(std::string_view code) {
    static const LabelTable table = {
        {"01", "札幌"}, {"02", "函館"}, {"03", "福島"}, {"04", "新潟"}, {"05", "東京"},
        {"06", "中山"}, {"07", "中京"}, {"08", "京都"}, {"09", "阪神"}, {"10", "小倉"},
        {"30", "門別"}, {"31", "北見"}, {"32", "岩見"}, {"33", "帯広"}, {"34", "旭川"},
        {"35", "盛岡"}, {"36", "水沢"}, {"37", "上山"}, {"38", "三条"}, {"39", "足利"},
        {"40", "宇都"}, {"41", "高崎"}, {"42", "浦和"}, {"43", "船橋"}, {"44", "大井"},
        {"45", "川崎"}, {"46", "金沢"}, {"47", "笠松"}, {"48", "名古"}, {"49", "紀三"},
        {"50", "園田"}, {"51", "姫路"}, {"52", "益田"}, {"53", "福山"}, {"54", "高知"},
        {"55", "佐賀"}, {"56", "荒尾"}, {"57", "中津"}, {"58", "札幌"}, {"59", "函館"},
        {"60", "新潟"}, {"61", "中京"}, {"80", "春木"}, {"81", "北ば"}, {"82", "岩ば"},
        {"83", "帯ば"}, {"84", "旭ば"}, {"A0", "他外"}, {"A2", "日本"}, {"A4", "アメ"},
        {"A6", "イギ"}, {"A8", "フラ"}, {"B0", "イン"}, {"B2", "アイ"}, {"B4", "ニュ"},
        {"B6", "オー"}, {"B8", "カナ"}, {"C0", "イタ"}, {"C2", "ドイ"}, {"C4", "    "},
        {"C5", "オマ"}, {"C6", "イラ"}, {"C7", "ア首"}, {"C8", "シリ"}, {"D0", "スウ"},
        {"D2", "ハン"}, {"D4", "ポル"}, {"D6", "ロシ"}, {"D8", "ウル"}, {"E0", "ペル"},
        {"E2", "アル"}, {"E4", "ブラ"}, {"E6", "ベル"}, {"E8", "トル"}, {"F0", "韓国"},
        {"F1", "中国"}, {"F2", "チリ"}, {"F4", "    "}, {"F6", "    "}, {"F8", "パナ"},
        {"G0", "香港"}, {"G2", "スペ"}, {"G4", "    "}, {"G6", "    "}, {"G8", "    "},
        {"H0", "西独"}, {"H2", "南ア"}, {"H4", "スイ"}, {"H6", "モナ"}, {"H8", "フィ"},
        {"I0", "プエ"}, {"I2", "コロ"}, {"I4", "チェ"}, {"I6", "チェ"}, {"I8", "スロ"},
        {"J0", "エク"}, {"J2", "ギリ"}, {"J4", "マレ"}, {"J6", "メキ"}, {"J8", "モロ"},
        {"K0", "パキ"}, {"K2", "ポー"}, {"K4", "パラ"}, {"K6", "サウ"}, {"K8", "キプ"},
        {"L0", "タイ"}, {"L2", "ウク"}, {"L4", "ベネ"}, {"L6", "ユー"}, {"L8", "デン"},
        {"M0", "シン"}, {"M2", "澳門"},
    };
    static const std::string blanks(4, ' ');
    return table.Find(code, blanks);
}

std::string RaceKindName(std::string_view code) {
    static const LabelTable table = {
        {"11", "サラ系２歳　"}, {"12", "サラ系３歳　"}, {"13", "サラ系３歳上"},
        {"14", "サラ系４歳上"}, {"18", "障害３歳上　"}, {"19", "障害４歳上　"},
        {"47", "サラ２・３歳"}, {"48", "サラ３・４歳"}, {"21", "アラ系２歳　"},
        {"22", "アラ系３歳　"}, {"23", "アラ系３歳上"}, {"24", "アラ系４歳上"},
        {"01", "混合２歳　　"}, {"02", "混合３歳　　"}, {"03", "混合４歳　　"},
        {"04", "混合３歳上　"}, {"05", "混合４歳上　"}, {"06", "混合５歳上　"},
        {"07", "混合２・３歳"}, {"08", "混合３・４歳"}, {"09", "混合一般　　"},
        {"43", "サラ系４歳　"}, {"46", "サラ系５歳上"}, {"49", "サラ系一般　"},
    };
    static const std::string blanks = FullWidthBlanks(6);
    return table.Find(code, blanks);
}

std::string RaceKindLongName(std::string_view code) {
    static const LabelTable table = {
        {"11", "ｻﾗ系2歳"},     {"12", "ｻﾗ系3歳"},         {"13", "ｻﾗ系3歳以上"},
        {"14", "ｻﾗ系4歳以上"}, {"18", "ｻﾗ系障害3歳以上"}, {"19", "ｻﾗ系障害4歳以上"},
        {"21", "ｱﾗ系2歳"},     {"22", "ｱﾗ系3歳"},         {"23", "ｱﾗ系3歳以上"},
        {"24", "ｱﾗ系4歳以上"},
    };
    const std::string& label = table.Find(code, Empty());
    return label.empty() ? label : PadRight(label, 15);
}

std::string RaceSymbolName(std::string_view code) {
    // Built once: every known code with its padded label. Codes outside this list (even those
    // whose characters all have a meaning, such as N42) are not race symbols.
    struct Built {
        std::vector<std::pair<std::string, std::string>> rows;
        std::string unknown = FullWidthBlanks(12);
        Built() {
            static constexpr const char* kKnown[] = {
                "001", "002", "003", "004", "020", "021", "023", "024", "030", "031", "033", "034",
                "040", "041", "043", "044", "A00", "A01", "A02", "A03", "A04", "A10", "A11", "A13",
                "A14", "A20", "A21", "A23", "A24", "A30", "A31", "A33", "A34", "A40", "A41", "B00",
                "B01", "B03", "B04", "C00", "C01", "C03", "C04", "D00", "D01", "D03", "E00", "E01",
                "E03", "F00", "F01", "F03", "F04", "G00", "G01", "G03", "H00", "H01", "I00", "I01",
                "I03", "J00", "J01", "K00", "K01", "K03", "L00", "L01", "L03", "M00", "M01", "M03",
                "M04", "N00", "N01", "N03", "N04", "N20", "N21", "N30", "N31", "N40", "N41",
            };
            const LabelTable prefix = {
                {"A", "(混合)"},
                {"B", "(父)"},
                {"C", "(市)"},
                {"D", "(抽)"},
                {"E", "[抽]"},
                {"F", "(市)(抽)"},
                {"G", "(抽)関西配布馬"},
                {"H", "(抽)関東配布馬"},
                {"I", "[抽]関西配布馬"},
                {"J", "[抽]関東配布馬"},
                {"K", "(市)(抽)関西配布馬"},
                {"L", "(市)(抽)関東配布馬"},
                {"M", "九州産馬"},
                {"N", "(国際)"},
            };
            const LabelTable sex = {{"1", "牡"}, {"2", "牝"}, {"3", "牡・ｾﾝ"}, {"4", "牡・牝"}};
            const LabelTable designation = {{"1", "(指定)"}, {"3", "[指定]"}, {"4", "(特指)"}};
            const std::string youngJockeys = Sj("若手騎手");
            const std::string dot = Sj("・");
            for (std::string_view c : kKnown) {
                std::string label = prefix.Find(c.substr(0, 1), Empty());
                label += sex.Find(c.substr(1, 1), Empty());
                if (c[2] == '2')
                    label += (label.empty() ? "" : dot) + youngJockeys;
                else
                    label += designation.Find(c.substr(2, 1), Empty());
                rows.emplace_back(std::string(c), PadFullWidth(label, 24));
            }
        }
    };
    static const Built built;
    for (const auto& [c, label] : built.rows)
        if (c == code) return label;
    return built.unknown;
}

std::string GradeName(std::string_view code) {
    static const LabelTable table = {
        {"A", "G1   "},     {"B", "G2   "},    {"C", "G3   "},     {"D", "重賞 "},
        {"E", "特別 "},     {"-", "普通 "},    {"P", "地区限定1"}, {"Q", "地区限定2"},
        {"R", "地区限定3"}, {"S", "地区限定"}, {"T", "準重賞"},
    };
    static const std::string other = Sj("　　 ");
    return table.Find(code, other);
}

bool WeekdayName(int n, std::string& dest) {
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> v;
        for (const char* s : {"　", "土", "日", "祝", "月", "火", "水", "木", "金"})
            v.push_back(Sj(s));
        return v;
    }();
    if (n < 0 || n >= static_cast<int>(labels.size())) return false;
    dest = labels[static_cast<size_t>(n)];
    return true;
}

std::string WeekdayName(int n) {
    std::string out;
    WeekdayName(n, out);
    return out;
}

std::string WeightKindName(std::string_view code) {
    static const LabelTable table = {
        {"1", "ﾊﾝﾃﾞ"},     {"2", "別定"},     {"3", "馬齢"}, {"4", "定量"},
        {"6", "騎手ﾊﾝﾃﾞ"}, {"7", "賞金ﾊﾝﾃﾞ"}, {"8", "規定"}, {"9", "見込"},
    };
    return table.Find(code, Empty());
}

std::string ConditionName(int condition) {
    static const LabelTable words = {
        {"100", "1億下"},  {"701", "新馬"},     {"702", "未出走"},
        {"703", "未勝利"}, {"999", "オープン"},
    };
    static const std::string underMillions = Sj("万下");
    if (condition >= 1 && condition <= 99) return Format("%4d", condition * 100) + underMillions;
    return words.Find(std::to_string(condition), Empty());
}

std::string ConditionName(std::string_view condition) { return ConditionName(ToInt(condition)); }

std::string RaceShortLabel(std::string_view kindCode, int condition) {
    static const LabelTable kinds = {
        {"11", "2歳"},   {"12", "3歳"},     {"13", "3歳上"},
        {"14", "4歳上"}, {"18", "障3歳上"}, {"19", "障4歳上"},
    };
    static const LabelTable words = {
        {"100", "10000"}, {"701", "新馬"}, {"702", "未出走"}, {"703", "未勝利"}, {"999", "ｵｰﾌﾟﾝ"},
    };
    std::string label = kinds.Find(kindCode, Empty());
    if (condition >= 1 && condition <= 99)
        label += std::to_string(condition * 100);
    else
        label += words.Find(std::to_string(condition), Empty());
    return label;
}

std::string RaceShortLabel(std::string_view kindCode, std::string_view condition) {
    return RaceShortLabel(kindCode, ToInt(condition));
}

std::string TrackSurfaceName(std::string_view code) {
    static const LabelTable table = {
        {"10", "芝 直線"},
        {"11", "芝 左回り"},
        {"12", "芝 左回り 外回り"},
        {"13", "芝 左回り 内→外回り"},
        {"14", "芝 左回り 外→内回り"},
        {"15", "芝 左回り 内２周"},
        {"16", "芝 左回り 外２周"},
        {"17", "芝 右回り"},
        {"18", "芝 右回り 外回り"},
        {"19", "芝 右回り 内→外回り"},
        {"20", "芝 右回り 外→内回り"},
        {"21", "芝 右回り 内２周"},
        {"22", "芝 右回り 外２周"},
        {"23", "ﾀﾞｰﾄ 左回り"},
        {"24", "ﾀﾞｰﾄ 右回り"},
        {"25", "ﾀﾞｰﾄ 左回り 内回り"},
        {"26", "ﾀﾞｰﾄ 右回り 外回り"},
        {"27", "ｻﾝﾄﾞ 左回り"},
        {"28", "ｻﾝﾄﾞ 右回り"},
        {"29", "ﾀﾞｰﾄ 直線"},
        {"51", "障害 芝　襷"},
        {"52", "障害 芝→ﾀﾞｰﾄ"},
        {"53", "障害 芝　左"},
        {"54", "障害 芝"},
        {"55", "障害 芝 外回り"},
        {"56", "障害 芝 外→内回り"},
        {"57", "障害 芝 内→外回り"},
        {"58", "障害 内２周"},
        {"59", "障害 外２周"},
        {"90", "ばんえい障害"},
    };
    return table.Find(code, Empty());
}

std::string TrackSurfaceShort(std::string_view code) {
    static const LabelTable table = {
        {"10", "芝直"},   {"11", "芝左"},         {"12", "芝左"}, {"13", "芝左"}, {"14", "芝左"},
        {"15", "芝左"},   {"16", "芝左"},         {"17", "芝右"}, {"18", "芝右"}, {"19", "芝右"},
        {"20", "芝右"},   {"21", "芝右"},         {"22", "芝右"}, {"23", "ダ左"}, {"24", "ダ右"},
        {"26", "ダ右外"}, {"29", "ダ直"},         {"51", "障害"}, {"52", "障害"}, {"53", "障害"},
        {"54", "障害"},   {"55", "障害"},         {"56", "障害"}, {"57", "障害"}, {"58", "障害"},
        {"59", "障害"},   {"90", "ばんえい障害"},
    };
    return table.Find(code, Empty());
}

std::string WeatherName(std::string_view code) {
    static const LabelTable table = {{"1", "晴"},   {"2", "曇"}, {"3", "雨"},
                                     {"4", "小雨"}, {"5", "雪"}, {"6", "小雪"}};
    return table.Find(code, Empty());
}

std::string GoingName(std::string_view code) {
    static const LabelTable table = {{"1", "良"}, {"2", "稍重"}, {"3", "重"}, {"4", "不良"}};
    return table.Find(code, Empty());
}

std::string SexName(std::string_view code) {
    static const LabelTable table = {{"1", "牡"}, {"2", "牝"}, {"3", "ｾﾝ"}};
    return table.Find(code, Empty());
}

std::string BlinkerMark(std::string_view code) {
    static const LabelTable table = {{"1", "ﾌﾞﾘﾝ"}};
    static const std::string blank = " ";
    return table.Find(code, blank);
}

std::string WeightReductionName(std::string_view trackCode, std::string_view code) {
    static const LabelTable banei = {{"1", "10kg減"}, {"2", "20kg減"}};
    static const LabelTable other = {
        {"1", "1kg減"}, {"2", "2kg減"}, {"3", "3kg減"}, {"4", "4kg減"}};
    const bool isBanei =
        trackCode == "81" || trackCode == "82" || trackCode == "83" || trackCode == "84";
    return (isBanei ? banei : other).Find(code, FullWidthBlank());
}

std::string CircledNumber(int n) {
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> v;
        for (const char* s : {"①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧", "⑨", "⑩", "⑪", "⑫", "⑬", "⑭",
                              "⑮", "⑯", "⑰", "⑱"})
            v.push_back(Sj(s));
        return v;
    }();
    static const std::string none = Sj("－");
    if (n < 1 || n > static_cast<int>(labels.size())) return none;
    return labels[static_cast<size_t>(n - 1)];
}

std::string CircledNumber(std::string_view number) { return CircledNumber(ToInt(number)); }

std::string PairLabel(int a, int b) { return Format("%2d-", a) + Format("%2d", b); }

std::string TripleLabel(int a, int b, int c) {
    return Format("%2d-", a) + Format("%2d-", b) + Format("%2d", c);
}

int PairNumber(int i, int j) {
    if (i < 1 || j > 18 || i >= j) return 0;
    return (i - 1) * (36 - i) / 2 + (j - i);
}

int BracketPairIndex(std::string_view label) {
    static const std::vector<std::string> labels = PairLabels(8, true);
    return IndexOf(labels, label);
}

int HorsePairIndex(std::string_view label) { return IndexOf(HorsePairLabels(), label); }

bool HorsePairLabel(int position, std::string& dest) {
    const auto& labels = HorsePairLabels();
    if (position < 1 || position > static_cast<int>(labels.size())) return false;
    dest = labels[static_cast<size_t>(position - 1)];
    return true;
}

std::string HorsePairLabel(int position) {
    std::string out;
    HorsePairLabel(position, out);
    return out;
}

}  // namespace sorvane
