#include "raceday/date_list.h"

#include <algorithm>

#include "shell/app_shell.h"
#include "store/day_files.h"

namespace sorvane {

std::vector<std::string> ListRaceDays(const ProgramFolder& folder) {
    std::vector<std::string> days;
    std::optional<fs::path> dir = folder.Resolve(kDataFolder);
    std::error_code ec;
    if (!dir || !fs::is_directory(*dir, ec)) return days;
    for (auto it = fs::directory_iterator(*dir, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc)) continue;
        std::optional<DayFileNameParts> parts =
            ParseDayFileName(SjisFromPath(it->path().filename()));
        if (parts && parts->kind == DayFileKind::RA) days.push_back(parts->stamp);
    }
    std::sort(days.begin(), days.end());
    // Two spellings of one extension (.nvRA, .NVRA) name the same day.
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days;
}

void MakeDataListBtn(AppShell& shell) {
    MainFormState& m = shell.main();
    std::vector<std::string> days = ListRaceDays(shell.folder());
    m.dateComboItems.assign(days.rbegin(), days.rend());
    m.dateComboIndex = -1;
    m.datListItems.clear();
    m.datListIndex = -1;
}

}  // namespace sorvane
