// How the emulated NV-Link service of a feed folder behaves: the optional link.ini beside the
// data, with the download count and busy reads of [Service] and the forced codes of [Fault].
#pragma once

#include <filesystem>
#include <string>

namespace sorvane {

// link.ini, all keys optional (a missing file or key means the default):
//   [Service] DownloadFiles=N  download count that NVOpen reports (default 0, at most the read
//                              count); NVStatus then counts up one file per call
//             BusyReads=K      NVRead answers -3 K times before the first record of each file
//   [Fault]   NVInit, NVSetUIProperties, NVOpen, NVRTOpen, NVClose, RakutenLogin, RakutenBet,
//             RakutenZandaka, RakutenDeposit, RakutenLogout = code
//                              the call returns the code and does nothing else (0: no fault;
//                              a failing NVClose still ends the request)
//             NVStatus=code, NVStatusAfter=N  the Nth NVStatus call of a request (default 1)
//             NVRead=code, NVReadAfter=N      in place of record N+1 of a request (default 0);
//                              the record itself follows at the next call
// The link reads the file again at NVInit, at every open, at NVClose and at each betting call,
// so faults can be switched by hand while the program runs; those of NVStatus and NVRead hold
// for the request that was opened.
struct FeedConfig {
    int downloadFiles = 0;
    int busyReads = 0;

    int faultInit = 0;
    int faultSetUIProperties = 0;
    int faultOpen = 0;
    int faultRTOpen = 0;
    int faultClose = 0;
    int faultStatus = 0;
    int faultStatusAfter = 1;
    int faultRead = 0;
    int faultReadAfter = 0;
    int faultRakutenLogin = 0;
    int faultRakutenBet = 0;
    int faultRakutenZandaka = 0;
    int faultRakutenDeposit = 0;
    int faultRakutenLogout = 0;
};

// Reads feedDir/link.ini. A missing or unreadable file gives the defaults; values that are not
// numbers read as 0, counts below 0 as 0.
FeedConfig LoadFeedConfig(const std::filesystem::path& feedDir);

}  // namespace sorvane
