// The per-record algorithm of the acquisition, literally: every record loads its whole day file,
// updates it, sorts it and saves it; every past-run line loads, updates, sorts and saves its
// whole horse file. It is the yardstick of the benchmark and the oracle of the byte-identity
// test, and lives here only; the program uses src/core/store.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"
#include "ports/nv_link.h"
#include "store/folder_index.h"

namespace sorvane::reference {

// The bulk store, one record at a time, with the same refusals as the program (records that
// would damage a file or a path are not stored).
class ReferenceStore {
  public:
    ReferenceStore(const ProgramFolder& folder, int fromDate, bool storeOdds);

    void Put(std::string_view record);
    // RA day file names with final results, sorted and unique.
    const std::vector<std::string>& touched() const { return touched_; }
    int writes() const { return writes_; }

  private:
    void PutSorted(const std::string& name, std::string line, bool dropBlankFirst);

    int fromDate_;
    bool storeOdds_;
    FolderIndex data_;
    std::vector<std::string> touched_;
    int writes_ = 0;
};

// The past-run build, one line at a time. Returns the number of lines written.
int ReferenceBuild(const ProgramFolder& folder, const std::vector<std::string>& days);

// A whole acquisition on an initialised link: NVOpen from fromTime, NVRead to the end with the
// reference store, then the reference build. Returns the records read (0 when NVOpen failed).
int RunReferenceAcquisition(NvLink& link, const ProgramFolder& folder, const std::string& fromTime,
                            bool storeOdds);

}  // namespace sorvane::reference
