// Construction of the main window's areas, menu and grids, and its general commands.
#include "main_window.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "all_race_controls.h"
#include "data_span_form.h"
#include "entry_grid_hooks.h"
#include "get_data_form.h"
#include "grid_view.h"
#include "qt_text.h"
#include "two_horse_bar.h"

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QPushButton* Button(QWidget* parent, const char* name, const char* caption,
                    const char* hint = nullptr) {
    auto* b = new QPushButton(U(caption), parent);
    if (name) b->setObjectName(U(name));
    if (hint) {
        b->setToolTip(U(hint));
        b->setStatusTip(U(hint));
    }
    return b;
}

QToolButton* SpeedButton(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QToolButton(parent);
    b->setText(U(caption));
    if (name) b->setObjectName(U(name));
    return b;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption = "") {
    auto* l = new QLabel(U(caption), parent);
    if (name) l->setObjectName(U(name));
    return l;
}

QAction* Item(QMenu* menu, const char* name, const char* caption, const char* hint = nullptr) {
    QAction* a = menu->addAction(U(caption));
    if (name) a->setObjectName(U(name));
    if (hint) a->setStatusTip(U(hint));
    return a;
}

QStringList QtList(const std::vector<std::string>& sjisItems) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(sjisItems.size()));
    for (const std::string& s : sjisItems) list << QtFromSjis(s);
    return list;
}

}  // namespace

MainWindow::MainWindow(sorvane::AppShell& shell, QWidget* parent)
    : QMainWindow(parent), shell_(shell) {
    setObjectName(QStringLiteral("MainForm"));
    BuildMenu();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    column->addWidget(BuildTopBar());
    auto* body = new QHBoxLayout;
    body->setSpacing(2);
    body->addWidget(BuildDayPanel());
    body->addWidget(BuildPages(), 1);
    body->addStretch(0);
    column->addLayout(body, 1);
    // The window takes any stored size, as the original form did; what does not fit is cut.
    central->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setCentralWidget(central);
    statusBar();  // the status line; hints of buttons and menu entries show there

    HookEntryGrids(*this, shell_);
    BuildRaceDayControls();
    allRace_ = new AllRaceControls(*this, shell_);
    placeFrom(shell_.main().place);
    syncFromState();
}

void MainWindow::BuildMenu() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(U("ﾌｧｲﾙ(&F)"));
    connect(Item(file, "N21", "未処理データの読込(&R)"), &QAction::triggered, this,
            &MainWindow::openUnprocessedDays);
    Item(file, "T4", "時系列オッズより取得(&T)");
    Item(file, "N1O1", "1日分の全オッズを一括取得(&O)");
    Item(file, nullptr, "印刷(&P)...");
    file->addSeparator();
    connect(Item(file, "FileExitItem", "終了(&X)"), &QAction::triggered, this, &QWidget::close);

    QMenu* user = bar->addMenu(U("ﾕｰｻﾞｰ指定(&U)"));
    Item(user, nullptr, "買い目候補馬設定(&K)", "買い目を構築するための軸馬・ヒモ馬を設定します");
    Item(user, "O1", "オッズシキイ値設定(&O)",
         "人気上位馬の逆順位を付ける際ｵｯｽﾞでの足切り値を指定します");
    connect(Item(user, "DataSpanItem", "過去走データ利用範囲指定(&S)"), &QAction::triggered, this,
            [this] {
                DataSpanSetForm form(shell_, this);
                form.exec();
            });
    Item(user, "T2", "データ自動取得時刻設定(&T)");
    Item(user, nullptr, "投資金額設定");

    QMenu* options = bar->addMenu(U("ｵﾌﾟｼｮﾝ(&O)"));
    n9_ = Item(options, "N9", "データ読込時過去走の日付を無視する(&I)");
    n9_->setCheckable(true);
    connect(n9_, &QAction::triggered, this, [this] {
        shell_.ToggleIgnoreDates();
        syncFromState();
    });
    n19_ = Item(options, "N19", "データ読込後直ちに全レース比較を行う(&C)");
    n19_->setCheckable(true);
    connect(n19_, &QAction::triggered, this, [this] {
        shell_.ToggleCompareAll();
        syncFromState();
    });
    options->addSeparator();
    Item(options, nullptr, "楽天競馬残高情報");
    Item(options, nullptr, "楽天競馬入金");
    Item(options, nullptr, "楽天口座切替");
    Item(options, nullptr, "楽天競馬マイページ");

    QMenu* folders = bar->addMenu(U("ﾌｫﾙﾀﾞ指定(&D)"));
    Item(folders, "T3", "時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定(&T)");

    QMenu* help = bar->addMenu(U("ﾍﾙﾌﾟ(&H)"));
    connect(Item(help, "HelpContentsItem", "使用解説書"), &QAction::triggered, this,
            [this] { shell_.OpenManual(); });
}

