#include "compare/comparison_grid.h"

#include "base/fields.h"
#include "base/sjis.h"
#include "base/text_format.h"
#include "compare/compare_rules.h"
#include "shell/code_tables.h"

namespace sorvane {
namespace {

constexpr uint32_t kSilver = 0xC0C0C0;
constexpr uint32_t kLightAqua = 0xCCFFFF;
constexpr uint32_t kLightYellow = 0xFFFFCC;
constexpr uint32_t kTooltip = 0xFFFFE1;  // the system's tooltip background
constexpr uint32_t kLightGreen = 0xCCFFCC;
constexpr uint32_t kFuchsia = 0xFF00FF;
constexpr uint32_t kGreen = 0x008000;
constexpr uint32_t kMaroon = 0x800000;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

CellStyle StyleOf(int col, const std::string& text) {
    static const std::string turf = Sj("芝");
    static const std::string dirt = Sj("ダ");
    static const std::string mark = Sj("○");
    CellStyle s;
    s.align = Align::Center;
    switch (col) {
        case 0:
        case 16:
            s.background = kLightAqua;
            break;
        case 1:
        case 17:
            if (StartsWith(text, turf)) {
                s.background = kGreen;
                s.color = kWhite;
            } else if (StartsWith(text, dirt)) {
                s.background = kMaroon;
                s.color = kWhite;
            }
            break;
        case 2:
        case 6:
        case 18:
        case 22:
            s.background = kLightYellow;
            s.align = Align::Left;
            break;
        case 3:
        case 4:
        case 5:
        case 7:
        case 8:
        case 9:
        case 19:
        case 20:
        case 21:
        case 23:
        case 24:
        case 25:
            s.background = kTooltip;
            break;
        case 10:
        case 11:
        case 12:
        case 26:
        case 27:
        case 28:
            s.background = kLightGreen;
            break;
        case 13:
        case 14:
        case 29:
        case 30:
            s.background = std::string(TrimBlanks(text)) == mark ? kFuchsia : kWhite;
            break;
        case kComparisonSeparator:
            s.background = kBlack;
            break;
        default:
            break;
    }
    if (col == 4 || col == 8 || col == 20 || col == 24) {
        int pos = ToInt(text);
        if (pos == 1) s.color = kRed;
        if (pos == 2 || pos == 3) s.color = kBlue;
    }
    return s;
}

}  // namespace

std::string DateCell(const PastRunRecord& r) {
    std::string_view d = r.Date();
    return std::string(d.substr(0, 4)) + "/" + std::string(d.substr(4, 2)) + "/" +
           std::string(d.substr(6, 2));
}

std::string TrackCell(const PastRunRecord& r) {
    std::string label = TrackSurfaceShort(r.TrackSurfaceCode());
    return label.substr(0, 2) + Format("%4d", r.Distance());
}

std::string WeightCell(std::string_view w) {
    std::string s = PadRight(w, 3);
    return s.substr(0, 2) + "." + s.substr(2, 1);
}

std::string PositionCell(int position) { return position == 0 ? "  " : Format("%2d", position); }

std::string TimeCell(std::string_view time4) {
    int v = ToInt(time4);
    std::string s = v == 0 ? std::string(4, ' ') : Format("%4d", v);
    return s.substr(0, 1) + "." + s.substr(1, 2) + "." + s.substr(3);
}

void ResetComparisonGrid(Grid& g) {
    g.Resize(kComparisonColumns, 2);
    for (int c = 0; c < kComparisonColumns; ++c) {
        g.SetText(c, 1, "");
        CellStyle h;
        h.background = kSilver;
        h.align = Align::Center;
        g.SetStyle(c, 0, h);
        g.SetStyle(c, 1, CellStyle{});
    }
}

void StyleComparisonRow(Grid& g, int row) {
    for (int c = 0; c < g.ColCount(); ++c) g.SetStyle(c, row, StyleOf(c, g.Text(c, row)));
}

std::string GridClipboardText(const Grid& g) {
    std::string out;
    for (int r = 0; r < g.RowCount(); ++r) {
        for (int c = 0; c < g.ColCount(); ++c) {
            if (c > 0) out += '\t';
            out += g.Text(c, r);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace sorvane
