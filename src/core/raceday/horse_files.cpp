#include "raceday/horse_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "store/past_run_file.h"

namespace sorvane {
namespace {

// The first `limit` bytes of a file straight into out, over the bytes out held (so a buffer
// already that long is not filled first); false when it does not exist.
bool ReadPrefix(const fs::path& path, size_t limit, std::string& out) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        out.clear();
        if (errno == ENOENT || errno == ENOTDIR) return false;
        throw FileError(std::string("cannot open: ") + std::strerror(errno), path);
    }
    if (out.size() < limit) out.resize(limit);
    size_t have = 0;
    while (have < limit) {
        ssize_t n = ::read(fd, out.data() + have, limit - have);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int e = errno;
            ::close(fd);
            out.clear();
            throw FileError(std::string("cannot read: ") + std::strerror(e), path);
        }
        if (n == 0) break;
        have += static_cast<size_t>(n);
    }
    ::close(fd);
    out.resize(have);
    return true;
}

}  // namespace

HorseFiles::HorseFiles(const ProgramFolder& folder)
    : sei_(ResolveComponent(folder.Root(), kPastRunFolder)) {}

bool HorseFiles::Read(std::string_view blood, const char* extension, size_t limit,
                      std::string& out) const {
    // A valid blood number is 10 ASCII letters and digits: its native name is itself.
    if (!IsValidBloodNumber(blood)) return false;
    std::string sub(blood.substr(0, 4));
    std::string name = std::string(blood) + extension;
    if (ReadPrefix(sei_ / sub / name, limit, out)) return true;
    fs::path path = ResolveComponent(ResolveComponent(sei_, sub), name);
    return path != sei_ / sub / name && ReadPrefix(path, limit, out);
}

}  // namespace sorvane
