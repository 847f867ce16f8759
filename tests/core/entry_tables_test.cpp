// The entry tables of a fixture race: the texts and drawing of StringGrid4, the tall cells and
// past-run headings of StringGrid5, the clipboard copy, and where mouse actions land.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/sjis.h"
#include "base/text_format.h"
#include "fake_clock.h"
#include "fake_ports.h"
#include "raceday/entry_detail.h"
#include "raceday/entry_mouse.h"
#include "raceday/entry_style.h"
#include "raceday/entry_tables.h"
#include "record_fixtures.h"
#include "shell/app_shell.h"
#include "store/past_run_file.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

using testing::FakeLink;
using testing::FakePlatform;
using testing::FakeUi;
using testing::TempDir;

std::string U(const std::string& sjis) { return Utf8FromSjis(sjis); }

std::vector<std::string> SplitUtf8(const std::string& sjis) {
    std::vector<std::string> out;
    std::string u = U(sjis);
    size_t start = 0;
    for (size_t p; (p = u.find('\n', start)) != std::string::npos; start = p + 1)
        out.push_back(u.substr(start, p - start));
    out.push_back(u.substr(start));
    return out;
}

std::string Se(int bracket, int horse, const char* name) {
    std::string se = BlankRecord(RecordType::SE);
    Put(se, 27, std::to_string(bracket));
    Put(se, 28, Format("%02d", horse));
    std::string n = Sj(name);
    while (n.size() < 36) n += Sj("　");
    Put(se, 40, n);
    Put(se, 78, "1");
    Put(se, 82, "03");
    Put(se, 90, Sj("佐藤一郎"));
    Put(se, 288, "540");
    Put(se, 294, "1");
    Put(se, 306, Sj("山田太郎"));
    Put(se, 322, "1");
    return se;
}

// A past run at 大井 (meeting 12) over 1400 m on dirt.
std::string PastRun(const char* shortName, const char* condition, const char* position,
                    const char* time, const char* last3F) {
    std::string r(kPastRunLineLength, ' ');
    Put(r, 0, "20240405");
    Put(r, 8, "441203");
    Put(r, 16, Sj(shortName));
    Put(r, 22, "E");
    Put(r, 29, condition);
    Put(r, 40, "1400");
    Put(r, 44, "24");
    Put(r, 46, "12");
    Put(r, 52, "3");
    Put(r, 54, "1");
    Put(r, 83, "03");
    Put(r, 89, "540");
    Put(r, 93, Sj("山田太郎"));
    Put(r, 111, "468");
    Put(r, 118, "03020001");
    Put(r, 129, last3F);
    Put(r, 132, time);
    Put(r, 138, position);
    Put(r, 140, "02");
    Put(r, 146, "00000100");
    Put(r, 154, "00000020");
    return r + "\r\n";
}

class EntryTablesTest : public ::testing::Test {
  protected:
    EntryTablesTest() : shell(ProgramFolder(home.path()), ShellPorts{ui, clock, platform, link}) {}

    void SetUp() override {
        SetupMainGrids(shell.main());
        RaceDay& d = shell.day();
        std::string ra = BlankRecord(RecordType::RA);
        Put(ra, 11, "2024051244010205");
        Put(ra, 881, "03");
        d.raceTable.Put(0, ra);
        d.runnerTable.Put(0, 0, Se(1, 1, "ハヤ　テ"));
        std::string se2 = Se(3, 2, "ミドリ");
        Put(se2, 322, " ");
        d.runnerTable.Put(0, 1, se2);
        d.runnerTable.Put(0, 2, Se(5, 3, "ヨゾラ"));
        std::string se1 = std::string(d.runnerTable.At(0, 0));
        Put(se1, 359, "0035");
        Put(se1, 363, "01");
        d.runnerTable.Put(0, 0, se1);

        RaceAnalysis& a = d.raceAnalysis[0];
        a.wins = {5, 1, 0};
        a.winsRank = {1, 3, 4};
        a.winsRevRank = {0, 2, 0};
        a.losses = {2, 0, 0};
        a.winRate[0] = 5.0 / 7.0;
        a.winRateRank = {2};
        a.winPt = {120};
        a.ptRevRank = {3};
        a.ptWinRateRank = {4};
        a.juntoCount = {2};
        a.uragiriRate[0] = 0.0;
        a.prizeTotal = {250};
        a.runnerResult[0] = {"1250", "01", "01", "0035"};
        a.runRecord[static_cast<size_t>(RunCategory::All)][0] = {1, 1, 0, 0};
        a.runRecord[static_cast<size_t>(RunCategory::Turf)][0] = {2, 0, 0, 0};
        a.runRecord[static_cast<size_t>(RunCategory::TurfHeavy)][0] = {1, 0, 0, 0};
        a.runRecord[static_cast<size_t>(RunCategory::Dirt)][0] = {0, 3, 0, 0};
        a.runRecord[static_cast<size_t>(RunCategory::DirtHeavy)][0] = {0, 1, 0, 0};
        OddsValues& o = d.oddsValues[0];
        o.tanOz[0] = 3.5;
        o.tanNinki[0] = 1;
        o.tanOz[1] = -2.0;

        d.pastRunTable.Append(0, 0, PastRun("　　　", "701", "01", "1250", "385"));
        d.pastRunTable.Append(0, 0, PastRun("浦和記", "005", "02", "0000", "000"));
        d.pastRunMark[0][0][0] = 1;
        d.pastRunMark[0][0][1] = 2;
        for (int i = 0; i < 60; ++i)
            d.pastRunTable.Append(0, 2, PastRun("浦和記", "005", "05", "1300", "400"));

        shell.main().stringGrid4.SetRowCount(4);
        shell.main().stringGrid5.SetRowCount(4);
        d.currentRace = 0;
    }

