#include "store/temp_files.h"

#include "store/day_files.h"
#include "store/past_run_file.h"

namespace sorvane {
namespace {

int RemoveIn(const fs::path& dir, bool descend) {
    int n = 0;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e2;
        if (descend && it->is_directory(e2)) {
            n += RemoveIn(it->path(), false);
            continue;
        }
        if (IsAtomicTempName(it->path().filename().string()) && it->is_regular_file(e2)) {
            if (fs::remove(it->path(), e2)) ++n;
        }
    }
    return n;
}

}  // namespace

bool IsAtomicTempName(std::string_view name) {
    if (name.size() < 11) return false;
    std::string_view tail = name.substr(name.size() - 10);
    if (tail.substr(0, 4) != ".tmp") return false;
    for (char c : tail.substr(4)) {
        bool ok = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!ok) return false;
    }
    return true;
}

int RemoveStaleTempFiles(const ProgramFolder& folder) {
    int n = 0;
    if (auto data = folder.Resolve(kDataFolder)) n += RemoveIn(*data, false);
    if (auto sei = folder.Resolve(kPastRunFolder)) n += RemoveIn(*sei, true);
    return n;
}

}  // namespace sorvane
