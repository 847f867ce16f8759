// The day's six odds files read once for a run over every race slot (the day load), with the
// first record of each race key, so that the slots do not each open and scan all six files.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/files.h"

namespace sorvane {

class RaceDay;

// Where the key of an odds record lies: its track code and its race number (2 bytes each).
inline constexpr size_t kOddsKeyTrackOffset = 19;
inline constexpr size_t kOddsKeyRaceOffset = 25;

// Lives for one run over the slots only: it never notices later changes to the files, so a
// new run (a new load, an import after the files were replaced) makes a new one.
class OddsDayIndex {
  public:
    explicit OddsDayIndex(const ProgramFolder& folder) : folder_(folder) {}

    // What FindOddsRecord gives for the odds file of kind 1..6 named by day.dayFiles: the
    // first record whose track code and race number equal key (4 bytes). The file is read
    // whole the first time its kind is asked for; FileError as FindOddsRecord when it exists
    // but cannot be read. The view lasts as long as the index.
    std::optional<std::string_view> Find(const RaceDay& day, int kind, std::string_view key);

  private:
    struct KindFile {
        bool loaded = false;
        std::string data;
        size_t recordLength = 0;
        std::unordered_map<std::string, size_t> firstStart;  // key -> offset of its first record
    };
    void Load(const RaceDay& day, int kind, KindFile& file) const;

    const ProgramFolder& folder_;
    std::array<KindFile, 6> kinds_;
};

}  // namespace sorvane
