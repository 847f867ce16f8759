// The real-time stores the live day runs after its own NVRTOpen: the odds store ("0B30") and
// the result store ("0B12"), each a read loop to the end of the request, and their link
// closes. Failures go to the main window's DLlabel and the error log.
#pragma once

#include "shell/app_shell.h"
#include "store/bulk_store.h"
#include "store/store_run_state.h"

namespace sorvane {

enum class RealtimeReadEnd { EndOfData, Cancelled, ReadFailed, FileFailed };

struct RealtimeReadResult {
    RealtimeReadEnd end = RealtimeReadEnd::EndOfData;
    int code = 0;  // the NVRead code of a failure
    StoreTally tally;
};

// Reads until 0 (buffer 100000), storing odds records O1..O6 of tracks 30-57, kind other than
// "0"/"9", race 1..12, as the bulk store does. Stops at once while run.cancelled is set. A
// read below -3: beep, LinkMessage("NVRead", code) into DLlabel and the error log. A file
// failure: the general error message. The records read before a stop are written.
RealtimeReadResult RunRealtimeOddsStore(AppShell& shell, const StoreRunState& run);
// NVClose, default cursor; a non-zero result: beep, its message into DLlabel and the log.
void CloseRealtimeOdds(AppShell& shell);

// Reads until 0 (buffer 60000), storing RA, SE and HR with the result store's rules: RA only
// into an existing .nvRA (replace or append, a blank first line deleted, not re-sorted), SE
// only into an existing runner file, HR with its creation date into a new or existing .nvHR
// (not sorted). Days that get final results are added to the pending past-run build, which
// the next acquisition runs. Failures as for the odds store.
RealtimeReadResult RunRealtimeResultStore(AppShell& shell, const StoreRunState& run);
// NVClose, default cursor; 0 sounds a beep; a non-zero result: beep, DLlabel and the log.
void CloseRealtimeResults(AppShell& shell);

}  // namespace sorvane
