#include "progress_form.h"

#include <QLabel>
#include <QProgressBar>

#include "progress_dialog.h"
#include "qt_text.h"

ProgressForm::ProgressForm(const sorvane::ProgressFormState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    ProgressParts parts = LayOutProgressDialog(this, "PrgrsForm", {"Label1", "Label2"}, 320);
    label1_ = parts.labels[0];
    label2_ = parts.labels[1];
    bar_ = parts.bar;
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
    ShowProgress(bar_, state_.barMax, state_.barPosition);
    if (!isVisible()) show();
}
