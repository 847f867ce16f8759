// Odds snapshots saved by the time-series odds product: the menu command that copies the
// snapshot nearest to each race's scheduled odds time into the day's odds files, and the
// choice of the product's folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

class AppShell;

// "時系列オッズより取得(&T)" (T4): needs the folder setting Dir/jikeiretu to name another
// folder than the program's and a loaded day; then every race's snapshots into the day files,
// the count message, the odds import of every slot and the selected race shown again.
void ImportTimeSeriesOdds(AppShell& shell);

// "時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定(&T)" (T3): the folder chooser; a confirmed folder is stored.
void ChooseTimeSeriesFolder(AppShell& shell);

// The line of a snapshot file to take for a race whose odds are due at targetMinutes (hh * 60
// + mm): among the lines of exactly lineLength bytes that belong to raceKey (16 bytes at 11)
// and were announced on race day (month-day at 15 equals that at 27), the one whose
// announcement time (hh at 31, mm at 33) is nearest; the earlier line wins a tie, and a line
// 1000 minutes or more away is never taken. Nothing when no line qualifies.
std::optional<size_t> NearestSnapshotLine(const std::vector<std::string>& lines, int targetMinutes,
                                          size_t lineLength, std::string_view raceKey);

}  // namespace sorvane
