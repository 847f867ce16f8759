// What the end-to-end store tests share: a generated season in a feed folder, a fresh program
// folder, and the files of the Data and SEI folders read as one map for byte comparison.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/files.h"
#include "feedgen.h"
#include "temp_dir.h"

namespace sorvane::testing {

// A feed of `days` race days from 2026-04-01 on the given tracks.
inline void MakeFeed(const std::filesystem::path& out, int days, const std::string& tracks,
                     int seed = 11) {
    feedgen::FeedOptions o;
    std::string error;
    std::vector<std::string> args = {"--out",    out.string(), "--seed", std::to_string(seed),
                                     "--start",  "2026-04-01", "--days", std::to_string(days),
                                     "--tracks", tracks};
    ASSERT_TRUE(feedgen::ParseFeedArgs(args, o, error)) << error;
    feedgen::GenerateFeed(o);
}

// Relative path (folder names upper-cased, so DATA and Data compare alike) -> content, of every
// file under Data and SEI. The pending-build list and leftovers of interrupted writes count too.
inline std::map<std::string, std::string> StoreTree(const std::filesystem::path& home) {
    std::map<std::string, std::string> tree;
    std::error_code ec;
    for (const char* top : {"Data", "SEI"}) {
        std::filesystem::path dir = ResolveComponent(home, top);
        for (auto it = std::filesystem::recursive_directory_iterator(dir, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            if (!it->is_regular_file()) continue;
            std::string data;
            ReadWholeFile(it->path(), data);
            tree[std::string(top) + "/" + std::filesystem::relative(it->path(), dir).string()] =
                std::move(data);
        }
    }
    if (std::filesystem::exists(home / "pastrun.pending")) tree["pastrun.pending"] = "";
    return tree;
}

// The first difference of two trees, for a readable failure; empty when they are equal.
inline std::string FirstDifference(const std::map<std::string, std::string>& a,
                                   const std::map<std::string, std::string>& b) {
    for (const auto& [name, data] : a) {
        auto it = b.find(name);
        if (it == b.end())
            return name + " only in the first (" + std::to_string(a.size()) + " files against " +
                   std::to_string(b.size()) + ")";
        if (it->second != data) return name + " differs";
    }
    for (const auto& [name, data] : b)
        if (a.find(name) == a.end()) return name + " only in the second";
    return {};
}

}  // namespace sorvane::testing
