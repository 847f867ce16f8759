#include "raceday/entry_labels.h"

#include "base/fields.h"
#include "shell/code_tables_format.h"

namespace sorvane {

std::string DisplayHorseName(std::string_view name) {
    return std::string(TrimBlanks(StripFullWidthBlanks(name)));
}

std::string AgeLabel(int age) { return age >= 1 ? std::to_string(age) : std::string(); }

std::string CarriedWeightText(std::string_view w) {
    return std::string(Field(w, 0, 2)) + "." + std::string(Field(w, 2, 1));
}

}  // namespace sorvane
