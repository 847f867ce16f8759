#include "reference_store.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "base/collate.h"
#include "base/fields.h"
#include "base/sjis.h"
#include "shell/code_tables.h"
#include "store/bulk_store.h"
#include "store/day_files.h"
#include "store/day_stamp.h"
#include "store/past_run_file.h"
#include "store/pending_build.h"

namespace sorvane::reference {
namespace {

fs::path Folder(const ProgramFolder& folder, const char* name) {
    folder.EnsureFolder(name);
    return folder.Path(name);
}

bool Clean(std::string_view r) {
    return std::memchr(r.data(), '\r', r.size()) == nullptr &&
           std::memchr(r.data(), '\n', r.size()) == nullptr &&
           std::memchr(r.data(), '\0', r.size()) == nullptr;
}

void Save(FolderIndex& dir, const std::string& name, const fs::path& path, bool existed,
          const std::vector<std::string>& lines) {
    WriteLines(path, lines);
    if (!existed) dir.Added(name);
}

}  // namespace

ReferenceStore::ReferenceStore(const ProgramFolder& folder, int fromDate, bool storeOdds)
    : fromDate_(fromDate), storeOdds_(storeOdds), data_(Folder(folder, kDataFolder)) {}

void ReferenceStore::PutSorted(const std::string& name, std::string line, bool dropBlankFirst) {
    bool exists = false;
    fs::path path = data_.Resolve(name, &exists);
    std::vector<std::string> lines;
    if (exists) {
        ReadLines(path, lines);
        bool replaced = false;
        for (auto& l : lines) {
            if (Field(l, 11, 16) == Field(line, 11, 16)) {
                l = line;
                replaced = true;
                break;
            }
        }
        if (!replaced) lines.push_back(line);
    } else {
        lines.push_back(line);
    }
    SortLines(lines);
    if (dropBlankFirst && !lines.empty() && IsBlank(lines[0])) lines.erase(lines.begin());
    Save(data_, name, path, exists, lines);
    ++writes_;
}

void ReferenceStore::Put(std::string_view rec) {
    rec = WithoutLineEnd(rec);
    std::string type(Field(rec, 0, 2));
    RecordType t = RecordTypeOf(rec);
    if (t == RecordType::Unknown || t == RecordType::TC) return;
    if (rec.size() != LineLength(t) || !Clean(rec)) return;
    std::string_view trackCode = Field(rec, 19, 2);
    if (!IsNameTrack(trackCode)) return;
    int track = ToInt(trackCode);
    if (track < 30 || track > 57) return;
    std::string_view dateText = Field(rec, 11, 8);
    if (!IsNameDate(dateText)) return;
    int date = ToInt(dateText);
    int race = ToInt(Field(rec, 25, 2));
    if (race <= 0 || race > 12) return;
    std::string stamp = DayStamp(dateText);
    std::string kind(Field(rec, 2, 1));

    if (type == "RA") {
        int runners = ToInt(Field(rec, 881, 2));
        if (date < fromDate_ - 10 || runners < 1 || runners > 18) return;
        std::string line(rec);
        line.replace(3, 8, "00000000");
        std::string name = stamp + ".nvRA";
        PutSorted(name, line, false);
        if (kind == "7") InsertSortedUnique(touched_, name);
    } else if (type == "SE") {
        int horse = ToInt(Field(rec, 28, 2));
        if (date < fromDate_ - 10 || horse < 1 || horse > 18) return;
        if (!IsValidBloodNumber(Field(rec, 30, 10))) return;
        std::string name = stamp + TrackName(trackCode) + ".nvSEr";
        bool exists = false;
        fs::path path = data_.Resolve(name, &exists);
        std::vector<std::string> lines;
        if (exists) {
            ReadLines(path, lines);
            NormaliseRunnerLines(lines);
        } else {
            lines.assign(216, std::string(553, ' '));
        }
        lines[static_cast<size_t>((race - 1) * 18 + horse - 1)] = std::string(rec);
        Save(data_, name, path, exists, lines);
        ++writes_;
    } else if (type == "HR") {
        if (date < fromDate_ - 10) return;
        std::string line(rec);
        line.replace(3, 8, "00000000");
        PutSorted(stamp + ".nvHR", line, false);
    } else {
        if (!storeOdds_ || kind == "0" || kind == "9") return;
        std::string line(rec);
        line.replace(2, 9, "000000000");
        PutSorted(stamp + ".nv" + type, line, true);
    }
}

int ReferenceBuild(const ProgramFolder& folder, const std::vector<std::string>& days) {
    FolderIndex data(Folder(folder, kDataFolder));
    FolderIndex sei(Folder(folder, kPastRunFolder));
    std::vector<std::pair<std::string, FolderIndex>> subs;
    auto sub = [&](const std::string& name) -> FolderIndex& {
        for (auto& [n, idx] : subs)
            if (SameText(n, name)) return idx;
        bool exists = false;
        fs::path dir = sei.Resolve(name, &exists);
        if (!exists) {
            fs::create_directory(dir);
            sei.Added(name);
        }
        subs.emplace_back(name, FolderIndex(dir));
        return subs.back().second;
    };
    int written = 0;
    for (const std::string& day : days) {
        bool exists = false;
        fs::path raPath = data.Resolve(day, &exists);
        std::string raData;
        if (!exists || !ReadWholeFile(raPath, raData)) continue;
        std::string stamp = day.substr(0, 14);
        for (size_t off = 0; off + 1272 <= raData.size(); off += 1272) {
            std::string_view ra = std::string_view(raData).substr(off, 1270);
            int n = ToInt(Field(ra, 25, 2));
            int c = std::clamp(ToInt(Field(ra, 881, 2)), 0, 18);
            // The runner slots of the race, read by position from its runner file.
            std::array<std::string, 18> runner;
            std::string runnerName = stamp + TrackName(Field(ra, 19, 2)) + ".nvSEr";
            bool have = false;
            fs::path runnerPath = data.Resolve(runnerName, &have);
            if (n >= 1 && n <= 12 && have && c > 0) {
                std::FILE* f = std::fopen(runnerPath.c_str(), "rb");
                if (f != nullptr) {
                    std::string part(static_cast<size_t>(c) * 555, '\0');
                    std::fseek(f, static_cast<long>((n - 1) * 18) * 555, SEEK_SET);
                    size_t got = std::fread(part.data(), 1, part.size(), f);
                    std::fclose(f);
                    for (int s = 0; s < c; ++s) {
                        size_t pos = static_cast<size_t>(s) * 555;
                        if (pos + 555 <= got)
                            runner[static_cast<size_t>(s)] = part.substr(pos, 553);
                    }
                }
            }
            if (Field(ra, 2, 1) != "7" || n < 1 || n > 12) continue;
            RunnerSlots slots;
            for (size_t s = 0; s < 18; ++s) slots[s] = runner[s];
            for (int s = 0; s < c; ++s) {
                const std::string& se = runner[static_cast<size_t>(s)];
                if (Field(se, 2, 1) != "7") continue;
                std::string blood(Field(se, 30, 10));
                if (!IsValidBloodNumber(blood)) continue;
                std::string line = MakePastRunLine(ra, slots, s);
                FolderIndex& dir = sub(blood.substr(0, 4));
                std::string fileName = blood + ".kak";
                bool fileExists = false;
                fs::path path = dir.Resolve(fileName, &fileExists);
                std::vector<std::string> lines;
                if (fileExists) {
                    ReadLines(path, lines);
                    PutPastRunLine(lines, line);
                } else {
                    lines.push_back(line);
                }
                SortLines(lines);
                WriteLines(path, lines);
                if (!fileExists) dir.Added(fileName);
                ++written;
            }
        }
    }
    return written;
}

int RunReferenceAcquisition(NvLink& link, const ProgramFolder& folder, const std::string& fromTime,
                            bool storeOdds) {
    NvOpenInfo info;
    if (link.NVOpen("RACEDIFN", fromTime, 1, info) != 0) return 0;
    ReferenceStore store(folder, ToInt(fromTime.substr(0, 8)), storeOdds);
    std::u16string buffer;
    std::string fileName;
    int records = 0;
    for (;;) {
        int r = link.NVRead(buffer, kNvReadBufferBulk, fileName);
        if (r > 0) {
            store.Put(RecordFromLink(buffer));
            ++records;
            continue;
        }
        if (r == 0) break;
        if (r < -3) break;
    }
    link.NVClose();
    ReferenceBuild(folder, store.touched());
    return records;
}

}  // namespace sorvane::reference
