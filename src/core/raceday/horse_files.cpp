#include "raceday/horse_files.h"

#include "store/past_run_file.h"

namespace sorvane {

HorseFiles::HorseFiles(const ProgramFolder& folder)
    : sei_(ResolveComponent(folder.Root(), kPastRunFolder)) {}

bool HorseFiles::Read(std::string_view blood, const char* extension, std::string& out) const {
    out.clear();
    // A valid blood number is 10 ASCII letters and digits: its native name is itself.
    if (!IsValidBloodNumber(blood)) return false;
    std::string sub(blood.substr(0, 4));
    std::string name = std::string(blood) + extension;
    if (ReadWholeFile(sei_ / sub / name, out)) return true;
    fs::path path = ResolveComponent(ResolveComponent(sei_, sub), name);
    return path != sei_ / sub / name && ReadWholeFile(path, out);
}

}  // namespace sorvane
