// sorvane-cli acquire killed with SIGKILL during the read and during the build: verify finds
// no damage, and a rerun ends with the files of an uninterrupted run.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include "cli_runner.h"
#include "e2e_support.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::FirstDifference;
using testing::StoreTree;

constexpr const char* kFrom = "2026/03/01 00:00:00";

size_t FilesUnder(const fs::path& dir) {
    size_t n = 0;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(dir, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        n += it->is_regular_file(ec) ? 1 : 0;
    return n;
}

class Kill : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        feed_ = new testing::TempDir;
        testing::MakeFeed(feed_->path(), 10, "30,35,42,43,44,45,50,54");
        base_ = new testing::TempDir;
        ASSERT_EQ(testing::WaitCli(testing::SpawnCli(Args(base_->path()))), 0);
        baseline_ = new std::map<std::string, std::string>(StoreTree(base_->path()));
    }
    static void TearDownTestSuite() {
        delete baseline_;
        delete base_;
        delete feed_;
    }
    static std::vector<std::string> Args(const fs::path& home) {
        return {"--home",  home.string(), "--link", "feed:" + feed_->path().string(),
                "acquire", "--from",      kFrom};
    }
    static size_t DataFiles(const fs::path& home) {
        return FilesUnder(ResolveComponent(home, "DATA"));
    }
    static size_t SeiFiles(const fs::path& home) {
        return FilesUnder(ResolveComponent(home, "SEI"));
    }
    static size_t BaselineData() {
        size_t n = 0;
        for (const auto& [name, d] : *baseline_) n += name.rfind("Data/", 0) == 0;
        return n;
    }
    static size_t BaselineSei() {
        size_t n = 0;
        for (const auto& [name, d] : *baseline_) n += name.rfind("SEI/", 0) == 0;
        return n;
    }

    // Runs acquire until `when` holds, then kills it; false when it ended first.
    static bool RunAndKill(const fs::path& home, const std::function<bool()>& when) {
        pid_t pid = testing::SpawnCli(Args(home));
        for (;;) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) return false;
            if (when()) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                return true;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }

    // After a kill: verify passes, and a rerun gives the uninterrupted files.
    static void CheckRecovery(const fs::path& home, const std::string& point) {
        EXPECT_EQ(testing::WaitCli(testing::SpawnCli({"--home", home.string(), "verify"})), 0)
            << point;
        EXPECT_EQ(testing::WaitCli(testing::SpawnCli(Args(home))), 0) << point;
        EXPECT_EQ(FirstDifference(StoreTree(home), *baseline_), "") << point;
    }

    static testing::TempDir* feed_;
    static testing::TempDir* base_;
    static std::map<std::string, std::string>* baseline_;
};

testing::TempDir* Kill::feed_ = nullptr;
testing::TempDir* Kill::base_ = nullptr;
std::map<std::string, std::string>* Kill::baseline_ = nullptr;

TEST_F(Kill, TheBaselineIsWholeAndVerified) {
    EXPECT_GT(BaselineData(), 50u);
    EXPECT_GT(BaselineSei(), 1000u);
    EXPECT_EQ(baseline_->count("pastrun.pending"), 0u);
    EXPECT_EQ(testing::WaitCli(testing::SpawnCli({"--home", base_->path().string(), "verify"})), 0);
}

TEST_F(Kill, KilledDuringTheReadOrTheBuildTheStoreRecovers) {
    struct Point {
        const char* name;
        std::function<bool(const fs::path&)> when;
    };
    const size_t data = BaselineData(), sei = BaselineSei();
    const std::vector<Point> points = {
        {"read: first day files", [](const fs::path& h) { return DataFiles(h) >= 1; }},
        {"read: 40% of the day files",
         [&](const fs::path& h) { return DataFiles(h) >= data * 4 / 10; }},
        {"read: 80% of the day files",
         [&](const fs::path& h) { return DataFiles(h) >= data * 8 / 10; }},
        {"build: first horse files", [](const fs::path& h) { return SeiFiles(h) >= 1; }},
        {"build: half the horse files", [&](const fs::path& h) { return SeiFiles(h) >= sei / 2; }},
        {"build: 90% of the horse files",
         [&](const fs::path& h) { return SeiFiles(h) >= sei * 9 / 10; }},
    };
    int killed = 0;
    for (const Point& p : points) {
        testing::TempDir home;
        bool k = RunAndKill(home.path(), [&] { return p.when(home.path()); });
        killed += k;
        if (!k) ADD_FAILURE() << p.name << ": the run ended before the kill point";
        CheckRecovery(home.path(), p.name);
    }
    EXPECT_EQ(killed, static_cast<int>(points.size()));
}

TEST_F(Kill, KilledTwiceInARowTheThirdRunCompletes) {
    testing::TempDir home;
    const size_t data = BaselineData(), sei = BaselineSei();
    EXPECT_TRUE(RunAndKill(home.path(), [&] { return DataFiles(home.path()) >= data / 2; }));
    // The rerun reads everything again; kill it in its build.
    EXPECT_TRUE(RunAndKill(home.path(), [&] {
        return SeiFiles(home.path()) >= sei / 3 && fs::exists(home.path() / "pastrun.pending");
    }));
    CheckRecovery(home.path(), "two kills");
}

}  // namespace
}  // namespace sorvane