QWidget* MainWindow::BuildTopBar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);

    dateCombo_ = new QComboBox(bar);
    dateCombo_->setObjectName(QStringLiteral("DateCombo"));
    dateCombo_->setMinimumContentsLength(14);
    row->addWidget(dateCombo_);

    QPushButton* jv = Button(bar, "JVBtn", "データ取得");
    connect(jv, &QPushButton::clicked, this, &MainWindow::openAcquisitionWindow);
    row->addWidget(jv);
    row->addWidget(Button(bar, "CompareAllRaceBtn", "全ﾚｰｽ比較", "全レースにわたって比較します"));
    row->addWidget(Button(bar, "SokuhoOddsBtn", "速報ｵｯｽﾞ", "速報オッズを取得します"));
    row->addWidget(Button(bar, "KekkaGetBtn", "結果情報", "レース結果データを取得します"));
    row->addWidget(Button(bar, "NextRaceBtn", "直前ﾚｰｽ"));

    QToolButton* f = SpeedButton(bar, "SpeedButton8", "F");
    connect(f, &QToolButton::clicked, this, [this] {
        shell_.ToggleDayPanel();
        syncFromState();
    });
    row->addWidget(f);

    bashoLabel_ = Label(bar, "BashoLabel");
    raceLabel_ = Label(bar, "RaceLabel");
    restTimeLabel_ = Label(bar, "RestTimeLabel");
    row->addWidget(bashoLabel_);
    row->addWidget(raceLabel_);
    row->addWidget(restTimeLabel_);
    row->addStretch(1);

    tekiAnaBtn_ = Button(bar, "TekiAnaBtn", "的中");
    tekiAnaBtn2_ = Button(bar, "TekiAnaBtn2", "穴的中");
    row->addWidget(tekiAnaBtn_);
    row->addWidget(tekiAnaBtn2_);
    return bar;
}

QWidget* MainWindow::BuildDayPanel() {
    panel4_ = new QWidget(this);
    panel4_->setObjectName(QStringLiteral("Panel4"));
    panel4_->setFixedWidth(200);
    auto* col = new QVBoxLayout(panel4_);
    col->setContentsMargins(0, 0, 0, 0);
    datList_ = new QListWidget(panel4_);
    datList_->setObjectName(QStringLiteral("DatList"));
    col->addWidget(datList_, 1);
    dlLabel_ = Label(panel4_, "DLlabel");
    dlLabel_->setWordWrap(true);
    col->addWidget(dlLabel_);
    return panel4_;
}

GridView* MainWindow::AddGrid(sorvane::Grid& grid) {
    auto* view = new GridView(grid);
    grids_.push_back(view);
    return view;
}

QWidget* MainWindow::BuildPages() {
    pageControl5_ = new QTabWidget(this);
    pageControl5_->setObjectName(QStringLiteral("PageControl5"));
    sorvane::MainFormState& m = shell_.main();

    pageControl5_->addTab(BuildAnalysisTab(), U("分析表"));
    pageControl5_->addTab(AddGrid(m.stringGrid5), U("出馬表(詳細)"));

    // The payouts of the selected race, filled by the race selection.
    pageControl5_->addTab(AddGrid(m.resultGrid), U("レース結果"));

    pageControl5_->addTab(BuildTallyTab(), U("検証資料"));
    return pageControl5_;
}

