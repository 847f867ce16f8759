// The error log ErrorLog.txt in the program folder: a start entry at every start-up and one line
// per failed real-time link request, each with its time.
#pragma once

#include <string>

#include "base/files.h"
#include "ports/clock.h"

namespace sorvane {

class ErrorLog {
  public:
    // Lines of earlier runs kept when a run starts.
    static constexpr size_t kKeptLines = 100;

    // Both must outlive the log.
    ErrorLog(const ProgramFolder& folder, const Clock& clock);

    // Run once at start-up: keeps the last kKeptLines lines of the file (when there is one),
    // adds "ソフト起動：" + yyyy/mm/dd hh:nn:ss and the program folder's path on a line of its
    // own, and saves. Throws FileError when the file cannot be read or written.
    void Start();

    // Adds "【エラー】" + hh:nn:ss + "：" + sjisText and saves. Line breaks inside the text
    // become blanks so that an entry is always one line. Throws FileError like Start.
    void Append(const std::string& sjisText);

    fs::path Path() const;

  private:
    const ProgramFolder& folder_;
    const Clock& clock_;
};

}  // namespace sorvane
