// The error log: start entries, trimming to the last lines of earlier runs, error entries.
#include "shell/error_log.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "base/text_format.h"
#include "fake_clock.h"
#include "shell/link_message.h"

namespace sorvane {
namespace {

class ErrorLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "sorvane-errlog-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root_ = tmpl;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        EXPECT_TRUE(ReadLines(root_ / "ErrorLog.txt", lines));
        return lines;
    }
    void WriteOld(int count) const {
        std::vector<std::string> lines;
        for (int i = 1; i <= count; ++i) lines.push_back(Format("old %d", i));
        WriteLines(root_ / "ErrorLog.txt", lines);
    }

    fs::path root_;
    FixedClock clock_{2024, 3, 1, 8, 30, 0};
};

TEST_F(ErrorLogTest, StartOnNewFileWritesTheTwoStartLines) {
    // A trailing separator on the folder does not reach the log.
    ProgramFolder folder(root_.string() + "/");
    ErrorLog log(folder, clock_);
    log.Start();
    std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], Sj("ソフト起動：2024/03/01 08:30:00"));
    EXPECT_EQ(lines[1], SjisFromPath(root_));
    std::string data;
    ASSERT_TRUE(ReadWholeFile(root_ / "ErrorLog.txt", data));
    EXPECT_EQ(data.substr(data.size() - 2), "\r\n");
}

TEST_F(ErrorLogTest, StartKeepsTheLastHundredLines) {
    struct Case {
        int old;
        size_t total;
        const char* firstKept;
    } cases[] = {
        {99, 101, "old 1"}, {100, 102, "old 1"}, {101, 102, "old 2"}, {150, 102, "old 51"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.old);
        WriteOld(c.old);
        ProgramFolder folder(root_);
        ErrorLog(folder, clock_).Start();
        std::vector<std::string> lines = Lines();
        ASSERT_EQ(lines.size(), c.total);
        EXPECT_EQ(lines.front(), c.firstKept);
        EXPECT_EQ(lines[lines.size() - 3], Format("old %d", c.old));
        EXPECT_EQ(lines[lines.size() - 2], Sj("ソフト起動：2024/03/01 08:30:00"));
    }
}

TEST_F(ErrorLogTest, AppendAddsATimedErrorLine) {
    ProgramFolder folder(root_);
    ErrorLog log(folder, clock_);
    // No file yet: the entry starts one.
    clock_.Set(2024, 3, 1, 9, 5, 7);
    const std::string text = Sj("大井 5R:") + LinkMessage("NVRTOpen", -504);
    log.Append(text);
    clock_.Set(2024, 3, 1, 23, 59, 59);
    log.Append(Sj("二行\r\nの文"));
    std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], Sj("【エラー】09:05:07：") + text);
    EXPECT_EQ(lines[0].substr(0, 10), "\x81\x79\x83\x47\x83\x89\x81\x5B\x81\x7A");  // 【エラー】
    EXPECT_EQ(lines[0].substr(10, 10), "09:05:07\x81\x46");
    // A line break inside the text would split the entry and upset the line count.
    EXPECT_EQ(lines[1], Sj("【エラー】23:59:59：二行  の文"));

    // Entries follow whatever the file held, and the next start keeps them.
    log.Start();
    EXPECT_EQ(Lines().size(), 4u);
    EXPECT_EQ(Lines()[1], Sj("【エラー】23:59:59：二行  の文"));
}

TEST_F(ErrorLogTest, UnreadableOrUnwritableLogIsAFileError) {
    fs::create_directory(root_ / "ErrorLog.txt");
    ProgramFolder folder(root_);
    ErrorLog log(folder, clock_);
    EXPECT_THROW(log.Start(), FileError);
    EXPECT_THROW(log.Append("x"), FileError);
}

}  // namespace
}  // namespace sorvane
