#include "two_horse_bar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "compare/two_horse.h"
#include "grid_view.h"
#include "qt_text.h"

namespace {

QLabel* NamedLabel(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromUtf8(name));
    return l;
}

void SetIfChanged(QLineEdit* e, const std::string& sjis) {
    const QString t = QtFromSjis(sjis);
    if (e->text() != t) e->setText(t);
}

}  // namespace

TwoHorseBar::TwoHorseBar(sorvane::AppShell& shell, std::function<void()> changed, QWidget* parent)
    : QWidget(parent), shell_(shell), changed_(std::move(changed)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 0, 2, 0);
    edit1_ = new QLineEdit(this);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit2_ = new QLineEdit(this);
    edit2_->setObjectName(QStringLiteral("Edit2"));
    connect(edit1_, &QLineEdit::textEdited, this,
            [this](const QString& t) { shell_.main().edit1 = SjisFromQt(t); });
    connect(edit2_, &QLineEdit::textEdited, this,
            [this](const QString& t) { shell_.main().edit2 = SjisFromQt(t); });
    kinryoA_ = NamedLabel(this, "kinryoAlabel");
    kinryoB_ = NamedLabel(this, "kinryoBlabel");
    pt1_ = NamedLabel(this, "pt1Label");
    pt2_ = NamedLabel(this, "pt2Label");
    dpt1_ = NamedLabel(this, "dpt1Label");
    dpt2_ = NamedLabel(this, "dpt2Label");
    ct_ = NamedLabel(this, "CtLabel");
    row->addWidget(edit1_);
    row->addWidget(kinryoA_);
    row->addWidget(pt1_);
    row->addWidget(dpt1_);
    row->addWidget(edit2_);
    row->addWidget(kinryoB_);
    row->addWidget(pt2_);
    row->addWidget(dpt2_);
    row->addWidget(ct_);

    auto* clear = new QToolButton(this);
    clear->setObjectName(QStringLiteral("SpeedButton12"));
    clear->setText(QString::fromUtf8("クリア"));
    connect(clear, &QToolButton::clicked, this, [this] { Run(sorvane::ClearPickedHorses); });
    row->addWidget(clear);
    auto* compare = new QPushButton(QString::fromUtf8("２頭の比較"), this);
    compare->setObjectName(QStringLiteral("Search2Btn"));
    connect(compare, &QPushButton::clicked, this, [this] { Run(sorvane::Search2Btn); });
    row->addWidget(compare);
    auto* print = new QToolButton(this);
    print->setObjectName(QStringLiteral("SpeedButton13"));
    print->setText(QString::fromUtf8("印刷"));
    row->addWidget(print);
    auto* direct = new QPushButton(QString::fromUtf8("直接対決の比較"), this);
    direct->setObjectName(QStringLiteral("Search2DirectBtn"));
    const QString hint = QString::fromUtf8("指定された２頭の直接対決を比較します");
    direct->setToolTip(hint);
    direct->setStatusTip(hint);
    connect(direct, &QPushButton::clicked, this, [this] { Run(sorvane::Search2DirectBtn); });
    row->addWidget(direct);
    sync();
}

void TwoHorseBar::Run(void (*command)(sorvane::AppShell&)) {
    command(shell_);
    if (changed_) changed_();
}

void TwoHorseBar::sync() {
    const sorvane::MainFormState& m = shell_.main();
    SetIfChanged(edit1_, m.edit1);
    SetIfChanged(edit2_, m.edit2);
    kinryoA_->setText(QtFromSjis(m.kinryoALabel));
    kinryoB_->setText(QtFromSjis(m.kinryoBLabel));
    pt1_->setText(QtFromSjis(m.pt1Label));
    pt2_->setText(QtFromSjis(m.pt2Label));
    dpt1_->setText(QtFromSjis(m.dpt1Label));
    dpt2_->setText(QtFromSjis(m.dpt2Label));
    ct_->setText(QtFromSjis(m.ctLabel));
}

void TwoHorseBar::attachGridMenu(GridView* grid) {
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(QString::fromUtf8("比較結果をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)"), grid);
    copy->setObjectName(QStringLiteral("CopyComparisonItem"));
    connect(copy, &QAction::triggered, this, [this] { Run(sorvane::CopyComparisonResult); });
    grid->addAction(copy);
}
