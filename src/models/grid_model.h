// A Qt table model over one of the core's grids. It shows a snapshot taken at construction and
// at every refresh() that finds the grid's revision changed, so views never read a grid that is
// being reshaped. Row 0 of a grid with fixed rows is the horizontal heading; model rows are the
// grid rows below it, model columns are the grid columns one to one.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <cstdint>
#include <vector>

#include "shell/grid.h"

class GridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
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

  private:
    struct ShownCell {
        QString text;
        sorvane::CellStyle style;
        bool fixed = false;
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
