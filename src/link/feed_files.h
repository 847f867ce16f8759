// The files of a feed folder as the emulated service delivers them: the bulk files of RACEDIFN
// chosen by their creation time, and the splitting of a file into its CR LF records.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// One file a request serves.
struct FeedFile {
    std::filesystem::path path;
    std::string name;       // the file name, Shift-JIS
    std::string timestamp;  // yyyymmddhhnnss (bulk files only)
};

// True for 14 digits that name a real date and time (yyyymmddhhnnss).
bool IsFeedTime(std::string_view text);

// The regular files of a RACEDIFN folder named <yyyymmddhhnnss>_<name>.nvd (the extension in
// any case) whose time is later than fromTime, ordered by time, then by name. Other entries
// are not part of the feed and are passed over.
std::vector<FeedFile> ListBulkFiles(const std::filesystem::path& dir, std::string_view fromTime);

// The records of a file's content, each ending in CR LF as the service hands it over. A line
// may also end in a lone LF or at the end of the data (it gets its CR LF); empty lines are not
// records.
std::vector<std::string> SplitFeedRecords(std::string_view data);

// Where each of those records lies in the data: its bytes without the line end, and whether
// CR LF follows them there (else the record's CR LF must be added).
struct FeedRecordSpan {
    size_t offset = 0;
    size_t length = 0;
    bool crLf = false;
};
void FindFeedRecords(std::string_view data, std::vector<FeedRecordSpan>& spans);

}  // namespace sorvane
