#include "link/feed_config.h"

#include <algorithm>

#include "base/fields.h"
#include "base/files.h"
#include "shell/ini_file.h"

namespace sorvane {
namespace {

int Value(const IniDocument& ini, const char* section, const char* key, int fallback) {
    auto v = ini.Get(section, key);
    return v ? ToInt(*v) : fallback;
}

}  // namespace

FeedConfig LoadFeedConfig(const std::filesystem::path& feedDir) {
    FeedConfig c;
    std::string text;
    try {
        if (!ReadWholeFile(ResolveComponent(feedDir, "link.ini"), text)) return c;
    } catch (const FileError&) {
        return c;
    }
    IniDocument ini(text);
    // A count this large already keeps every caller waiting for good; more is no use.
    constexpr int kMaxCount = 1000000;
    c.downloadFiles = std::clamp(Value(ini, "Service", "DownloadFiles", 0), 0, kMaxCount);
    c.busyReads = std::clamp(Value(ini, "Service", "BusyReads", 0), 0, kMaxCount);
    c.faultInit = Value(ini, "Fault", "NVInit", 0);
    c.faultSetUIProperties = Value(ini, "Fault", "NVSetUIProperties", 0);
    c.faultOpen = Value(ini, "Fault", "NVOpen", 0);
    c.faultRTOpen = Value(ini, "Fault", "NVRTOpen", 0);
    c.faultClose = Value(ini, "Fault", "NVClose", 0);
    c.faultStatus = Value(ini, "Fault", "NVStatus", 0);
    c.faultStatusAfter = std::max(1, Value(ini, "Fault", "NVStatusAfter", 1));
    c.faultRead = Value(ini, "Fault", "NVRead", 0);
    c.faultReadAfter = std::max(0, Value(ini, "Fault", "NVReadAfter", 0));
    c.faultRakutenLogin = Value(ini, "Fault", "RakutenLogin", 0);
    c.faultRakutenBet = Value(ini, "Fault", "RakutenBet", 0);
    c.faultRakutenZandaka = Value(ini, "Fault", "RakutenZandaka", 0);
    c.faultRakutenDeposit = Value(ini, "Fault", "RakutenDeposit", 0);
    c.faultRakutenLogout = Value(ini, "Fault", "RakutenLogout", 0);
    return c;
}

}  // namespace sorvane
