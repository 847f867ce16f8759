// The day files in the folder Data: their kinds and names, the runner file's 216 fixed slots,
// and the line rules of the files kept sorted and unique by race key.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"

namespace sorvane {

// The folder of the day files under the program folder (matched without regard to case).
inline constexpr const char* kDataFolder = "Data";

enum class DayFileKind { RA, SEr, HR, O1, O2, O3, O4, O5, O6 };
inline constexpr DayFileKind kAllDayFileKinds[] = {
    DayFileKind::RA, DayFileKind::SEr, DayFileKind::HR, DayFileKind::O1, DayFileKind::O2,
    DayFileKind::O3, DayFileKind::O4,  DayFileKind::O5, DayFileKind::O6};

// ".nvRA", ".nvSEr", ".nvHR", ".nvO1" ... ".nvO6"
std::string_view DayFileExtension(DayFileKind kind);
// The record type whose lines the kind holds.
RecordType DayFileRecordType(DayFileKind kind);
// The kind that stores records of this type; nothing for RA/SE/HR/O1..O6 aside.
std::optional<DayFileKind> DayFileKindOf(RecordType type);

// The file name (no folder): day stamp + extension; runner files put the 4-byte track name
// between them.
std::string DayFileName(DayFileKind kind, std::string_view stamp, std::string_view trackName = {});
// "Data\" + name, the relative name under the program folder.
std::string DayFilePath(std::string_view fileName);

// What a file name in Data says of itself; nothing when it is not a day file name. The
// extension is matched without regard to ASCII case.
struct DayFileNameParts {
    DayFileKind kind;
    std::string stamp;
    std::string trackName;  // runner files only
};
std::optional<DayFileNameParts> ParseDayFileName(std::string_view fileName);

// Runner files: 12 races x 18 horse numbers, one line per slot, an empty slot 553 blanks.
inline constexpr int kRunnerFileRaces = 12;
inline constexpr int kHorsesPerRace = 18;
inline constexpr size_t kRunnerSlots = 216;
inline constexpr size_t kRunnerLineLength = 553;
inline constexpr size_t kRunnerRecordSize = 555;  // a slot line with its CR LF

// The 0-based line of race 1..12 and horse number 1..18: (race - 1) x 18 + (horse - 1).
size_t RunnerSlot(int race, int horse);
// 216 lines of 553 blanks.
std::vector<std::string> NewRunnerLines();
const std::string& BlankRunnerLine();
// An existing runner file brought to exactly 216 lines: missing slots become blank lines and
// lines beyond the last slot are dropped (a file we wrote always has 216 already).
void NormaliseRunnerLines(std::vector<std::string>& lines);

// The total order of the sorted files: the one text order (CompareText), ties of texts that
// differ only in letter case broken by their bytes, so that a sort never depends on the order
// it was given.
bool LineLess(std::string_view a, std::string_view b);
void SortLines(std::vector<std::string>& lines);

// The race key of a line (16 bytes at offset 11; shorter when the line is).
std::string_view RaceKeyOf(std::string_view line);
// Replaces the first line with the race key of `line`, or appends it.
void PutByRaceKey(std::vector<std::string>& lines, std::string line);
// Deletes the first line while it is blank (empty or only blanks), at most maxCount times;
// returns how many were deleted.
int DropBlankFirstLines(std::vector<std::string>& lines, int maxCount);

}  // namespace sorvane
