// sorvane-cli acquire and verify on a small generated feed: the link faults of the feed give
// the window's messages and status 1 with LastTime unchanged and the store undamaged; the odds
// switches change the setting as the check box does; verify reports damage with status 1.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "base/files.h"
#include "cli_runner.h"
#include "e2e_support.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;

class CliStore : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        feed_ = new testing::TempDir;
        testing::MakeFeed(feed_->path(), 2, "44,45");
    }
    static void TearDownTestSuite() { delete feed_; }
    static testing::TempDir* feed_;

    testing::TempDir home;
    testing::TempDir faultFeed;

    // A copy of the feed with this link.ini.
    fs::path FeedWith(const std::string& ini) {
        fs::copy(feed_->path(), faultFeed.path(), fs::copy_options::recursive);
        WriteFileAtomic(faultFeed.path() / "link.ini", ini);
        return faultFeed.path();
    }
    int Acquire(const fs::path& feed, std::vector<std::string> extra, std::string* err = nullptr,
                std::string* out = nullptr) {
        std::vector<std::string> args = {
            "--home", home.path().string(), "--link", "feed:" + feed.string(), "acquire",
            "--from", "2026/03/01 00:00:00"};
        args.insert(args.end(), extra.begin(), extra.end());
        return testing::RunCli(args, out, err);
    }
    std::string Setting(const std::string& key) {
        std::string out;
        testing::RunCli(
            {"--home", home.path().string(), "settings", "get", "NvDataGet", key, "<none>"}, &out);
        return out.substr(0, out.find('\n'));
    }
    int Verify(std::string* out = nullptr) {
        return testing::RunCli({"--home", home.path().string(), "verify"}, out);
    }
    size_t Count(const std::string& top, const std::string& ext) {
        size_t n = 0;
        for (auto& e : fs::recursive_directory_iterator(ResolveComponent(home.path(), top)))
            n += e.path().extension() == ext;
        return n;
    }
};

testing::TempDir* CliStore::feed_ = nullptr;

TEST_F(CliStore, ARunStoresEverythingPrintsWhatItStoredAndAdvancesLastTime) {
    std::string out, err;
    ASSERT_EQ(Acquire(feed_->path(), {}, &err, &out), 0) << err;
    EXPECT_NE(err.find("以降のデータ取込を開始します。"), std::string::npos);
    EXPECT_NE(err.find("NVOpen正常:"), std::string::npos) << err;
    EXPECT_NE(err.find("ReadCount:18, DownloadCount:0"), std::string::npos) << err;
    EXPECT_NE(err.find("データ作成が完了しました。"), std::string::npos);
    EXPECT_NE(out.find("records stored\t"), std::string::npos);
    EXPECT_NE(out.find("records rejected\t0"), std::string::npos);
    EXPECT_EQ(Setting("LastTime").size(), 19u);
    EXPECT_GT(Count("SEI", ".kak"), 50u);
    EXPECT_GT(Count("DATA", ".nvO6"), 0u);
    EXPECT_EQ(Verify(), 0);
    // Nothing newer: the message, status 0, nothing changes.
    std::vector<std::string> args = {"--home", home.path().string(), "--link",
                                     "feed:" + feed_->path().string(), "acquire"};
    EXPECT_EQ(testing::RunCli(args, nullptr, &err), 0);
    EXPECT_NE(err.find("最新のデータがありません。"), std::string::npos);
}

TEST_F(CliStore, LinkFaultsGiveTheirMessagesAndLoseNothing) {
    struct Case {
        const char* ini;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"[Fault]\nNVOpen=-504\n", "NVOpenエラー:サーバーがメンテナンス中です。(-504)"},
        {"[Service]\nDownloadFiles=3\n[Fault]\nNVStatus=-502\nNVStatusAfter=2\n",
         "NVStatusエラー:ダウンロードに失敗しました。（通信エラーやディスクエラーなど）(-502)"},
        {"[Fault]\nNVRead=-403\nNVReadAfter=40\n",
         "NVReadエラー:ダウンロードしたファイル内容が異常です。(-403)"},
        {"[Fault]\nNVClose=-1\n", "NVCloseエラー:(-1)"},
    };
    for (const Case& c : cases) {
        testing::TempDir h;
        testing::TempDir f;
        fs::copy(feed_->path(), f.path(), fs::copy_options::recursive);
        WriteFileAtomic(f.path() / "link.ini", c.ini);
        std::string err;
        int status =
            testing::RunCli({"--home", h.path().string(), "--link", "feed:" + f.path().string(),
                             "acquire", "--from", "2026/03/01 00:00:00"},
                            nullptr, &err);
        EXPECT_NE(err.find(c.message), std::string::npos) << c.ini << err;
        EXPECT_EQ(testing::RunCli({"--home", h.path().string(), "verify"}), 0) << c.ini;
        std::string last;
        testing::RunCli(
            {"--home", h.path().string(), "settings", "get", "NvDataGet", "LastTime", "<none>"},
            &last);
        if (std::string(c.ini).find("NVClose") != std::string::npos) {
            // The run itself completed: only its close failed.
            EXPECT_EQ(status, 0);
            EXPECT_EQ(last.size(), 20u);
        } else {
            EXPECT_EQ(status, 1) << c.ini;
            EXPECT_EQ(last, "<none>\n") << c.ini;
        }
    }
}

