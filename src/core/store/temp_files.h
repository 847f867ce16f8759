// The temporary files of the atomic whole-file write (name + ".tmp" + 6 characters): a run
// killed while writing leaves one behind beside the file it was replacing.
#pragma once

#include <string_view>

#include "base/files.h"

namespace sorvane {

// True for a name of that form.
bool IsAtomicTempName(std::string_view name);
// Removes such files from Data and from every sub-folder of SEI; returns how many. Only the
// stores write there, and one program runs them, so none of them is still being written.
int RemoveStaleTempFiles(const ProgramFolder& folder);

}  // namespace sorvane
