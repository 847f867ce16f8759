// Helpers of the feed-link tests: writing a hand-made feed, and one small generated season that
// the tests share (generated once per run of the test program).
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "feedgen.h"
#include "ports/clock.h"
#include "temp_dir.h"

namespace sorvane::testing {

inline void WriteFile(const std::filesystem::path& path, const std::string& data) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << data;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Options of the shared season: four days at a turf track, two day tracks and a night track,
// the last day live.
inline feedgen::FeedOptions SmallSeasonOptions(const std::filesystem::path& out) {
    feedgen::FeedOptions o;
    std::string error;
    feedgen::ParseFeedArgs({"--out", out.string(), "--seed", "7", "--start", "2025-06-02", "--days",
                            "4", "--tracks", "35,42,44,50", "--horses", "4000", "--live"},
                           o, error);
    return o;
}

// The shared generated season's folder.
inline const std::filesystem::path& GeneratedFeed() {
    static TempDir dir;
    static const bool made = [] {
        feedgen::GenerateFeed(SmallSeasonOptions(dir.path() / "feed"));
        return true;
    }();
    (void)made;
    static const std::filesystem::path feed = dir.path() / "feed";
    return feed;
}

// The records of a feed file (each with its CR LF).
inline std::vector<std::string> RecordsOf(const std::string& data) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < data.size()) {
        size_t nl = data.find("\r\n", start);
        if (nl == std::string::npos) nl = data.size() - 2;
        out.push_back(data.substr(start, nl + 2 - start));
        start = nl + 2;
    }
    return out;
}

}  // namespace sorvane::testing
