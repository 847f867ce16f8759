// Hand-made race days for tests and benchmarks: RA, SE and HR records, past-run lines and
// prediction lines with the fields the day load and the race selection read, written into
// the day files and horse files of a program folder.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/sjis.h"
#include "base/text_format.h"
#include "record_fixtures.h"
#include "shell/code_tables.h"
#include "store/day_files.h"
#include "store/day_stamp.h"
#include "store/past_run_file.h"

namespace sorvane::testing {

struct RaceSpec {
    std::string date = "20240105";  // yyyymmdd
    std::string track = "44";
    int race = 1;
    int runners = 3;
    std::string surface = "24";  // ダート 右回り
    int distance = 1200;
    std::string postTime = "1540";
    std::string name = "";  // UTF-8, up to 30 full-width characters
};

// A record of a race (its race key fields) for the payouts and odds of the race: an HR or O1
// .. O6 record, blank but for its type, date, track and race number.
inline std::string MakeRaceRecord(RecordType type, const std::string& date,
                                  const std::string& track, int race) {
    std::string rec = BlankRecord(type);
    Put(rec, 11, date);
    Put(rec, 19, track);
    Put(rec, 25, Format("%02d", race));
    return rec;
}

inline std::string MakeRa(const RaceSpec& r) {
    std::string rec = MakeRaceRecord(RecordType::RA, r.date, r.track, r.race);
    Put(rec, 2, "7");
    Put(rec, 21, "03");  // meeting
    Put(rec, 23, "02");  // day of the meeting
    Put(rec, 27, "8");   // 金
    std::string name = Sj(r.name);
    while (name.size() < 60) name += Sj("　");
    Put(rec, 32, CutSjis(name, 60));
    Put(rec, 614, "-");
    Put(rec, 616, "13");
    Put(rec, 618, "000");
    Put(rec, 621, "3");
    Put(rec, 697, Format("%04d", r.distance));
    Put(rec, 705, r.surface);
    Put(rec, 873, r.postTime);
    Put(rec, 881, Format("%02d", r.runners));
    return rec;
}

// The 10-character blood number of horse h of race r on a track.
inline std::string BloodOf(const RaceSpec& r, int horse) {
    return Format("20%02d%02d%04d", r.race % 100, horse % 100, std::stoi(r.track) % 10000);
}

inline std::string MakeSe(const RaceSpec& r, int horse, const std::string& blood) {
    std::string rec = MakeRaceRecord(RecordType::SE, r.date, r.track, r.race);
    Put(rec, 2, "7");
    Put(rec, 21, "03");
    Put(rec, 23, "02");
    Put(rec, 27, std::to_string((horse - 1) % 8 + 1));
    Put(rec, 28, Format("%02d", horse));
    Put(rec, 30, blood);
    Put(rec, 40, CutSjis(Sj("テストホース") + Format("%02d", horse) + std::string(36, ' '), 36));
    return rec;
}

// A past-run line (824 bytes) with the fields the statistics read.
struct PastRunSpec {
    std::string date = "20231201";
    std::string track = "44";
    int position = 1;
    std::string surface = "24";
    int distance = 1200;
    int turfGoing = 0;
    int dirtGoing = 1;
    int prize = 0;
    int added = 0;
};

inline std::string MakePastRun(const PastRunSpec& p) {
    std::string line(kPastRunLineLength, ' ');
    Put(line, pr::kDate.offset, p.date);
    Put(line, pr::kTrackCode.offset, p.track);
    Put(line, pr::kMeeting.offset, "01");
    Put(line, pr::kDayOfMeeting.offset, "01");
    Put(line, pr::kRaceNumber.offset, "05");
    Put(line, pr::kDistance.offset, Format("%04d", p.distance));
    Put(line, pr::kTrackSurfaceCode.offset, p.surface);
    if (p.turfGoing) Put(line, pr::kTurfGoingCode.offset, std::to_string(p.turfGoing));
    if (p.dirtGoing) Put(line, pr::kDirtGoingCode.offset, std::to_string(p.dirtGoing));
    Put(line, pr::kFinishPosition.offset, Format("%02d", p.position));
    Put(line, pr::kPrizeMoney.offset, Format("%08d", p.prize));
    Put(line, pr::kAddedMoney.offset, Format("%08d", p.added));
    return line;
}

// A prediction line (50 characters) for a race on date and track with the given mark.
inline std::string MakeYos(const std::string& date, const std::string& track, int mark) {
    std::string line = date + track + "010105";
    line.resize(50, ' ');
    if (mark > 0) Put(line, 46, Format("%2d", mark));
    return line;
}

inline void WriteTextLines(const fs::path& path, const std::vector<std::string>& lines) {
    fs::create_directories(path.parent_path());
    WriteFileAtomic(path, JoinLines(lines));
}

// Everything of one race day, written in one go.
class DayWriter {
  public:
    DayWriter(fs::path home, std::string date = "20240105")
        : home_(std::move(home)), date_(std::move(date)) {}

    const std::string& date() const { return date_; }
    std::string Stamp() const { return DayStamp(date_); }

    // Adds a race with its runners (horse numbers 1..runners, every one with an SE record);
    // returns the race's spec with the day's date filled in.
    RaceSpec& AddRace(RaceSpec r) {
        r.date = date_;
        races_.push_back(r);
        std::vector<std::string>& lines = RunnerLines(r.track);
        for (int h = 1; h <= r.runners && h <= 18; ++h)
            lines[RunnerSlot(r.race, h)] = MakeSe(r, h, BloodOf(r, h));
        return races_.back();
    }
    std::vector<std::string>& RunnerLines(const std::string& track) {
        auto it = runners_.find(track);
        if (it == runners_.end()) it = runners_.emplace(track, NewRunnerLines()).first;
        return it->second;
    }
    void AddPayout(std::string hr) { payouts_.push_back(std::move(hr)); }

    void Write() const {
        std::vector<std::string> ra;
        for (const RaceSpec& r : races_) ra.push_back(MakeRa(r));
        WriteTextLines(DataPath(DayFileName(DayFileKind::RA, Stamp())), ra);
        for (const auto& [track, lines] : runners_)
            WriteTextLines(DataPath(DayFileName(DayFileKind::SEr, Stamp(), TrackName(track))),
                           lines);
        if (!payouts_.empty())
            WriteTextLines(DataPath(DayFileName(DayFileKind::HR, Stamp())), payouts_);
    }

    fs::path DataPath(const std::string& sjisName) const {
        return home_ / "DATA" / NativeName(sjisName);
    }
    fs::path HorsePath(const std::string& blood, const char* extension) const {
        return home_ / "SEI" / blood.substr(0, 4) / (blood + extension);
    }
    void WritePastRuns(const std::string& blood, const std::vector<std::string>& lines) const {
        WriteTextLines(HorsePath(blood, ".kak"), lines);
    }
    void WritePredictions(const std::string& blood, const std::vector<std::string>& lines) const {
        WriteTextLines(HorsePath(blood, ".yos"), lines);
    }

  private:
    fs::path home_;
    std::string date_;
    std::vector<RaceSpec> races_;
    std::map<std::string, std::vector<std::string>> runners_;
    std::vector<std::string> payouts_;
};

}  // namespace sorvane::testing
