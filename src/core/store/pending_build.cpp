#include "store/pending_build.h"

#include <algorithm>

#include "store/day_files.h"

namespace sorvane {
namespace {

fs::path PendingPath(const ProgramFolder& folder) { return folder.Path(kPendingBuildFile); }

}  // namespace

bool InsertSortedUnique(std::vector<std::string>& list, const std::string& name) {
    auto it =
        std::lower_bound(list.begin(), list.end(), name,
                         [](const std::string& a, const std::string& b) { return LineLess(a, b); });
    if (it != list.end() && *it == name) return false;
    list.insert(it, name);
    return true;
}

std::vector<std::string> ReadPendingBuild(const ProgramFolder& folder) {
    std::vector<std::string> lines;
    ReadLines(PendingPath(folder), lines);
    std::vector<std::string> out;
    for (auto& l : lines)
        if (!l.empty()) InsertSortedUnique(out, l);
    return out;
}

void AddPendingBuild(const ProgramFolder& folder, const std::vector<std::string>& days) {
    std::vector<std::string> list = ReadPendingBuild(folder);
    bool changed = false;
    for (const auto& d : days) changed |= InsertSortedUnique(list, d);
    if (changed) WriteLines(PendingPath(folder), list);
}

void RemovePendingBuild(const ProgramFolder& folder, const std::vector<std::string>& days) {
    std::vector<std::string> list = ReadPendingBuild(folder);
    size_t before = list.size();
    for (const auto& d : days) {
        auto it = std::find(list.begin(), list.end(), d);
        if (it != list.end()) list.erase(it);
    }
    if (list.size() == before) return;
    fs::path p = PendingPath(folder);
    if (list.empty()) {
        std::error_code ec;
        fs::remove(p, ec);
        if (ec) throw FileError("cannot remove: " + ec.message(), p);
    } else {
        WriteLines(p, list);
    }
}

}  // namespace sorvane
