// sorvane-feedgen: writes a demo season of local racing into a feed folder for the feed link.
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "base/files.h"
#include "feedgen.h"

int main(int argc, char** argv) {
    using namespace sorvane::feedgen;
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const auto& a : args)
        if (a == "--help" || a == "-h") {
            std::fputs(FeedUsage().c_str(), stdout);
            return 0;
        }
    FeedOptions options;
    std::string error;
    if (!ParseFeedArgs(args, options, error)) {
        std::fprintf(stderr, "sorvane-feedgen: %s\n%s", error.c_str(), FeedUsage().c_str());
        return 2;
    }
    auto begin = std::chrono::steady_clock::now();
    try {
        FeedSummary s = GenerateFeed(options);
        double secs =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        std::printf(
            "sorvane-feedgen: %d days, %d meeting days, %d races, %d files, %.1f MB in "
            "%s (%.1f s)\n",
            s.days, s.trackDays, s.races, s.files, static_cast<double>(s.bytes) / 1e6,
            options.out.string().c_str(), secs);
    } catch (const sorvane::FileError& e) {
        std::fprintf(stderr, "sorvane-feedgen: %s: %s\n", e.what(), e.path().string().c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sorvane-feedgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
