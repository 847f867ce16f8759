#include "odds/odds_import.h"

#include "shell/app_shell.h"

namespace sorvane {

void OzReadBtn(AppShell&) {}

}  // namespace sorvane
