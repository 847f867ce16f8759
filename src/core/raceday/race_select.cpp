#include "raceday/race_select.h"

#include "base/sjis.h"
#include "base/text_format.h"
#include "compare/all_race.h"
#include "raceday/entry_tables.h"
#include "raceday/later_steps.h"
#include "raceday/race_header.h"
#include "shell/app_shell.h"

namespace sorvane {
namespace {

const std::string& MsgCompared() {
    static const std::string m = Sj("当レースの集計結果は下記の通りです。");
    return m;
}
const std::string& MsgNotCompared() {
    static const std::string m =
        Sj("集計が未実行です。「全レース比較」ボタンをクリックして集計してください。");
    return m;
}

// Every cell below the heading row back to empty text and the default style.
void EmptyDataCells(Grid& g) {
    for (int r = 1; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c) {
            g.SetText(c, r, std::string());
            g.SetStyle(c, r, CellStyle{});
        }
}

void ShapeGrids(MainFormState& m, int c) {
    for (Grid* g : {&m.stringGrid4, &m.stringGrid5, &m.stringGrid7, &m.stringGrid8, &m.stringGrid9,
                    &m.stringGrid10})
        EmptyDataCells(*g);
    m.stringGrid4.SetRowCount(c + 1);
    m.stringGrid5.SetRowCount(c + 1);
    m.stringGrid7.SetRowCount(2);
    m.stringGrid9.SetRowCount(2);
    m.stringGrid8.Resize(c + 1, c + 1);
    m.stringGrid10.Resize(c + 1, c + 1);
    // The heading row and column of the pair matrix: the horse numbers.
    for (int h = 1; h <= c; ++h) {
        m.stringGrid10.SetText(h, 0, Format("%2d", h));
        m.stringGrid10.SetText(0, h, Format("%2d", h));
    }
}

}  // namespace

int RaceSlotOfLine(const RaceDay& day, int line) {
    if (line < 0) return -1;
    for (int s = 0; s < kMaxRaces; ++s)
        if (day.SlotInUse(s) && line-- == 0) return s;
    return -1;
}

void SelectRace(AppShell& shell, int line) {
    MainFormState& m = shell.main();
    RaceDay& day = shell.day();
    if (line < 0 || line >= static_cast<int>(m.datListItems.size())) return;
    // Line i shows slot i while the day's slots are in use without a gap; a damaged RA record
    // in the middle must not shift every later line onto the wrong race.
    int slot = RaceSlotOfLine(day, line);
    if (slot < 0) return;

    m.pageControl5Visible = false;
    m.stringGrid4Visible = false;
    m.stringGrid5Visible = false;
    shell.ui().ProcessEvents();
    m.upDown1Position = line;
    m.datListIndex = line;
    int c = day.RegisteredRunners(slot);

    ShapeGrids(m, c);

    day.currentRace = slot;
    GetKakoBtn(shell);
    m.stringGrid4Visible = true;

    RaceHeader h = MakeRaceHeader(day.raceTable.At(slot), day.oddsO1.At(slot));
    m.label1 = std::move(h.label1);
    m.label2 = std::move(h.label2);
    m.label3 = std::move(h.label3);
    m.label4 = std::move(h.label4);
    m.panel14Color = h.panel14Color;
    m.bashoLabel = std::move(h.bashoLabel);
    m.raceLabel = std::move(h.raceLabel);
    m.tfwTimeLabel = std::move(h.tfwTimeLabel);

    SisushutubaBtn(shell);
    FillComparisonTables(shell);
    m.edit1.clear();
    m.edit2.clear();

    m.shukeiLabel = day.raceAnalysis[slot].compared ? MsgCompared() : MsgNotCompared();

    SortEntryTable(shell, EntrySort::Umaban);

    FillResultGrid(m.resultGrid, day.raceAnalysis[slot]);

    m.pageControl5Visible = true;
    m.stringGrid5Visible = true;
    if (slot < static_cast<int>(m.raceAmount.size())) m.kaimeAmount = m.raceAmount[slot];
    KaimePutBtn(shell);
}

}  // namespace sorvane
