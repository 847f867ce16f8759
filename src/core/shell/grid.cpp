#include "shell/grid.h"

namespace sorvane {

void Grid::Resize(int cols, int rows) {
    if (cols < 0) cols = 0;
    if (rows < 0) rows = 0;
    if (cols == cols_) {
        // Same columns: the cells stay where they are, so adding rows one at a time (as the
        // comparison grids do, row after row) is not quadratic.
        cells_.resize(static_cast<size_t>(cols) * static_cast<size_t>(rows));
        rowHeights_.resize(static_cast<size_t>(rows), 0);
        rows_ = rows;
        Touch();
        return;
    }
    std::vector<Cell> cells(static_cast<size_t>(cols) * static_cast<size_t>(rows));
    for (int r = 0; r < rows && r < rows_; ++r)
        for (int c = 0; c < cols && c < cols_; ++c)
            cells[static_cast<size_t>(r) * cols + c] =
                std::move(cells_[static_cast<size_t>(r) * cols_ + c]);
    cells_ = std::move(cells);
    colWidths_.resize(static_cast<size_t>(cols), 64);
    rowHeights_.resize(static_cast<size_t>(rows), 0);
    cols_ = cols;
    rows_ = rows;
    Touch();
}

const Cell& Grid::At(int col, int row) const {
    static const Cell empty;
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return empty;
    return cells_[static_cast<size_t>(row) * cols_ + col];
}

Cell* Grid::Mutable(int col, int row) {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return nullptr;
    Touch();
    return &cells_[static_cast<size_t>(row) * cols_ + col];
}

void Grid::SetText(int col, int row, std::string text) {
    if (Cell* c = Mutable(col, row)) {
        c->text = std::move(text);
        c->lines.clear();  // a text of its own makes it a one-line cell again
    }
}

std::string LinesText(const std::vector<TextLine>& lines) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += '\n';
        std::string line;
        for (const TextRun& r : lines[i].runs) {
            if (r.x > 0 && !line.empty() && line.back() != ' ') line += ' ';
            line += r.text;
        }
        out += line;
    }
    return out;
}

void Grid::SetLines(int col, int row, std::vector<TextLine> lines) {
    if (Cell* c = Mutable(col, row)) {
        c->text = LinesText(lines);
        c->lines = std::move(lines);
    }
}

void Grid::SetStyle(int col, int row, const CellStyle& style) {
    if (Cell* c = Mutable(col, row)) c->style = style;
}

int Grid::ColWidth(int col) const {
    return col >= 0 && col < cols_ ? colWidths_[static_cast<size_t>(col)] : 0;
}

void Grid::SetColWidth(int col, int width) {
    if (col < 0 || col >= cols_) return;
    colWidths_[static_cast<size_t>(col)] = width;
    Touch();
}

int Grid::RowHeight(int row) const {
    if (row < 0 || row >= rows_) return defaultRowHeight_;
    int h = rowHeights_[static_cast<size_t>(row)];
    return h > 0 ? h : defaultRowHeight_;
}

void Grid::SetRowHeight(int row, int h) {
    if (row < 0 || row >= rows_) return;
    rowHeights_[static_cast<size_t>(row)] = h;
    Touch();
}

void Grid::ClearCells() {
    for (auto& c : cells_) c = Cell{};
    Touch();
}

std::string ClipboardText(const Grid& grid) {
    std::string out;
    for (int r = 0; r < grid.RowCount(); ++r) {
        for (int c = 0; c < grid.ColCount(); ++c) {
            if (c > 0) out += '\t';
            out += grid.Text(c, r);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace sorvane
