// The generator's command line.
#include <gtest/gtest.h>

#include "feedgen.h"
#include "ports/clock.h"

namespace sorvane::feedgen {
namespace {

TEST(FeedArgsTest, ReadsOptionsWithTheirDefaults) {
    FeedOptions o;
    std::string error;
    ASSERT_TRUE(ParseFeedArgs({"--out", "x"}, o, error)) << error;
    EXPECT_EQ(o.seed, 1u);
    EXPECT_EQ(o.start, DaysFromCivil(2025, 4, 1));
    EXPECT_EQ(o.days, 60);
    EXPECT_EQ(o.tracks, (std::vector<int>{30, 35, 42, 43, 44, 45, 50, 54}));
    EXPECT_FALSE(o.live);
    ASSERT_TRUE(ParseFeedArgs({"--live", "--out", "d", "--seed", "42", "--start", "2024-02-29",
                               "--days", "120", "--tracks", "45,44,45", "--horses", "500"},
                              o, error))
        << error;
    EXPECT_EQ(o.out, "d");
    EXPECT_EQ(o.seed, 42u);
    EXPECT_EQ(o.start, DaysFromCivil(2024, 2, 29));
    EXPECT_EQ(o.days, 120);
    EXPECT_EQ(o.tracks, (std::vector<int>{44, 45}));
    EXPECT_EQ(o.horses, 500);
    EXPECT_TRUE(o.live);
}

TEST(FeedArgsTest, RefusesMistakes) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--out"},
        {"--out", "d", "--days", "0"},
        {"--out", "d", "--days", "x"},
        {"--out", "d", "--seed", "-1"},
        {"--out", "d", "--start", "2025-02-29"},
        {"--out", "d", "--start", "2025/04/01"},
        {"--out", "d", "--tracks", "44,29"},
        {"--out", "d", "--tracks", "44,"},
        {"--out", "d", "--tracks", "58"},
        {"--out", "d", "--horses", "5"},
        {"--out", "d", "--fast"},
    };
    for (const auto& args : cases) {
        FeedOptions o;
        std::string error;
        EXPECT_FALSE(ParseFeedArgs(args, o, error)) << (args.empty() ? "" : args.back());
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace sorvane::feedgen
