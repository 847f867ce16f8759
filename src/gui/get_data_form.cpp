// The acquisition window's widgets, the forwarding of its events to the core and the repaint of
// the core's state, throttled while a loop reports many changes.
#include "get_data_form.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "qt_text.h"

namespace {

QDateTime QtDateTime(const sorvane::LocalTime& t) {
    return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second));
}

sorvane::LocalTime LocalFromQt(const QDateTime& dt) {
    sorvane::LocalTime t;
    const QDate d = dt.date();
    const QTime c = dt.time();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    t.hour = c.hour();
    t.minute = c.minute();
    t.second = c.second();
    return t;
}

void SetText(QLabel* label, const std::string& sjis) {
    const QString text = QtFromSjis(sjis);
    if (label->text() != text) label->setText(text);
}

// A bar of maximum 0 would show Qt's busy animation; it is shown as an empty bar instead.
// Qt ignores a value outside the range, so the position is clamped into it.
void ShowBar(QProgressBar* bar, const sorvane::ProgressBarState& s) {
    const int max = std::max(1, s.max);
    if (bar->maximum() != max) bar->setRange(0, max);
    bar->setValue(std::clamp(s.position, 0, max));
}

}  // namespace

GetDataForm::GetDataForm(sorvane::AppShell& shell, sorvane::StoreRunState& run, QWidget* parent)
    : QDialog(parent), acquisition_(std::make_unique<sorvane::Acquisition>(shell, run)) {
    setObjectName(QStringLiteral("GetDataForm"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();

    timerJVStatus_ = new QTimer(this);
    timerJVStatus_->setObjectName(QStringLiteral("TimerJVStatus"));
    timerJVStatus_->setTimerType(Qt::PreciseTimer);
    connect(timerJVStatus_, &QTimer::timeout, this,
            [this] { Forward([this] { acquisition_->Tick(); }); });

    repaintTimer_ = new QTimer(this);
    repaintTimer_->setSingleShot(true);
    connect(repaintTimer_, &QTimer::timeout, this, [this] { Render(); });

    acquisition_->SetObserver([this] { OnCoreChanged(); });
    Render();
    SyncTimer();
}

GetDataForm::~GetDataForm() {
    // The exec() that showed the window has returned, so no loop of the core is on the stack.
    acquisition_->SetObserver(nullptr);
}

void GetDataForm::BuildControls() {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(6);

    auto* top = new QHBoxLayout;
    buttonStart_ = new QPushButton(this);
    buttonStart_->setObjectName(QStringLiteral("ButtonStart"));
    buttonCancel_ = new QPushButton(this);
    buttonCancel_->setObjectName(QStringLiteral("ButtonCancel"));
    // Enter must not start or cancel a run by accident.
    buttonStart_->setAutoDefault(false);
    buttonCancel_->setAutoDefault(false);
    speedButton1_ = new QToolButton(this);
    speedButton1_->setObjectName(QStringLiteral("SpeedButton1"));
    top->addWidget(buttonStart_);
    top->addWidget(buttonCancel_);
    top->addStretch(1);
    top->addWidget(speedButton1_);
    column->addLayout(top);

    checkBox1_ = new QCheckBox(this);
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
    column->addWidget(checkBox1_);
    oddsNote_ = new QLabel(this);
    oddsNote_->setObjectName(QStringLiteral("OddsNoteLabel"));
    oddsNote_->setWordWrap(true);
    column->addWidget(oddsNote_);

    auto* pickerRow = new QHBoxLayout;
    pickerCaption_ = new QLabel(this);
    pickerCaption_->setObjectName(QStringLiteral("PickerCaptionLabel"));
    dateTimePicker1_ = new QDateTimeEdit(this);
    dateTimePicker1_->setObjectName(QStringLiteral("DateTimePicker1"));
    dateTimePicker1_->setDisplayFormat(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    dateTimePicker1_->setCalendarPopup(true);
    pickerCaption_->setBuddy(dateTimePicker1_);
    pickerRow->addWidget(pickerCaption_);
    pickerRow->addWidget(dateTimePicker1_);
    pickerRow->addStretch(1);
    column->addLayout(pickerRow);

    auto* bars = new QGridLayout;
    static const char* const barNames[3] = {"ProgressBar1", "ProgressBar2", "ProgressBar3"};
    static const char* const captionNames[3] = {"ProgressBar1Label", "ProgressBar2Label",
                                                "ProgressBar3Label"};
    for (int i = 0; i < 3; ++i) {
        barCaption_[i] = new QLabel(this);
        barCaption_[i]->setObjectName(QString::fromLatin1(captionNames[i]));
        bar_[i] = new QProgressBar(this);
        bar_[i]->setObjectName(QString::fromLatin1(barNames[i]));
        bar_[i]->setRange(0, 100);
        bar_[i]->setValue(0);
        barCaption_[i]->setBuddy(bar_[i]);
        bars->addWidget(barCaption_[i], i, 0);
        bars->addWidget(bar_[i], i, 1);
    }
    bars->setColumnStretch(1, 1);
    column->addLayout(bars);

    // The status texts change at every turn of a loop; they must not resize the fixed window.
    progressLabel_ = new QLabel(this);
    progressLabel_->setObjectName(QStringLiteral("ProgressLabel"));
    progressLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    column->addWidget(progressLabel_);

    auto* mkRow = new QHBoxLayout;
    mkDataCaption_ = new QLabel(this);
    mkDataCaption_->setObjectName(QStringLiteral("MkDataCaptionLabel"));
    mkDataLabel_ = new QLabel(this);
    mkDataLabel_->setObjectName(QStringLiteral("MkDataLabel"));
    mkDataLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    mkRow->addWidget(mkDataCaption_);
    mkRow->addWidget(mkDataLabel_, 1);
    column->addLayout(mkRow);

    // Hidden as in the original form: the LastTime just written and the day being built.
    label5_ = new QLabel(this);
    label5_->setObjectName(QStringLiteral("Label5"));
    label5_->hide();
    label9_ = new QLabel(this);
    label9_->setObjectName(QStringLiteral("Label9"));
    label9_->hide();
    column->addStretch(1);

    connect(buttonStart_, &QPushButton::clicked, this,
            [this] { Forward([this] { acquisition_->Start(); }); });
    connect(buttonCancel_, &QPushButton::clicked, this,
            [this] { Forward([this] { acquisition_->Cancel(); }); });
    connect(speedButton1_, &QToolButton::clicked, this,
            [this] { Forward([this] { acquisition_->SetUIProperties(); }); });
    connect(checkBox1_, &QCheckBox::clicked, this,
            [this] { Forward([this] { acquisition_->ClickCheckBox1(); }); });
    connect(dateTimePicker1_, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& dt) {
        Forward([this, dt] { acquisition_->SetPicker(LocalFromQt(dt)); });
    });

    // The texts are set once here so that the fixed size fits them.
    Render();
    setMinimumWidth(480);
    adjustSize();
    setFixedSize(size());
}

template <class F>
void GetDataForm::Forward(F&& call) {
    call();
    Render();
    SyncTimer();
    CloseIfPending();
}

void GetDataForm::OnCoreChanged() {
    SyncTimer();
    const bool due = !sinceRepaint_.isValid() || sinceRepaint_.elapsed() >= repaintIntervalMs_;
    if (due) {
        Render();
    } else if (!repaintTimer_->isActive()) {
        // The last change of a burst is shown by this timer at the latest.
        repaintTimer_->start(
            std::max(0, repaintIntervalMs_ - static_cast<int>(sinceRepaint_.elapsed())));
    }
    emit stateChanged();
}

void GetDataForm::SyncTimer() {
    if (!timerJVStatus_) return;
    const sorvane::AcquisitionWindowState& s = acquisition_->state();
    if (timerJVStatus_->interval() != s.timerIntervalMs)
        timerJVStatus_->setInterval(s.timerIntervalMs);
    if (s.timerEnabled && !timerJVStatus_->isActive()) timerJVStatus_->start();
    if (!s.timerEnabled && timerJVStatus_->isActive()) timerJVStatus_->stop();
}

void GetDataForm::Render() {
    const sorvane::AcquisitionWindowState& s = acquisition_->state();
    const QString title = QtFromSjis(s.caption);
    if (windowTitle() != title) setWindowTitle(title);

    buttonStart_->setText(QtFromSjis(s.buttonStart.caption));
    buttonStart_->setEnabled(s.buttonStart.enabled);
    buttonCancel_->setText(QtFromSjis(s.buttonCancel.caption));
    buttonCancel_->setEnabled(s.buttonCancel.enabled);
    speedButton1_->setText(QtFromSjis(s.speedButton1.caption));
    speedButton1_->setEnabled(s.speedButton1.enabled);
    checkBox1_->setText(QtFromSjis(s.checkBox1.caption));
    checkBox1_->setEnabled(s.checkBox1.enabled);
    checkBox1_->setChecked(s.checkBox1Checked);  // emits no clicked()
    SetText(oddsNote_, s.oddsNote);

    SetText(pickerCaption_, s.pickerCaption);
    dateTimePicker1_->setEnabled(s.buttonStart.enabled);
    const QDateTime picker = QtDateTime(s.picker);
    if (dateTimePicker1_->dateTime() != picker) {
        const QSignalBlocker block(dateTimePicker1_);
        dateTimePicker1_->setDateTime(picker);
    }

    const sorvane::ProgressBarState* bars[3] = {&s.progressBar1, &s.progressBar2, &s.progressBar3};
    for (int i = 0; i < 3; ++i) {
        SetText(barCaption_[i], bars[i]->caption);
        ShowBar(bar_[i], *bars[i]);
    }
    SetText(progressLabel_, s.progressLabel);
    SetText(mkDataCaption_, s.mkDataCaption);
    SetText(mkDataLabel_, s.mkDataLabel);
    SetText(label5_, s.label5);
    SetText(label9_, s.label9);

    sinceRepaint_.start();
    if (repaintTimer_) repaintTimer_->stop();
}

void GetDataForm::CloseIfPending() {
    const sorvane::AcquisitionWindowState& s = acquisition_->state();
    if (s.closePending && !acquisition_->busy() && isVisible()) reject();
}

void GetDataForm::done(int result) {
    if (closed_) {
        QDialog::done(result);
        return;
    }
    // While a loop runs this cancels it and keeps the window; CloseIfPending closes it after
    // the event that ran the loop has returned.
    if (!acquisition_->RequestClose()) {
        Render();
        return;
    }
    timerJVStatus_->stop();
    Render();
    closed_ = true;
    QDialog::done(result);
    acquisition_->Closed();
}
