// The race days whose past-run lines are still to be built, kept in the file pastrun.pending
// of the program folder. A store run adds a day before it writes the day's final results, and
// the past-run build removes it once the day's horse files are written; so a run killed or
// cancelled in between leaves the day listed, the next acquisition builds it, and verify knows
// that the day's missing lines are pending rather than lost.
#pragma once

#include <string>
#include <vector>

#include "base/files.h"

namespace sorvane {

inline constexpr const char* kPendingBuildFile = "pastrun.pending";

// The listed RA day file names (day stamp + ".nvRA"), sorted and unique; empty without a file.
std::vector<std::string> ReadPendingBuild(const ProgramFolder& folder);
// Adds the names (atomic rewrite; nothing is written when all are listed already).
void AddPendingBuild(const ProgramFolder& folder, const std::vector<std::string>& days);
// Removes the names; the file goes when the list is empty.
void RemovePendingBuild(const ProgramFolder& folder, const std::vector<std::string>& days);

// Inserts a name into a sorted unique list (the order of day file names); true when new.
bool InsertSortedUnique(std::vector<std::string>& list, const std::string& name);

}  // namespace sorvane
