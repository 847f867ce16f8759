// The day stamp yyyy年mm月dd日 (14 Shift-JIS bytes) that begins every day file name, and the
// checks that a record's date and track fields can safely form such names.
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

inline constexpr size_t kDayStampLength = 14;

// The stamp of an 8-digit race date yyyymmdd. The caller checks the digits first
// (IsNameDate); other text gives an empty result.
std::string DayStamp(std::string_view raceDate);

// True for 8 ASCII digits: the only dates that may form a day file name.
bool IsNameDate(std::string_view raceDate);
// True for 2 ASCII digits: the only track codes that may form a runner file name.
bool IsNameTrack(std::string_view trackCode);

// The date yyyymmdd of a stamp; empty when the text is not a stamp.
std::string DateOfDayStamp(std::string_view stamp);

}  // namespace sorvane
