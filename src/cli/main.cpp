// sorvane-cli: the headless front end.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_app.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    std::filesystem::path exeDir = ec ? std::filesystem::current_path() : exe.parent_path();
    return sorvane::CliMain(args, sorvane::CliStreams{}, std::getenv("SORVANE_HOME"), exeDir);
}
