#include "raceday/entry_tables.h"

#include "shell/app_shell.h"

namespace sorvane {

void SisushutubaBtn(AppShell&) {}
void GetKakoBtn(AppShell&) {}

}  // namespace sorvane
