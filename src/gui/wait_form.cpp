#include "wait_form.h"

#include <QLabel>
#include <QProgressBar>

#include "progress_dialog.h"
#include "qt_text.h"

WaitForm::WaitForm(const sorvane::MainFormState& form, QWidget* held)
    : QDialog(held), form_(form), held_(held) {
    ProgressParts parts =
        LayOutProgressDialog(this, "WaitForm", {"Label1", "Label2", "LabelUma"}, 360);
    label1_ = parts.labels[0];
    label2_ = parts.labels[1];
    labelUma_ = parts.labels[2];
    bar_ = parts.bar;
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
    ShowProgress(bar_, w.barMax, w.barPosition);
    if (!isVisible()) show();
}
