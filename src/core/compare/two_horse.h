// The interactive two-horse comparison: picking the horses from the entry table.
#pragma once

namespace sorvane {

class AppShell;

// A click on cell (col, row) of StringGrid4: columns 0..2 of a data row pick horse A or B.
void PickHorse(AppShell& shell, int col, int row);

}  // namespace sorvane
