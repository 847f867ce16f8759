// The loaded race day: races, runners, past runs, payouts and odds of up to 96 races as their
// raw records, the numeric odds and the analysis of every race, and the day's scalars.
//
// Memory. The app owns one RaceDay for the whole run (about 9 MB by itself: the numeric odds
// and analysis of 96 races); make it with std::make_unique and pass a RaceDay& to the code
// that works on the day. The record tables keep only the records present: an empty slot holds
// no bytes and reads as a blank record of its full length, which is what a blank-filled
// table shows. Storage of a slot, once made, is kept for later days, so each slot allocates
// at most once per run. A full day (96 races of 18 runners with 100 past runs each and every
// odds record) holds about 143 MB of past runs and 10 MB of odds records, about 165 MB in all.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "raceday/odds_values.h"
#include "raceday/past_run_table.h"
#include "raceday/race_analysis.h"
#include "raceday/race_day_bounds.h"
#include "raceday/record_table.h"

namespace sorvane {

// The runner records of every race: runner slot k holds the SE record of horse number k + 1.
class RunnerTable {
  public:
    RunnerTable();
    std::string_view At(int race, int runner) const;
    bool Put(int race, int runner, std::string_view rec);
    void ClearAll() { records_.ClearAll(); }
    size_t AllocatedBytes() const { return records_.AllocatedBytes(); }

  private:
    int Slot(int race, int runner) const;
    RecordTable records_;
};

// Names (relative to the program folder, Shift-JIS) of the loaded day's RA file and of its
// six odds files: "Data\" + day stamp + ".nvRA", ".nvO1" .. ".nvO6".
struct DayFileNames {
    std::string ra;
    std::array<std::string, 6> odds;  // O1 .. O6
};
DayFileNames DayFileNamesOf(std::string_view dayStamp);

class RaceDay {
  public:
    RaceDay();
    RaceDay(const RaceDay&) = delete;
    RaceDay& operator=(const RaceDay&) = delete;

    // Raw records, byte for byte with their CR LF (records read from day-file lines carry two
    // blanks there). Race slot s is the s-th RA record of the day.
    RecordTable raceTable;      // [96] RA, 1272 bytes
    RunnerTable runnerTable;    // [96][18] SE, 555 bytes
    PastRunTable pastRunTable;  // [96][18][100] past-run records, 826 bytes, newest first
    // [race][runner][past-run slot]: 0 nothing known, 1 the run confirmed an earlier
    // prediction (順当), 2 it contradicted it (裏切).
    std::array<std::array<std::array<int32_t, kMaxPastRuns>, kMaxRunners>, kMaxRaces> pastRunMark{};
    RecordTable payoutTable;  // [96] HR, 719 bytes
    // [96] each: the O1 .. O6 odds records of 962, 2042, 2654, 4031, 12293 and 83285 bytes.
    RecordTable oddsO1;
    RecordTable oddsO2;
    RecordTable oddsO3;
    RecordTable oddsO4;
    RecordTable oddsO5;
    RecordTable oddsO6;
    std::array<OddsValues, kMaxRaces> oddsValues;
    std::array<uint8_t, kMaxRaces> raceLoaded{};  // 1 when the loader filled the slot
    std::array<RaceAnalysis, kMaxRaces> raceAnalysis;

    int32_t currentRace = 0;  // race slot of the selected race
    int32_t raceCount = 0;    // RA records read for the loaded day
    int32_t ozRaceSlot = 0;   // race slot the odds import works on
    std::string horseIdA;     // blood registration numbers (10 characters) of the two horses
    std::string horseIdB;     // picked for the two-horse comparison
    DayFileNames dayFiles;

    // The odds record table of kind 1..6 (oddsO1 .. oddsO6); std::out_of_range for others.
    RecordTable& OddsTable(int kind);
    const RecordTable& OddsTable(int kind) const;

    // The initialisation before a day is loaded: for every race slot the times of oddsValues
    // emptied and its odds and ranks 0, and the whole RaceAnalysis reset.
    void Initialise();
    // The blank fill at the start of a day load: every race, runner, past-run, payout and odds
    // record blank, every past-run mark 0, no slot loaded and raceCount 0.
    void ClearRecords();

    // A race slot is in use when the year of its RA record is neither blank nor "0000";
    // everything that walks the race slots skips the others.
    bool SlotInUse(int race) const;
    // Registered runners of the race's RA record, within 0..18 (a larger count is taken as
    // 18: the tables hold 18 runners).
    int RegisteredRunners(int race) const;

    // Bytes held by the day: the object and the storage of every filled record.
    size_t AllocatedBytes() const;
};

}  // namespace sorvane
