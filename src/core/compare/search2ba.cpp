#include "compare/search2ba.h"

#include "shell/app_shell.h"

namespace sorvane {

CompareEngine::CompareEngine(AppShell& shell) : shell_(shell) {}
CompareEngine::~CompareEngine() = default;

void CompareEngine::Search2Ba(const PairArgs&) {}
void CompareEngine::Search2BaDirect(const PairArgs&) {}

}  // namespace sorvane
