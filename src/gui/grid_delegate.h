// The own drawing of the grids' cells: tall cells line by line, each piece of text at its place
// in its font and colour, and the rule along a cell's bottom edge. One-line cells are drawn
// from the model's roles as usual.
#pragma once

#include <QStyledItemDelegate>

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
