// Connects the entry tables of the main window to the core: presses, clicks, the hand cursor
// and the pop-up copy of StringGrid4, the cleared selection of StringGrid5, and the file and
// folder menu commands of the time-series odds.
#pragma once

class MainWindow;
namespace sorvane {
class AppShell;
}

void HookEntryGrids(MainWindow& window, sorvane::AppShell& shell);
