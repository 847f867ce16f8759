#include "compare/two_horse.h"

#include "shell/app_shell.h"

namespace sorvane {

void PickHorse(AppShell&, int, int) {}

}  // namespace sorvane
