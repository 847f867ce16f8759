// Reading the horse files of a day's runners (past runs .kak, predictions .yos) in the folder
// SEI: the folder is resolved once per load, and each file is opened under its exact name
// first, falling back to the case-insensitive match only when that fails, so the common case
// costs one open per file.
#pragma once

#include <string>
#include <string_view>

#include "base/files.h"

namespace sorvane {

class HorseFiles {
  public:
    explicit HorseFiles(const ProgramFolder& folder);

    // Reads the first `limit` bytes (all of a shorter file) of SEI\<first 4>\<blood><extension>
    // into out, over the bytes it held (its storage is reused); false when the blood number is not
    // valid or the file does not exist. Throws FileError when it exists but cannot be read.
    bool Read(std::string_view blood, const char* extension, size_t limit, std::string& out) const;

  private:
    fs::path sei_;
};

}  // namespace sorvane
