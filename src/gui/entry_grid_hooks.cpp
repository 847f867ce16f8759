#include "entry_grid_hooks.h"

#include <QAction>

#include "grid_view.h"
#include "main_window.h"
#include "odds/time_series_odds.h"
#include "raceday/entry_mouse.h"

void HookEntryGrids(MainWindow& window, sorvane::AppShell& shell) {
    auto sync = [&window] { window.syncFromState(); };
    if (auto* entry = window.findChild<GridView*>(QStringLiteral("StringGrid4"))) {
        entry->setHandCursorRule([&shell](int col, int row) {
            return sorvane::EntryGridCursor(shell.main().stringGrid4, col, row) ==
                   sorvane::CellCursor::Hand;
        });
        QObject::connect(entry, &GridView::cellPressed, &window, [&shell, sync](int col, int row) {
            sorvane::EntryGridMouseDown(shell, col, row);
            sync();
        });
        QObject::connect(entry, &GridView::cellClicked, &window, [&shell, sync](int col, int row) {
            sorvane::EntryGridClick(shell, col, row);
            sync();
        });
        auto* copy = new QAction(QString::fromUtf8("出馬表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)"), entry);
        copy->setObjectName(QStringLiteral("EntryCopyItem"));
        entry->setContextMenuPolicy(Qt::ActionsContextMenu);
        entry->addAction(copy);
        QObject::connect(copy, &QAction::triggered, &window,
                         [&shell] { sorvane::CopyEntryTableToClipboard(shell); });
    }
    if (auto* detail = window.findChild<GridView*>(QStringLiteral("StringGrid5")))
        detail->setClearSelectionOnRelease(true);
    if (auto* t4 = window.findChild<QAction*>(QStringLiteral("T4")))
        QObject::connect(t4, &QAction::triggered, &window, [&shell, sync] {
            sorvane::ImportTimeSeriesOdds(shell);
            sync();
        });
    if (auto* t3 = window.findChild<QAction*>(QStringLiteral("T3")))
        QObject::connect(t3, &QAction::triggered, &window,
                         [&shell] { sorvane::ChooseTimeSeriesFolder(shell); });
}
