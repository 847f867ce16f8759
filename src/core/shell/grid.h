// The state of a string grid as plain data: cell texts (Shift-JIS) with their colours, weight
// and alignment, tall cells of several lines, column widths and the fixed rows. Qt models and
// the CLI show it as it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorvane {

enum class Align { Left, Center, Right };

// Colours are 0xRRGGBB.
inline constexpr uint32_t kColorWindow = 0xFFFFFF;
inline constexpr uint32_t kColorText = 0x000000;
inline constexpr uint32_t kColorFixed = 0xF0F0F0;

struct CellStyle {
    uint32_t background = kColorWindow;
    uint32_t color = kColorText;
    bool bold = false;
    Align align = Align::Left;
    bool bottomRule = false;  // a black line along the cell's bottom edge
    bool operator==(const CellStyle&) const = default;
};

// A piece of text of a tall cell, drawn at its own horizontal place in its own font.
struct TextRun {
    std::string text;
    int x = 0;          // pixels right of the cell's text origin
    int pointSize = 0;  // 0: the grid's font size
    bool bold = false;
    uint32_t color = kColorText;
    bool operator==(const TextRun&) const = default;
};

// One line of a tall cell. Lines are drawn from the cell's top-left corner down; each starts
// one text height (of the previous line's largest font) below the previous one, moved down by
// a further gap pixels (up when negative).
struct TextLine {
    std::vector<TextRun> runs;
    int gap = 0;
    bool operator==(const TextLine&) const = default;
};

struct Cell {
    std::string text;  // a tall cell: the texts of its lines joined by "\n"
    CellStyle style;
    // Empty for a one-line cell drawn from text and style. A tall cell is drawn from its
    // lines alone, on its style's background, which then stands as given even in a fixed
    // row or column.
    std::vector<TextLine> lines;
};

// The plain text of lines: each line's runs joined (a blank before a run placed further
// right when the text before it does not end in one), the lines joined by "\n".
std::string LinesText(const std::vector<TextLine>& lines);

class Grid {
  public:
    Grid() = default;
    Grid(std::string name, int cols, int rows) : name_(std::move(name)) { Resize(cols, rows); }

    const std::string& name() const { return name_; }
    int ColCount() const { return cols_; }
    int RowCount() const { return rows_; }
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    void SetFixed(int cols, int rows) {
        fixedCols_ = cols;
        fixedRows_ = rows;
        Touch();
    }

    // Keeps the cells that still fit; new cells are empty.
    void Resize(int cols, int rows);
    void SetRowCount(int rows) { Resize(cols_, rows); }

    // Cells are addressed [col, row], as on the screen. Out-of-range reads give an empty cell;
    // out-of-range writes are ignored.
    const Cell& At(int col, int row) const;
    const std::string& Text(int col, int row) const { return At(col, row).text; }
    // A one-line cell with this text (any lines of a tall cell are dropped).
    void SetText(int col, int row, std::string text);
    void SetStyle(int col, int row, const CellStyle& style);
    // Makes the cell a tall cell: its lines, and its text from them (LinesText).
    void SetLines(int col, int row, std::vector<TextLine> lines);
    Cell* Mutable(int col, int row);

    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int h) { defaultRowHeight_ = h; }
    int RowHeight(int row) const;
    void SetRowHeight(int row, int h);

    // Empties every cell (texts and styles) but keeps the shape and widths.
    void ClearCells();

    // Rises with every change, so a view can tell when to refresh.
    uint64_t revision() const { return revision_; }

  private:
    void Touch() { ++revision_; }
    std::string name_;
    int cols_ = 0;
    int rows_ = 0;
    int fixedCols_ = 0;
    int fixedRows_ = 1;
    int defaultRowHeight_ = 18;
    std::vector<Cell> cells_;
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;  // 0 = default
    uint64_t revision_ = 0;
};

// Every cell of the grid, heading rows included, as the clipboard takes a grid: the cells of a
// row joined by TAB, every row ended by CR LF.
std::string ClipboardText(const Grid& grid);

}  // namespace sorvane
