#include "progress_form.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "qt_text.h"

ProgressForm::ProgressForm(const sorvane::ProgressFormState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("PrgrsForm"));
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* col = new QVBoxLayout(this);
    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setTextVisible(false);
    col->addWidget(label1_);
    col->addWidget(label2_);
    col->addWidget(bar_);
    setMinimumWidth(320);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &ProgressForm::syncFromState);
}

void ProgressForm::watch(bool on) {
    if (on) {
        timer_.start();
    } else {
        timer_.stop();
        syncFromState();
    }
}

void ProgressForm::syncFromState() {
    if (!state_.visible) {
        if (isVisible()) hide();
        return;
    }
    label1_->setText(QtFromSjis(state_.label1));
    label2_->setText(QtFromSjis(state_.label2));
    bar_->setMaximum(state_.barMax);
    bar_->setValue(std::min(state_.barPosition, state_.barMax));
    if (!isVisible()) show();
}
