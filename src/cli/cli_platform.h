// The platform port of the CLI: no registry, and opening a document or starting a program is
// reported on standard error rather than done (a headless run has no desktop to show it on).
#pragma once

#include <string>
#include <vector>

#include "ports/platform.h"
#include "terminal_ui.h"

namespace sorvane {

class CliPlatform : public Platform {
  public:
    explicit CliPlatform(TerminalUi& ui) : ui_(ui) {}
    std::string ReadRegistry(RegistryRoot, const std::string&, const std::string&) override {
        return {};
    }
    bool OpenDocument(const std::string& target, ShowMode) override;
    bool StartCommand(const std::string& commandLine, ShowMode) override;
    void SetClipboardText(const std::string& text) override { clipboard_ = text; }
    std::vector<std::string> Printers() override { return {}; }

    const std::string& clipboard() const { return clipboard_; }

  private:
    TerminalUi& ui_;
    std::string clipboard_;
};

}  // namespace sorvane
