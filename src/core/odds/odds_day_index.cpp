#include "odds/odds_day_index.h"

#include <algorithm>
#include <fstream>

#include "raceday/race_day.h"

namespace sorvane {

void OddsDayIndex::Load(const RaceDay& day, int kind, KindFile& file) const {
    file.loaded = true;
    const std::string& name = day.dayFiles.odds[static_cast<size_t>(kind - 1)];
    if (name.empty()) return;
    const std::optional<fs::path> path = folder_.Resolve(name);
    if (!path) return;
    // The same checks and messages as FindOddsRecord.
    std::error_code ec;
    if (!fs::is_regular_file(*path, ec)) return;
    const uintmax_t size = fs::file_size(*path, ec);
    if (ec) throw FileError("cannot read the size of " + path->string(), *path);
    std::ifstream in(*path, std::ios::binary);
    if (!in) throw FileError("cannot open " + path->string(), *path);
    file.recordLength = day.OddsTable(kind).Length();
    if (file.recordLength == 0) return;
    file.data.resize(static_cast<size_t>(size));
    if (!in.read(file.data.data(), static_cast<std::streamsize>(file.data.size())))
        throw FileError("cannot read " + path->string(), *path);
    const size_t keyEnd = kOddsKeyRaceOffset + 2;
    const std::string_view data = file.data;
    for (size_t start = 0; start + keyEnd <= data.size(); start += file.recordLength) {
        std::string key(data.substr(start + kOddsKeyTrackOffset, 2));
        key += data.substr(start + kOddsKeyRaceOffset, 2);
        file.firstStart.emplace(std::move(key), start);  // the first record of a key wins
    }
}

std::optional<std::string_view> OddsDayIndex::Find(const RaceDay& day, int kind,
                                                   std::string_view key) {
    KindFile& file = kinds_.at(static_cast<size_t>(kind - 1));
    if (!file.loaded) Load(day, kind, file);
    const auto it = file.firstStart.find(std::string(key));
    if (it == file.firstStart.end()) return std::nullopt;
    const std::string_view data = file.data;
    return data.substr(it->second, std::min(file.recordLength, data.size() - it->second));
}

}  // namespace sorvane
