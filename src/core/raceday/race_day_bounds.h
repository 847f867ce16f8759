// The fixed bounds of a loaded race day.
#pragma once

namespace sorvane {

inline constexpr int kMaxRaces = 96;      // race slots of a day
inline constexpr int kMaxRunners = 18;    // runner slots of a race; horse number = slot + 1
inline constexpr int kMaxPastRuns = 100;  // past-run slots of a runner
inline constexpr int kMaxPairs = 153;     // horse pairs i < j of 18 runners

}  // namespace sorvane
