#include "cli_platform.h"

namespace sorvane {

bool CliPlatform::OpenDocument(const std::string& target, ShowMode) {
    ui_.Inform("open: " + target);
    return true;
}

bool CliPlatform::StartCommand(const std::string& commandLine, ShowMode) {
    ui_.Inform("start: " + commandLine);
    return true;
}

}  // namespace sorvane
