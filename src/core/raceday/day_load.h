// Loading a race day (the date box's change): the day's race, runner and payout files into
// the race day, the odds import of every race, every runner's past runs with their
// statistics and prediction record, the schedule times, the live-day timers, the selection
// of the first race and the all-race comparison; and the initialisation IniBtn.
#pragma once

#include <optional>
#include <string>

namespace sorvane {

class AppShell;

// The day load's options for one run; unset means the option mark of the menu (N9, N19).
struct DayLoadOptions {
    std::optional<bool> ignoreDates;  // ReadKako/IgnoDate: take every past run
    std::optional<bool> compareAll;   // AllRace/ExecComp: run the all-race comparison
};

// IniBtn: the odds values and the analysis of all 96 race slots back to their initial state.
void IniBtn(AppShell& shell);

// Loads the day of the date text dayStamp (yyyy年mm月dd日, Shift-JIS). Every message goes
// through the shell's Ui. True when the day was read to the end; false after the message of
// a missing or incomplete day (the day list is then empty) or of a file that could not be
// read.
bool LoadDay(AppShell& shell, const std::string& dayStamp, const DayLoadOptions& options = {});

// The date box's change to entry `index`: selects it and loads its day. Nothing happens for an
// index outside the list.
bool DateComboChange(AppShell& shell, int index, const DayLoadOptions& options = {});

}  // namespace sorvane