QWidget* MainWindow::BuildAnalysisTab() {
    sorvane::MainFormState& m = shell_.main();
    auto* tab = new QWidget;
    auto* col = new QVBoxLayout(tab);
    col->setContentsMargins(0, 0, 0, 0);

    pageControl6_ = new QTabWidget(tab);
    pageControl6_->setObjectName(QStringLiteral("PageControl6"));
    pageControl6_->addTab(BuildEntryTab(), U("出馬表"));
    GridView* stringGrid6 = AddGrid(m.stringGrid6);
    pageControl6_->addTab(stringGrid6, U("２頭比較"));
    pageControl6_->addTab(AddGrid(m.stringGrid7), U("比較詳細表"));
    pageControl6_->addTab(AddGrid(m.stringGrid8), U("比較勝敗表"));
    pageControl6_->addTab(BuildVerificationTab(), U("検証"));
    col->addWidget(pageControl6_, 1);
    // The tab shown follows activeTab when the core changes it; the user's choice goes back.
    connect(pageControl6_, &QTabWidget::currentChanged, this, [this](int i) {
        shell_.main().activeTab = SjisFromQt(pageControl6_->tabText(i));
        shownTab_ = shell_.main().activeTab;
    });

    // The two-horse comparison bar: the picked horses, their carried weights and points.
    twoHorseBar_ = new TwoHorseBar(
        shell_, [this] { syncFromState(); }, tab);
    twoHorseBar_->attachGridMenu(stringGrid6);
    col->addWidget(twoHorseBar_);
    return tab;
}

QWidget* MainWindow::BuildEntryTab() {
    auto* tab = new QWidget;
    auto* col = new QVBoxLayout(tab);
    col->setContentsMargins(0, 0, 0, 0);

    auto* bar = new QWidget(tab);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 0, 2, 0);
    row->addWidget(Button(bar, nullptr, "買い目画面"));
    // One "全"/"CL" pair for each of the three mark columns (◎ 〇 ▲).
    static const char* const kAll[] = {"AllCkBtn1", "AllCkBtn2", "AllCkBtn3"};
    static const char* const kClear[] = {"AllDlBtn1", "AllDlBtn2", "AllDlBtn3"};
    for (int i = 0; i < 3; ++i) {
        row->addWidget(SpeedButton(bar, kAll[i], "全"));
        row->addWidget(SpeedButton(bar, kClear[i], "CL"));
    }

    auto* sort = new QGroupBox(U("並べ替え"), bar);
    auto* sortRow = new QHBoxLayout(sort);
    sortRow->setContentsMargins(2, 0, 2, 0);
    auto* sortGroup = new QButtonGroup(sort);
    sortGroup->setExclusive(true);
    static const char* const kSort[][2] = {
        {"SpeedButton14", "馬番"},    {"SpeedButton15", "勝数"},   {"SpeedButton16", "着順"},
        {"SpeedButton17", "負数"},    {"SpeedButton18", "勝率"},   {"SpeedButton20", "勝ﾎﾟｲﾝﾄ"},
        {"SpeedButton31", "負ﾎﾟｲﾝﾄ"}, {"SpeedButton32", "Pt勝率"}, {"SpeedButton33", "ｵｯｽﾞ順位"}};
    for (const auto& s : kSort) {
        QToolButton* b = SpeedButton(sort, s[0], s[1]);
        b->setCheckable(true);
        sortGroup->addButton(b);
        sortRow->addWidget(b);
    }
    row->addWidget(sort);
    row->addStretch(1);
    row->addWidget(Label(bar, "TFWtimeLabel"));
    col->addWidget(bar);

    col->addWidget(AddGrid(shell_.main().stringGrid4), 1);
    return tab;
}

QWidget* MainWindow::BuildVerificationTab() {
    tabSheet6_ = new QWidget;
    tabSheet6_->setObjectName(QStringLiteral("TabSheet6"));
    auto* col = new QVBoxLayout(tabSheet6_);
    col->setContentsMargins(0, 0, 0, 0);
    auto* pages = new QTabWidget(tabSheet6_);
    pages->addTab(AddGrid(shell_.main().stringGrid9), U("採用データ"));

    auto* matrix = new QWidget;
    auto* matrixCol = new QVBoxLayout(matrix);
    matrixCol->setContentsMargins(0, 0, 0, 0);
    auto* matrixBar = new QHBoxLayout;
    matrixBar->addWidget(Button(matrix, "KanteBtn", "集計"));
    matrixBar->addStretch(1);
    matrixCol->addLayout(matrixBar);
    matrixCol->addWidget(AddGrid(shell_.main().stringGrid10), 1);
    pages->addTab(matrix, U("マトリクス表"));

    col->addWidget(pages);
    return tabSheet6_;
}

