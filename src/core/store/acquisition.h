// The acquisition window TGetDataForm as core state and controller: the bulk acquisition of
// "RACEDIFN" from a chosen time, its download polling, read loop, cancel, link close, the
// link settings dialog, the odds check box, LastTime, and the past-run build at the end.
//
// For a front end (the Qt dialog, the CLI):
//   - Create one Acquisition when the window opens (it reads KakuteiOzGet and LastTime), give
//     it the program's one StoreRunState, and show state() after every call and whenever the
//     observer set with SetObserver fires (it fires on every change, inside loops too; a
//     window may repaint at most every few tens of milliseconds).
//   - Forward events: ButtonStart -> Start(), ButtonCancel -> Cancel(), SpeedButton1 ->
//     SetUIProperties(), CheckBox1 click -> ClickCheckBox1(), DateTimePicker1 change ->
//     SetPicker(), and run TimerJVStatus while state().timerEnabled, every
//     state().timerIntervalMs, calling Tick().
//   - Start() and Tick() may run the read loop and the build before they return; those loops
//     call Ui::ProcessEvents at every turn, so Cancel() and RequestClose() arrive nested
//     inside them. Disable ButtonStart and the picker while !state().buttonStart.enabled.
//   - On a close request call RequestClose(). It answers true when the window may close now.
//     While a loop runs it cancels the run (no question asked) and answers false; the window
//     must then stay, and close itself once state().closePending is set and busy() is false
//     (that is, after the Start() or Tick() that ran the loop has returned). After the window
//     has closed call Closed(), which rebuilds the main window's date list. Never destroy the
//     Acquisition while busy().
//   - Messages, confirmations, beeps and the cursor go through the shell's Ui port.
#pragma once

#include <functional>
#include <string>

#include "ports/clock.h"
#include "ports/ui.h"
#include "shell/app_shell.h"
#include "store/bulk_store.h"
#include "store/past_run_build.h"
#include "store/store_run_state.h"

namespace sorvane {

struct ControlState {
    std::string caption;  // Shift-JIS
    bool enabled = true;
};

struct ProgressBarState {
    std::string caption;  // the label beside the bar
    int max = 100;
    int position = 0;
};

enum class AcquisitionPhase {
    Idle,         // nothing running (also after a run ended)
    Downloading,  // opened; the timer polls NVStatus
    Reading,      // the read loop runs
    Building,     // the past-run build runs
};

// How the last run ended.
enum class AcquisitionOutcome {
    None,          // no run yet
    Completed,     // read to the end and built
    NoNewData,     // "最新のデータがありません。"
    OpenFailed,    // NVOpen error
    StatusFailed,  // NVStatus error
    ReadFailed,    // NVRead error
    Cancelled,
    FileFailed,  // a day or horse file could not be read or written
};

struct AcquisitionWindowState {
    std::string caption;        // "データ取込"
    ControlState buttonStart;   // "データ取込"
    ControlState buttonCancel;  // "データ取込中止"
    ControlState speedButton1;  // "UmaConn設定"
    ControlState checkBox1;     // "確定オッズも合わせて取得する"
    bool checkBox1Checked = true;
    std::string oddsNote;           // the note below the check box
    std::string pickerCaption;      // "取得開始日付"
    LocalTime picker;               // DateTimePicker1: date and time of the start
    ProgressBarState progressBar1;  // "ダウンロード"
    ProgressBarState progressBar2;  // "読込み"
    ProgressBarState progressBar3;  // "過去データ構築"
    std::string progressLabel;      // ProgressLabel: the status text
    std::string mkDataCaption;      // "作成データ"
    std::string mkDataLabel;        // MkDataLabel: the record just stored
    std::string label5;             // hidden: the LastTime just written
    std::string label9;             // hidden: the day being built, then the build's end text
    bool timerEnabled = false;      // TimerJVStatus
    int timerIntervalMs = 10;
    CursorShape cursor = CursorShape::Default;
    AcquisitionPhase phase = AcquisitionPhase::Idle;
    AcquisitionOutcome outcome = AcquisitionOutcome::None;
    bool closePending = false;  // a close came during a loop: close once busy() is false
};

class Acquisition {
  public:
    // Window creation: CheckBox1 from KakuteiOzGet, the picker from LastTime (default: now
    // minus 365 days). The shell and run state must outlive the window.
    Acquisition(AppShell& shell, StoreRunState& run);
    Acquisition(const Acquisition&) = delete;
    Acquisition& operator=(const Acquisition&) = delete;

    const AcquisitionWindowState& state() const { return state_; }
    void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

    void Start();  // ButtonStart
    void Tick();   // TimerJVStatus
    // ButtonCancel: asks "データ取込を中止します。実行しますか？"; on Yes, CancelConfirmed().
    void Cancel();
    // The cancel after its Yes: timer off, NVCancel, the cancel flag, the box
    // "NVCancel:キャンセルされました". A download in progress is closed with NVClose here
    // (so that the next NVOpen finds the link closed); a running loop closes it when it stops.
    void CancelConfirmed();
    void SetUIProperties();              // SpeedButton1
    void ClickCheckBox1();               // toggles and writes KakuteiOzGet
    void SetOddsChecked(bool checked);   // sets and writes KakuteiOzGet
    void SetPicker(const LocalTime& t);  // DateTimePicker1

    bool RequestClose();
    void Closed();

    // A read loop or the build is on the stack (inside Start or Tick).
    bool busy() const { return busy_; }
    // What the last run stored and built (for reports).
    const StoreTally& storeTally() const { return storeTally_; }
    const BuildTally& buildTally() const { return buildTally_; }
    int dayFilesWritten() const { return dayFilesWritten_; }
    // The memory the store and the build may hold (tests use a small one).
    void SetMemoryBudget(size_t bytes) { budget_ = bytes; }
    // Background workers writing the day and horse files (0: the loops write them).
    void SetWriters(int writers) { writers_ = writers; }

  private:
    void Notify();
    void SetLabel(std::string text);
    void ReadLoop();
    void Finish();
    void LinkClose();
    void StopTimer();
    void DoCancel(bool showBox);
    void SetRunning(bool running);
    void FailFile(const FileError& e);

    AppShell& shell_;
    StoreRunState& run_;
    AcquisitionWindowState state_;
    std::function<void()> observer_;
    bool busy_ = false;
    size_t budget_ = kDefaultStoreBudget;
    int writers_ = DefaultWriters();
    StoreTally storeTally_;
    BuildTally buildTally_;
    int dayFilesWritten_ = 0;
};

// "yyyy/mm/dd hh:nn:ss" of a 14-digit link timestamp; empty when it is blank, all zeros or
// not 14 digits of a real date and time (such a value never reaches LastTime).
std::string LastTimeFromTimestamp(const std::string& timestamp);
// The picker as yyyymmddhhnnss.
std::string FromTimeText(const LocalTime& t);

}  // namespace sorvane
