// The progress window TWaitForm of the all-race comparison: a bar over the day's races, the
// race and the pair being compared. It shows the core's WaitFormState and, while that is up,
// keeps the window it holds disabled and itself live.
#pragma once

#include <QDialog>

#include "shell/main_form.h"

class QLabel;
class QProgressBar;

class WaitForm : public QDialog {
    Q_OBJECT

  public:
    // held is the main window, disabled while the core says so (MainFormState::enabled).
    WaitForm(const sorvane::MainFormState& form, QWidget* held);

    // Shows, updates or hides the window and enables the held window as the state says.
    void syncFromState();

  private:
    const sorvane::MainFormState& form_;
    QWidget* held_;
    QProgressBar* bar_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* labelUma_ = nullptr;
};
