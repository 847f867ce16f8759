// A Qt table model over one of the core's grids. It shows a snapshot taken at construction and
// at every refresh() that finds the grid's revision changed, so views never read a grid that is
// being reshaped. Row 0 of a grid with fixed rows is the horizontal heading; model rows are the
// grid rows below it, model columns are the grid columns one to one. Tall cells of several
// lines keep their lines for the view's delegate (linesAt); their DisplayRole is the lines'
// text joined by "\n".
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>
#include <cstdint>
#include <vector>

#include "shell/grid.h"

class GridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    // Data roles beyond Qt's own.
    enum Role {
        BottomRuleRole = Qt::UserRole + 1,  // bool: a black line along the cell's bottom edge
        TallCellRole,                       // bool: the cell is drawn from its lines
    };
    struct ShownRun {
        QString text;
        int x = 0;
        int pointSize = 0;  // 0: the view's font size
        bool bold = false;
        QColor color;
    };
    struct ShownLine {
        std::vector<ShownRun> runs;
        int gap = 0;
    };

    explicit GridModel(const sorvane::Grid& grid, QObject* parent = nullptr);

    const sorvane::Grid& grid() const { return grid_; }

    // Takes a new snapshot (a model reset) when the grid changed since the last one; true then.
    bool refresh();

    // 1 when grid row 0 is shown as the heading, else 0.
    int headerRows() const { return headerRows_; }
    int gridRow(int modelRow) const { return modelRow + headerRows_; }
    int modelRow(int gridRow) const { return gridRow - headerRows_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The lines of a tall cell; null for one-line cells and invalid indexes.
    const std::vector<ShownLine>* linesAt(const QModelIndex& index) const;

  private:
    struct ShownCell {
        QString text;
        sorvane::CellStyle style;
        bool fixed = false;
        std::vector<ShownLine> lines;
    };

    void TakeSnapshot();
    const ShownCell* CellAt(int col, int gridRow) const;
    QVariant StyleData(const ShownCell& cell, int role) const;

    const sorvane::Grid& grid_;
    uint64_t revision_ = 0;
    int cols_ = 0;
    int rows_ = 0;  // grid rows, heading included
    int headerRows_ = 0;
    std::vector<ShownCell> cells_;  // row-major, rows_ x cols_
};
