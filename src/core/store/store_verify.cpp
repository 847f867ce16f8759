#include "store/store_verify.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "base/collate.h"
#include "base/fields.h"
#include "base/text_format.h"
#include "shell/code_tables.h"
#include "store/day_files.h"
#include "store/day_stamp.h"
#include "store/folder_index.h"
#include "store/past_run_build.h"
#include "store/past_run_file.h"
#include "store/pending_build.h"
#include "store/temp_files.h"

namespace sorvane {
namespace {

class Checker {
  public:
    explicit Checker(const ProgramFolder& folder) : folder_(folder) {}

    VerifyReport Run() {
        pending_ = ReadPendingBuild(folder_);
        CheckData();
        CheckSei();
        CheckFinalRunners();
        return std::move(report_);
    }

  private:
    void Problem(const std::string& file, std::string text) {
        report_.problems.push_back({file, std::move(text)});
    }
    void Note(const std::string& file, std::string text) {
        report_.notes.push_back({file, std::move(text)});
    }

    static std::string Rel(const char* folder, const std::string& name) {
        return std::string(folder) + "\\" + name;
    }

    void CheckData() {
        auto dir = folder_.Resolve(kDataFolder);
        std::error_code ec;
        if (!dir || !fs::is_directory(*dir, ec)) return;
        dataDir_ = *dir;
        std::vector<std::pair<std::string, fs::path>> entries;
        for (fs::directory_iterator it(*dir, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code e2;
            if (!it->is_regular_file(e2)) continue;
            entries.emplace_back(SjisFromPath(it->path().filename()), it->path());
        }
        std::sort(entries.begin(), entries.end());
        for (const auto& [name, path] : entries) {
            std::string rel = Rel(kDataFolder, name);
            if (IsAtomicTempName(name)) {
                Note(rel, "leftover temporary file of an interrupted write");
                continue;
            }
            auto parts = ParseDayFileName(name);
            if (!parts) {
                if (LooksLikeDayFile(name)) Problem(rel, "not a day file name");
                continue;
            }
            std::string data;
            ReadWholeFile(path, data);
            if (parts->kind == DayFileKind::SEr) {
                ++report_.runnerFiles;
                CheckRunnerFile(rel, *parts, data);
            } else {
                ++report_.dayFiles;
                CheckKeyedFile(rel, *parts, data);
                if (parts->kind == DayFileKind::RA) raFiles_.push_back(name);
            }
        }
    }

    static bool LooksLikeDayFile(const std::string& name) {
        size_t dot = name.rfind('.');
        if (dot == std::string::npos) return false;
        std::string_view ext = std::string_view(name).substr(dot);
        for (DayFileKind k : kAllDayFileKinds)
            if (SameText(ext, DayFileExtension(k))) return true;
        return false;
    }

    void CheckKeyedFile(const std::string& rel, const DayFileNameParts& parts,
                        const std::string& data) {
        RecordType type = DayFileRecordType(parts.kind);
        size_t len = LineLength(type);
        std::string date = DateOfDayStamp(parts.stamp);
        if (!data.empty() && (data.size() < 2 || data.substr(data.size() - 2) != "\r\n"))
            Problem(rel, "the last line has no CR LF");
        std::vector<std::string> lines = SplitLines(data);
        std::unordered_set<std::string> keys;
        bool sorted = true;
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string& l = lines[i];
            std::string where = Format("line %zu: ", i + 1);
            if (l.size() != len) {
                Problem(rel, where + Format("%zu bytes, not %zu", l.size(), len));
                continue;
            }
            if (RecordTypeOf(l) != type) Problem(rel, where + "not a record of the file's kind");
            if (Field(l, hdr::kRaceDate) != date)
                Problem(rel, where + "race date is not the file's day");
            if (!keys.insert(std::string(RaceKeyOf(l))).second)
                Problem(rel, where + "race key " + std::string(RaceKeyOf(l)) + " repeated");
            if (i > 0 && !LineLess(lines[i - 1], l)) sorted = false;
        }
        if (!sorted) {
            if (parts.kind == DayFileKind::RA || parts.kind == DayFileKind::HR)
                Note(rel,
                     "lines not sorted (the real-time result store appends; the next "
                     "acquisition of the day sorts them)");
            else
                Problem(rel, "lines not sorted");
        }
    }

    void CheckRunnerFile(const std::string& rel, const DayFileNameParts& parts,
                         const std::string& data) {
        if (data.size() != kRunnerSlots * kRunnerRecordSize)
            Problem(rel, Format("%zu bytes, not 216 slots of 555", data.size()));
        std::vector<std::string> lines = SplitLines(data);
        if (lines.size() != kRunnerSlots) Problem(rel, Format("%zu lines, not 216", lines.size()));
        std::string date = DateOfDayStamp(parts.stamp);
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string& l = lines[i];
            std::string where = Format("slot line %zu: ", i);
            if (l.size() != kRunnerLineLength) {
                Problem(rel, where + Format("%zu bytes, not 553", l.size()));
                continue;
            }
            if (IsBlank(l)) continue;
            SeRecord se(l);
            if (se.Type() != RecordType::SE) {
                Problem(rel, where + "not an SE record");
                continue;
            }
            if (se.RaceDate() != date) Problem(rel, where + "race date is not the file's day");
            if (TrackName(se.TrackCode()) != parts.trackName)
                Problem(rel, where + "track is not the file's track");
            int race = se.RaceNumber();
            int horse = se.HorseNumber();
            if (race < 1 || race > kRunnerFileRaces || horse < 1 || horse > kHorsesPerRace ||
                RunnerSlot(race, horse) != i)
                Problem(rel, where + Format("race %d horse %d is not this slot", race, horse));
            if (!IsValidBloodNumber(se.BloodNumber()))
                Problem(rel, where + "invalid blood registration number");
        }
    }

