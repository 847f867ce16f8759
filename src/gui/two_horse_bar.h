// The two-horse comparison bar under the analysis tabs: Edit1/Edit2 with the picked names,
// the weight and point labels, and the buttons of the interactive comparisons; also the
// pop-up menu of StringGrid6.
#pragma once

#include <QWidget>
#include <functional>

#include "shell/app_shell.h"

class QLabel;
class QLineEdit;
class GridView;

class TwoHorseBar : public QWidget {
    Q_OBJECT

  public:
    // `changed` runs after every command, so the window shows the new state.
    TwoHorseBar(sorvane::AppShell& shell, std::function<void()> changed, QWidget* parent = nullptr);

    // Shows the names and labels of the state.
    void sync();
    // The grid's pop-up command "比較結果をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)".
    void attachGridMenu(GridView* stringGrid6);

  private:
    void Run(void (*command)(sorvane::AppShell&));

    sorvane::AppShell& shell_;
    std::function<void()> changed_;
    QLineEdit* edit1_ = nullptr;
    QLineEdit* edit2_ = nullptr;
    QLabel* kinryoA_ = nullptr;
    QLabel* kinryoB_ = nullptr;
    QLabel* pt1_ = nullptr;
    QLabel* pt2_ = nullptr;
    QLabel* dpt1_ = nullptr;
    QLabel* dpt2_ = nullptr;
    QLabel* ct_ = nullptr;
};
