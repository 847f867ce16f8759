// Snapshot and role mapping of the grid model: texts converted once per snapshot, colours,
// weight and alignment from each cell's style.
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
                                       r < grid_.FixedRows() || c < grid_.FixedCols()});
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
    switch (role) {
        case Qt::DisplayRole:
            return cell.text;
        case Qt::BackgroundRole:
            // Fixed cells the core did not colour look like a grid's fixed cells.
            if (cell.fixed && cell.style.background == sorvane::kColorWindow)
                return QBrush(ColorOf(sorvane::kColorFixed));
            return QBrush(ColorOf(cell.style.background));
        case Qt::ForegroundRole:
            return QBrush(ColorOf(cell.style.color));
        case Qt::FontRole:
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

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