    Grid& G4() { return shell.main().stringGrid4; }
    Grid& G5() { return shell.main().stringGrid5; }

    TempDir home;
    FakeUi ui;
    FixedClock clock{2024, 5, 12, 9, 0, 0};
    FakePlatform platform;
    FakeLink link;
    AppShell shell;
};

TEST_F(EntryTablesTest, EntryRowTexts) {
    G4().SetText(24, 1, Sj("ν"));
    SisushutubaBtn(shell);
    const std::vector<std::string> row1 = {
        " 1", " 2",    "ハヤテ", "牡3",    "山田太郎", "54.0",  "1kg減", "佐藤一郎",
        " 5", " 1",    "　",     " 2",     " 71.4",    " 2",    " 120",  " 3",
        "　", "     ", " 4",     "   3.5", " 1",       "  2",   "   ",   "  0.0",
        "ν",  "",      "",       " 1",     "1.25.0",   "  3.5", " 1"};
    // Horse number is the runner slot + 1, whatever the record says.
    EXPECT_EQ(U(G4().Text(1, 1)), " 1");
    for (int c = 0; c < kEntryColumns; ++c) {
        if (c == 1) continue;
        EXPECT_EQ(U(G4().Text(c, 1)), row1[static_cast<size_t>(c)]) << "column " << c;
    }
    // No odds yet, no result, no rate: the blanks of each column.
    const std::pair<int, const char*> row2[] = {
        {2, "ミドリ"},  {6, "　"},     {10, " 2"}, {12, "     "},  {16, "　"},
        {19, "　　　"}, {20, "　"},    {27, "　"}, {28, "      "}, {29, "     "},
        {30, "　"},     {23, "     "}, {21, "   "}};
    for (const auto& [c, want] : row2) EXPECT_EQ(U(G4().Text(c, 2)), want) << "column " << c;
}

TEST_F(EntryTablesTest, EntryDrawing) {
    shell.day().raceAnalysis[0].winRate[1] = 1.0;
    SisushutubaBtn(shell);
    const Grid& g = G4();
    EXPECT_EQ(g.At(5, 0).style.background, kColorSilver);
    EXPECT_EQ(g.At(2, 0).style.align, Align::Center);
    // Brackets 1, 3 and 5: white, red, yellow; the horse number on the tooltip colour.
    EXPECT_EQ(g.At(0, 1).style.background, 0xFFFFFFu);
    EXPECT_EQ(g.At(0, 2).style.background, 0xFF0000u);
    EXPECT_EQ(g.At(0, 3).style.background, 0xFFFF00u);
    EXPECT_EQ(g.At(1, 2).style.background, kColorInfoBk);
    struct Band {
        int first, last;
        uint32_t color;
    };
    for (const Band& b :
         {Band{8, 13, kColorPink}, Band{14, 18, kColorLightGreen}, Band{19, 20, kColorLightYellow},
          Band{21, 23, kColorLavender}, Band{24, 26, kColorWindow}, Band{27, 30, kColorLightCyan},
          Band{2, 7, kColorWindow}})
        for (int c = b.first; c <= b.last; ++c)
            EXPECT_EQ(g.At(c, 1).style.background, b.color) << "column " << c;
    // Ranks: 1 red, 2 and 3 blue, others black, all bold; plain columns regular.
    EXPECT_EQ(g.At(9, 1).style, (CellStyle{kColorPink, kColorRankRed, true, Align::Center}));
    EXPECT_EQ(g.At(9, 2).style.color, kColorRankBlue);
    EXPECT_EQ(g.At(9, 3).style.color, kColorText);
    EXPECT_TRUE(g.At(9, 3).style.bold);
    EXPECT_EQ(g.At(13, 1).style.color, kColorRankBlue);
    EXPECT_EQ(g.At(27, 1).style.color, kColorRankRed);
    EXPECT_EQ(g.At(30, 2).style.color, kColorText);  // "　": no value
    EXPECT_TRUE(g.At(25, 2).style.bold);
    EXPECT_FALSE(g.At(8, 1).style.bold);
    EXPECT_EQ(g.At(8, 1).style.color, kColorText);  // wins of 5: no rank colours outside ranks
    EXPECT_EQ(g.At(2, 1).style.align, Align::Left);
    EXPECT_EQ(g.At(3, 1).style.align, Align::Center);
    // A rank rewritten later is recoloured by the restyle.
    G4().SetText(9, 3, " 1");
    RestyleEntryGrid(G4());
    EXPECT_EQ(g.At(9, 3).style.color, kColorRankRed);
}

