#include "compare/compare_rules.h"

#include "base/fields.h"
#include "base/sjis.h"
#include "ports/clock.h"
#include "raceday/race_day.h"
#include "store/records.h"

namespace sorvane {

std::string_view TrimName(std::string_view name) {
    size_t b = 0;
    size_t e = name.size();
    while (b < e && static_cast<unsigned char>(name[b]) <= 0x20) ++b;
    while (e > b && static_cast<unsigned char>(name[e - 1]) <= 0x20) --e;
    return name.substr(b, e - b);
}

std::string NameKey(std::string_view name) {
    static const std::string blanks = Sj("　　　　　　　　　");
    std::string key(TrimName(name));
    key += blanks;
    key.resize(kNameKeyLength);
    return key;
}

int StrictDate(std::string_view text) {
    if (text.size() != 8 || !IsAllDigits(text)) return -1;
    return ToInt(text);
}

int RaceDateOf(const RaceDay& day, int race) {
    if (race < 0 || race >= kMaxRaces) return -1;
    std::string_view ra = day.raceTable.At(race);
    return StrictDate(Field(ra, hdr::kRaceDate));
}

int DaysBefore(int d, int days) {
    if (d < 0) return -1;
    LocalTime t;
    t.year = d / 10000;
    t.month = d / 100 % 100;
    t.day = d % 100;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31) return -1;
    LocalTime r = AddDaysTo(t, -days);
    return r.year * 10000 + r.month * 100 + r.day;
}

int TimeTenths(std::string_view t) {
    t = t.substr(0, 4);
    if (t.empty()) return 0;
    return ToInt(t.substr(0, 1)) * 600 + ToInt(t.substr(1));
}

Margins MarginsOf(int ownTime, int oppTime, int ownWeight, int oppWeight, double ownToday,
                  double otherToday) {
    Margins m;
    m.raw = (oppTime - ownTime) / 10.0;
    m.corrected = CorrectedMargin(ownTime, oppTime, ownWeight, oppWeight);
    m.comparison = ComparisonMargin(m.corrected, ownToday, otherToday);
    return m;
}

}  // namespace sorvane
