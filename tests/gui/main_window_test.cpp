// The main window against a real shell on a temporary home: first start, placement round trip,
// controls and menu by their names, grid headings and widths, and the general commands.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <fstream>

#include "gui_session.h"
#include "shell/settings_file.h"
#include "temp_dir.h"

namespace sorvane::testing {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

class MainWindowTest : public ::testing::Test {
  protected:
    SettingsFile Settings() const { return SettingsFile(home.path() / "sorvane.ini"); }
    TempDir home;
};

TEST_F(MainWindowTest, FirstStartMakesFoldersAndUsesDefaults) {
    GuiSession s(home.path());
    ASSERT_TRUE(s.Start());

    for (const char* folder : {"DATA", "SEI", "kaime", "CSV", "CHG"})
        EXPECT_TRUE(fs::is_directory(home.path() / folder)) << folder;

    EXPECT_EQ(s.window->objectName(), Q("MainForm"));
    EXPECT_EQ(s.window->windowTitle(), Q("Sorvane 地方競馬"));
    EXPECT_EQ(s.window->geometry(), QRect(10, 10, 1000, 900));
    const WindowPlace place = s.window->currentPlace();
    EXPECT_EQ(place, (WindowPlace{10, 10, 1000, 900}));

    ASSERT_NE(s.Action("N9"), nullptr);
    ASSERT_NE(s.Action("N19"), nullptr);
    EXPECT_TRUE(s.Action("N9")->isCheckable());
    EXPECT_FALSE(s.Action("N9")->isChecked());
    EXPECT_TRUE(s.Action("N19")->isChecked());

    // Nothing was asked of the user, and the link was initialised once at the first show.
    EXPECT_TRUE(s.Shown().empty());
    EXPECT_EQ(s.link.initIds, std::vector<std::string>{"SA104729/SD310517/Krnwhl/Ver.1.03"});

    // The day's pages stay hidden until a day is loaded; the hit buttons and the extra
    // verification tab are shown.
    EXPECT_FALSE(s.Widget("PageControl5")->isVisible());
    EXPECT_TRUE(s.Widget("TekiAnaBtn")->isVisible());
    EXPECT_TRUE(s.Widget("TekiAnaBtn2")->isVisible());
    auto* pc6 = s.Widget<QTabWidget>("PageControl6");
    EXPECT_TRUE(pc6->isTabVisible(pc6->indexOf(s.Widget("TabSheet6"))));
}

TEST_F(MainWindowTest, NvInitFailureIsReportedAndTheWindowStays) {
    GuiSession s(home.path());
    s.link.initResult = -101;
    ASSERT_TRUE(s.Start());
    EXPECT_EQ(s.Shown(), std::vector<std::string>{"message:NVInitエラーが発生しました。：-101"});
    EXPECT_TRUE(s.window->isVisible());
}

TEST_F(MainWindowTest, MissingControlEndsBeforeAnyWindow) {
    GuiSession s(home.path());
    s.link.installed = false;
    EXPECT_FALSE(s.Start());
    EXPECT_EQ(s.window, nullptr);
    EXPECT_EQ(s.Shown(),
              (std::vector<std::string>{"beep",
                                        "inform:地方競馬VANのホームページより【UmaConn】を入手し、"
                                        "インストールしてください。"}));
    EXPECT_EQ(s.platform.opened.size(), 1u);
}

TEST_F(MainWindowTest, MovedWindowIsStoredOnCloseAndRestoredAtTheNextStart) {
    {
        GuiSession s(home.path());
        ASSERT_TRUE(s.Start());
        s.window->setGeometry(137, 64, 812, 577);
        QCoreApplication::processEvents();
        // The exit command closes the window, which stores its place.
        s.Action("FileExitItem")->trigger();
        QCoreApplication::processEvents();
        EXPECT_FALSE(s.window->isVisible());
    }
    SettingsFile ini = Settings();
    EXPECT_EQ(ini.ReadInteger("locate", "left", 0), 137);
    EXPECT_EQ(ini.ReadInteger("locate", "top", 0), 64);
    EXPECT_EQ(ini.ReadInteger("locate", "width", 0), 812);
    EXPECT_EQ(ini.ReadInteger("locate", "height", 0), 577);

    GuiSession next(home.path());
    ASSERT_TRUE(next.Start());
    EXPECT_EQ(next.window->geometry(), QRect(137, 64, 812, 577));
    // A second close without a move writes the same place again: the round trip is exact.
    next.window->close();
    EXPECT_EQ(Settings().ReadInteger("locate", "left", 0), 137);
    EXPECT_EQ(Settings().ReadInteger("locate", "height", 0), 577);
}

TEST_F(MainWindowTest, MaximizedWindowStoresItsRestoredPlace) {
    GuiSession s(home.path());
    ASSERT_TRUE(s.Start());
    s.window->setGeometry(40, 30, 700, 500);
    s.window->showMaximized();
    QCoreApplication::processEvents();
    s.window->close();
    EXPECT_EQ(Settings().ReadInteger("locate", "left", 0), 40);
    EXPECT_EQ(Settings().ReadInteger("locate", "width", 0), 700);
}

TEST_F(MainWindowTest, ControlsCarryTheirNamesAndCaptions) {
    GuiSession s(home.path());
    ASSERT_TRUE(s.Start());

    EXPECT_NE(s.Widget<QComboBox>("DateCombo"), nullptr);
    EXPECT_NE(s.Widget<QListWidget>("DatList"), nullptr);
    EXPECT_NE(s.Widget<QLabel>("DLlabel"), nullptr);
    for (const char* name :
         {"BashoLabel", "RaceLabel", "RestTimeLabel", "TFWtimeLabel", "kinryoAlabel",
          "kinryoBlabel", "pt1Label", "pt2Label", "dpt1Label", "dpt2Label", "CtLabel"})
        EXPECT_NE(s.Widget<QLabel>(name), nullptr) << name;
    EXPECT_NE(s.Widget("Edit1"), nullptr);
    EXPECT_NE(s.Widget("Edit2"), nullptr);
    EXPECT_TRUE(s.Widget("DatList")->parentWidget() == s.Widget("Panel4"));
    EXPECT_TRUE(s.Widget("DLlabel")->parentWidget() == s.Widget("Panel4"));

    const std::pair<const char*, const char*> buttons[] = {{"JVBtn", "データ取得"},
                                                           {"CompareAllRaceBtn", "全ﾚｰｽ比較"},
                                                           {"SokuhoOddsBtn", "速報ｵｯｽﾞ"},
                                                           {"KekkaGetBtn", "結果情報"},
                                                           {"NextRaceBtn", "直前ﾚｰｽ"},
                                                           {"SpeedButton8", "F"},
                                                           {"TekiAnaBtn", "的中"},
                                                           {"TekiAnaBtn2", "穴的中"},
                                                           {"SpeedButton12", "クリア"},
                                                           {"Search2Btn", "２頭の比較"},
                                                           {"SpeedButton13", "印刷"},
                                                           {"Search2DirectBtn", "直接対決の比較"},
                                                           {"AllCkBtn1", "全"},
                                                           {"AllDlBtn3", "CL"},
                                                           {"KanteBtn", "集計"},
                                                           {"ShukeiDayBtn", "集計"},
                                                           {"ClipBtn2", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ"},
                                                           {"SpeedButton33", "ｵｯｽﾞ順位"}};
    for (const auto& [name, caption] : buttons) {
        auto* b = s.Widget<QAbstractButton>(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->text(), Q(caption)) << name;
    }

    // Every tab in its page control, in order, with the grid it holds.
    struct Tab {
        const char* control;
        int index;
        const char* caption;
        const char* grid;  // nullptr: none
    };
    const Tab tabs[] = {
        {"PageControl5", 0, "分析表", "StringGrid4"},
        {"PageControl5", 1, "出馬表(詳細)", "StringGrid5"},
        {"PageControl5", 2, "レース結果", nullptr},
        {"PageControl5", 3, "検証資料", "StringGrid3"},
        {"PageControl6", 0, "出馬表", "StringGrid4"},
        {"PageControl6", 1, "２頭比較", "StringGrid6"},
        {"PageControl6", 2, "比較詳細表", "StringGrid7"},
        {"PageControl6", 3, "比較勝敗表", "StringGrid8"},
        {"PageControl6", 4, nullptr, "StringGrid9"},
    };
    for (const Tab& t : tabs) {
        auto* pc = s.Widget<QTabWidget>(t.control);
        ASSERT_NE(pc, nullptr) << t.control;
        QWidget* page = pc->widget(t.index);
        ASSERT_NE(page, nullptr) << t.control << " " << t.index;
        if (t.caption) {
            EXPECT_EQ(pc->tabText(t.index), Q(t.caption)) << t.caption;
        }
        if (t.grid) {
            QTableView* g = page->objectName() == Q(t.grid)
                                ? qobject_cast<QTableView*>(page)
                                : page->findChild<QTableView*>(Q(t.grid));
            EXPECT_NE(g, nullptr) << t.control << " " << t.index << " " << t.grid;
        }
    }
    EXPECT_EQ(s.Widget<QTabWidget>("PageControl5")->count(), 4);
    EXPECT_EQ(s.Widget<QTabWidget>("PageControl6")->count(), 5);
    auto* tabSheet6Pages = s.Widget("TabSheet6")->findChild<QTabWidget*>();
    ASSERT_NE(tabSheet6Pages, nullptr);
    EXPECT_EQ(tabSheet6Pages->tabText(0), Q("採用データ"));
    EXPECT_EQ(tabSheet6Pages->tabText(1), Q("マトリクス表"));
    EXPECT_NE(tabSheet6Pages->widget(1)->findChild<QTableView*>(Q("StringGrid10")), nullptr);
}

TEST_F(MainWindowTest, MenuHoldsExactlyTheListedCommands) {
    GuiSession s(home.path());
    ASSERT_TRUE(s.Start());

    const std::vector<std::pair<const char*, std::vector<const char*>>> expected = {
        {"ﾌｧｲﾙ(&F)",
         {"未処理データの読込(&R)", "時系列オッズより取得(&T)", "1日分の全オッズを一括取得(&O)",
          "印刷(&P)...", "終了(&X)"}},
        {"ﾕｰｻﾞｰ指定(&U)",
         {"買い目候補馬設定(&K)", "オッズシキイ値設定(&O)", "過去走データ利用範囲指定(&S)",
          "データ自動取得時刻設定(&T)", "投資金額設定"}},
        {"ｵﾌﾟｼｮﾝ(&O)",
         {"データ読込時過去走の日付を無視する(&I)", "データ読込後直ちに全レース比較を行う(&C)",
          "楽天競馬残高情報", "楽天競馬入金", "楽天口座切替", "楽天競馬マイページ"}},
        {"ﾌｫﾙﾀﾞ指定(&D)", {"時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定(&T)"}},
        {"ﾍﾙﾌﾟ(&H)", {"使用解説書"}},
    };
    const QList<QAction*> menus = s.window->menuBar()->actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
    for (size_t m = 0; m < expected.size(); ++m) {
        EXPECT_EQ(menus[m]->text(), Q(expected[m].first));
        ASSERT_NE(menus[m]->menu(), nullptr);
        QStringList entries;
        for (QAction* a : menus[m]->menu()->actions())
            if (!a->isSeparator()) entries << a->text();
        QStringList want;
        for (const char* e : expected[m].second) want << Q(e);
        EXPECT_EQ(entries, want) << expected[m].first;
    }

    const std::pair<const char*, const char*> named[] = {
        {"N21", "未処理データの読込(&R)"},
        {"FileExitItem", "終了(&X)"},
        {"HelpContentsItem", "使用解説書"},
        {"N9", "データ読込時過去走の日付を無視する(&I)"},
        {"N19", "データ読込後直ちに全レース比較を行う(&C)"},
        {"T4", "時系列オッズより取得(&T)"},
        {"N1O1", "1日分の全オッズを一括取得(&O)"},
        {"T3", "時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定(&T)"},
        {"T2", "データ自動取得時刻設定(&T)"},
        {"O1", "オッズシキイ値設定(&O)"}};
    for (const auto& [name, caption] : named) {
        QAction* a = s.Action(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->text(), Q(caption)) << name;
    }
}

struct Column {
    int col;
    int width;
    const char* heading;
};

void ExpectColumns(const GuiSession& s, const char* grid, int colCount,
                   const std::vector<Column>& cols) {
    auto* view = s.Widget<QTableView>(grid);
    ASSERT_NE(view, nullptr) << grid;
    ASSERT_NE(view->model(), nullptr) << grid;
    EXPECT_EQ(view->model()->columnCount(), colCount) << grid;
    EXPECT_FALSE(view->horizontalHeader()->isHidden()) << grid;
    for (const Column& c : cols) {
        EXPECT_EQ(view->columnWidth(c.col), c.width) << grid << " col " << c.col;
        EXPECT_EQ(view->model()->headerData(c.col, Qt::Horizontal).toString(), Q(c.heading))
            << grid << " col " << c.col;
    }
}

TEST_F(MainWindowTest, GridsHaveTheirStartUpHeadingsAndWidths) {
    GuiSession s(home.path());
    ASSERT_TRUE(s.Start());
    s.Widget("PageControl5")->show();  // as a day load does, so the headers are laid out

    ExpectColumns(s, "StringGrid4", 31,
                  {{0, 20, "枠"},    {1, 20, "馬"},      {2, 130, "馬名"}, {3, 30, "性齢"},
                   {4, 60, "騎手"},  {5, 35, "斤量"},    {6, 40, "見習"},  {7, 60, "調教師"},
                   {8, 27, "勝数"},  {9, 20, "順"},      {10, 20, "逆"},   {11, 27, "負数"},
                   {12, 40, "勝率"}, {13, 20, "順"},     {14, 30, "勝pt"}, {15, 20, "逆"},
                   {16, 30, "負pt"}, {17, 43, "pt勝率"}, {18, 20, "順"},   {19, 45, "ｵｯｽﾞ"},
                   {20, 20, "順"},   {21, 30, "順当"},   {22, 30, "裏切"}, {23, 40, "裏切率"},
                   {24, 30, "◎"},    {25, 30, "〇"},     {26, 30, "▲"},    {27, 30, "着順"},
                   {28, 45, "ﾀｲﾑ"},  {29, 40, "確ｵｯｽﾞ"}, {30, 30, "確人"}});
    ExpectColumns(s, "StringGrid5", 105,
                  {{0, 20, "枠"},
                   {2, 140, "馬名"},
                   {3, 90, "全・距離別成績"},
                   {4, 100, "馬場別成績"},
                   {5, 145, ""},
                   {104, 145, ""}});
    ExpectColumns(s, "StringGrid6", 31,
                  {{0, 62, "開催日"},
                   {2, 105, "比較される馬"},
                   {6, 105, "比較する馬"},
                   {14, 25, "独－"},
                   {15, 2, ""},
                   {16, 62, "開催日"},
                   {18, 105, "比較する馬"},
                   {22, 105, "比較される馬"},
                   {30, 25, "独－"}});
    ExpectColumns(s, "StringGrid7", 15,
                  {{0, 10, ""},
                   {1, 28, "馬番"},
                   {2, 105, "馬名"},
                   {6, 28, "勝敗"},
                   {7, 28, "馬番"},
                   {12, 28, "勝敗"},
                   {13, 50, "比較数"},
                   {14, 50, "直接対決"}});
    ExpectColumns(s, "StringGrid9", 34,
                  {{2, 105, "比較される馬"},
                   {15, 2, ""},
                   {22, 105, "比較される馬"},
                   {31, 34, "対象"},
                   {32, 30, "表"},
                   {33, 30, "裏"}});
    ExpectColumns(s, "StringGrid3", 51,
                  {{0, 75, "開催日"},
                   {6, 90, "条件"},
                   {11, 35, "1着配"},
                   {12, 30, "勝数"},
                   {21, 35, "pt勝率"},
                   {22, 20, "順"},
                   {24, 25, "人"},
                   {25, 30, "勝数"},
                   {37, 25, "人"},
                   {38, 30, "勝数"},
                   {47, 35, "pt勝率"},
                   {49, 40, "ｵｯｽﾞ"},
                   {50, 25, "人"}});

    // The detailed entry table's heading row is 17 pixels high.
    EXPECT_EQ(s.Widget<QTableView>("StringGrid5")->horizontalHeader()->height(), 17);
}

TEST_F(MainWindowTest, GridViewsFollowTheCoreAfterASync) {
    GuiSession s(home.path());
    ASSERT_TRUE(s.Start());
    Grid& g = s.shell.main().stringGrid4;
    auto* view = s.Widget<QTableView>("StringGrid4");
    g.SetRowCount(4);
    g.SetText(2, 1, Sj("テスト馬"));
    g.SetColWidth(2, 150);
    // Nothing shows before the window is told the state changed.
    EXPECT_EQ(view->model()->rowCount(), 18);
    s.window->syncFromState();
    EXPECT_EQ(view->model()->rowCount(), 3);
    EXPECT_EQ(view->model()->index(0, 2).data().toString(), Q("テスト馬"));
    EXPECT_EQ(view->columnWidth(2), 150);
    EXPECT_EQ(view->columnWidth(3), 30);  // the other widths survive the reset
}

TEST_F(MainWindowTest, OptionTogglesWriteThroughAndAreRestored) {
    {
        GuiSession s(home.path());
        ASSERT_TRUE(s.Start());
        s.Action("N9")->trigger();
        s.Action("N19")->trigger();
        EXPECT_TRUE(s.Action("N9")->isChecked());
        EXPECT_FALSE(s.Action("N19")->isChecked());
        EXPECT_TRUE(Settings().ReadBool("ReadKako", "IgnoDate", false));
        EXPECT_FALSE(Settings().ReadBool("AllRace", "ExecComp", true));
    }
    GuiSession next(home.path());
    ASSERT_TRUE(next.Start());
    EXPECT_TRUE(next.Action("N9")->isChecked());
    EXPECT_FALSE(next.Action("N19")->isChecked());
    next.Action("N9")->trigger();
    EXPECT_FALSE(next.Action("N9")->isChecked());
    EXPECT_FALSE(Settings().ReadBool("ReadKako", "IgnoDate", true));
}

TEST_F(MainWindowTest, UnprocessedDaysChecksTheOptionsFirst) {
    const char* kCheckCompare =
        "inform:メニューの「ｵﾌﾟｼｮﾝ」－「データ読込後直ちに全レース比較を行う」のﾁｪｯｸをしてから"
        "実行してください。";
    const char* kUncheckIgnore =
        "inform:メニューの「ｵﾌﾟｼｮﾝ」－「データ読込時過去走の日付を無視する」のﾁｪｯｸをはずしてから"
        "実行してください。";
    struct Case {
        bool n9, n19;
        const char* message;  // nullptr: the window opens
    };
    const Case cases[] = {
        {true, true, kUncheckIgnore},
        {false, false, kCheckCompare},
        {true, false, kCheckCompare},
        {false, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "N9=" << c.n9 << " N19=" << c.n19);
        TempDir dir;
        GuiSession s(dir.path());
        ASSERT_TRUE(s.Start());
        if (c.n9) s.Action("N9")->trigger();
        if (!c.n19) s.Action("N19")->trigger();
        s.ui.clearShown();

        ModalWatcher watcher;
        int year = 0, minYear = 0, maxYear = 0;
        watcher.inspect = [&](QWidget* w) {
            if (auto* spin = w->findChild<QSpinBox*>()) {
                year = spin->value();
                minYear = spin->minimum();
                maxYear = spin->maximum();
            }
        };
        s.Action("N21")->trigger();
        QCoreApplication::processEvents();

        if (c.message) {
            EXPECT_EQ(s.Shown(), (std::vector<std::string>{"beep", c.message}));
            EXPECT_TRUE(watcher.seen.empty());
        } else {
            EXPECT_TRUE(s.Shown().empty());
            ASSERT_EQ(watcher.seen.size(), 1u);
            EXPECT_EQ(watcher.seen[0].name, Q("UnprocessedDaysForm"));
            EXPECT_EQ(watcher.seen[0].title, Q("未読込データ処理"));
            EXPECT_EQ(year, 2024);
            EXPECT_EQ(minYear, 1990);
            EXPECT_EQ(maxYear, 2024);
        }
    }
}

TEST_F(MainWindowTest, DayPanelButtonHidesAndShowsTheDateList) {
    GuiSession s(home.path());
    ASSERT_TRUE(s.Start());
    auto* f = s.Widget<QAbstractButton>("SpeedButton8");
    EXPECT_TRUE(s.Widget("Panel4")->isVisible());
    f->click();
    EXPECT_FALSE(s.Widget("Panel4")->isVisible());
    EXPECT_FALSE(s.shell.main().panel4Visible);
    f->click();
    EXPECT_TRUE(s.Widget("Panel4")->isVisible());
}

TEST_F(MainWindowTest, ManualOpensWhenPresentAndIsReportedWhenMissing) {
    GuiSession s(home.path());
    ASSERT_TRUE(s.Start());
    s.Action("HelpContentsItem")->trigger();
    EXPECT_EQ(s.Shown(), (std::vector<std::string>{
                             "beep", "inform:使用解説書[SorvaneNV.pdf]が見つかりません。"}));
    EXPECT_TRUE(s.platform.opened.empty());

    std::ofstream(home.path() / "SorvaneNV.pdf") << "%PDF-1.4\n";
    s.ui.clearShown();
    s.Action("HelpContentsItem")->trigger();
    EXPECT_TRUE(s.Shown().empty());
    ASSERT_EQ(s.platform.opened.size(), 1u);
    EXPECT_EQ(fs::path(s.platform.opened[0]).filename(), "SorvaneNV.pdf");
}

TEST_F(MainWindowTest, StateListsAndLabelsAreShown) {
    GuiSession s(home.path());
    ASSERT_TRUE(s.Start());
    MainFormState& m = s.shell.main();
    m.dateComboItems = {Sj("2024年05月11日"), Sj("2024年05月12日")};
    m.dateComboIndex = 1;
    m.datListItems = {Sj(" 1R 大井"), Sj(" 2R 大井")};
    m.datListIndex = 0;
    m.bashoLabel = Sj("大井");
    m.dlLabel = Sj("通信中");
    m.pageControl5Visible = true;
    s.window->syncFromState();

    auto* combo = s.Widget<QComboBox>("DateCombo");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentText(), Q("2024年05月12日"));
    auto* list = s.Widget<QListWidget>("DatList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(list->item(1)->text(), Q(" 2R 大井"));
    EXPECT_EQ(s.Widget<QLabel>("BashoLabel")->text(), Q("大井"));
    EXPECT_EQ(s.Widget<QLabel>("DLlabel")->text(), Q("通信中"));
    EXPECT_TRUE(s.Widget("PageControl5")->isVisible());
}

}  // namespace
}  // namespace sorvane::testing
