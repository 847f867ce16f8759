#include "shell/link_choice.h"

namespace sorvane {

std::optional<LinkChoice> ChooseLink(const std::string& arg, const SettingsFile& settings,
                                     const ProgramFolder& folder) {
    LinkChoice c;
    std::string dir;
    if (!arg.empty()) {
        size_t colon = arg.find(':');
        c.kind = arg.substr(0, colon);
        if (colon != std::string::npos) dir = arg.substr(colon + 1);
        if (!dir.empty()) {
            std::error_code ec;
            fs::path p = fs::absolute(fs::path(dir), ec);
            c.feedDir = ec ? fs::path(dir) : p;
        }
    } else {
        c.kind = settings.ReadString("Link", "Kind", "feed");
    }
    if (c.kind != "feed" && c.kind != "com" && c.kind != "absent") return std::nullopt;
    if (c.feedDir.empty()) {
        std::string setting = settings.ReadString("Link", "FeedDir", "");
        fs::path p = setting.empty() ? fs::path("feed") : NativeName(setting);
        c.feedDir = p.is_absolute() ? p : folder.Root() / p;
    }
    return c;
}

}  // namespace sorvane
