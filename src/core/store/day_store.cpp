#include "store/day_store.h"

#include "store/day_files.h"

namespace sorvane {
namespace {

fs::path DataDir(const ProgramFolder& folder) {
    if (!folder.EnsureFolder(kDataFolder))
        throw FileError("cannot create the folder Data", folder.Root());
    return folder.Path(kDataFolder);
}

}  // namespace

size_t LinesBytes(const std::vector<std::string>& lines) {
    size_t n = 0;
    for (const auto& l : lines) n += l.size() + sizeof(std::string);
    return n;
}

DayStore::DayStore(const ProgramFolder& folder, int writers, size_t queueLimit)
    : data_(DataDir(folder)), writer_(writers, queueLimit) {}

bool DayStore::Exists(const std::string& fileName) {
    auto it = files_.find(fileName);
    if (it != files_.end()) return true;
    return data_.Exists(fileName);
}

DayStore::Entry& DayStore::Load(const std::string& fileName, bool runner) {
    auto it = files_.find(fileName);
    if (it != files_.end()) {
        if (it->second.inFlight) SettleWrites();
        return it->second;
    }
    Entry e;
    e.runner = runner;
    e.path = data_.Resolve(fileName, &e.exists);
    if (e.exists) ReadLines(e.path, e.lines);
    if (runner) {
        if (!e.exists) e.lines = NewRunnerLines();
        NormaliseRunnerLines(e.lines);
    }
    bytes_ += LinesBytes(e.lines);
    return files_.emplace(fileName, std::move(e)).first->second;
}

void DayStore::PutKeyed(const std::string& fileName, std::string line, KeyedRule rule) {
    Entry& e = Load(fileName, false);
    e.rule = rule;
    size_t before = LinesBytes(e.lines);
    PutByRaceKey(e.lines, std::move(line));
    bytes_ += LinesBytes(e.lines) - before;
    e.dirty = true;
    ++e.puts;
}

void DayStore::PutRunner(const std::string& fileName, size_t slot, std::string line) {
    Entry& e = Load(fileName, true);
    if (slot >= e.lines.size()) return;
    bytes_ += line.size();
    bytes_ -= e.lines[slot].size();
    e.lines[slot] = std::move(line);
    e.dirty = true;
    ++e.puts;
}

size_t DayStore::DirtyFiles() const {
    size_t n = 0;
    for (const auto& [name, e] : files_) n += e.dirty ? 1 : 0;
    return n;
}

void DayStore::SettleWrites() {
    struct Release {
        std::vector<Entry*>& entries;
        ~Release() {
            for (Entry* e : entries) e->inFlight = false;
            entries.clear();
        }
    } release{inFlight_};
    writer_.Wait();
}

void DayStore::Flush() {
    StartFlush();
    SettleWrites();
}

void DayStore::StartFlush() {
    SettleWrites();
    for (auto& [name, e] : files_) {
        if (!e.dirty) continue;
        if (!e.runner) {
            size_t before = LinesBytes(e.lines);
            if (e.rule.sorted) SortLines(e.lines);
            if (e.rule.dropBlankFirst) DropBlankFirstLines(e.lines, e.puts);
            bytes_ -= before - LinesBytes(e.lines);
        }
        // The lines are written from where they are; the next change of this file, the next
        // flush or a drop waits for that write first.
        writer_.WriteLines(e.path, e.lines);
        if (writer_.Background()) {
            e.inFlight = true;
            inFlight_.push_back(&e);
        }
        if (!e.exists) {
            data_.Added(name);
            e.exists = true;
        }
        e.dirty = false;
        e.puts = 0;
        ++filesWritten_;
    }
}

void DayStore::Drop() {
    SettleWrites();
    for (auto it = files_.begin(); it != files_.end();) {
        if (it->second.dirty) {
            ++it;
            continue;
        }
        bytes_ -= LinesBytes(it->second.lines);
        it = files_.erase(it);
    }
}

}  // namespace sorvane
