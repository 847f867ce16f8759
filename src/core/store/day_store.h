// The day files a store run touches, held in memory and written whole: a record changes the
// lines in memory, and Flush replaces each changed file by its new complete content.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "base/files.h"
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
    // Creates the Data folder when it is missing. Throws FileError when it cannot.
    explicit DayStore(const ProgramFolder& folder);

    // Whether the day file exists on disk or was made in this run.
    bool Exists(const std::string& fileName);
    // Replaces the line with the same race key, or appends; a missing file starts with it.
    void PutKeyed(const std::string& fileName, std::string line, KeyedRule rule);
    // Puts the line on a slot of a runner file; a missing file starts as 216 blank slots.
    void PutRunner(const std::string& fileName, size_t slot, std::string line);

    // Writes every file changed since the last flush, each by an atomic whole-file replace.
    // Throws FileError; files written before the failure keep their new content.
    void Flush();
    // Forgets every file held (after a Flush nothing is lost).
    void Drop();

    // Bytes of the lines held in memory.
    size_t BytesHeld() const { return bytes_; }
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
        int puts = 0;  // records applied since the last flush
    };
    Entry& Load(const std::string& fileName, bool runner);

    FolderIndex data_;
    std::unordered_map<std::string, Entry> files_;
    size_t bytes_ = 0;
    int filesWritten_ = 0;
    std::string buffer_;
};

size_t LinesBytes(const std::vector<std::string>& lines);

// Writes lines with CR LF by the atomic whole-file replace, joining them in `buffer`, which a
// caller writing many files keeps so that its memory is reused from file to file.
void WriteLinesWith(const fs::path& path, const std::vector<std::string>& lines,
                    std::string& buffer);

}  // namespace sorvane
