// Test doubles of the Ui, Platform and NvLink ports that record what the core asked of them.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/sjis.h"
#include "ports/nv_link.h"
#include "ports/platform.h"
#include "ports/ui.h"

namespace sorvane::testing {

// Every call as one text ("beep", "inform:<utf-8 text>", "confirm:...", "error:...").
class FakeUi : public Ui {
  public:
    std::vector<std::string> calls;
    std::vector<bool> answers;  // confirmations, in order; No when exhausted

    void Beep() override { calls.push_back("beep"); }
    void WarningBeep() override { calls.push_back("warning-beep"); }
    void Inform(const std::string& t) override { calls.push_back("inform:" + Utf8FromSjis(t)); }
    void Message(const std::string& t) override { calls.push_back("message:" + Utf8FromSjis(t)); }
    bool Confirm(const std::string& t) override {
        calls.push_back("confirm:" + Utf8FromSjis(t));
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    void ShowError(const std::string& t) override { calls.push_back("error:" + Utf8FromSjis(t)); }
    void SetCursor(CursorShape) override {}
    void ProcessEvents() override { ++pumped; }
    int pumped = 0;
};

class FakePlatform : public Platform {
  public:
    // Registry values by "root|key|value" (keys as Shift-JIS).
    std::map<std::string, std::string> registry;
    std::vector<std::string> reads;
    std::vector<std::string> opened;
    std::vector<std::string> started;
    bool openSucceeds = true;
    std::string clipboard;

    static std::string Key(RegistryRoot root, const std::string& key, const std::string& value) {
        return std::to_string(static_cast<int>(root)) + "|" + key + "|" + value;
    }
    std::string ReadRegistry(RegistryRoot root, const std::string& key,
                             const std::string& value) override {
        reads.push_back(Key(root, key, value));
        auto it = registry.find(Key(root, key, value));
        return it == registry.end() ? std::string() : it->second;
    }
    bool OpenDocument(const std::string& target, ShowMode) override {
        opened.push_back(target);
        return openSucceeds;
    }
    bool StartCommand(const std::string& cmd, ShowMode) override {
        started.push_back(cmd);
        return true;
    }
    void SetClipboardText(const std::string& t) override { clipboard = t; }
    std::vector<std::string> Printers() override { return {}; }
};

// A link whose presence and NVInit result are set by the test; everything else does nothing.
class FakeLink : public NvLink {
  public:
    bool installed = true;
    int initResult = 0;
    std::vector<std::string> initIds;

    bool ControlInstalled() override { return installed; }
    int NVInit(const std::string& id) override {
        initIds.push_back(id);
        return initResult;
    }
    int NVSetUIProperties() override { return 0; }
    int NVOpen(const std::string&, const std::string&, int, NvOpenInfo&) override { return -1; }
    int NVStatus() override { return 0; }
    int NVRTOpen(const std::string&, const std::string&) override { return -1; }
    int NVRead(std::u16string&, int, std::string&) override { return 0; }
    int NVGets(std::string&, int, std::string&) override { return 0; }
    void NVCancel() override {}
    int NVClose() override { return 0; }
    int RakutenLogin(const std::string&, const std::string&) override { return 0; }
    int RakutenBet(const std::string&, const std::string&, int, RakutenBetResult&) override {
        return 0;
    }
    int RakutenZandaka(RakutenBalance&, const std::string&) override { return 0; }
    int RakutenDeposit() override { return 0; }
    int RakutenLogout() override { return 0; }
};

}  // namespace sorvane::testing
