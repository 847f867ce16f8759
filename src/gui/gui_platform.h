// The platform port on a Qt desktop: no registry, documents and URLs through the desktop's
// handlers, detached processes, the system clipboard and the installed printers.
#pragma once

#include "ports/platform.h"

class GuiPlatform : public sorvane::Platform {
  public:
    std::string ReadRegistry(sorvane::RegistryRoot root, const std::string& key,
                             const std::string& valueName) override;
    bool OpenDocument(const std::string& sjisPathOrUrl, sorvane::ShowMode mode) override;
    bool StartCommand(const std::string& sjisCommandLine, sorvane::ShowMode mode) override;
    void SetClipboardText(const std::string& sjisText) override;
    std::vector<std::string> Printers() override;
};
