// The state of a string grid as plain data: cell texts (Shift-JIS) with their colours, weight
// and alignment, column widths and the fixed rows. Qt models and the CLI show it as it is.
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
    bool operator==(const CellStyle&) const = default;
};

struct Cell {
    std::string text;
    CellStyle style;
};

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
    void SetText(int col, int row, std::string text);
    void SetStyle(int col, int row, const CellStyle& style);
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

}  // namespace sorvane
