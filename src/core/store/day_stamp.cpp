#include "store/day_stamp.h"

#include "base/fields.h"
#include "base/sjis.h"

namespace sorvane {
namespace {

const std::string& Year() {
    static const std::string s = Sj("年");
    return s;
}
const std::string& Month() {
    static const std::string s = Sj("月");
    return s;
}
const std::string& Day() {
    static const std::string s = Sj("日");
    return s;
}

}  // namespace

bool IsNameDate(std::string_view d) { return d.size() == 8 && IsAllDigits(d); }

bool IsNameTrack(std::string_view t) { return t.size() == 2 && IsAllDigits(t); }

std::string DayStamp(std::string_view d) {
    if (!IsNameDate(d)) return {};
    std::string s;
    s.reserve(kDayStampLength);
    s.append(d.substr(0, 4));
    s += Year();
    s.append(d.substr(4, 2));
    s += Month();
    s.append(d.substr(6, 2));
    s += Day();
    return s;
}

std::string DateOfDayStamp(std::string_view s) {
    if (s.size() < kDayStampLength) return {};
    std::string d;
    d.append(s.substr(0, 4));
    d.append(s.substr(6, 2));
    d.append(s.substr(10, 2));
    if (!IsNameDate(d) || DayStamp(d) != s.substr(0, kDayStampLength)) return {};
    return d;
}

}  // namespace sorvane
