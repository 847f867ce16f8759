// Selecting a race of the loaded day: the header labels, the entry and comparison tables and
// the result tab of the race on line `line` of the day list.
#pragma once

namespace sorvane {

class AppShell;
class RaceDay;

// The race slot shown on day-list line `line`: the line-th slot in use; -1 when there is none.
int RaceSlotOfLine(const RaceDay& day, int line);

// A click on the day list (or the arrow UpDown1): selects the line's race and shows it.
// Nothing happens for a line the day list does not have.
void SelectRace(AppShell& shell, int line);

}  // namespace sorvane
