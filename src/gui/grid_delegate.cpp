#include "grid_delegate.h"

#include <QBrush>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "grid_model.h"

namespace {

// Lines start 1 pixel inside the top-left corner; each next line one text height (the
// largest font of the previous line) lower, plus its own gap.
void PaintLines(QPainter* p, const QStyleOptionViewItem& option,
                const std::vector<GridModel::ShownLine>& lines) {
    const QRect r = option.rect;
    p->setClipRect(r);
    int y = r.top() + 1;
    int previousHeight = 0;
    for (const GridModel::ShownLine& line : lines) {
        y += previousHeight + line.gap;
        int height = 0;
        for (const GridModel::ShownRun& run : line.runs) {
            QFont font = option.font;
            if (run.pointSize > 0) font.setPointSize(run.pointSize);
            font.setBold(run.bold);
            const QFontMetrics metrics(font);
            p->setFont(font);
            p->setPen(run.color);
            p->drawText(QPoint(r.left() + 1 + run.x, y + metrics.ascent()), run.text);
            height = std::max(height, metrics.height());
        }
        if (height == 0) height = QFontMetrics(option.font).height();  // an empty line
        previousHeight = height;
    }
}

}  // namespace

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const auto* model = qobject_cast<const GridModel*>(index.model());
    const std::vector<GridModel::ShownLine>* lines = model ? model->linesAt(index) : nullptr;
    if (lines) {
        painter->save();
        painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QBrush>());
        PaintLines(painter, option, *lines);
        painter->restore();
    } else {
        QStyledItemDelegate::paint(painter, option, index);
    }
    if (index.data(GridModel::BottomRuleRole).toBool()) {
        painter->save();
        painter->setPen(Qt::black);
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
}
