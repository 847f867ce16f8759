// The link of a machine where the NV-Link control is not installed: the presence test fails
// and every call answers as an uninitialised control would.
#pragma once

#include "ports/nv_link.h"

namespace sorvane {

class AbsentLink : public NvLink {
  public:
    bool ControlInstalled() override { return false; }
    int NVInit(const std::string&) override { return -201; }
    int NVSetUIProperties() override { return -201; }
    int NVOpen(const std::string&, const std::string&, int, NvOpenInfo&) override { return -201; }
    int NVStatus() override { return -201; }
    int NVRTOpen(const std::string&, const std::string&) override { return -201; }
    int NVRead(std::u16string&, int, std::string&) override { return -201; }
    int NVGets(std::string&, int, std::string&) override { return -201; }
    void NVCancel() override {}
    int NVClose() override { return 0; }
    int RakutenLogin(const std::string&, const std::string&) override { return -201; }
    int RakutenBet(const std::string&, const std::string&, int, RakutenBetResult&) override {
        return -201;
    }
    int RakutenZandaka(RakutenBalance&, const std::string&) override { return -201; }
    int RakutenDeposit() override { return -201; }
    int RakutenLogout() override { return 0; }
};

}  // namespace sorvane
