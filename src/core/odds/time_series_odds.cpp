// Copying time-series odds snapshots into the day's odds files.
#include "odds/time_series_odds.h"

#include <array>
#include <cstdlib>

#include "base/fields.h"
#include "base/files.h"
#include "base/sjis.h"
#include "odds/odds_import.h"
#include "raceday/race_day.h"
#include "raceday/race_select.h"
#include "shell/app_shell.h"
#include "store/day_files.h"
#include "store/day_stamp.h"

namespace sorvane {

namespace {

constexpr std::array<DayFileKind, 6> kOddsKinds = {DayFileKind::O1, DayFileKind::O2,
                                                   DayFileKind::O3, DayFileKind::O4,
                                                   DayFileKind::O5, DayFileKind::O6};

const char* const kSettingSection = "Dir";
const char* const kSettingKey = "jikeiretu";

// A folder text without trailing separators and with '/' for '\', for comparing folders.
std::string FolderText(std::string_view sjis) {
    std::string s(sjis);
    for (char& c : s)
        if (c == '\\') c = '/';
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

bool IsAlnum(std::string_view t) {
    if (t.empty()) return false;
    for (char c : t)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    return true;
}

// The snapshot file of a race and kind, or nothing when the RA fields cannot form a safe name.
std::optional<fs::path> SnapshotPath(const fs::path& base, const RaRecord& ra, DayFileKind kind) {
    const std::string_view date = ra.RaceDate();
    if (!IsNameDate(date) || !IsAlnum(ra.TrackCode()) || !IsAllDigits(ra.MeetingText()) ||
        !IsAllDigits(ra.DayOfMeetingText()) || !IsAllDigits(ra.RaceNumberText()))
        return std::nullopt;
    const std::string name = std::string(ra.TrackCode()) + std::string(ra.MeetingText()) +
                             std::string(ra.DayOfMeetingText()) + std::string(ra.RaceNumberText()) +
                             std::string(DayFileExtension(kind));
    const fs::path dir = ResolveComponent(base, fs::path(std::string(date)));
    return ResolveComponent(dir, fs::path(name));
}

// The chosen snapshot line into the kind's day file of the race's day: it replaces every line
// of the same race key, or is appended when there is none; a missing file is created.
void PutIntoDayFile(const ProgramFolder& folder, std::string_view raceDate, DayFileKind kind,
                    const std::string& line) {
    const fs::path path = folder.Path(DayFilePath(DayFileName(kind, DayStamp(raceDate))));
    std::vector<std::string> lines;
    ReadLines(path, lines);
    const std::string_view key = RaceKeyOf(line);
    bool replaced = false;
    for (std::string& l : lines) {
        if (RaceKeyOf(l) == key) {
            l = line;
            replaced = true;
        }
    }
    if (!replaced) lines.push_back(line);
    WriteLines(path, lines);
}

// The minutes of the first four characters hhmm of an hhmmss time; nothing unless digits.
std::optional<int> TargetMinutes(std::string_view ozGetTime) {
    const std::string_view hhmm = Field(ozGetTime, 0, 4);
    if (hhmm.size() != 4 || !IsAllDigits(hhmm)) return std::nullopt;
    return ToInt(hhmm.substr(0, 2)) * 60 + ToInt(hhmm.substr(2, 2));
}

std::string CountMessage(const std::array<int, 6>& c) {
    static const std::string kWin = Sj("ﾚｰｽ分の単複枠ｵｯｽﾞ、");
    static const std::string kQuinella = Sj("ﾚｰｽ分の馬連ｵｯｽﾞ");
    static const std::string kWide = Sj("ﾚｰｽ分のﾜｲﾄﾞｵｯｽﾞ");
    static const std::string kExacta = Sj("ﾚｰｽ分の馬単ｵｯｽﾞ");
    static const std::string kTrio = Sj("ﾚｰｽ分の3連複ｵｯｽﾞ");
    static const std::string kTrifecta = Sj("ﾚｰｽ分の3連単ｵｯｽﾞ");
    static const std::string kEnd = Sj("を取りこみました。");
    const std::string crlf = "\r\n";
    return std::to_string(c[0]) + kWin + crlf + std::to_string(c[1]) + kQuinella + crlf +
           std::to_string(c[2]) + kWide + crlf + std::to_string(c[3]) + kExacta + crlf +
           std::to_string(c[4]) + kTrio + crlf + std::to_string(c[5]) + kTrifecta + crlf + kEnd;
}

bool DateBoxEmpty(const MainFormState& m) {
    return m.dateComboIndex < 0 || m.dateComboIndex >= static_cast<int>(m.dateComboItems.size()) ||
           m.dateComboItems[static_cast<size_t>(m.dateComboIndex)].empty();
}

// Step 3 of the import: every race's snapshots into the day files; the counts per kind.
std::array<int, 6> CopySnapshots(AppShell& shell, const fs::path& base) {
    std::array<int, 6> counts{};
    RaceDay& day = shell.day();
    for (int s = 0; s < kMaxRaces; ++s) {
        if (!day.SlotInUse(s)) continue;
        const RaRecord ra(day.raceTable.At(s));
        // A race without a usable scheduled time has no target to be near to.
        const std::optional<int> target =
            TargetMinutes(day.oddsValues[static_cast<size_t>(s)].ozGetTime);
        if (!target) continue;
        for (size_t k = 0; k < kOddsKinds.size(); ++k) {
            const DayFileKind kind = kOddsKinds[k];
            const std::optional<fs::path> snap = SnapshotPath(base, ra, kind);
            std::vector<std::string> lines;
            if (!snap || !ReadLines(*snap, lines)) continue;
            const std::optional<size_t> chosen = NearestSnapshotLine(
                lines, *target, LineLength(DayFileRecordType(kind)), ra.RaceKey());
            if (!chosen) continue;
            PutIntoDayFile(shell.folder(), ra.RaceDate(), kind, lines[*chosen]);
            ++counts[k];
        }
    }
    return counts;
}

}  // namespace

std::optional<size_t> NearestSnapshotLine(const std::vector<std::string>& lines, int targetMinutes,
                                          size_t lineLength, std::string_view raceKey) {
    std::optional<size_t> chosen;
    int best = 1000;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view l = lines[i];
        // A line of another length would shift every fixed record after it in the day file.
        if (l.size() != lineLength || RaceKeyOf(l) != raceKey) continue;
        if (l.substr(15, 4) != l.substr(27, 4)) continue;  // announced before race day
        const std::string_view hh = l.substr(31, 2);
        const std::string_view mm = l.substr(33, 2);
        if (!IsAllDigits(hh) || !IsAllDigits(mm)) continue;
        const int distance = std::abs(targetMinutes - (ToInt(hh) * 60 + ToInt(mm)));
        if (distance < best) {
            best = distance;
            chosen = i;
        }
    }
    return chosen;
}

void ImportTimeSeriesOdds(AppShell& shell) {
    static const std::string kNoFolder = Sj("時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定をしてください。");
    static const std::string kNoDay =
        Sj("ｵｯｽﾞを読み込みたい当日の開催日ﾃﾞｰﾀを読み込んでください。");
    Ui& ui = shell.ui();
    const std::string programFolder = SjisFromPath(shell.folder().Root());
    std::string dir = shell.settings().ReadString(kSettingSection, kSettingKey, programFolder);
    if (dir.empty()) dir = programFolder;  // an empty value would name the working folder
    if (FolderText(dir) == FolderText(programFolder)) {
        ui.Beep();
        ui.Inform(kNoFolder);
        return;
    }
    if (DateBoxEmpty(shell.main())) {
        ui.Beep();
        ui.Inform(kNoDay);
        return;
    }
    ui.SetCursor(CursorShape::HourGlass);
    try {
        const std::array<int, 6> counts = CopySnapshots(shell, NativeName(FolderText(dir)));
        ui.Inform(CountMessage(counts));
        for (int s = 0; s < kMaxRaces; ++s) {
            shell.day().ozRaceSlot = s;
            OzReadBtn(shell);
        }
        const int line = shell.main().datListIndex;
        if (line >= 0 && line < static_cast<int>(shell.main().datListItems.size()))
            SelectRace(shell, line);
    } catch (const FileError& e) {
        ui.ShowError(SjisFromUtf8(e.what()));
    }
    ui.SetCursor(CursorShape::Default);
}

void ChooseTimeSeriesFolder(AppShell& shell) {
    static const std::string kCaption = Sj("時系列ｵｯｽﾞﾃﾞｰﾀﾌｫﾙﾀﾞの指定");
    const std::string current = shell.settings().ReadString(kSettingSection, kSettingKey,
                                                            SjisFromPath(shell.folder().Root()));
    if (std::optional<std::string> chosen = shell.ui().ChooseFolder(kCaption, current))
        shell.settings().WriteString(kSettingSection, kSettingKey, *chosen);
}

}  // namespace sorvane
