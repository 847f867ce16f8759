#include "wait_form.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

#include "qt_text.h"

WaitForm::WaitForm(const sorvane::MainFormState& form, QWidget* held)
    : QDialog(held), form_(form), held_(held) {
    setObjectName(QStringLiteral("WaitForm"));
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* col = new QVBoxLayout(this);
    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    labelUma_ = new QLabel(this);
    labelUma_->setObjectName(QStringLiteral("LabelUma"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setTextVisible(false);
    col->addWidget(label1_);
    col->addWidget(label2_);
    col->addWidget(labelUma_);
    col->addWidget(bar_);
    setMinimumWidth(360);
}

void WaitForm::syncFromState() {
    const sorvane::WaitFormState& w = form_.waitForm;
    if (held_ && held_->isEnabled() != form_.enabled) held_->setEnabled(form_.enabled);
    if (!w.visible) {
        if (isVisible()) hide();
        return;
    }
    // A disabled parent disables its child windows too; this one must stay live.
    if (!isEnabled()) setEnabled(true);
    label1_->setText(QtFromSjis(w.label1));
    label2_->setText(QtFromSjis(w.label2));
    labelUma_->setText(QtFromSjis(w.labelUma));
    bar_->setMaximum(std::max(w.barMax, 1));
    bar_->setValue(std::clamp(w.barPosition, 0, std::max(w.barMax, 1)));
    if (!isVisible()) show();
}
