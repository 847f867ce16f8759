// The progress window TPrgrsForm: a modeless dialog that shows the core's ProgressFormState
// (bar and two labels) while it is visible. While watched it follows the state at every turn
// of the event loop, so it repaints whenever the core lets pending events run in its loops.
#pragma once

#include <QDialog>
#include <QTimer>

#include "shell/progress_form.h"

class QLabel;
class QProgressBar;

class ProgressForm : public QDialog {
    Q_OBJECT

  public:
    ProgressForm(const sorvane::ProgressFormState& state, QWidget* parent = nullptr);

    // Shows, updates or hides the window as the state says.
    void syncFromState();
    // Follows the state at every pass of the event loop (during a long core operation), or
    // stops doing so and syncs once.
    void watch(bool on);

  private:
    const sorvane::ProgressFormState& state_;
    QProgressBar* bar_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QTimer timer_;
};
