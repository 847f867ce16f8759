#include "all_race_controls.h"

#include <QAction>
#include <QPushButton>
#include <QToolButton>
#include <functional>

#include "compare/all_race.h"
#include "grid_view.h"
#include "gui_ui.h"
#include "main_window.h"
#include "wait_form.h"

namespace {

// The sort buttons in the order of sorvane::EntrySort.
constexpr const char* kSortButtons[] = {"SpeedButton14", "SpeedButton15", "SpeedButton16",
                                        "SpeedButton17", "SpeedButton18", "SpeedButton20",
                                        "SpeedButton31", "SpeedButton32", "SpeedButton33"};

void AddCopyCommand(QWidget* grid, const char* name, const char* caption,
                    std::function<void()> run) {
    if (!grid) return;
    auto* copy = new QAction(QString::fromUtf8(caption), grid);
    copy->setObjectName(QString::fromUtf8(name));
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    grid->addAction(copy);
    QObject::connect(copy, &QAction::triggered, grid, std::move(run));
}

}  // namespace

AllRaceControls::AllRaceControls(MainWindow& window, sorvane::AppShell& shell)
    : QObject(&window), window_(window), shell_(shell) {
    waitForm_ = new WaitForm(shell_.main(), &window_);
    // Every long loop of the core lets pending events run through the Ui port: the progress
    // window and the held main window follow the state at each of those turns.
    if (auto* ui = dynamic_cast<GuiUi*>(&shell_.ui()))
        ui->setPumpHook([this] { waitForm_->syncFromState(); });

    auto sync = [this] { window_.syncFromState(); };
    if (auto* all = window_.findChild<QPushButton*>(QStringLiteral("CompareAllRaceBtn")))
        connect(all, &QPushButton::clicked, this, &AllRaceControls::CompareAll);

    for (size_t k = 0; k < std::size(kSortButtons); ++k) {
        auto* b = window_.findChild<QToolButton*>(QString::fromUtf8(kSortButtons[k]));
        sortButtons_.push_back(b);
        if (!b) continue;
        const auto key = static_cast<sorvane::EntrySort>(k);
        connect(b, &QToolButton::clicked, this, [this, key, sync] {
            sorvane::SortEntryTable(shell_, key);
            sync();
        });
    }

    for (int i = 1; i <= 3; ++i) {
        if (auto* b = window_.findChild<QToolButton*>(QStringLiteral("AllCkBtn%1").arg(i)))
            connect(b, &QToolButton::clicked, this, [this, i, sync] {
                sorvane::AllCkBtn(shell_, i);
                sync();
            });
        if (auto* b = window_.findChild<QToolButton*>(QStringLiteral("AllDlBtn%1").arg(i)))
            connect(b, &QToolButton::clicked, this, [this, i, sync] {
                sorvane::AllDlBtn(shell_, i);
                sync();
            });
    }

    AddCopyCommand(window_.findChild<GridView*>(QStringLiteral("StringGrid7")), "CopyDetailItem",
                   "比較詳細表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)",
                   [this] { sorvane::CopyComparisonDetail(shell_); });
    AddCopyCommand(window_.findChild<GridView*>(QStringLiteral("StringGrid8")), "CopyMatrixItem",
                   "比較勝敗表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)",
                   [this] { sorvane::CopyComparisonMatrix(shell_); });
}

AllRaceControls::~AllRaceControls() {
    if (auto* ui = dynamic_cast<GuiUi*>(&shell_.ui())) ui->setPumpHook(nullptr);
}

void AllRaceControls::CompareAll() {
    sorvane::CompareAllRaceBtn(shell_);
    window_.syncFromState();
}

void AllRaceControls::syncFromState() {
    const auto down = static_cast<size_t>(shell_.main().entrySortDown);
    for (size_t k = 0; k < sortButtons_.size(); ++k)
        if (sortButtons_[k]) sortButtons_[k]->setChecked(k == down);
    waitForm_->syncFromState();
}
