// Small display forms shared by the two entry tables.
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// The display form of a horse name: the SE name without its full-width (and trailing) blanks.
std::string DisplayHorseName(std::string_view name);
// The age as the entry tables show it after the sex ("3"); empty for 0.
std::string AgeLabel(int age);
// A carried weight of three digits in tenths of a kilogram as "54.0".
std::string CarriedWeightText(std::string_view weight);

}  // namespace sorvane
