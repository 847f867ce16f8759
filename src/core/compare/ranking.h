// The ranks of one field from its comparison tallies: win-rate and point-win-rate ranks after
// the race comparison, wins ranks and the reverse ranks of the popular horses after the odds.
#pragma once

#include <string>

namespace sorvane {

class SettingsFile;
struct OddsValues;
struct RaceAnalysis;

// Rates and ranks of runner slots 0..runners-1 from their wins, losses and points: winRate
// and ptWinRate (kNoRate with nothing to divide), winRateRank and ptWinRateRank (0 = no rank).
// Rank 1 is the highest rate as rounded to 3 decimals; ties go to more wins (win points), then
// to the higher horse number.
void RankRace(RaceAnalysis& a, int runners);

// winsRank, winsRevRank and ptRevRank of runner slots 0..runners-1. Only horses with wins
// (win points) take part; the reverse ranks only those whose win odds are above 0 and not
// above ceiling: reverse rank 1 is the fewest wins (win points), ties to the smaller
// popularity number, then the lower horse number. winsRank 1 is the most wins, ties to the
// higher point win rate (5 decimals), then the higher horse number.
void RankWins(RaceAnalysis& a, const OddsValues& odds, int runners, double ceiling);

// The win-odds ceiling OddsSpan/ceil, stored as text, default "10.0". A value that is not a
// number reads as the default.
double OddsCeiling(const SettingsFile& settings);

}  // namespace sorvane