    void CheckSei() {
        auto dir = folder_.Resolve(kPastRunFolder);
        std::error_code ec;
        if (!dir || !fs::is_directory(*dir, ec)) return;
        std::vector<fs::path> subs;
        for (fs::directory_iterator it(*dir, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code e2;
            if (it->is_directory(e2)) subs.push_back(it->path());
        }
        std::sort(subs.begin(), subs.end());
        for (const fs::path& sub : subs) {
            std::string subName = SjisFromPath(sub.filename());
            std::vector<fs::path> files;
            for (fs::directory_iterator it(sub, ec), end; !ec && it != end; it.increment(ec)) {
                std::error_code e2;
                if (it->is_regular_file(e2)) files.push_back(it->path());
            }
            std::sort(files.begin(), files.end());
            for (const fs::path& f : files) CheckPastRunFile(subName, f);
        }
    }

    void CheckPastRunFile(const std::string& subName, const fs::path& path) {
        std::string name = SjisFromPath(path.filename());
        std::string rel = std::string(kPastRunFolder) + "\\" + subName + "\\" + name;
        if (IsAtomicTempName(name)) {
            Note(rel, "leftover temporary file of an interrupted write");
            return;
        }
        size_t ext = std::string_view(kPastRunExtension).size();
        if (name.size() <= ext ||
            !SameText(std::string_view(name).substr(name.size() - ext), kPastRunExtension))
            return;
        ++report_.pastRunFiles;
        std::string blood = name.substr(0, name.size() - ext);
        if (!IsValidBloodNumber(blood))
            Problem(rel, "file name is not a blood registration number");
        if (!SameText(subName, PastRunFolderName(blood)))
            Problem(rel, "folder is not the first 4 characters of the number");
        std::string data;
        ReadWholeFile(path, data);
        PastRunFile file(data);
        if (file.Damaged())
            Problem(rel,
                    Format("record %zu is short or damaged (%zu bytes, not whole 826-byte records)",
                           file.Count() + 1, data.size()));
        std::set<std::string>& keys = horseKeys_[FoldAscii(blood)];
        for (size_t n = 0; n < file.Count(); ++n) {
            PastRunRecord r = file.Record(n);
            std::string line(r.raw.substr(0, kPastRunLineLength));
            std::string where = Format("record %zu: ", n + 1);
            // A line read as a record must be 824 bytes with nothing that ends a line early.
            if (r.raw.substr(kPastRunLineLength) != "\r\n" ||
                line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
                Problem(rel, where + "not an 824-byte line followed by CR LF");
            if (!SameText(r.BloodNumber(), blood))
                Problem(rel, where + "registration number is not the file's");
            if (!keys.insert(std::string(r.RaceKey())).second)
                Problem(rel, where + "race key " + std::string(r.RaceKey()) + " repeated");
            if (n > 0) {
                std::string_view prev = file.Record(n - 1).raw.substr(0, kPastRunLineLength);
                if (!LineLess(prev, line)) Problem(rel, where + "not in sorted order");
            }
        }
    }

    void CheckFinalRunners() {
        if (dataDir_.empty()) return;
        FolderIndex data(dataDir_);
        for (const std::string& day : raFiles_) {
            bool pending = std::find(pending_.begin(), pending_.end(), day) != pending_.end();
            DayRaces races;
            if (!races.Load(data, day)) continue;
            std::string rel = Rel(kDataFolder, day);
            for (const DayRace& race : races.races()) {
                if (Field(race.ra, hdr::kDataKind) != "7" || !race.inRange) continue;
                for (int s = 0; s < race.registered; ++s) {
                    std::string_view se = race.runners[static_cast<size_t>(s)];
                    if (Field(se, hdr::kDataKind) != "7") continue;
                    std::string_view blood = Field(se, se::kBloodNumber);
                    if (!IsValidBloodNumber(blood)) continue;  // reported with its runner file
                    ++report_.finalRunners;
                    auto it = horseKeys_.find(FoldAscii(blood));
                    bool found = it != horseKeys_.end() &&
                                 it->second.count(std::string(RaceKeyOf(race.ra))) != 0;
                    if (found) continue;
                    if (pending) {
                        ++report_.pendingRunners;
                        continue;
                    }
                    Problem(rel, "race " + std::string(RaceKeyOf(race.ra)) + " horse " +
                                     std::string(Field(se, se::kHorseNumber)) + ": no line in " +
                                     PastRunPath(blood));
                }
            }
        }
        if (report_.pendingRunners > 0)
            Note(kPendingBuildFile,
                 Format("%d final runners of %zu days wait for the past-run build (the next "
                        "acquisition runs it)",
                        report_.pendingRunners, pending_.size()));
    }

    const ProgramFolder& folder_;
    VerifyReport report_;
    fs::path dataDir_;
    std::vector<std::string> raFiles_;
    std::vector<std::string> pending_;
    std::unordered_map<std::string, std::set<std::string>> horseKeys_;
};

}  // namespace

VerifyReport VerifyStore(const ProgramFolder& folder) { return Checker(folder).Run(); }

}  // namespace sorvane
