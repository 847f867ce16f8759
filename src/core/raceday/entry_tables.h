// The entry tables of the selected race: the entry table StringGrid4 (sisushutubaBtn) and the
// detailed entry table with the past runs StringGrid5 (GetKakoBtn), texts and styles.
#pragma once

namespace sorvane {

class AppShell;

// Fills StringGrid4 for race slot shell.day().currentRace.
void SisushutubaBtn(AppShell& shell);
// Fills StringGrid5 for race slot shell.day().currentRace.
void GetKakoBtn(AppShell& shell);

}  // namespace sorvane
