// The main window (TMainForm): shows the shell's MainFormState and forwards the user's
// commands to the AppShell. Widgets carry the control names of the original form as their
// objectNames, so other windows and tests find them by name.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <vector>

#include "shell/app_shell.h"
#include "store/store_run_state.h"

class AllRaceControls;
class QAction;
class QComboBox;
class QSpinBox;
class ProgressForm;
class RaceHeaderPanel;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;
class GridView;
class TwoHorseBar;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(sorvane::AppShell& shell, QWidget* parent = nullptr);

    // The place as the settings keep it: the client area's left, top, width and height (the
    // restored geometry while maximized or minimized). Written back exactly by placeFrom().
    sorvane::WindowPlace currentPlace() const;
    void placeFrom(const sorvane::WindowPlace& place);

    // The program's one run state: the acquisition window and the live-day requests share it,
    // so that a cancelled acquisition also stops the real-time reads until the next start.
    sorvane::StoreRunState& runState() { return runState_; }

  public slots:
    // Shows the state again after the core changed it.
    void syncFromState();

    // JVBtn: the acquisition window, modal; the day list is shown again after it closed.
    void openAcquisitionWindow();
    void openUnprocessedDays();  // N21

    // The race day: a date chosen in DateCombo loads its day (the progress window shows
    // meanwhile); a DatList line or the arrow UpDown1 selects a race.
    void loadDay(int dateIndex);
    void selectRace(int line);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenu();
    QWidget* BuildTopBar();
    QWidget* BuildDayPanel();
    QWidget* BuildPages();
    QWidget* BuildAnalysisTab();
    QWidget* BuildEntryTab();
    QWidget* BuildVerificationTab();
    QWidget* BuildTallyTab();
    GridView* AddGrid(sorvane::Grid& grid);
    void BuildRaceDayControls();
    void SyncRaceDay();

    sorvane::AppShell& shell_;
    sorvane::StoreRunState runState_;

    QAction* n9_ = nullptr;
    QAction* n19_ = nullptr;

    QComboBox* dateCombo_ = nullptr;
    QPushButton* tekiAnaBtn_ = nullptr;
    QPushButton* tekiAnaBtn2_ = nullptr;
    QLabel* bashoLabel_ = nullptr;
    QLabel* raceLabel_ = nullptr;
    QLabel* restTimeLabel_ = nullptr;
    QWidget* panel4_ = nullptr;
    QListWidget* datList_ = nullptr;
    QLabel* dlLabel_ = nullptr;
    QTabWidget* pageControl5_ = nullptr;
    QTabWidget* pageControl6_ = nullptr;
    QWidget* tabSheet6_ = nullptr;
    std::vector<GridView*> grids_;
    ProgressForm* prgrsForm_ = nullptr;
    RaceHeaderPanel* panel14_ = nullptr;
    QSpinBox* upDown1_ = nullptr;
    bool loadingDay_ = false;
    AllRaceControls* allRace_ = nullptr;  // the all-race comparison, sorts and marks
    TwoHorseBar* twoHorseBar_ = nullptr;
    std::string shownTab_;  // the activeTab last shown

    QString shownHint_;
    QStringList shownDates_;
    QStringList shownRaces_;
};
