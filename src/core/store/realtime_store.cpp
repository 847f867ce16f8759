#include "store/realtime_store.h"

#include "base/sjis.h"
#include "shell/link_message.h"

namespace sorvane {
namespace {

void ReportLinkFailure(AppShell& shell, const std::string& text) {
    shell.ui().Beep();
    shell.main().dlLabel = text;
    try {
        shell.errorLog().Append(text);
    } catch (const FileError& e) {
        shell.ui().ShowError(SjisFromUtf8(std::string(e.what()) + ": " + e.path().string()));
    }
}

RealtimeReadResult RunLoop(AppShell& shell, const StoreRunState& run, StoreMode mode,
                           int bufferSize) {
    RealtimeReadResult result;
    std::u16string buffer;
    std::string fileName;
    try {
        StoreOptions options;
        options.mode = mode;
        RecordStore store(shell.folder(), options);
        for (;;) {
            shell.ui().ProcessEvents();
            if (run.cancelled) {
                result.end = RealtimeReadEnd::Cancelled;
                break;
            }
            int r = shell.link().NVRead(buffer, bufferSize, fileName);
            if (r > 0) {
                store.Put(RecordFromLink(buffer));
                continue;
            }
            if (r == 0) break;
            if (r >= -3) continue;
            result.end = RealtimeReadEnd::ReadFailed;
            result.code = r;
            ReportLinkFailure(shell, LinkMessage("NVRead", r));
            break;
        }
        store.Flush();
        result.tally = store.tally();
    } catch (const FileError& e) {
        result.end = RealtimeReadEnd::FileFailed;
        shell.ui().ShowError(SjisFromUtf8(std::string(e.what()) + ": " + e.path().string()));
    }
    return result;
}

}  // namespace

RealtimeReadResult RunRealtimeOddsStore(AppShell& shell, const StoreRunState& run) {
    return RunLoop(shell, run, StoreMode::RealtimeOdds, kNvReadBufferBulk);
}

RealtimeReadResult RunRealtimeResultStore(AppShell& shell, const StoreRunState& run) {
    return RunLoop(shell, run, StoreMode::RealtimeResults, kNvReadBufferResults);
}

void CloseRealtimeOdds(AppShell& shell) {
    int r = shell.link().NVClose();
    shell.ui().SetCursor(CursorShape::Default);
    if (r != 0) ReportLinkFailure(shell, LinkMessage("NVClose", r));
}

void CloseRealtimeResults(AppShell& shell) {
    int r = shell.link().NVClose();
    shell.ui().SetCursor(CursorShape::Default);
    if (r == 0)
        shell.ui().Beep();
    else
        ReportLinkFailure(shell, LinkMessage("NVClose", r));
}

}  // namespace sorvane
