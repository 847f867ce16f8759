// The platform port: what the program needs of the desktop beyond windows. On Linux there is
// no registry, so registry reads are blank; the GUI opens documents with the desktop's handler.
#pragma once

#include <string>
#include <vector>

namespace sorvane {

enum class RegistryRoot { LocalMachine, ClassesRoot, CurrentUser };
enum class ShowMode { Normal, Hidden, Maximized, Minimized };

class Platform {
  public:
    virtual ~Platform() = default;
    // A registry value as Shift-JIS; blank when the key or value does not exist or cannot be
    // read. An empty value name reads the key's default value.
    virtual std::string ReadRegistry(RegistryRoot root, const std::string& key,
                                     const std::string& valueName) = 0;
    // Opens a document or URL with its associated program; true when a program started.
    virtual bool OpenDocument(const std::string& sjisPathOrUrl, ShowMode mode) = 0;
    // Starts a command line; true when a program started.
    virtual bool StartCommand(const std::string& sjisCommandLine, ShowMode mode) = 0;
    virtual void SetClipboardText(const std::string& sjisText) = 0;
    virtual std::vector<std::string> Printers() = 0;
};

}  // namespace sorvane
