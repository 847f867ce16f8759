// Start-up shape of the main window's grids: widths in pixels and row-0 headings.
#include <vector>

#include "base/sjis.h"
#include "shell/main_form.h"

namespace sorvane {
namespace {

struct Col {
    int width;
    const char* heading;  // UTF-8
};

// The 15 columns of a two-horse comparison half; `first`/`second` are the two horse headings.
void AppendComparisonHalf(std::vector<Col>& cols, const char* first, const char* second) {
    cols.insert(cols.end(), {{62, "開催日"},
                             {40, "ﾄﾗｯｸ"},
                             {105, first},
                             {28, "斤量"},
                             {18, "着"},
                             {38, "ﾀｲﾑ"},
                             {105, second},
                             {28, "斤量"},
                             {18, "着"},
                             {38, "ﾀｲﾑ"},
                             {30, "差"},
                             {30, "修差"},
                             {30, "比差"},
                             {25, "勝敗"},
                             {25, "独－"}});
}

std::vector<Col> ComparisonColumns() {
    std::vector<Col> cols;
    AppendComparisonHalf(cols, "比較される馬", "比較する馬");
    cols.push_back({2, ""});  // separator between the two halves
    AppendComparisonHalf(cols, "比較する馬", "比較される馬");
    return cols;
}

void Apply(Grid& g, const std::vector<Col>& cols, int rows) {
    g.Resize(static_cast<int>(cols.size()), rows);
    g.SetFixed(0, 1);
    for (size_t c = 0; c < cols.size(); ++c) {
        g.SetColWidth(static_cast<int>(c), cols[c].width);
        g.SetText(static_cast<int>(c), 0, Sj(cols[c].heading));
    }
}

}  // namespace

void SetupMainGrids(MainFormState& f) {
    Apply(f.stringGrid4,
          {{20, "枠"},   {20, "馬"},     {130, "馬名"}, {30, "性齢"}, {60, "騎手"}, {35, "斤量"},
           {40, "見習"}, {60, "調教師"}, {27, "勝数"},  {20, "順"},   {20, "逆"},   {27, "負数"},
           {40, "勝率"}, {20, "順"},     {30, "勝pt"},  {20, "逆"},   {30, "負pt"}, {43, "pt勝率"},
           {20, "順"},   {45, "ｵｯｽﾞ"},   {20, "順"},    {30, "順当"}, {30, "裏切"}, {40, "裏切率"},
           {30, "◎"},    {30, "〇"},     {30, "▲"},     {30, "着順"}, {45, "ﾀｲﾑ"},  {40, "確ｵｯｽﾞ"},
           {30, "確人"}},
          19);

    // The detailed entry table: five card columns, then one column per past-run slot (100),
    // 145 pixels wide, in tall rows of several lines.
    std::vector<Col> g5 = {
        {20, "枠"}, {20, "馬"}, {140, "馬名"}, {90, "全・距離別成績"}, {100, "馬場別成績"}};
    g5.resize(105, Col{145, ""});
    Apply(f.stringGrid5, g5, 19);
    f.stringGrid5.SetFixed(3, 1);
    f.stringGrid5.SetDefaultRowHeight(65);
    f.stringGrid5.SetRowHeight(0, 17);

    Apply(f.stringGrid6, ComparisonColumns(), 2);

    std::vector<Col> g9 = ComparisonColumns();
    g9.insert(g9.end(), {{34, "対象"}, {30, "表"}, {30, "裏"}});
    Apply(f.stringGrid9, g9, 2);

    // The pair detail grid: one block of six columns for each horse of the pair.
    std::vector<Col> g7 = {{10, ""}};
    for (int side = 0; side < 2; ++side)
        g7.insert(
            g7.end(),
            {{28, "馬番"}, {105, "馬名"}, {28, "Pt"}, {28, "独Pt"}, {28, "総Pt"}, {28, "勝敗"}});
    g7.insert(g7.end(), {{50, "比較数"}, {50, "直接対決"}});
    Apply(f.stringGrid7, g7, 2);

    std::vector<Col> g3 = {{75, "開催日"}, {30, "場所"}, {30, "ﾚｰｽ"},  {20, "頭"},
                           {30, "ﾄﾗｯｸ"},   {30, "距離"}, {90, "条件"}, {40, "ｸﾞﾚｰﾄﾞ"},
                           {50, "ﾚｰｽ名"},  {20, "芝"},   {20, "ダ"},   {35, "1着配"}};
    for (int block = 0; block < 3; ++block)
        g3.insert(g3.end(), {{30, "勝数"},
                             {20, "順"},
                             {20, "逆"},
                             {30, "負数"},
                             {35, "勝率"},
                             {20, "順"},
                             {30, "勝pt"},
                             {20, "逆"},
                             {30, "負pt"},
                             {35, "pt勝率"},
                             {20, "順"},
                             {40, "ｵｯｽﾞ"},
                             {25, "人"}});
    Apply(f.stringGrid3, g3, 2);

    // The win/loss matrices are shaped by the race comparison when a race is shown.
    f.stringGrid8.Resize(19, 19);
    f.stringGrid8.SetFixed(1, 1);
    f.stringGrid10.Resize(19, 19);
    f.stringGrid10.SetFixed(1, 1);

    // One row for each of the 36 payout entries of a race.
    Apply(f.resultGrid, {{60, "券種"}, {70, "組番"}, {40, "人気"}, {80, "払戻金"}}, 37);
}

Grid* MainFormState::FindGrid(const std::string& name) {
    for (Grid* g : Grids())
        if (g->name() == name) return g;
    return nullptr;
}

std::vector<Grid*> MainFormState::Grids() {
    return {&stringGrid3, &stringGrid4, &stringGrid5,  &stringGrid6, &stringGrid7,
            &stringGrid8, &stringGrid9, &stringGrid10, &resultGrid};
}

}  // namespace sorvane
