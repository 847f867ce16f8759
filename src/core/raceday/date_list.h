// The date box of the main window: the race days for which an RA day file exists, newest
// first (MakeDataListBtn).
#pragma once

#include <string>
#include <vector>

#include "base/files.h"

namespace sorvane {

class AppShell;

// The day stamps of the RA day files in the folder Data, in ascending order, each once. Only
// names that begin with a valid day stamp count.
std::vector<std::string> ListRaceDays(const ProgramFolder& folder);

// Empties the date box and the day list and fills the date box with the days of
// ListRaceDays from the last to the first, so the newest date comes first.
void MakeDataListBtn(AppShell& shell);

}  // namespace sorvane
