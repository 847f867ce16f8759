// Names of the demo season: horse names in full-width katakana, and short names of trainers,
// jockeys and races, all as Shift-JIS padded with full-width blanks to their field widths.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

#include "feedgen_rng.h"

namespace sorvane::feedgen {

// Shift-JIS text padded with full-width blanks (or cut at a character boundary) to exactly
// `bytes` bytes; an odd remainder is an ASCII blank.
std::string PadFullWidth(std::string_view sjis, size_t bytes);

// A new horse name (Shift-JIS, not padded) that is not in `taken`; it is added there. Most
// names have 2 to 9 characters, a few (about 3 %) 10 to 14.
std::string MakeHorseName(Rng& rng, std::unordered_set<std::string>& taken);

// A person's short name of at most four characters (Shift-JIS, not padded) not in `taken`.
std::string MakePersonName(Rng& rng, std::unordered_set<std::string>& taken);

// A special race's name (Shift-JIS, not padded): a word and an ending, "特別", "賞", "カップ".
std::string MakeSpecialRaceName(Rng& rng);
// A graded race's name: a word and "記念", "杯" or "大賞典".
std::string MakeStakesRaceName(Rng& rng);

}  // namespace sorvane::feedgen
