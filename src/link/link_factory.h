// Chooses the NV-Link implementation by its kind name: "feed" serves a feed folder, "absent"
// stands for a machine without the control. "com" (the Windows control) is not built here yet
// and gives the absent link, as does any other name.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "ports/clock.h"
#include "ports/nv_link.h"

namespace sorvane {

// feedDir is used by the feed link only; the clock must outlive the link.
std::unique_ptr<NvLink> MakeLink(const std::string& kind, const std::filesystem::path& feedDir,
                                 const Clock& clock);

}  // namespace sorvane
