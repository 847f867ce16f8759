#include "base/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "base/sjis.h"

namespace sorvane {

fs::path NativeName(std::string_view sjisName) {
    std::string utf8 = Utf8FromSjis(sjisName);
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string SjisFromPath(const fs::path& path) {
    std::u8string u8 = path.u8string();
    return SjisFromUtf8(std::string_view(reinterpret_cast<const char*>(u8.data()), u8.size()));
}

bool IsSafeComponent(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    bool trail = false;
    for (char c : name) {
        auto b = static_cast<unsigned char>(c);
        if (trail) {
            trail = false;
            continue;
        }
        if (IsSjisLead(b)) {
            trail = true;
            continue;
        }
        if (b < 0x20 || b == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
            c == '"' || c == '<' || c == '>' || c == '|')
            return false;
    }
    return !trail;
}

namespace {
// Native names are UTF-8 here, where every byte below 0x80 is ASCII, so plain folding is right.
bool SameNativeName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
        char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
        if (x != y) return false;
    }
    return true;
}
}  // namespace

fs::path ResolveComponent(const fs::path& dir, const fs::path& name) {
    std::error_code ec;
    fs::path exact = dir / name;
    if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    std::string wanted = name.string();
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string have = it->path().filename().string();
        if (SameNativeName(have, wanted)) return it->path();
    }
    return exact;
}

ProgramFolder::ProgramFolder(fs::path root) : root_(std::move(root)) {
    std::error_code ec;
    fs::path abs = fs::absolute(root_, ec);
    if (!ec) root_ = abs.lexically_normal();
    std::string s = root_.string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    root_ = fs::path(s);
}

std::optional<fs::path> ProgramFolder::Resolve(std::string_view rel) const {
    if (rel.empty() || rel.front() == '\\' || rel.front() == '/') return std::nullopt;
    std::vector<fs::path> names;  // the components in their native spelling
    size_t start = 0;
    while (start <= rel.size()) {
        size_t end = start;
        // Separators only at character boundaries: 0x5C can be a trail byte in Shift-JIS.
        bool trail = false;
        while (end < rel.size()) {
            auto b = static_cast<unsigned char>(rel[end]);
            if (trail) {
                trail = false;
            } else if (IsSjisLead(b)) {
                trail = true;
            } else if (b == '\\' || b == '/') {
                break;
            }
            ++end;
        }
        std::string_view comp = rel.substr(start, end - start);
        if (!IsSafeComponent(comp)) return std::nullopt;
        names.push_back(NativeName(comp));
        if (end >= rel.size()) break;
        start = end + 1;
        if (start >= rel.size()) return std::nullopt;
    }
    // The usual case first: the whole name exists as written, which is what matching each
    // component would find, at the cost of one look-up instead of one per component.
    fs::path exact = root_;
    for (const fs::path& n : names) exact /= n;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    fs::path out = root_;
    for (const fs::path& n : names) out = ResolveComponent(out, n);
    return out;
}

fs::path ProgramFolder::Path(std::string_view rel) const {
    auto p = Resolve(rel);
    if (!p) throw FileError("unsafe file name: " + Utf8FromSjis(rel), root_);
    return *p;
}

bool ProgramFolder::EnsureFolder(std::string_view rel) const {
    auto p = Resolve(rel);
    if (!p) return false;
    std::error_code ec;
    if (fs::is_directory(*p, ec)) return true;
    fs::create_directory(*p, ec);
    return !ec && fs::is_directory(*p, ec);
}

namespace {

// Reads a whole file into storage from grow(size, kept), which gives room for at least `size`
// bytes with the first `kept` bytes as they were; `len` receives the length read. False when
// the file does not exist; throws FileError when it cannot be read.
template <typename Grow>
bool ReadFileInto(const fs::path& path, Grow grow, size_t& len) {
    len = 0;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return false;
        throw FileError(std::string("cannot open: ") + std::strerror(errno), path);
    }
    // Sized from the file's length (one byte more, so that the end is seen without growing);
    // a file that grows meanwhile is still read to its end.
    struct stat st {};
    size_t room = ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1
                                                          : size_t{1} << 16;
    char* buf = grow(room, 0);
    for (;;) {
        if (len == room) {
            room *= 2;
            buf = grow(room, len);
        }
        ssize_t n = ::read(fd, buf + len, room - len);
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            throw FileError(std::string("cannot read: ") + std::strerror(e), path);
        }
        if (n == 0) break;
        len += static_cast<size_t>(n);
    }
    ::close(fd);
    return true;
}

}  // namespace

bool ReadWholeFile(const fs::path& path, std::string& out) {
    out.clear();
    size_t len = 0;
    bool found = false;
    try {
        found = ReadFileInto(
            path,
            [&](size_t size, size_t) {
                out.resize(size);
                return out.data();
            },
            len);
    } catch (...) {
        out.clear();
        throw;
    }
    out.resize(len);
    return found;
}

