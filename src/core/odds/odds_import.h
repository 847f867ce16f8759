// The odds import of one race slot (OzReadBtn): the O1 .. O6 records of the day's odds files
// into the race day's odds tables and their numeric values and rankings.
#pragma once

namespace sorvane {

class AppShell;

// Imports the odds of race slot shell.day().ozRaceSlot.
void OzReadBtn(AppShell& shell);

}  // namespace sorvane