TEST_F(EntryTablesTest, DetailHorseCells) {
    SisushutubaBtn(shell);
    const Grid& g = G5();
    EXPECT_EQ(g.ColCount(), 105);
    EXPECT_EQ(g.FixedCols(), 3);
    EXPECT_EQ(g.RowHeight(1), 65);
    EXPECT_EQ(g.RowHeight(0), 17);
    EXPECT_EQ(g.ColWidth(2), 140);
    EXPECT_EQ(g.ColWidth(50), 145);

    const Cell& bracket = g.At(0, 3);
    EXPECT_EQ(bracket.text, "5");
    EXPECT_EQ(bracket.style.background, 0xFFFF00u);
    ASSERT_EQ(bracket.lines.size(), 1u);
    EXPECT_EQ(bracket.lines[0].runs[0], (TextRun{"5", 0, 10, true, kColorText}));
    EXPECT_EQ(g.At(0, 2).lines[0].runs[0].color, 0xFFFFFFu);  // white on red
    EXPECT_TRUE(bracket.style.bottomRule);
    EXPECT_EQ(g.At(1, 1).style.background, kColorInfoBk);

    const Cell& horse = g.At(2, 1);
    EXPECT_EQ(SplitUtf8(horse.text),
              (std::vector<std::string>{"ハヤ　テ　　　　　", "牡3     250千円 ﾌﾞﾘﾝ",
                                        "騎　手:山田太郎", "54.0kg 1kg減", "調教師:佐藤一郎"}));
    ASSERT_EQ(horse.lines.size(), 5u);
    EXPECT_EQ(horse.lines[0].runs[0].pointSize, 10);
    EXPECT_TRUE(horse.lines[0].runs[0].bold);
    EXPECT_EQ(horse.lines[1].runs[1].x, 25);
    EXPECT_EQ(horse.lines[1].runs[2].x, 100);
    EXPECT_EQ(horse.lines[3].runs[0].x, 30);
    EXPECT_EQ(horse.lines[4].runs[0].pointSize, 8);
    EXPECT_FALSE(horse.lines[4].runs[0].bold);
}

TEST_F(EntryTablesTest, DetailRecordAndPastRunCells) {
    G5().SetText(30, 0, "x");
    G5().SetText(60, 0, "y");
    GetKakoBtn(shell);
    const Grid& g = G5();
    // Headings: the most runs in the race is 60, of which 50 are headed; 6..55 were emptied.
    EXPECT_EQ(U(g.Text(5, 0)), "  1走前");
    EXPECT_EQ(U(g.Text(54, 0)), " 50走前");
    EXPECT_EQ(g.Text(55, 0), "");
    EXPECT_EQ(g.Text(60, 0), "y");

    EXPECT_EQ(SplitUtf8(g.Text(3, 1)),
              (std::vector<std::string>{"全: 1- 1- 0- 0", "短: 0- 0- 0- 0", "中: 0- 0- 0- 0",
                                        "長: 0- 0- 0- 0"}));
    EXPECT_EQ(g.At(3, 1).lines[1].gap, 5);
    EXPECT_EQ(SplitUtf8(g.Text(4, 1)),
              (std::vector<std::string>{"芝全: 2- 0- 0- 0", "芝重: 1- 0- 0- 0", "ダ全: 0- 3- 0- 0",
                                        "ダ重: 0- 1- 0- 0"}));
    EXPECT_EQ(g.At(4, 1).lines[2].gap, 5);

    // Newest run: 新馬 from the condition, front pace 349 (465 / 8 x 6 = 348.75), 順当.
    const Cell& run = g.At(5, 1);
    EXPECT_EQ(run.style.background, kColorWindow);
    ASSERT_EQ(run.lines.size(), 6u);
    const std::vector<std::string> lines = SplitUtf8(run.text);
    EXPECT_EQ(lines[0], "2大井04.05特別 新馬");
    EXPECT_EQ(lines[1], "12頭1400mダ右晴重");
    EXPECT_EQ(U(run.lines[2].runs[0].text), "山田太郎54.0kg③ 2人");
    EXPECT_EQ(run.lines[2].runs[1], (TextRun{" 1", 125, 9, true, kColorRankRed}));
    EXPECT_EQ(lines[3], "1250 前:349 後:385");
    EXPECT_EQ(lines[4], "③②－①468kg    120千円");
    EXPECT_EQ(run.lines[5].runs[0], (TextRun{Sj("順当"), 0, 8, false, kColorRankBlue}));
    EXPECT_EQ(run.lines[5].gap, -2);

    const Cell& older = g.At(6, 1);
    EXPECT_EQ(SplitUtf8(older.text)[0], "2大井04.05特別 浦和記");
    EXPECT_EQ(older.lines[2].runs[1].color, kColorRankBlue);
    EXPECT_EQ(SplitUtf8(older.text)[3], "     前:    後:   ");
    EXPECT_EQ(older.lines[5].runs[0].color, kColorMaroon);
    EXPECT_EQ(U(older.lines[5].runs[0].text), "裏切");

    // No run in a slot: a grey cell without text; a horse without runs shows zero counts.
    EXPECT_EQ(g.At(7, 1).style.background, kColorNoRun);
    EXPECT_TRUE(g.At(7, 1).lines.empty());
    EXPECT_EQ(SplitUtf8(g.Text(3, 2))[0], "全: 0- 0- 0- 0");
    for (int c = 5; c < 105; ++c) EXPECT_EQ(g.At(c, 2).style.background, kColorNoRun) << c;
    EXPECT_TRUE(g.At(5, 1).style.bottomRule);

    // Another race shown in the same grid: cells of runs no longer there lose their lines.
    shell.day().pastRunTable.ClearRunner(0, 0);
    GetKakoBtn(shell);
    EXPECT_TRUE(g.At(5, 1).lines.empty());
    EXPECT_EQ(g.Text(5, 1), "");
    EXPECT_EQ(g.At(5, 1).style.background, kColorNoRun);
}

