// The acquisition window (TGetDataForm): a fixed modal dialog that shows the core Acquisition's
// state and forwards its buttons, check box, picker, timer and close requests to it.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <memory>

#include "shell/app_shell.h"
#include "store/acquisition.h"
#include "store/store_run_state.h"

class QCheckBox;
class QDateTimeEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class QToolButton;

class GetDataForm : public QDialog {
    Q_OBJECT

  public:
    // The shell and the run state must outlive the window. The window is closed only while no
    // read loop runs, so a caller that exec()s it may destroy it as soon as exec() returns.
    GetDataForm(sorvane::AppShell& shell, sorvane::StoreRunState& run, QWidget* parent = nullptr);
    ~GetDataForm() override;

    sorvane::Acquisition& acquisition() { return *acquisition_; }
    const sorvane::Acquisition& acquisition() const { return *acquisition_; }

    // The least time between two repaints of the state while the core reports changes (the
    // state after each forwarded event is always shown at once). Default 30 ms.
    void setRepaintIntervalMs(int ms) { repaintIntervalMs_ = ms; }

    // Every close path (the close box, Escape, a programmatic close) ends here: the window stays
    // while a loop runs and closes itself once the loop has stopped.
    void done(int result) override;

  signals:
    // The core's state changed (emitted for every change, unthrottled, after the widgets that
    // are due for a repaint have been updated).
    void stateChanged();

  private:
    void BuildControls();
    // Forwards one event to the core, then shows its state and closes when a close waits.
    template <class F>
    void Forward(F&& call);
    void OnCoreChanged();
    void SyncTimer();
    void Render();
    void CloseIfPending();

    std::unique_ptr<sorvane::Acquisition> acquisition_;

    QPushButton* buttonStart_ = nullptr;
    QPushButton* buttonCancel_ = nullptr;
    QToolButton* speedButton1_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QLabel* oddsNote_ = nullptr;
    QLabel* pickerCaption_ = nullptr;
    QDateTimeEdit* dateTimePicker1_ = nullptr;
    QLabel* barCaption_[3] = {};
    QProgressBar* bar_[3] = {};
    QLabel* progressLabel_ = nullptr;
    QLabel* mkDataCaption_ = nullptr;
    QLabel* mkDataLabel_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label9_ = nullptr;
    QTimer* timerJVStatus_ = nullptr;
    QTimer* repaintTimer_ = nullptr;

    QElapsedTimer sinceRepaint_;
    int repaintIntervalMs_ = 30;
    bool closed_ = false;
};
