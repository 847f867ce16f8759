// The run state the acquisition shares with the real-time stores: the cancel flag, what the
// last NVOpen returned, the from-date number and the touched race days.
#pragma once

#include <string>
#include <vector>

namespace sorvane {

// One per program: the acquisition window and the live-day requests must be given the same
// object, because a cancel in the window also stops the real-time read loops until the next
// acquisition starts.
struct StoreRunState {
    bool cancelled = false;  // set by the acquisition's cancel, cleared by its start
    int readCount = 0;
    int downloadCount = 0;
    std::string lastFileTimestamp;         // yyyymmddhhnnss from NVOpen
    int fromDate = 0;                      // yyyymmdd of the chosen start, as a number
    std::vector<std::string> touchedDays;  // RA day files with final results, sorted, unique
};

}  // namespace sorvane
