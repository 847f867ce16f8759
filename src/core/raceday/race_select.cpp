#include "raceday/race_select.h"

#include "shell/app_shell.h"

namespace sorvane {

void SelectRace(AppShell&, int) {}

}  // namespace sorvane