bool FileBuffer::Read(const fs::path& path) {
    size_ = 0;
    auto grow = [this](size_t size, size_t kept) {
        if (size > capacity_) {
            std::unique_ptr<char[]> more(new char[size]);
            if (kept > 0) std::memcpy(more.get(), data_.get(), kept);
            data_ = std::move(more);
            capacity_ = size;
        }
        return data_.get();
    };
    size_t len = 0;
    bool found = ReadFileInto(path, grow, len);
    size_ = len;
    return found;
}

namespace {

// Writes the pieces pieces[0, n) one after another to fd, in calls of at most kMaxPieces
// pieces; false with errno set when a write fails. A short write resumes where it stopped.
bool WritePieces(int fd, iovec* pieces, size_t n) {
    constexpr size_t kMaxPieces = 1024;  // IOV_MAX on Linux
    while (n > 0) {
        while (n > 0 && pieces->iov_len == 0) {
            ++pieces;
            --n;
        }
        if (n == 0) break;
        ssize_t w = ::writev(fd, pieces, static_cast<int>(std::min(n, kMaxPieces)));
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        auto done = static_cast<size_t>(w);
        while (n > 0 && done >= pieces->iov_len) {
            done -= pieces->iov_len;
            ++pieces;
            --n;
        }
        if (n > 0) {
            pieces->iov_base = static_cast<char*>(pieces->iov_base) + done;
            pieces->iov_len -= done;
        }
    }
    return true;
}

// The atomic replace around a body that writes the whole content to the temporary file's fd
// (false with errno set on a failure).
template <typename Body>
void ReplaceAtomic(const fs::path& path, Body body) {
    fs::path tmpl = path;
    tmpl += ".tmpXXXXXX";
    std::string name = tmpl.string();
    int fd = ::mkstemp(name.data());
    if (fd < 0) throw FileError(std::string("cannot create: ") + std::strerror(errno), path);
    if (!body(fd)) {
        int e = errno;
        ::close(fd);
        ::unlink(name.c_str());
        throw FileError(std::string("cannot write: ") + std::strerror(e), path);
    }
    // mkstemp creates 0600; day files and settings are ordinary user files.
    ::fchmod(fd, 0644);
    if (::close(fd) != 0 || ::rename(name.c_str(), path.c_str()) != 0) {
        int e = errno;
        ::unlink(name.c_str());
        throw FileError(std::string("cannot replace: ") + std::strerror(e), path);
    }
}

}  // namespace

void WriteFileAtomic(const fs::path& path, std::string_view data) {
    ReplaceAtomic(path, [data](int fd) {
        iovec piece{const_cast<char*>(data.data()), data.size()};
        return WritePieces(fd, &piece, 1);
    });
}

void WriteLinesAtomic(const fs::path& path, const std::vector<std::string>& lines) {
    // Straight from the lines, each followed by CR LF: no joined copy of the content.
    static const char kLineEnd[] = "\r\n";
    ReplaceAtomic(path, [&lines](int fd) {
        std::vector<iovec> pieces;
        pieces.reserve(lines.size() * 2);
        for (const std::string& l : lines) {
            pieces.push_back({const_cast<char*>(l.data()), l.size()});
            pieces.push_back({const_cast<char*>(kLineEnd), 2});
        }
        return WritePieces(fd, pieces.data(), pieces.size());
    });
}

size_t LinesContentBytes(const std::vector<std::string>& lines) {
    size_t n = 0;
    for (const std::string& l : lines) n += l.size() + 2;
    return n;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        if (nl == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        size_t end = nl;
        if (end > start && text[end - 1] == '\r') --end;
        lines.emplace_back(text.substr(start, end - start));
        start = nl + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    size_t total = 0;
    for (const auto& l : lines) total += l.size() + 2;
    std::string out;
    out.reserve(total);
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

bool ReadLines(const fs::path& path, std::vector<std::string>& lines) {
    std::string data;
    if (!ReadWholeFile(path, data)) {
        lines.clear();
        return false;
    }
    lines = SplitLines(data);
    return true;
}

void WriteLines(const fs::path& path, const std::vector<std::string>& lines) {
    WriteLinesAtomic(path, lines);
}

std::vector<std::string_view> SplitRecords(std::string_view data, size_t recordSize) {
    std::vector<std::string_view> out;
    if (recordSize == 0) return out;
    out.reserve(data.size() / recordSize + 1);
    for (size_t off = 0; off < data.size(); off += recordSize)
        out.push_back(data.substr(off, recordSize));
    return out;
}

}  // namespace sorvane
