#include "store/past_run_build.h"

#include <algorithm>
#include <optional>

#include "base/sjis.h"
#include "shell/code_tables.h"
#include "store/day_files.h"
#include "store/day_stamp.h"
#include "store/day_store.h"
#include "store/pending_build.h"

namespace sorvane {
namespace {

fs::path SeiDir(const ProgramFolder& folder) {
    if (!folder.EnsureFolder(kPastRunFolder))
        throw FileError("cannot create the folder SEI", folder.Root());
    return folder.Path(kPastRunFolder);
}

fs::path DataDir(const ProgramFolder& folder) {
    folder.EnsureFolder(kDataFolder);
    return folder.Path(kDataFolder);
}

constexpr size_t kRaRecordSize = 1272;

}  // namespace

const std::string& BuildDoneText() {
    static const std::string s = Sj("過去走データを構築しました。");
    return s;
}

bool DayRaces::Load(FolderIndex& data, const std::string& dayFileName) {
    races_.clear();
    runnerFiles_.clear();
    bool exists = false;
    fs::path p = data.Resolve(dayFileName, &exists);
    if (!exists || !ReadWholeFile(p, raData_)) return false;
    std::string stamp = dayFileName.substr(0, kDayStampLength);
    std::string_view all(raData_);
    for (size_t off = 0; off + kRaRecordSize <= all.size(); off += kRaRecordSize) {
        DayRace race;
        race.ra = WithoutLineEnd(all.substr(off, kRaRecordSize));
        RaRecord ra(race.ra);
        race.raceNumber = ra.RaceNumber();
        race.registered = std::clamp(ra.RegisteredRunners(), 0, kHorsesPerRace);
        race.inRange = race.raceNumber >= 1 && race.raceNumber <= kRunnerFileRaces;
        if (race.inRange) {
            std::string name = DayFileName(DayFileKind::SEr, stamp, TrackName(ra.TrackCode()));
            auto it = runnerFiles_.find(name);
            if (it == runnerFiles_.end()) {
                std::string content;
                bool have = false;
                fs::path rp = data.Resolve(name, &have);
                if (have) ReadWholeFile(rp, content);
                it = runnerFiles_.emplace(name, std::move(content)).first;
            }
            std::string_view runners(it->second);
            size_t first = RunnerSlot(race.raceNumber, 1);
            for (int s = 0; s < race.registered; ++s) {
                size_t pos = (first + static_cast<size_t>(s)) * kRunnerRecordSize;
                if (pos + kRunnerRecordSize <= runners.size())
                    race.runners[static_cast<size_t>(s)] =
                        WithoutLineEnd(runners.substr(pos, kRunnerRecordSize));
            }
        }
        races_.push_back(race);
    }
    return true;
}

PastRunBuilder::PastRunBuilder(const ProgramFolder& folder, size_t memoryBudget, int writers)
    : folder_(folder),
      budget_(memoryBudget),
      data_(DataDir(folder)),
      sei_(SeiDir(folder)),
      writer_(writers, memoryBudget / 2) {}

FolderIndex& PastRunBuilder::Sub(const std::string& folderName, fs::path* dir, bool* exists) {
    *dir = sei_.Resolve(folderName, exists);
    std::string key = FoldAscii(folderName);
    auto it = subs_.find(key);
    if (it == subs_.end()) it = subs_.emplace(key, FolderIndex(*dir)).first;
    return it->second;
}

PastRunBuilder::HorseFile& PastRunBuilder::Horse(std::string_view blood) {
    std::string key = FoldAscii(blood);
    auto it = horses_.find(key);
    if (it != horses_.end()) return it->second;
    HorseFile h;
    h.folderName = PastRunFolderName(blood);
    bool dirExists = false;
    FolderIndex& sub = Sub(h.folderName, &h.dir, &dirExists);
    h.path = sub.Resolve(PastRunFileName(blood), &h.exists);
    if (h.exists) ReadLines(h.path, h.lines);
    bytes_ += LinesBytes(h.lines);
    return horses_.emplace(key, std::move(h)).first->second;
}

bool PastRunBuilder::BuildDay(const std::string& dayFileName) {
    DayRaces day;
    if (!day.Load(data_, dayFileName)) {
        ++tally_.missingDays;
        return false;
    }
    ++tally_.days;
    for (const DayRace& race : day.races()) {
        if (Field(race.ra, hdr::kDataKind) != "7") continue;
        if (!race.inRange) {
            ++tally_.racesOutOfRange;
            continue;
        }
        std::optional<RacePastRunLines> lines;
        for (int s = 0; s < race.registered; ++s) {
            std::string_view se = race.runners[static_cast<size_t>(s)];
            if (Field(se, hdr::kDataKind) != "7") continue;
            std::string_view blood = Field(se, se::kBloodNumber);
            if (!IsValidBloodNumber(blood)) {
                ++tally_.badBloodNumbers;
                continue;
            }
            HorseFile& h = Horse(blood);
            if (!lines) lines.emplace(race.ra, race.runners);
            std::string line = lines->Line(s);
            bytes_ += line.size() + sizeof(std::string);
            PutPastRunLine(h.lines, std::move(line));
            h.dirty = true;
            ++tally_.lines;
        }
    }
    if (bytes_ > budget_) {
        Flush();
        horses_.clear();
        bytes_ = 0;
    }
    return true;
}

void PastRunBuilder::Flush() {
    for (auto& [key, h] : horses_) {
        if (!h.dirty) continue;
        bool dirExists = false;
        fs::path dir;
        FolderIndex& sub = Sub(h.folderName, &dir, &dirExists);
        if (!dirExists) {
            std::error_code ec;
            fs::create_directory(dir, ec);
            if (ec && !fs::is_directory(dir))
                throw FileError("cannot create: " + ec.message(), dir);
            sei_.Added(h.folderName);
        }
        SortLines(h.lines);
        // Written from the lines themselves, which stay untouched until the Wait below.
        writer_.WriteLines(h.path, h.lines);
        if (!h.exists) {
            sub.Added(SjisFromPath(h.path.filename()));
            h.exists = true;
        }
        h.dirty = false;
        ++tally_.horseFilesWritten;
    }
    writer_.Wait();
}

BuildResult RunPastRunBuild(const ProgramFolder& folder, const std::vector<std::string>& days,
                            const BuildHooks& hooks, BuildTally* tally, size_t memoryBudget,
                            int writers) {
    if (days.empty()) return BuildResult::NothingToDo;
    PastRunBuilder builder(folder, memoryBudget, writers);
    int max = static_cast<int>(days.size());
    std::string label9;
    if (hooks.progress) hooks.progress(0, max, label9);
    int pos = 0;
    BuildResult result = BuildResult::Done;
    for (const auto& day : days) {
        if (hooks.cancelled && hooks.cancelled()) {
            result = BuildResult::Cancelled;
            break;
        }
        ++pos;
        label9 = day.substr(0, day.rfind('.'));
        if (hooks.progress) hooks.progress(pos, max, label9);
        builder.BuildDay(day);
    }
    builder.Flush();
    if (tally) *tally = builder.tally();
    if (result == BuildResult::Done) {
        RemovePendingBuild(folder, days);
        if (hooks.progress) hooks.progress(pos, max, BuildDoneText());
    }
    return result;
}

}  // namespace sorvane