QWidget* MainWindow::BuildTallyTab() {
    auto* tab = new QWidget;
    auto* col = new QVBoxLayout(tab);
    col->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    bar->addWidget(Button(tab, "ShukeiDayBtn", "集計"));
    bar->addWidget(Button(tab, "ClipBtn2", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ"));
    bar->addWidget(Button(tab, nullptr, "CSVファイル"));
    bar->addStretch(1);
    col->addLayout(bar);
    col->addWidget(AddGrid(shell_.main().stringGrid3), 1);
    return tab;
}

void MainWindow::syncFromState() {
    const sorvane::MainFormState& m = shell_.main();
    setWindowTitle(QtFromSjis(m.caption));
    n9_->setChecked(m.n9Checked);
    n19_->setChecked(m.n19Checked);
    panel4_->setVisible(m.panel4Visible);
    pageControl5_->setVisible(m.pageControl5Visible);
    tekiAnaBtn_->setVisible(m.tekiAnaBtnVisible);
    tekiAnaBtn2_->setVisible(m.tekiAnaBtn2Visible);
    pageControl6_->setTabVisible(pageControl6_->indexOf(tabSheet6_), m.tabSheet6Visible);

    bashoLabel_->setText(QtFromSjis(m.bashoLabel));
    raceLabel_->setText(QtFromSjis(m.raceLabel));
    restTimeLabel_->setText(QtFromSjis(m.restTimeLabel));
    dlLabel_->setText(QtFromSjis(m.dlLabel));
    const QString hint = QtFromSjis(m.statusHint);
    if (hint != shownHint_) {
        shownHint_ = hint;
        statusBar()->showMessage(hint);
    }

    // Lists are rebuilt only when their items changed, so a selection the user is making is
    // not disturbed; the selection follows the state.
    const QStringList dates = QtList(m.dateComboItems);
    {
        QSignalBlocker block(dateCombo_);
        if (dates != shownDates_) {
            dateCombo_->clear();
            dateCombo_->addItems(dates);
            shownDates_ = dates;
        }
        dateCombo_->setCurrentIndex(m.dateComboIndex < dates.size() ? m.dateComboIndex : -1);
    }
    const QStringList races = QtList(m.datListItems);
    {
        QSignalBlocker block(datList_);
        if (races != shownRaces_) {
            datList_->clear();
            datList_->addItems(races);
            shownRaces_ = races;
        }
        datList_->setCurrentRow(m.datListIndex < races.size() ? m.datListIndex : -1);
    }

    SyncRaceDay();
    if (allRace_) allRace_->syncFromState();
    if (m.activeTab != shownTab_) {
        shownTab_ = m.activeTab;
        for (int i = 0; i < pageControl6_->count(); ++i)
            if (SjisFromQt(pageControl6_->tabText(i)) == m.activeTab)
                pageControl6_->setCurrentIndex(i);
    }
    twoHorseBar_->sync();

    for (GridView* g : grids_) g->refresh();
}

sorvane::WindowPlace MainWindow::currentPlace() const {
    const QRect r =
        (isMaximized() || isMinimized() || isFullScreen()) ? normalGeometry() : geometry();
    sorvane::WindowPlace p;
    p.top = r.y();
    p.left = r.x();
    p.width = r.width();
    p.height = r.height();
    return p;
}

void MainWindow::placeFrom(const sorvane::WindowPlace& place) {
    setGeometry(place.left, place.top, place.width, place.height);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    shell_.Close(currentPlace());
    event->accept();
}

void MainWindow::openAcquisitionWindow() {
    {
        // exec() returns only once the window has closed, which it does only while no loop
        // of the acquisition runs; closing it rebuilds the date list in the shell.
        GetDataForm form(shell_, runState_, this);
        form.exec();
    }
    syncFromState();
}

void MainWindow::openUnprocessedDays() {
    const std::optional<sorvane::UnprocessedDaysRequest> req = shell_.RequestUnprocessedDays();
    if (!req) return;
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("UnprocessedDaysForm"));
    dialog.setWindowTitle(U("未読込データ処理"));
    auto* row = new QHBoxLayout(&dialog);
    auto* year = new QSpinBox(&dialog);
    year->setRange(req->minYear, req->maxYear);
    year->setValue(req->year);
    row->addWidget(year);
    dialog.exec();
}
