// The demo-season generator: writes a feed folder (RACEDIFN bulk files, the real-time files of
// a live day, the betting account) whose content depends only on the options.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sorvane::feedgen {

struct FeedOptions {
    std::filesystem::path out;
    uint64_t seed = 1;
    int64_t start = 0;  // days since 1970-01-01 (default 2025-04-01)
    int days = 60;
    std::vector<int> tracks;  // default 30, 35, 42, 43, 44, 45, 50, 54
    int horses = 0;           // 0: as many as the tracks need
    bool live = false;        // the last day is today's race day in progress
};

// The live day is seen at this time: races whose post time is at least five minutes before it
// have been run (minutes after midnight, 15:30).
inline constexpr int kLiveNow = 15 * 60 + 30;

struct FeedSummary {
    int days = 0, trackDays = 0, races = 0, files = 0;
    uint64_t bytes = 0;
};

// Parses the command line (without the program name); false with a message on a mistake.
bool ParseFeedArgs(const std::vector<std::string>& args, FeedOptions& options, std::string& error);
std::string FeedUsage();

// Writes the feed. Refuses (std::runtime_error) a folder whose data folders already hold files;
// an existing link.ini or rakuten/account.ini is kept. File errors throw FileError.
FeedSummary GenerateFeed(const FeedOptions& options);

}  // namespace sorvane::feedgen
