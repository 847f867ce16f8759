// Selecting a race of the loaded day: the header labels, the entry and comparison tables and
// the result tab of the race on line `line` of the day list.
#pragma once

namespace sorvane {

class AppShell;

void SelectRace(AppShell& shell, int line);

}  // namespace sorvane
