#include "raceday/later_steps.h"

#include "shell/app_shell.h"

namespace sorvane {

void KaimePutBtn(AppShell&) {}
void KaisaiReadBtn(AppShell&) {}
void YosoWriteBtn(AppShell&) {}
void KaimeMakeBtn(AppShell&) {}

}  // namespace sorvane
