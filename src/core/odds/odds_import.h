// The odds import of one race slot (OzReadBtn): the O1 .. O6 records of the day's odds files
// into the race day's odds tables and their numeric values and rankings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/files.h"

namespace sorvane {

class AppShell;
class OddsDayIndex;
class RaceDay;

// Imports the odds of race slot shell.day().ozRaceSlot from the loaded day's odds files, then
// runs KaimeCalcBtn. Shows no message. A file that exists but cannot be read ends it with a
// FileError (the caller reports it).
void OzReadBtn(AppShell& shell);
// The same, with the records taken from index (the day's odds files read once for a run over
// every slot) instead of from the files; the results are those of OzReadBtn(shell).
void OzReadBtn(AppShell& shell, OddsDayIndex& index);

// The import without the rank computation: the raw records of the slot from the day's odds
// files (named by day.dayFiles under folder, or taken from index when given), then the numbers
// rebuilt from them.
void ImportRaceOdds(RaceDay& day, const ProgramFolder& folder, int slot,
                    OddsDayIndex* index = nullptr);

// The first record of a file of fixed records of recordLength bytes whose track code and race
// number (offsets 19 and 25) equal key (4 bytes). Only the key bytes of the records before it
// are read. Nothing when the file has no such record or does not exist; FileError when it
// exists but cannot be read. A short last record is returned as far as it goes.
std::optional<std::string> FindOddsRecord(const fs::path& path, size_t recordLength,
                                          std::string_view key);

// The slot's OddsValues numbers and 単勝/複勝 ranks rebuilt from its raw records (steps that
// need no file); times other than the announcement time and the flags are left alone.
void ComputeOddsValues(RaceDay& day, int slot);

}  // namespace sorvane
