// The loaded race day: table set-up, the initialisation and the blank fill of a load.
#include "raceday/race_day.h"

#include <algorithm>

#include "base/fields.h"
#include "store/records.h"

namespace sorvane {

namespace {

constexpr RecordType kOddsTypes[6] = {RecordType::O1, RecordType::O2, RecordType::O3,
                                      RecordType::O4, RecordType::O5, RecordType::O6};

}  // namespace

RunnerTable::RunnerTable() : records_(kMaxRaces * kMaxRunners, RecordLength(RecordType::SE)) {}

int RunnerTable::Slot(int race, int runner) const {
    if (race < 0 || race >= kMaxRaces || runner < 0 || runner >= kMaxRunners) return -1;
    return race * kMaxRunners + runner;
}

std::string_view RunnerTable::At(int race, int runner) const {
    return records_.At(Slot(race, runner));
}

bool RunnerTable::Put(int race, int runner, std::string_view rec) {
    return records_.Put(Slot(race, runner), rec);
}

DayFileNames DayFileNamesOf(std::string_view dayStamp) {
    std::string base = "Data\\" + std::string(dayStamp);
    DayFileNames names;
    names.ra = base + ".nvRA";
    for (int k = 0; k < 6; ++k) names.odds[k] = base + ".nvO" + std::to_string(k + 1);
    return names;
}

RaceDay::RaceDay()
    : raceTable(kMaxRaces, RecordLength(RecordType::RA)),
      pastRunTable(kMaxRaces, kMaxRunners, kMaxPastRuns),
      payoutTable(kMaxRaces, RecordLength(RecordType::HR)),
      oddsTables{RecordTable(kMaxRaces, RecordLength(kOddsTypes[0])),
                 RecordTable(kMaxRaces, RecordLength(kOddsTypes[1])),
                 RecordTable(kMaxRaces, RecordLength(kOddsTypes[2])),
                 RecordTable(kMaxRaces, RecordLength(kOddsTypes[3])),
                 RecordTable(kMaxRaces, RecordLength(kOddsTypes[4])),
                 RecordTable(kMaxRaces, RecordLength(kOddsTypes[5]))} {
    Initialise();
}

void RaceDay::Initialise() {
    for (OddsValues& v : oddsValues) v.Reset();
    for (RaceAnalysis& a : raceAnalysis) ResetAnalysis(a);
}

void RaceDay::ClearRecords() {
    raceTable.ClearAll();
    payoutTable.ClearAll();
    for (RecordTable& t : oddsTables) t.ClearAll();
    runnerTable.ClearAll();
    pastRunTable.ClearAll();
    for (auto& race : pastRunMark)
        for (auto& runner : race) runner.fill(0);
    // Slots of an earlier, longer day must not stay marked as loaded.
    raceLoaded.fill(0);
    raceCount = 0;
}

bool RaceDay::SlotInUse(int race) const {
    std::string_view year = RaRecord(raceTable.At(race)).YearText();
    return !IsBlank(year) && year != "0000";
}

int RaceDay::RegisteredRunners(int race) const {
    return std::clamp(RaRecord(raceTable.At(race)).RegisteredRunners(), 0, kMaxRunners);
}

size_t RaceDay::AllocatedBytes() const {
    size_t n = sizeof(*this) + raceTable.AllocatedBytes() + runnerTable.AllocatedBytes() +
               pastRunTable.AllocatedBytes() + payoutTable.AllocatedBytes();
    for (const RecordTable& t : oddsTables) n += t.AllocatedBytes();
    // The texts of the analysis and odds records are short and stay within their inline
    // storage; they add nothing.
    return n;
}

}  // namespace sorvane
