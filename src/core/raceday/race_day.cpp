// The loaded race day: table set-up, the initialisation and the blank fill of a load.
#include "raceday/race_day.h"

#include <algorithm>
#include <stdexcept>

#include "base/fields.h"
#include "store/day_files.h"
#include "store/records.h"

namespace sorvane {

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
    static constexpr DayFileKind kOdds[] = {DayFileKind::O1, DayFileKind::O2, DayFileKind::O3,
                                            DayFileKind::O4, DayFileKind::O5, DayFileKind::O6};
    DayFileNames names;
    names.ra = DayFilePath(DayFileName(DayFileKind::RA, dayStamp));
    for (int k = 0; k < 6; ++k) names.odds[k] = DayFilePath(DayFileName(kOdds[k], dayStamp));
    return names;
}

RaceDay::RaceDay()
    : raceTable(kMaxRaces, RecordLength(RecordType::RA)),
      pastRunTable(kMaxRaces, kMaxRunners, kMaxPastRuns),
      payoutTable(kMaxRaces, RecordLength(RecordType::HR)),
      oddsO1(kMaxRaces, RecordLength(RecordType::O1)),
      oddsO2(kMaxRaces, RecordLength(RecordType::O2)),
      oddsO3(kMaxRaces, RecordLength(RecordType::O3)),
      oddsO4(kMaxRaces, RecordLength(RecordType::O4)),
      oddsO5(kMaxRaces, RecordLength(RecordType::O5)),
      oddsO6(kMaxRaces, RecordLength(RecordType::O6)) {
    Initialise();
}

RecordTable& RaceDay::OddsTable(int kind) {
    return const_cast<RecordTable&>(static_cast<const RaceDay*>(this)->OddsTable(kind));
}

const RecordTable& RaceDay::OddsTable(int kind) const {
    switch (kind) {
        case 1:
            return oddsO1;
        case 2:
            return oddsO2;
        case 3:
            return oddsO3;
        case 4:
            return oddsO4;
        case 5:
            return oddsO5;
        case 6:
            return oddsO6;
    }
    throw std::out_of_range("odds record kind " + std::to_string(kind));
}

void RaceDay::Initialise() {
    for (OddsValues& v : oddsValues) v.Reset();
    for (RaceAnalysis& a : raceAnalysis) ResetAnalysis(a);
}

void RaceDay::ClearRecords() {
    raceTable.ClearAll();
    payoutTable.ClearAll();
    for (int k = 1; k <= 6; ++k) OddsTable(k).ClearAll();
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
    for (int k = 1; k <= 6; ++k) n += OddsTable(k).AllocatedBytes();
    // The texts of the analysis and odds records are short and stay within their inline
    // storage; they add nothing.
    return n;
}

}  // namespace sorvane
