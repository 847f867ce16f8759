// The contract with the NV-Link data and betting control. Every call returns the control's
// integer code; results come back through the reference arguments. Texts passed in are the
// control's wide strings given here as Shift-JIS (the adapter converts); NVRead hands records
// over as UTF-16, as the control does, and NVGets as Shift-JIS bytes.
#pragma once

#include <string>

namespace sorvane {

// Buffer sizes the program passes to the read calls.
inline constexpr int kNvReadBufferBulk = 100000;
inline constexpr int kNvReadBufferResults = 60000;

struct NvOpenInfo {
    int readCount = 0;
    int downloadCount = 0;
    std::string lastFileTimestamp;  // yyyymmddhhnnss
};

struct RakutenBetResult {
    int amountBought = 0;
    int votesLeft = 0;
    int purchaseLimit = 0;
    std::string text;  // returned by the control, not read by the program
};

struct RakutenBalance {
    int purchaseLimit = 0;
    int purchasedToday = 0;
    int paidToday = 0;
    int votesLeft = 0;
};

class NvLink {
  public:
    virtual ~NvLink() = default;

    // The presence test: whether the control can be created on this machine.
    virtual bool ControlInstalled() = 0;

    virtual int NVInit(const std::string& softwareId) = 0;
    virtual int NVSetUIProperties() = 0;
    virtual int NVOpen(const std::string& dataSpec, const std::string& fromTime, int option,
                       NvOpenInfo& info) = 0;
    virtual int NVStatus() = 0;
    virtual int NVRTOpen(const std::string& dataSpec, const std::string& key) = 0;
    // > 0: one record in `record` (its length in Shift-JIS bytes including CR LF); 0: end of
    // data; -1: next file; -2/-3: call again; below -3: error. `fileName` names the file read.
    virtual int NVRead(std::u16string& record, int bufferSize, std::string& fileName) = 0;
    virtual int NVGets(std::string& record, int bufferSize, std::string& fileName) = 0;
    virtual void NVCancel() = 0;
    virtual int NVClose() = 0;

    virtual int RakutenLogin(const std::string& user, const std::string& password) = 0;
    virtual int RakutenBet(const std::string& reserved, const std::string& voteLines, int mode,
                           RakutenBetResult& result) = 0;
    virtual int RakutenZandaka(RakutenBalance& balance, const std::string& reserved) = 0;
    virtual int RakutenDeposit() = 0;
    virtual int RakutenLogout() = 0;
};

}  // namespace sorvane