TEST_F(CliStore, BusyReadsAndDownloadsStillCompleteTheRun) {
    fs::path feed = FeedWith("[Service]\nDownloadFiles=4\nBusyReads=3\n");
    std::string err;
    ASSERT_EQ(Acquire(feed, {}, &err), 0) << err;
    EXPECT_NE(err.find("データ作成が完了しました。"), std::string::npos);
    EXPECT_EQ(Verify(), 0);
}

TEST_F(CliStore, AnInterruptInMidReadCancelsTheRunAndKeepsWhatWasStored) {
    // Busy reads stretch every NV file, so the run is still reading when the signal comes.
    fs::path feed = FeedWith("[Service]\nBusyReads=20000\n");
    char errName[] = "/tmp/sorvane-cli-err-XXXXXX";
    ::close(mkstemp(errName));
    pid_t pid =
        testing::SpawnCli({"--home", home.path().string(), "--link", "feed:" + feed.string(),
                           "acquire", "--from", "2026/03/01 00:00:00"},
                          "/dev/null", errName);
    auto dataFiles = [&] {
        std::error_code ec;
        size_t n = 0;
        for (auto it = fs::directory_iterator(home.path() / "DATA", ec);
             !ec && it != fs::directory_iterator(); it.increment(ec))
            ++n;
        return n;
    };
    while (dataFiles() == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
    kill(pid, SIGINT);
    EXPECT_EQ(testing::WaitCli(pid), 1);
    std::string err;
    ReadWholeFile(errName, err);
    ::unlink(errName);
    EXPECT_NE(err.find("NVCancel:キャンセルされました"), std::string::npos) << err;
    EXPECT_EQ(err.find("データ作成が完了しました。"), std::string::npos) << err;
    EXPECT_EQ(Setting("LastTime"), "<none>");
    EXPECT_EQ(Count("SEI", ".kak"), 0u);
    EXPECT_GT(Count("DATA", ".nvRA"), 0u);
    EXPECT_EQ(Verify(), 0);
}

TEST_F(CliStore, TheOddsSwitchesSetKakuteiOzGet) {
    ASSERT_EQ(Acquire(feed_->path(), {"--no-odds"}), 0);
    EXPECT_EQ(Setting("KakuteiOzGet"), "0");
    EXPECT_EQ(Count("DATA", ".nvO1"), 0u);
    EXPECT_GT(Count("DATA", ".nvRA"), 0u);
    // The setting stays for the next run.
    ASSERT_EQ(Acquire(feed_->path(), {}), 0);
    EXPECT_EQ(Count("DATA", ".nvO1"), 0u);
    ASSERT_EQ(Acquire(feed_->path(), {"--odds"}), 0);
    EXPECT_EQ(Setting("KakuteiOzGet"), "1");
    EXPECT_GT(Count("DATA", ".nvO1"), 0u);
    EXPECT_EQ(Acquire(feed_->path(), {"--odds", "--no-odds"}), 2);
    EXPECT_EQ(Acquire(feed_->path(), {"--from", "yesterday"}), 2);
}

TEST_F(CliStore, VerifyReportsDamageWithItsFile) {
    ASSERT_EQ(Acquire(feed_->path(), {}), 0);
    fs::path victim;
    for (auto& e : fs::recursive_directory_iterator(ResolveComponent(home.path(), "SEI")))
        if (e.is_regular_file()) victim = e.path();
    std::string data;
    ReadWholeFile(victim, data);
    WriteFileAtomic(victim, data.substr(0, data.size() - 10));
    std::string out;
    EXPECT_EQ(Verify(&out), 1);
    EXPECT_NE(out.find(victim.filename().string()), std::string::npos) << out;
}

}  // namespace
}  // namespace sorvane
