// The day files a store run touches, held in memory and written whole: a record changes the
// lines in memory, and Flush replaces each changed file by its new complete content.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "base/files.h"
#include "store/file_writer.h"
#include "store/folder_index.h"

namespace sorvane {

// What a keyed file (RA, HR, odds) does after each new line, as its record rule says.
struct KeyedRule {
    bool sorted = true;           // sort all lines
    bool dropBlankFirst = false;  // then delete the first line when it is blank
};

// The content a file reaches after any sequence of records is the same as when each record
// is loaded, applied and saved on its own: replacement by race key does not depend on line
// order, the sort is a total order (LineLess), and the blank-first-line rule is applied at the
// flush once for every record applied since the last flush. So a flush can come at any point
// (an NV file boundary, a memory budget) and every file written is a state the per-record
// rules also produce.
class DayStore {
  public:
    // Creates the Data folder when it is missing. Throws FileError when it cannot. With
    // writers > 0 the files of a flush are written by that many background workers, holding
    // at most queueLimit bytes of queued content.
    explicit DayStore(const ProgramFolder& folder, int writers = 0, size_t queueLimit = SIZE_MAX);

    // Whether the day file exists on disk or was made in this run.
    bool Exists(const std::string& fileName);
    // Replaces the line with the same race key, or appends; a missing file starts with it.
    void PutKeyed(const std::string& fileName, std::string line, KeyedRule rule);
    // Puts the line on a slot of a runner file; a missing file starts as 216 blank slots.
    void PutRunner(const std::string& fileName, size_t slot, std::string line);

    // Writes every file changed since the last flush, each by an atomic whole-file replace,
    // and returns when all are written. Throws FileError; files written before the failure
    // keep their new content.
    void Flush();
    // The same, but returns once the files are queued to the writers: first it waits for the
    // writes of the flush before (so a file never has two writes in flight), which is where a
    // failure of those shows. The next Flush or StartFlush waits for these.
    void StartFlush();
    // Forgets every file held, once its writes have ended (after a Flush nothing is lost).
    void Drop();

    // Bytes of the lines held in memory, and of the contents queued for writing.
    size_t BytesHeld() const { return bytes_; }
    size_t BytesQueued() const { return writer_.QueuedBytes(); }
    // Files changed and not yet flushed.
    size_t DirtyFiles() const;
    int filesWritten() const { return filesWritten_; }
    const fs::path& dataDir() const { return data_.dir(); }

  private:
    struct Entry {
        fs::path path;
        bool exists = false;
        bool runner = false;
        KeyedRule rule;
        std::vector<std::string> lines;
        bool dirty = false;
        int puts = 0;           // records applied since the last flush
        bool inFlight = false;  // its lines are being written from: not to be changed
    };
    // The file's entry, ready to be changed: when its lines are still being written, the
    // writes in flight are waited for first.
    Entry& Load(const std::string& fileName, bool runner);
    // Waits for the writes in flight (throwing the first failure) and frees their lines.
    void SettleWrites();

    FolderIndex data_;
    std::unordered_map<std::string, Entry> files_;
    size_t bytes_ = 0;
    int filesWritten_ = 0;
    std::vector<Entry*> inFlight_;  // entries whose lines the writers hold (nodes stay put)
    FileWriter writer_;             // last, so that it has waited before the lines go
};

size_t LinesBytes(const std::vector<std::string>& lines);

}  // namespace sorvane
