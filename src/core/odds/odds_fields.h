// The reading of one odds field of an O1 .. O6 record into the numeric odds of OddsValues, and
// of its popularity field.
#pragma once

#include <string_view>

namespace sorvane {

// The field trimmed of blanks: a run of '-' or '*' as long as the field (scratched before or
// after sale) gives kOddsScratched; nothing left gives kOddsAbsent; otherwise the decimal
// number it holds divided by 10.0, or 0.0 when it is not a number (damaged text).
double OddsFieldValue(std::string_view field);
// True when the field gives neither kOddsScratched nor kOddsAbsent: the cases in which the
// import takes the entry's popularity and ranks the horse.
bool OddsFieldHoldsValue(std::string_view field);
// The popularity field as an integer; 0 when it is not a number.
int PopularityValue(std::string_view field);

}  // namespace sorvane