TEST(DetailPastRunLinesTest, ClassLabelsAndBlanks) {
    struct Case {
        const char* name;
        const char* condition;
        const char* ending;
    };
    const Case cases[] = {{"　　　", "005", "500下"}, {"　　　", "100", "1億下"},
                          {"　　　", "999", "ｵｰﾌﾟﾝ"}, {"　　　", "703", "未勝利"},
                          {"　　　", "400", " "},     {"ＪＢＣ", "005", "ＪＢＣ"}};
    for (const Case& c : cases) {
        const std::string line =
            U(PastRunLines(PastRun(c.name, c.condition, "00", "1250", "385"), 0)[0].runs[0].text);
        EXPECT_EQ(line, std::string("2大井04.05特別 ") + c.ending) << c.condition;
    }
    // Not placed: a blank for the position; no mark: a full-width blank.
    const std::vector<TextLine> l = PastRunLines(PastRun("　　　", "701", "00", "1250", "385"), 0);
    EXPECT_EQ(l[2].runs[1].text, " ");
    EXPECT_EQ(U(l[5].runs[0].text), "　");
    // A damaged short record gives lines of blanks, never a read past its end.
    EXPECT_EQ(PastRunLines("4412", 0).size(), 6u);
}

TEST_F(EntryTablesTest, ClipboardCopy) {
    shell.main().label1 = "L1";
    shell.main().label2 = "L2";
    shell.main().label3 = "L3";
    shell.main().label4 = "L4";
    G4().SetRowCount(2);
    SisushutubaBtn(shell);
    CopyEntryTableToClipboard(shell);
    std::string want = "L1\r\nL2\r\nL3\r\nL4\r\n";
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 31; ++c) want += (c ? "\t" : "") + G4().Text(c, r);
        want += "\r\n";
    }
    EXPECT_EQ(platform.clipboard, want);
    EXPECT_EQ(U(platform.clipboard.substr(16, 5)), "枠\t馬");
}

TEST_F(EntryTablesTest, MouseTargetsAndCursor) {
    const Grid& g = G4();  // 4 rows: heading and three runners
    struct Case {
        int col, row;
        bool toggles, picks;
    };
    const Case cases[] = {{24, 1, true, false},  {26, 3, true, false},  {24, 0, false, false},
                          {27, 1, false, false}, {23, 2, false, false}, {0, 1, false, true},
                          {2, 3, false, true},   {2, 0, false, false},  {1, 4, false, false},
                          {-1, 1, false, false}, {25, 4, false, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(PressTogglesMark(g, c.col, c.row), c.toggles) << c.col << "," << c.row;
        EXPECT_EQ(ClickPicksHorse(g, c.col, c.row), c.picks) << c.col << "," << c.row;
        EXPECT_EQ(EntryGridCursor(g, c.col, c.row),
                  c.toggles ? CellCursor::Hand : CellCursor::Default);
    }
}

}  // namespace
}  // namespace sorvane
