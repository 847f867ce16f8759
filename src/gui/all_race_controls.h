// The main window's controls of the all-race comparison: the button "全ﾚｰｽ比較" with its
// progress window, the nine sort buttons of the entry table, the "全"/"CL" mark buttons and the
// clipboard commands of the comparison tables.
#pragma once

#include <QObject>
#include <vector>

#include "shell/app_shell.h"

class MainWindow;
class QToolButton;
class WaitForm;

class AllRaceControls : public QObject {
    Q_OBJECT

  public:
    // Connects the window's controls (found by their names) to the core.
    AllRaceControls(MainWindow& window, sorvane::AppShell& shell);
    ~AllRaceControls() override;

    // The sort button that is down, the progress window and the window's enabled state.
    void syncFromState();

  private:
    void CompareAll();

    MainWindow& window_;
    sorvane::AppShell& shell_;
    WaitForm* waitForm_ = nullptr;
    std::vector<QToolButton*> sortButtons_;  // in the order of EntrySort
};
