// The NV records of the demo season, byte for byte in Shift-JIS: RA, SE, HR, O1 … O6 and TC,
// each exactly its kind's length with CR LF at the end. Fields without a value are blanks.
#pragma once

#include <cstdint>
#include <string>

#include "feedgen_pools.h"
#include "feedgen_season.h"

namespace sorvane::feedgen {

// Record lengths including CR LF.
inline constexpr size_t kLenRA = 1272, kLenSE = 555, kLenHR = 719, kLenTC = 45;
inline constexpr size_t kLenO[6] = {962, 2042, 2654, 4031, 12293, 83285};

// `created` is the record's creation date (days since 1970-01-01). With `results` false the
// race and its runners are entries only: no starters, times, positions or odds.
std::string MakeRA(const Race& race, char dataKind, int64_t created, bool results);
std::string MakeSE(const Season& season, int trackIndex, const Race& race, const Runner& runner,
                   char dataKind, int64_t created, bool results);
std::string MakeHR(const Race& race, char dataKind, int64_t created);
// Odds record O1 (which = 1) … O6 of the pools, announced at `announced` minutes after
// midnight of the race day.
std::string MakeOdds(int which, const Race& race, const RacePools& pools, char dataKind,
                     int64_t created, int announced);
// A post-time change announced at `announced` (minutes after midnight of the race day).
std::string MakeTC(const Race& race, int64_t created, int announced, int newPostTime);

}  // namespace sorvane::feedgen
