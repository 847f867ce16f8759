// The program folder and everything that touches files: safe resolution of relative names
// (case-insensitive, never outside the folder), whole-file reads, the one atomic whole-file
// write, line and fixed-size record splitting.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

namespace fs = std::filesystem;

// A file operation that failed; the front ends show it as the general error message.
class FileError : public std::runtime_error {
  public:
    FileError(const std::string& what, fs::path path)
        : std::runtime_error(what), path_(std::move(path)) {}
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// A file-name component given as Shift-JIS, in the platform's native encoding (UTF-8 here).
fs::path NativeName(std::string_view sjisName);
// A native path as Shift-JIS (for messages and file contents such as the error log).
std::string SjisFromPath(const fs::path& path);

// The folder beside the executable (or the one given with --home / SORVANE_HOME). Every path
// of the program is this folder plus a relative name.
class ProgramFolder {
  public:
    explicit ProgramFolder(fs::path root);

    const fs::path& Root() const { return root_; }

    // Resolves a relative Shift-JIS name ('\' or '/' between components) under the folder.
    // Each component matches an existing entry without regard to ASCII case; components that
    // do not exist yet keep the given spelling. Returns nothing for an unsafe name: empty,
    // absolute, a "." or ".." component, a drive letter, or control bytes.
    std::optional<fs::path> Resolve(std::string_view sjisRelative) const;

    // Like Resolve, but an unsafe name is a FileError.
    fs::path Path(std::string_view sjisRelative) const;

    // Creates a folder (one level) when missing. Returns false when it cannot be created.
    bool EnsureFolder(std::string_view sjisRelative) const;

  private:
    fs::path root_;
};

// True when name is safe as one path component: printable, no separators, not "." or "..".
bool IsSafeComponent(std::string_view sjisName);

// Resolves one component under dir without regard to ASCII case (exact spelling first).
fs::path ResolveComponent(const fs::path& dir, const fs::path& name);

// Reads a whole file. Returns false when it does not exist; throws FileError when it exists but
// cannot be read.
bool ReadWholeFile(const fs::path& path, std::string& out);

// A whole file read into memory that is kept from file to file and never filled before a
// read (for readers of many files, where clearing each buffer first costs as much as reading).
class FileBuffer {
  public:
    // Reads the whole file, replacing what was held. False when it does not exist (then
    // empty); throws FileError when it exists but cannot be read.
    bool Read(const fs::path& path);
    std::string_view view() const { return {data_.get(), size_}; }

  private:
    std::unique_ptr<char[]> data_;
    size_t capacity_ = 0;
    size_t size_ = 0;
};

// Writes data whole to a temporary file in the same folder, closes it and renames it over path,
// so readers and a killed process see either the old or the new file, never a mix (there is
// no sync to the disk, which would cost more than the write itself). Throws FileError.
void WriteFileAtomic(const fs::path& path, std::string_view data);
// The same for the content JoinLines(lines) would give, written from the lines themselves.
void WriteLinesAtomic(const fs::path& path, const std::vector<std::string>& lines);
// The length of that content.
size_t LinesContentBytes(const std::vector<std::string>& lines);

// Splits text into lines at CR LF (a lone LF also ends a line); a final line ending does not
// start a further empty line.
std::vector<std::string> SplitLines(std::string_view text);
// Joins lines, each followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// Reads lines of a text file; false when it does not exist.
bool ReadLines(const fs::path& path, std::vector<std::string>& lines);
// Writes lines with CR LF, atomically.
void WriteLines(const fs::path& path, const std::vector<std::string>& lines);

// Splits data into records of recordSize bytes; a short last record is kept as it is.
std::vector<std::string_view> SplitRecords(std::string_view data, size_t recordSize);

}  // namespace sorvane
