// Shape of a grid view (widths and heights in pixels, as the core's grid states them), its
// drawing, cursor and mouse reports.
#include "grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>

#include "grid_delegate.h"
#include "qt_text.h"

GridView::GridView(const sorvane::Grid& grid, QWidget* parent) : QTableView(parent) {
    setObjectName(QtFromSjis(grid.name()));
    model_ = new GridModel(grid, this);
    setModel(model_);
    setItemDelegate(new GridDelegate(this));
    Setup();
    connect(model_, &QAbstractItemModel::modelReset, this, &GridView::ApplyShape);
    connect(this, &QAbstractItemView::pressed, this, [this](const QModelIndex& i) {
        // The right button opens the pop-up menu; only the left one acts on a cell.
        if (QApplication::mouseButtons() & Qt::LeftButton)
            emit cellPressed(i.column(), model_->gridRow(i.row()));
    });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) {
        emit cellClicked(i.column(), model_->gridRow(i.row()));
    });
    ApplyShape();
}

void GridView::Setup() {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
}

void GridView::refresh() {
    if (model_) model_->refresh();
}

void GridView::setHandCursorRule(std::function<bool(int, int)> rule) {
    handRule_ = std::move(rule);
    setMouseTracking(static_cast<bool>(handRule_));
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
    if (handRule_) {
        const QModelIndex i = indexAt(event->position().toPoint());
        const bool hand = i.isValid() && handRule_(i.column(), model_->gridRow(i.row()));
        viewport()->setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    QTableView::mouseMoveEvent(event);
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (clearOnRelease_) clearSelection();
}

void GridView::ApplyShape() {
    const sorvane::Grid& g = model_->grid();
    for (int c = 0; c < g.ColCount(); ++c) setColumnWidth(c, g.ColWidth(c));
    verticalHeader()->setDefaultSectionSize(g.DefaultRowHeight());
    for (int r = 0; r < model_->rowCount(); ++r) {
        const int h = g.RowHeight(model_->gridRow(r));
        if (h != g.DefaultRowHeight()) setRowHeight(r, h);
    }
    horizontalHeader()->setVisible(model_->headerRows() > 0);
    if (model_->headerRows() > 0) horizontalHeader()->setFixedHeight(g.RowHeight(0));
}
