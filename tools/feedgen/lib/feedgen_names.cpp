#include "feedgen_names.h"

#include <vector>

#include "base/sjis.h"
#include "base/text_format.h"

namespace sorvane::feedgen {

namespace {

const char* const kCrowns[] = {"ソル",   "ヴァン", "ミカ",   "アオイ", "カゼノ", "ホシノ", "ユメノ",
                               "ハナノ", "ウミノ", "ソラノ", "ヤマノ", "モリノ", "ツキノ", "ヒカリ",
                               "アサヒ", "ユウヒ", "キタノ", "ミナミ", "ニシノ", "ヒガシ"};

const char* const kWords[] = {
    "スター",       "ゴールド",   "シルバー",   "ブルー",       "レッド",     "グリーン",
    "ミラクル",     "ハッピー",   "ラッキー",   "ドリーム",     "ロード",     "ウイング",
    "エース",       "キング",     "クイーン",   "プリンス",     "プリンセス", "ナイト",
    "サンダー",     "ストーム",   "ブリーズ",   "フラワー",     "ローズ",     "リリー",
    "サクラ",       "モミジ",     "カエデ",     "ツバキ",       "スズラン",   "アイリス",
    "ダイヤ",       "ルビー",     "パール",     "クリスタル",   "オーロラ",   "コメット",
    "ギャラクシー", "メテオ",     "ソニック",   "ジェット",     "ロケット",   "タイガー",
    "ライオン",     "イーグル",   "ファルコン", "ホーク",       "ドラゴン",   "フェニックス",
    "ペガサス",     "マジック",   "ミステリー", "ファンタジー", "メロディ",   "ハーモニー",
    "リズム",       "ビート",     "ダンサー",   "ランナー",     "チャンプ",   "ヒーロー",
    "レジェンド",   "グローリー", "ビクトリー", "フォルテ",     "カノン",     "ソナタ",
    "ワルツ",       "ボレロ",     "タンゴ",     "サンバ",       "マーチ",     "エトワール",
    "ルーチェ",     "ステラ",     "ノヴァ",     "ルナ",         "ソレイユ",   "テソーロ",
    "ミライ",       "キボウ",     "ユウキ",     "ホマレ",       "イブキ",     "ハヤテ",
    "カグラ",       "シズカ",     "サムライ",   "ショウグン",   "トップ",     "ベスト",
    "ワン",         "ファースト", "バロン",     "デューク",     "ロイヤル",   "ノーブル",
    "ブレイブ",     "スマイル",   "ジョイ",     "アルバ",       "リオ",       "マリン"};

const char* const kSurnames[] = {
    "佐藤", "鈴木", "高橋", "田中", "渡辺", "伊藤", "山本", "中村", "小林", "加藤", "吉田",
    "山田", "山口", "松本", "井上", "木村", "林",   "斎藤", "清水", "山崎", "森",   "池田",
    "橋本", "阿部", "石川", "山下", "中島", "石井", "小川", "前田", "岡田", "藤田", "後藤",
    "近藤", "村上", "遠藤", "青木", "坂本", "福田", "太田", "西村", "藤井", "金子", "岡本",
    "藤原", "中野", "三浦", "原田", "中川", "松田", "竹内", "小野", "田村", "中山", "和田",
    "石田", "森田", "上田", "原",   "柴田", "酒井", "工藤", "横山", "宮崎", "宮本", "内田",
    "高木", "安藤", "島田", "谷口", "大野", "高田", "丸山", "今井", "河野", "藤本", "村田",
    "武田", "上野", "杉山", "増田", "平野", "大塚", "千葉", "久保", "松井", "小島", "岩崎",
    "桜井", "野口", "松尾", "野村", "木下", "菊地", "佐野", "大西", "杉本", "新井", "佐々木"};

const char* const kGiven[] = {"一", "二", "三", "正", "和", "健", "誠", "浩", "隆", "博",
                              "茂", "勝", "清", "豊", "進", "稔", "実", "修", "明", "弘",
                              "剛", "聡", "亮", "翔", "大", "拓", "優", "智", "直", "真"};

const char* const kRaceWords[] = {
    "スプリング", "サマー",       "オータム",   "ウインター", "ムーンライト", "スターライト",
    "サンセット", "ブルーバード", "サファイア", "エメラルド", "ガーネット",   "トパーズ",
    "若葉",       "青葉",         "紅葉",       "潮風",       "夕凪",         "白菊",
    "睦月",       "如月",         "弥生",       "卯月",       "皐月",         "水無月",
    "文月",       "葉月",         "長月",       "神無月",     "霜月",         "師走",
    "銀河",       "北斗",         "朝日",       "桜花",       "菜の花",       "ひまわり"};

const char* const kStakesWords[] = {"黒潮", "北斗", "銀河", "白山", "大雪", "若潮",
                                    "東海", "瑞穂", "金鯱", "飛燕", "鳳凰", "青龍"};

template <size_t N>
const char* Pick(Rng& rng, const char* const (&list)[N]) {
    return list[rng.Below(static_cast<int>(N))];
}

// Characters of a UTF-8 text.
size_t CountChars(std::string_view utf8) {
    size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

std::string PadFullWidth(std::string_view sjis, size_t bytes) {
    static const std::string blank = Sj("　");
    std::string out = CutSjis(sjis, bytes);
    while (out.size() + 2 <= bytes) out += blank;
    while (out.size() < bytes) out += ' ';
    return out;
}

std::string MakeHorseName(Rng& rng, std::unordered_set<std::string>& taken) {
    for (int attempt = 0;; ++attempt) {
        std::string name;
        if (rng.Chance(0.3)) name += Pick(rng, kCrowns);
        name += Pick(rng, kWords);
        if (rng.Chance(0.6)) name += Pick(rng, kWords);
        if (attempt > 40) name += Pick(rng, kWords);
        size_t chars = CountChars(name);
        bool longOne = chars > 9;
        if (chars < 2 || chars > 14) continue;
        if (longOne && !rng.Chance(0.04) && attempt < 60) continue;
        std::string sjis = Sj(name);
        if (taken.insert(sjis).second) return sjis;
    }
}

std::string MakePersonName(Rng& rng, std::unordered_set<std::string>& taken) {
    for (int attempt = 0;; ++attempt) {
        std::string name = Pick(rng, kSurnames);
        size_t chars = CountChars(name);
        while (chars < 3 || (chars < 4 && attempt > 20)) {
            name += Pick(rng, kGiven);
            ++chars;
        }
        std::string sjis = Sj(name);
        if (taken.insert(sjis).second || attempt > 200) return sjis;
    }
}

std::string MakeSpecialRaceName(Rng& rng) {
    static const char* const endings[] = {"特別", "賞", "カップ"};
    return Sj(std::string(Pick(rng, kRaceWords)) + Pick(rng, endings));
}

std::string MakeStakesRaceName(Rng& rng) {
    static const char* const endings[] = {"記念", "杯", "大賞典"};
    return Sj(std::string(Pick(rng, kStakesWords)) + Pick(rng, endings));
}

}  // namespace sorvane::feedgen
