// Snapshot and role mapping of the grid model: texts converted once per snapshot, colours,
// weight and alignment from each cell's style, the lines of tall cells.
#include "grid_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "qt_text.h"

namespace {

QColor ColorOf(uint32_t rgb) {
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

Qt::Alignment AlignmentOf(sorvane::Align a) {
    switch (a) {
        case sorvane::Align::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case sorvane::Align::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case sorvane::Align::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

std::vector<GridModel::ShownLine> ShownLines(const std::vector<sorvane::TextLine>& lines) {
    std::vector<GridModel::ShownLine> out;
    out.reserve(lines.size());
    for (const sorvane::TextLine& l : lines) {
        GridModel::ShownLine shown;
        shown.gap = l.gap;
        for (const sorvane::TextRun& r : l.runs)
            shown.runs.push_back(GridModel::ShownRun{QtFromSjis(r.text), r.x, r.pointSize, r.bold,
                                                     ColorOf(r.color)});
        out.push_back(std::move(shown));
    }
    return out;
}

// The first run of a tall cell stands for the cell's font and colour in the plain roles.
const GridModel::ShownRun* FirstRun(const std::vector<GridModel::ShownLine>& lines) {
    for (const GridModel::ShownLine& l : lines)
        if (!l.runs.empty()) return &l.runs.front();
    return nullptr;
}

}  // namespace

GridModel::GridModel(const sorvane::Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {
    TakeSnapshot();
}

bool GridModel::refresh() {
    if (grid_.revision() == revision_) return false;
    beginResetModel();
    TakeSnapshot();
    endResetModel();
    return true;
}

void GridModel::TakeSnapshot() {
    revision_ = grid_.revision();
    cols_ = grid_.ColCount();
    rows_ = grid_.RowCount();
    headerRows_ = grid_.FixedRows() > 0 && rows_ > 0 ? 1 : 0;
    cells_.clear();
    cells_.reserve(static_cast<size_t>(cols_) * static_cast<size_t>(rows_));
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < cols_; ++c) {
            const sorvane::Cell& cell = grid_.At(c, r);
            cells_.push_back(ShownCell{QtFromSjis(cell.text), cell.style,
                                       r < grid_.FixedRows() || c < grid_.FixedCols(),
                                       ShownLines(cell.lines)});
        }
    }
}

const GridModel::ShownCell* GridModel::CellAt(int col, int gridRow) const {
    if (col < 0 || col >= cols_ || gridRow < 0 || gridRow >= rows_) return nullptr;
    return &cells_[static_cast<size_t>(gridRow) * static_cast<size_t>(cols_) +
                   static_cast<size_t>(col)];
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_ - headerRows_;
}

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant GridModel::StyleData(const ShownCell& cell, int role) const {
    const ShownRun* first = FirstRun(cell.lines);
    switch (role) {
        case Qt::DisplayRole:
            return cell.text;
        case Qt::BackgroundRole:
            // Fixed cells the core did not colour look like a grid's fixed cells; a tall cell
            // is drawn as the core gives it.
            if (cell.fixed && cell.lines.empty() && cell.style.background == sorvane::kColorWindow)
                return QBrush(ColorOf(sorvane::kColorFixed));
            return QBrush(ColorOf(cell.style.background));
        case Qt::ForegroundRole:
            return QBrush(first ? first->color : ColorOf(cell.style.color));
        case BottomRuleRole:
            return cell.style.bottomRule;
        case TallCellRole:
            return !cell.lines.empty();
        case Qt::FontRole:
            if (first) {
                QFont f;
                if (first->pointSize > 0) f.setPointSize(first->pointSize);
                f.setBold(first->bold);
                return f;
            }
            if (cell.style.bold) {
                QFont f;
                f.setBold(true);
                return f;
            }
            return QVariant();
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(AlignmentOf(cell.style.align));
        default:
            return QVariant();
    }
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return QVariant();
    const ShownCell* cell = CellAt(index.column(), gridRow(index.row()));
    return cell ? StyleData(*cell, role) : QVariant();
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const int count = orientation == Qt::Horizontal ? columnCount() : rowCount();
    if (section < 0 || section >= count) return QVariant();
    if (orientation == Qt::Horizontal && headerRows_ > 0) {
        const ShownCell* cell = CellAt(section, 0);
        return cell ? StyleData(*cell, role) : QVariant();
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole) return gridRow(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

const std::vector<GridModel::ShownLine>* GridModel::linesAt(const QModelIndex& index) const {
    if (!index.isValid()) return nullptr;
    const ShownCell* cell = CellAt(index.column(), gridRow(index.row()));
    return cell && !cell->lines.empty() ? &cell->lines : nullptr;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
