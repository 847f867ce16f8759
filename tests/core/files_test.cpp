// Program-folder names, the atomic write, lines and fixed-size records.
#include <gtest/gtest.h>

#include <iterator>

#include "base/files.h"
#include "base/sjis.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

using testing::TempDir;

TEST(ProgramFolder, NamesMatchWithoutRegardToCase) {
    TempDir t;
    ProgramFolder f(t.path());
    ASSERT_TRUE(f.EnsureFolder("DATA"));
    // "Data" and "data" name the folder made as "DATA"; no second folder appears.
    EXPECT_TRUE(f.EnsureFolder("Data"));
    EXPECT_EQ(f.Path("data\\x.nvRA"), t.path() / "DATA" / "x.nvRA");
    EXPECT_EQ(f.Path("Data/x.nvRA"), t.path() / "DATA" / "x.nvRA");
    int folders = 0;
    for (auto& e : fs::directory_iterator(t.path())) folders += e.is_directory();
    EXPECT_EQ(folders, 1);
}

TEST(ProgramFolder, JapaneseNamesAreNativeUtf8OnDisk) {
    TempDir t;
    ProgramFolder f(t.path());
    ASSERT_TRUE(f.EnsureFolder("DATA"));
    std::string name = Sj("DATA\\2024年05月01日大井.nvSEr");
    WriteFileAtomic(f.Path(name), "x");
    EXPECT_TRUE(fs::exists(t.path() / "DATA" / fs::path(u8"2024年05月01日大井.nvSEr")));
}

TEST(ProgramFolder, RefusesNamesThatLeaveTheFolder) {
    TempDir t;
    ProgramFolder f(t.path());
    for (const char* bad : {"", "..", "../x", "DATA\\..\\..\\x", "/etc/passwd", "\\x", "C:x",
                            "a\\\\b", "a\\", "x\ty", "SEI\\."}) {
        EXPECT_FALSE(f.Resolve(bad).has_value()) << bad;
    }
    EXPECT_THROW(f.Path("../x"), FileError);
    // 0x5C as the second byte of a two-byte character is not a separator: "表" is 0x95 0x5C.
    std::string hyo = Sj("表.txt");
    ASSERT_EQ(hyo[1], '\\');
    auto p = f.Resolve(hyo);
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->parent_path(), f.Root());
}

TEST(AtomicWrite, ReplacesWholeAndLeavesNoTemporaries) {
    TempDir t;
    fs::path p = t.path() / "a.txt";
    WriteFileAtomic(p, "old content");
    WriteFileAtomic(p, "new");
    std::string back;
    ASSERT_TRUE(ReadWholeFile(p, back));
    EXPECT_EQ(back, "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(t.path()), fs::directory_iterator()), 1);
    // A write into a folder that does not exist fails loudly and leaves nothing behind.
    EXPECT_THROW(WriteFileAtomic(t.path() / "missing" / "b.txt", "x"), FileError);
    EXPECT_FALSE(ReadWholeFile(t.path() / "none.txt", back));
}

// Lines written straight from the strings give the joined content, also past the most
// pieces one write call takes (two per line) and with empty lines.
TEST(AtomicWrite, LinesGiveTheirJoinedContent) {
    TempDir t;
    std::vector<std::string> many;
    for (int i = 0; i < 1500; ++i) many.push_back(i % 7 == 0 ? "" : std::string(i % 300, 'x'));
    const std::vector<std::vector<std::string>> cases = {
        {}, {""}, {"a"}, {"abc", "", "de"}, many, std::vector<std::string>(513, "q")};
    for (size_t i = 0; i < cases.size(); ++i) {
        fs::path p = t.path() / ("lines" + std::to_string(i));
        WriteLinesAtomic(p, cases[i]);
        std::string back;
        ASSERT_TRUE(ReadWholeFile(p, back));
        EXPECT_EQ(back, JoinLines(cases[i])) << i;
        EXPECT_EQ(back.size(), LinesContentBytes(cases[i])) << i;
    }
    EXPECT_THROW(WriteLinesAtomic(t.path() / "no" / "such", {"a"}), FileError);
}

// One buffer read file after file: each read gives exactly that file, whether it is longer
// or shorter than the one before, empty, or missing.
TEST(FileBuffer, EachReadHoldsExactlyItsFile) {
    TempDir t;
    const std::string big(300000, 'b');
    struct Case {
        const char* name;
        std::string content;
        bool exists;
    } cases[] = {
        {"short", "abc", true}, {"big", big, true},     {"shorter", "xy\r\nz", true},
        {"empty", "", true},    {"missing", "", false}, {"big again", big + "!", true},
    };
    FileBuffer buffer;
    for (const Case& c : cases) {
        fs::path p = t.path() / c.name;
        if (c.exists) WriteFileAtomic(p, c.content);
        EXPECT_EQ(buffer.Read(p), c.exists) << c.name;
        EXPECT_EQ(buffer.view(), c.content) << c.name;
    }
    EXPECT_THROW(buffer.Read(t.path()), FileError);  // a folder cannot be read as a file
    EXPECT_TRUE(buffer.view().empty());
}

TEST(Lines, CrLfAndShortLastRecord) {
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitLines("\r\n\r\n"), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(JoinLines({"a", ""}), "a\r\n\r\n");
    auto recs = SplitRecords("abcdefgh", 3);
    ASSERT_EQ(recs.size(), 3u);
    EXPECT_EQ(recs[2], "gh");
    EXPECT_TRUE(SplitRecords("", 3).empty());
}

}  // namespace
}  // namespace sorvane
