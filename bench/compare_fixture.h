// A generated race day for the comparison tests and benchmark: a population of horses with
// coherent histories (horses of one class meet each other and common opponents again and
// again), written as past-run files, and a day of races drawn from those classes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "compare/search2ba.h"

namespace sorvane {

class RaceDay;

struct CompareDayOptions {
    int races = 96;
    int runners = 18;
    int runsPerHorse = 40;  // past runs per horse on average
    int classSize = 40;     // horses that meet each other
    uint32_t seed = 1;
    int raceDate = 20260601;
    // Zero times, unplaced runs, runs on or after the race date, damaged records and files,
    // a missing file, a weight of 0 and equal names in a race, here and there.
    bool faults = false;
    int zeroTimePercent = 4;  // of the runners of a past race, with faults on
};

// Writes the SEI folder under home and fills the day's race and runner tables.
void GenerateCompareDay(const std::filesystem::path& home, RaceDay& day,
                        const CompareDayOptions& options);

// The blood numbers of every runner of the day's used race slots.
std::vector<std::string> RunnersOfDay(const RaceDay& day);

}  // namespace sorvane
