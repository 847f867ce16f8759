// Clock and calendar arithmetic on the texts the records carry: "hhmm", "hhmmss" and
// "yyyy/mm/dd".
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// "hhmm" moved by minutes (negative moves back). Hours are not reduced modulo 24 ("2350" + 20
// = "2410"). A total below zero gives "0000": the result is compared as text with the current
// time, and a moment before midnight of the day has already passed. Blank input gives "".
std::string AddMinutes(std::string_view hhmm, int minutes);

// "hhmmss" moved by seconds, six digits; same rules as AddMinutes ("000000" below zero).
std::string AddSeconds(std::string_view hhmmss, int seconds);

// "yyyy/mm/dd" moved by days in the calendar (leap years included), as "yyyy/mm/dd". Blank
// input, and text that is not a valid date (month 13, 2023/02/29, missing parts), give "".
std::string AddDays(std::string_view date, int days);

}  // namespace sorvane
