// The checks of the whole local store (the CLI's verify): day files, runner files, past-run
// files, and that every final runner of the day files has its line in its horse's file.
#pragma once

#include <string>
#include <vector>

#include "base/files.h"

namespace sorvane {

struct VerifyProblem {
    std::string file;  // relative name under the program folder, Shift-JIS ("Data\...")
    std::string text;  // what is wrong (ASCII)
};

struct VerifyReport {
    std::vector<VerifyProblem> problems;  // damage: the store is not as the rules write it
    std::vector<VerifyProblem> notes;     // not damage: leftovers and work still pending
    int dayFiles = 0;
    int runnerFiles = 0;
    int pastRunFiles = 0;
    int finalRunners = 0;    // final runners checked against their horse files
    int pendingRunners = 0;  // final runners of days whose build is still pending
    bool ok() const { return problems.empty(); }
};

// Reads the folders Data and SEI. Problems:
//   - a day file whose lines are not all of its kind's length and type, whose race date is
//     not the file's day, whose race keys repeat, or (odds files) whose lines are not sorted;
//   - a runner file that is not 216 slots of 553 bytes, or holds a record on a slot, day or
//     track that is not its own, or a blood registration number that cannot name a file;
//   - a past-run file that is not whole 826-byte records (824 bytes + CR LF), not sorted, has
//     a repeated race key, or whose registration number is not that of its name and folder;
//   - a final runner (data kind "7" in a final race, slot below the registered runners) with
//     no line for its race in its horse's file, unless the day is in the pending build.
// Notes: leftover temporary files of an interrupted write, RA/HR files left unsorted by the
// real-time result store (which appends), and the final runners whose build is pending.
VerifyReport VerifyStore(const ProgramFolder& folder);

}  // namespace sorvane
