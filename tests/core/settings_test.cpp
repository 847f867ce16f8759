// The settings file: profile semantics, quotes, defaults and write-through.
#include <gtest/gtest.h>

#include "base/sjis.h"
#include "shell/ini_file.h"
#include "shell/settings_file.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

using testing::TempDir;

TEST(IniDocument, ProfileSemantics) {
    IniDocument doc("; comment\r\n[Locate]\r\n Top = 12 \r\nleft=3\r\n\r\n[Other]\r\nx=1\r\n");
    EXPECT_EQ(doc.Get("locate", "TOP"), "12");  // sections and keys ignore case, values trimmed
    EXPECT_FALSE(doc.Get("locate", "x").has_value());
    EXPECT_FALSE(doc.Get("nosuch", "x").has_value());
    doc.Set("LOCATE", "width", "1000");  // a new key goes after the section's last entry
    doc.Set("locate", "top", "20");      // an existing key is replaced in place
    doc.Set("New", "k", "a\r\nb");       // a new section at the end; no line break in a value
    EXPECT_EQ(doc.Text(),
              "; comment\r\n[Locate]\r\ntop=20\r\nleft=3\r\nwidth=1000\r\n\r\n[Other]\r\nx=1\r\n"
              "[New]\r\nk=a  b\r\n");
}

TEST(SettingsFile, QuotesBracketsAndDefaults) {
    TempDir t;
    SettingsFile s(t.path() / "sorvane.ini");
    struct Case {
        const char* stored;  // UTF-8
        const char* read;
    } cases[] = {
        {"\"C:\\Tallowin\\Data\"", "C:\\Tallowin\\Data"},
        {"｢10.0｣", "10.0"},
        {"\"\"", ""},
        {"｢｣", ""},
        {"\"unbalanced", "\"unbalanced"},
        {"\"\"x\"\"", "\"x\""},  // only one pair is removed
        {"plain", "plain"},
    };
    for (const auto& c : cases) {
        s.WriteString("Dir", "v", Sj(c.stored));
        EXPECT_EQ(Utf8FromSjis(s.ReadString("Dir", "v", "def")), c.read) << c.stored;
    }
    EXPECT_EQ(s.ReadString("Dir", "missing", "def"), "def");
    EXPECT_EQ(s.ReadInteger("locate", "top", 10), 10);
    s.WriteString("locate", "top", "abc");
    EXPECT_EQ(s.ReadInteger("locate", "top", 10), 10);  // not a number: the default
    s.WriteString("locate", "top", "\"-5\"");
    EXPECT_EQ(s.ReadInteger("locate", "top", 10), -5);
    s.WriteString("locate", "top", "$1F");
    EXPECT_EQ(s.ReadInteger("locate", "top", 10), 31);
    EXPECT_TRUE(s.ReadBool("AllRace", "ExecComp", true));
    for (const char* v : {"1", "2", "-1"}) {
        s.WriteString("AllRace", "ExecComp", v);
        EXPECT_TRUE(s.ReadBool("AllRace", "ExecComp", false)) << v;
    }
    s.WriteBool("AllRace", "ExecComp", false);
    EXPECT_FALSE(s.ReadBool("AllRace", "ExecComp", true));
}

TEST(SettingsFile, WritesAreOnDiskAtOnceAndSeenByAnotherReader) {
    TempDir t;
    SettingsFile a(t.path() / "sorvane.ini");
    SettingsFile b(t.path() / "sorvane.ini");
    a.WriteInteger("locate", "top", 42);
    EXPECT_EQ(b.ReadInteger("locate", "top", 10), 42);
    b.WriteString("Link", "FeedDir", Sj("フィード"));
    EXPECT_EQ(a.ReadString("Link", "FeedDir", ""), Sj("フィード"));
    EXPECT_EQ(a.ReadInteger("locate", "top", 10), 42);  // other keys survive
}

}  // namespace
}  // namespace sorvane
