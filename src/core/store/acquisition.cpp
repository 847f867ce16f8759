#include "store/acquisition.h"

#include "base/fields.h"
#include "base/sjis.h"
#include "base/text_format.h"
#include "shell/link_message.h"
#include "store/pending_build.h"
#include "store/temp_files.h"

namespace sorvane {
namespace {

const std::string& T(int id) {
    static const std::string texts[] = {
        Sj("データ取込"),                    // 0 caption, ButtonStart
        Sj("データ取込中止"),                // 1
        Sj("UmaConn設定"),                   // 2
        Sj("確定オッズも合わせて取得する"),  // 3
        Sj("↑ここをチェックすると取得期間に取得済みのオッズがある場合は確定オッズに上書きされま"
           "すので、ご注意ください。"),  // 4
        Sj("取得開始日付"),              // 5
        Sj("ダウンロード"),              // 6
        Sj("読込み"),                    // 7
        Sj("過去データ構築"),            // 8
        Sj("作成データ"),                // 9
        Sj("以降のデータ取込を開始します。データ作成が終了するまで本ソフトを操作したり他のアプリ"
           "ケーションを操作することは極力避けてください。"),  // 10
        Sj("最新のデータがありません。"),                      // 11
        Sj("ダウンロード中・・・"),                            // 12
        Sj("ダウンロード中．．．("),                           // 13
        Sj("データ読込み中．．．("),                           // 14
        Sj("データ読込み完了("),                               // 15
        Sj("データ作成が完了しました。"),                      // 16
        Sj("データ取込を中止します。実行しますか？"),          // 17
        Sj("NVCancel:キャンセルされました"),                   // 18
        Sj("年"),
        Sj("月"),
        Sj("日"),
        Sj("時"),
        Sj("分"),
        Sj("秒"),  // 19..24
    };
    return texts[id];
}

constexpr const char* kSection = "NvDataGet";

bool IsRealTime(const std::string& t) {
    if (t.size() != 14 || !IsAllDigits(t)) return false;
    int y = ToInt(t.substr(0, 4)), mo = ToInt(t.substr(4, 2)), d = ToInt(t.substr(6, 2));
    int h = ToInt(t.substr(8, 2)), mi = ToInt(t.substr(10, 2)), s = ToInt(t.substr(12, 2));
    if (y < 1 || mo < 1 || mo > 12 || d < 1 || h > 23 || mi > 59 || s > 59) return false;
    int y2 = 0, mo2 = 0, d2 = 0;
    CivilFromDays(DaysFromCivil(y, mo, d), y2, mo2, d2);
    return y2 == y && mo2 == mo && d2 == d;
}

}  // namespace

std::string LastTimeFromTimestamp(const std::string& t) {
    if (!IsRealTime(t)) return {};
    return t.substr(0, 4) + "/" + t.substr(4, 2) + "/" + t.substr(6, 2) + " " + t.substr(8, 2) +
           ":" + t.substr(10, 2) + ":" + t.substr(12, 2);
}

std::string FromTimeText(const LocalTime& t) {
    return Format("%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
}

Acquisition::Acquisition(AppShell& shell, StoreRunState& run) : shell_(shell), run_(run) {
    AcquisitionWindowState& s = state_;
    s.caption = T(0);
    s.buttonStart.caption = T(0);
    s.buttonCancel.caption = T(1);
    s.speedButton1.caption = T(2);
    s.checkBox1.caption = T(3);
    s.oddsNote = T(4);
    s.pickerCaption = T(5);
    s.progressBar1.caption = T(6);
    s.progressBar2.caption = T(7);
    s.progressBar3.caption = T(8);
    s.mkDataCaption = T(9);
    s.checkBox1Checked = shell_.settings().ReadBool(kSection, "KakuteiOzGet", true);
    std::string def = FormatDateTime(AddDaysTo(shell_.clock().Now(), -365));
    std::string last = shell_.settings().ReadString(kSection, "LastTime", def);
    LocalTime t;
    if (!ParseDateTime(last, t)) ParseDateTime(def, t);
    t.millisecond = 0;
    s.picker = t;
}

void Acquisition::Notify() {
    if (observer_) observer_();
}

void Acquisition::SetLabel(std::string text) {
    state_.progressLabel = std::move(text);
    Notify();
}

void Acquisition::SetRunning(bool running) {
    state_.buttonStart.enabled = !running;
    state_.speedButton1.enabled = !running;
    state_.checkBox1.enabled = !running;
}

void Acquisition::StopTimer() { state_.timerEnabled = false; }

void Acquisition::FailFile(const FileError& e) {
    state_.outcome = AcquisitionOutcome::FileFailed;
    shell_.ui().ShowError(SjisFromUtf8(std::string(e.what()) + ": " + e.path().string()));
}

void Acquisition::Start() {
    if (busy_ || state_.phase != AcquisitionPhase::Idle) return;
    Ui& ui = shell_.ui();
    const LocalTime& p = state_.picker;
    ui.Inform(Format("%04d", p.year) + T(19) + Format("%02d", p.month) + T(20) +
              Format("%02d", p.day) + T(21) + Format("%02d", p.hour) + T(22) +
              Format("%02d", p.minute) + T(23) + Format("%02d", p.second) + T(24) + T(10));
    StopTimer();
    run_.cancelled = false;
    state_.progressBar1.position = 0;
    state_.progressBar2.position = 0;
    run_.touchedDays.clear();
    state_.closePending = false;
    std::string from = FromTimeText(state_.picker);
    run_.fromDate = ToInt(from.substr(0, 8));
    state_.cursor = CursorShape::AppStart;
    ui.SetCursor(CursorShape::AppStart);
    SetRunning(true);
    Notify();

    NvOpenInfo info;
    int r = shell_.link().NVOpen("RACEDIFN", from, 1, info);
    run_.readCount = info.readCount;
    run_.downloadCount = info.downloadCount;
    run_.lastFileTimestamp = info.lastFileTimestamp;
    if (r == -1 || (r == 0 && info.readCount <= 0)) {
        state_.outcome = AcquisitionOutcome::NoNewData;
        ui.Beep();
        ui.Inform(T(11));
        LinkClose();
        return;
    }
    if (r != 0) {
        state_.outcome = AcquisitionOutcome::OpenFailed;
        ui.Beep();
        ui.Inform(FormLinkMessage(LinkMessageForm::OpenError, r));
        LinkClose();
        return;
    }
    SetLabel(FormLinkMessage(LinkMessageForm::OpenOk, r));
    SetLabel("ReadCount:" + std::to_string(info.readCount) +
             ", DownloadCount:" + std::to_string(info.downloadCount));
    if (info.downloadCount > 0) {
        SetLabel(T(12));
        state_.progressBar1.max = info.downloadCount;
        state_.phase = AcquisitionPhase::Downloading;
        state_.timerEnabled = true;
        Notify();
        return;
    }
    state_.progressBar1.max = 100;
    state_.progressBar1.position = 100;
    ReadLoop();
    LinkClose();
}

void Acquisition::Tick() {
    if (busy_ || !state_.timerEnabled) return;
    Ui& ui = shell_.ui();
    int s = shell_.link().NVStatus();
    if (s < 0) {
        state_.outcome = AcquisitionOutcome::StatusFailed;
        ui.Beep();
        ui.Inform(FormLinkMessage(LinkMessageForm::StatusError, s));
        StopTimer();
        LinkClose();
        return;
    }
    int dc = run_.downloadCount;
    std::string text = T(13) + std::to_string(s) + "/" + std::to_string(dc) + ")";
    state_.progressBar1.position = s;
    if (s < dc) {
        SetLabel(text);
        return;
    }
    StopTimer();
    SetLabel(text);
    ReadLoop();
    LinkClose();
}

void Acquisition::ReadLoop() {
    busy_ = true;
    state_.phase = AcquisitionPhase::Reading;
    Ui& ui = shell_.ui();
    NvLink& link = shell_.link();
    const int rc = run_.readCount;
    state_.progressBar2.max = rc;
    state_.progressBar2.position = 0;
    SetLabel(T(14) + "0/" + std::to_string(rc) + ")");
    int counter = 0;
    std::u16string buffer;
    std::string fileName;
    std::string label;
    std::string rec;
    bool reachedEnd = false;
    try {
        RemoveStaleTempFiles(shell_.folder());
        StoreOptions options;
        options.mode = StoreMode::Bulk;
        options.fromDate = run_.fromDate;
        options.storeOdds = state_.checkBox1Checked;
        options.memoryBudget = budget_;
        options.writers = writers_;
        RecordStore store(shell_.folder(), options);
        // Whatever was read before a stop is written: the files then hold what the records
        // read so far make of them, as after the same records stored one by one.
        auto finish = [&]() {
            store.Flush();
            storeTally_ = store.tally();
            dayFilesWritten_ = store.filesWritten();
            run_.touchedDays = store.touchedDays();
        };
        for (;;) {
            ui.ProcessEvents();
            if (run_.cancelled) {
                finish();
                state_.outcome = AcquisitionOutcome::Cancelled;
                break;
            }
            int r = link.NVRead(buffer, kNvReadBufferBulk, fileName);
            if (r > 0) {
                RecordFromLink(buffer, rec);
                if (store.Put(rec, &label).verdict == StoreVerdict::Stored) {
                    state_.mkDataLabel.swap(label);
                    Notify();
                }
                continue;
            }
            if (r == -1) {
                // The day files of this NV file are written while the next one is read.
                store.StartFlush();
                ++counter;
                state_.progressBar2.position = counter;
                SetLabel(T(14) + std::to_string(counter) + "/" + std::to_string(rc) + ")");
                continue;
            }
            if (r == 0) {
                finish();
                SetLabel("NVRead EndOfFile :0");
                SetLabel(T(15) + std::to_string(counter) + "/" + std::to_string(rc) + ")");
                state_.progressBar1.position = 0;
                state_.progressBar2.position = 0;
                reachedEnd = true;
                break;
            }
            if (r == -2 || r == -3) continue;
            finish();
            state_.outcome = AcquisitionOutcome::ReadFailed;
            ui.Beep();
            ui.Inform(FormLinkMessage(LinkMessageForm::ReadError, r));
            break;
        }
        if (reachedEnd) Finish();
    } catch (const FileError& e) {
        FailFile(e);
    }
    busy_ = false;
    state_.phase = AcquisitionPhase::Idle;
    Notify();
}

void Acquisition::Finish() {
    Ui& ui = shell_.ui();
    state_.phase = AcquisitionPhase::Building;
    const ProgramFolder& folder = shell_.folder();
    // The touched days are in the pending build by now, beside any day a killed or cancelled
    // run left there; the build takes them all.
    std::vector<std::string> days = ReadPendingBuild(folder);
    BuildHooks hooks;
    hooks.progress = [&](int pos, int max, const std::string& text) {
        state_.progressBar3.max = max;
        state_.progressBar3.position = pos;
        state_.label9 = text;
        Notify();
        ui.ProcessEvents();
    };
    hooks.cancelled = [&]() { return run_.cancelled; };
    buildTally_ = BuildTally{};
    BuildResult br = RunPastRunBuild(folder, days, hooks, &buildTally_, budget_, writers_);
    if (br == BuildResult::Done) ui.Beep();
    std::string last = LastTimeFromTimestamp(run_.lastFileTimestamp);
    if (!last.empty() && !run_.cancelled) {
        LocalTime t;
        if (ParseDateTime(last, t)) state_.picker = t;
        state_.label5 = last;
        shell_.settings().WriteString(kSection, "LastTime", last);
    }
    state_.progressBar3.position = 0;
    if (run_.cancelled) {
        state_.outcome = AcquisitionOutcome::Cancelled;
        Notify();
        return;
    }
    state_.outcome = AcquisitionOutcome::Completed;
    SetLabel(T(16));
}

void Acquisition::LinkClose() {
    Ui& ui = shell_.ui();
    int r = shell_.link().NVClose();
    state_.cursor = CursorShape::Default;
    ui.SetCursor(CursorShape::Default);
    state_.phase = AcquisitionPhase::Idle;
    SetRunning(false);
    if (r != 0) {
        ui.Beep();
        ui.Inform(FormLinkMessage(LinkMessageForm::CloseError, r));
    } else {
        ui.Beep();
    }
    Notify();
}

void Acquisition::Cancel() {
    if (!shell_.ui().Confirm(T(17))) return;
    CancelConfirmed();
}

void Acquisition::CancelConfirmed() { DoCancel(true); }

void Acquisition::DoCancel(bool showBox) {
    bool downloading = state_.phase == AcquisitionPhase::Downloading && !busy_;
    StopTimer();
    shell_.link().NVCancel();
    run_.cancelled = true;
    if (showBox) {
        shell_.ui().Beep();
        shell_.ui().Inform(T(18));
    }
    SetLabel(T(18));
    if (downloading) {
        state_.outcome = AcquisitionOutcome::Cancelled;
        LinkClose();
    }
}

void Acquisition::SetUIProperties() {
    int r = shell_.link().NVSetUIProperties();
    if (r != 0) {
        shell_.ui().Beep();
        shell_.ui().Inform(FormLinkMessage(LinkMessageForm::SetUIPropertiesError, r));
    }
}

void Acquisition::ClickCheckBox1() { SetOddsChecked(!state_.checkBox1Checked); }

void Acquisition::SetOddsChecked(bool checked) {
    state_.checkBox1Checked = checked;
    shell_.settings().WriteBool(kSection, "KakuteiOzGet", checked);
    Notify();
}

void Acquisition::SetPicker(const LocalTime& t) {
    state_.picker = t;
    state_.picker.millisecond = 0;
    Notify();
}

bool Acquisition::RequestClose() {
    if (busy_) {
        if (!run_.cancelled) DoCancel(false);
        state_.closePending = true;
        Notify();
        return false;
    }
    if (state_.phase == AcquisitionPhase::Downloading) DoCancel(false);
    return true;
}

void Acquisition::Closed() { shell_.RebuildDateList(); }

}  // namespace sorvane
