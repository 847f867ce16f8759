// Hand-made past-run files and race days for the comparison tests: a horse is a name and a
// blood number, a past race its date and field in finishing order.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/fields.h"
#include "base/files.h"
#include "base/sjis.h"
#include "base/text_format.h"
#include "fake_clock.h"
#include "fake_ports.h"
#include "raceday/race_day.h"
#include "shell/app_shell.h"
#include "store/past_run_file.h"
#include "store/records.h"
#include "temp_dir.h"

namespace sorvane::testing {

// The 18-byte name field of a horse named in UTF-8: Shift-JIS padded with full-width blanks.
inline std::string Name18(const std::string& utf8) {
    std::string s = Sj(utf8);
    while (s.size() + 2 <= 18) s += Sj("　");
    s.resize(18, ' ');
    return s;
}

// "mssst" of a time in tenths of a second; 0 gives blanks (no time).
inline std::string TimeText(int tenths) {
    if (tenths == 0) return "    ";
    return Format("%d%03d", tenths / 600, tenths % 600);
}

struct Runner {
    std::string name;  // UTF-8
    int time = 0;      // tenths of a second, 0 = none
    int weight = 550;  // tenths of a kilogram
};

struct PastRace {
    int date = 0;               // yyyymmdd
    std::vector<Runner> field;  // in finishing order
    std::string surface = "24";
    int distance = 1400;
    int runners = -1;  // registered runners; -1: the field's size
};

// The line of `horse` for the race: its own block from its entry; position = its place in
// the field (1-based), or `position` when given (0 = unplaced).
inline std::string PastRunLine(const PastRace& r, const std::string& horse, int position = -1) {
    std::string line(kPastRunLineLength, ' ');
    PutField(line, 0, Format("%08d", r.date));
    PutField(line, 8, "30010101");
    PutField(line, 40, Format("%4d", r.distance));
    PutField(line, 44, r.surface);
    PutField(line, 46, Format("%2d", r.runners < 0 ? static_cast<int>(r.field.size()) : r.runners));
    for (size_t k = 0; k < r.field.size(); ++k) {
        const Runner& x = r.field[k];
        size_t base = pr::kFieldBlockOffset + k * pr::kFieldEntrySize;
        PutField(line, base, Name18(x.name));
        PutField(line, base + 18, "0000000000");
        PutField(line, base + 28, TimeText(x.time));
        PutField(line, base + 32, Format("%03d", x.weight));
        if (x.name == horse) {
            PutField(line, 65, Name18(x.name));
            PutField(line, 89, Format("%03d", x.weight));
            PutField(line, 132, TimeText(x.time));
            PutField(line, 138, Format("%2d", position < 0 ? static_cast<int>(k) + 1 : position));
        }
    }
    return line;
}

// A shell over a temporary program folder with race slot 0 dated `raceDate`.
struct CompareRig {
    TempDir dir;
    FakeUi ui;
    FakePlatform platform;
    FakeLink link;
    FixedClock clock{2026, 6, 1, 9, 0, 0};
    std::unique_ptr<AppShell> shell;

    explicit CompareRig(int raceDate = 20260601) {
        shell = std::make_unique<AppShell>(ProgramFolder(dir.path()),
                                           ShellPorts{ui, clock, platform, link});
        SetRace(0, raceDate, {});
    }
    RaceDay& day() { return shell->day(); }

    // Writes the horse's past-run file from whole lines.
    void WriteFile(const std::string& blood, const std::vector<std::string>& lines,
                   const std::string& tail = "") {
        auto folder = dir.path() / "SEI" / blood.substr(0, 4);
        std::filesystem::create_directories(folder);
        WriteFileAtomic(folder / (blood + ".kak"), JoinLines(lines) + tail);
    }
    // The horse's file from races it ran in (its line of each).
    void WriteRaces(const std::string& blood, const std::string& horse,
                    const std::vector<PastRace>& races) {
        std::vector<std::string> lines;
        for (const PastRace& r : races) lines.push_back(PastRunLine(r, horse));
        WriteFile(blood, lines);
    }
    struct Entry {
        std::string name;  // UTF-8
        std::string blood;
        int weight = 550;  // tenths of a kilogram
    };
    // Race slot `race` with its RA date and the runners' SE records.
    void SetRace(int race, int date, const std::vector<Entry>& runners) {
        std::string ra(LineLength(RecordType::RA), ' ');
        PutField(ra, 0, "RA");
        PutField(ra, 11, Format("%08d", date));
        PutField(ra, 19, "30010101");
        PutField(ra, 881, Format("%2d", static_cast<int>(runners.size())));
        day().raceTable.Put(race, ra);
        for (size_t k = 0; k < runners.size(); ++k) {
            std::string se(LineLength(RecordType::SE), ' ');
            PutField(se, 0, "SE");
            PutField(se, 28, Format("%02d", static_cast<int>(k) + 1));
            PutField(se, 30, runners[k].blood);
            PutField(se, 40, Name18(runners[k].name) + Name18(""));
            PutField(se, 288, Format("%03d", runners[k].weight));
            day().runnerTable.Put(race, static_cast<int>(k), se);
        }
    }
};

}  // namespace sorvane::testing
