// Which NV-Link implementation a front end uses: "--link KIND[:DIR]" on the command line, else
// the settings [Link] Kind and FeedDir. The feed link is the default on this platform.
#pragma once

#include <optional>
#include <string>

#include "base/files.h"
#include "shell/settings_file.h"

namespace sorvane {

struct LinkChoice {
    std::string kind;  // "feed", "com" (the Windows control) or "absent"
    fs::path feedDir;  // for "feed"
};

// arg is the value of --link ("feed:DIR", "feed", "com", "absent") or empty. A relative DIR
// is taken from the current folder (as a user types it); a relative FeedDir setting from the
// program folder. Nothing when arg names an unknown kind.
std::optional<LinkChoice> ChooseLink(const std::string& arg, const SettingsFile& settings,
                                     const ProgramFolder& folder);

}  // namespace sorvane
