// The Qt edges: text conversion, the recording Ui, and the GUI's command line.
#include <gtest/gtest.h>

#include <QStringList>

#include "base/sjis.h"
#include "gui_options.h"
#include "gui_ui.h"
#include "qt_text.h"

namespace {

TEST(QtTextTest, RoundTripsShiftJisAndMarksWhatItCannotKeep) {
    const std::string sjis = sorvane::Sj("ﾃﾞｰﾀ取得　①");
    const QString q = QtFromSjis(sjis);
    EXPECT_EQ(q, QString::fromUtf8("ﾃﾞｰﾀ取得　①"));
    EXPECT_EQ(SjisFromQt(q), sjis);
    // A character outside code page 932 becomes '?' rather than being dropped.
    EXPECT_EQ(SjisFromQt(QString::fromUtf8("a€b")), "a?b");
    EXPECT_TRUE(QtFromSjis("").isEmpty());
}

TEST(GuiUiTest, RecordingKeepsEveryCallAndAnswersFromTheQueue) {
    GuiUi ui(/*recording=*/true);
    ui.setDefaultAnswer(false);
    ui.queueAnswer(true);
    ui.Beep();
    ui.Inform(sorvane::Sj("お知らせ"));
    EXPECT_TRUE(ui.Confirm("q1"));
    EXPECT_FALSE(ui.Confirm("q2"));  // queue exhausted: the default
    ui.ShowError("e");
    ui.SetCursor(sorvane::CursorShape::HourGlass);
    ui.SetCursor(sorvane::CursorShape::Default);
    ASSERT_EQ(ui.shown().size(), 5u);
    EXPECT_EQ(ui.shown()[0].kind, GuiUi::Kind::Beep);
    EXPECT_EQ(ui.shown()[1].kind, GuiUi::Kind::Inform);
    EXPECT_EQ(ui.shown()[1].text, sorvane::Sj("お知らせ"));
    EXPECT_EQ(ui.shown()[2].kind, GuiUi::Kind::Confirm);
    EXPECT_EQ(ui.shown()[4].kind, GuiUi::Kind::Error);
}

TEST(GuiOptionsTest, ParsesHomeAndLinkInBothForms) {
    struct Case {
        QStringList args;
        std::string home, link;
    };
    const Case cases[] = {
        {{"sorvane"}, "", ""},
        {{"sorvane", "--home", "/tmp/h", "--link", "feed:demo"}, "/tmp/h", "feed:demo"},
        {{"sorvane", "--home=/tmp/h", "--link=absent"}, "/tmp/h", "absent"},
        {{"sorvane", "--unknown", "x", "--link", "com"}, "", "com"},
        {{"sorvane", "--home"}, "", ""},  // missing value
        {{"sorvane", "--home", QString::fromUtf8("/tmp/競馬")}, "/tmp/競馬", ""},
    };
    for (const Case& c : cases) {
        const GuiOptions o = ParseGuiArgs(c.args);
        EXPECT_EQ(o.home, c.home) << c.args.join(' ').toStdString();
        EXPECT_EQ(o.link, c.link) << c.args.join(' ').toStdString();
    }
}

}  // namespace
