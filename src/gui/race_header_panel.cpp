#include "race_header_panel.h"

#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

#include "qt_text.h"

RaceHeaderPanel::RaceHeaderPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel14"));
    setAutoFillBackground(true);
    auto* col = new QVBoxLayout(this);
    col->setContentsMargins(4, 2, 4, 2);
    col->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        labels_[i] = new QLabel(this);
        labels_[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        col->addWidget(labels_[i]);
    }
    shukeiLabel_ = new QLabel(this);
    shukeiLabel_->setObjectName(QStringLiteral("ShukeiLabel"));
    col->addWidget(shukeiLabel_);
}

void RaceHeaderPanel::syncFromState(const sorvane::MainFormState& m) {
    const std::string* texts[4] = {&m.label1, &m.label2, &m.label3, &m.label4};
    for (int i = 0; i < 4; ++i) labels_[i]->setText(QtFromSjis(*texts[i]));
    shukeiLabel_->setText(QtFromSjis(m.shukeiLabel));
    if (m.panel14Color != color_) {
        color_ = m.panel14Color;
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor::fromRgb(color_));
        setPalette(p);
    }
}
