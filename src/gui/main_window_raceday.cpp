// The main window's race-day controls: the date box loads a day, the day list and the arrow
// UpDown1 select a race; the header panel, the odds time label, the countdown label's
// visibility and the progress window follow the state.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "main_window.h"
#include "progress_form.h"
#include "qt_text.h"
#include "race_header_panel.h"
#include "raceday/day_load.h"
#include "raceday/race_select.h"

void MainWindow::BuildRaceDayControls() {
    prgrsForm_ = new ProgressForm(shell_.main().prgrsForm, this);

    // The header panel above the analysis page's tabs.
    panel14_ = new RaceHeaderPanel(pageControl6_->parentWidget());
    if (auto* col = qobject_cast<QVBoxLayout*>(pageControl6_->parentWidget()->layout()))
        col->insertWidget(0, panel14_);

    // The hidden arrow over the day list.
    upDown1_ = new QSpinBox(panel4_);
    upDown1_->setObjectName(QStringLiteral("UpDown1"));
    upDown1_->setVisible(false);

    connect(dateCombo_, &QComboBox::activated, this, &MainWindow::loadDay);
    connect(datList_, &QListWidget::currentRowChanged, this, &MainWindow::selectRace);
    connect(upDown1_, &QSpinBox::valueChanged, this, &MainWindow::selectRace);
}

void MainWindow::loadDay(int dateIndex) {
    // Pending events run inside the load; a second choice meanwhile waits for the first.
    if (loadingDay_ || dateIndex < 0) return;
    loadingDay_ = true;
    dateCombo_->setEnabled(false);
    datList_->setEnabled(false);
    prgrsForm_->watch(true);
    sorvane::DateComboChange(shell_, dateIndex);
    prgrsForm_->watch(false);
    loadingDay_ = false;
    dateCombo_->setEnabled(true);
    datList_->setEnabled(true);
    syncFromState();
}

void MainWindow::selectRace(int line) {
    if (loadingDay_ || line < 0) return;
    sorvane::SelectRace(shell_, line);
    syncFromState();
}

void MainWindow::SyncRaceDay() {
    const sorvane::MainFormState& m = shell_.main();
    panel14_->syncFromState(m);
    if (auto* tfw = findChild<QLabel*>(QStringLiteral("TFWtimeLabel")))
        tfw->setText(QtFromSjis(m.tfwTimeLabel));
    restTimeLabel_->setVisible(m.restTimeLabelVisible);
    {
        QSignalBlocker block(upDown1_);
        upDown1_->setRange(0, m.upDown1Max);
        upDown1_->setValue(m.upDown1Position);
    }
    prgrsForm_->syncFromState();
}
