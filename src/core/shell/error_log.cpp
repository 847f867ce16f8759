// Loading, trimming and saving of ErrorLog.txt.
#include "shell/error_log.h"

#include <cstddef>
#include <vector>

#include "base/sjis.h"

namespace sorvane {

namespace {

// The folder path as written in the start entry: Shift-JIS, without a trailing separator.
std::string FolderText(const fs::path& root) {
    std::string text = SjisFromPath(root);
    while (text.size() > 1 && (text.back() == '/' || text.back() == '\\')) text.pop_back();
    return text;
}

}  // namespace

ErrorLog::ErrorLog(const ProgramFolder& folder, const Clock& clock)
    : folder_(folder), clock_(clock) {}

fs::path ErrorLog::Path() const { return folder_.Path("ErrorLog.txt"); }

void ErrorLog::Start() {
    static const std::string kStarted = Sj("ソフト起動：");
    const fs::path path = Path();
    std::vector<std::string> lines;
    ReadLines(path, lines);
    if (lines.size() > kKeptLines)
        lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(kKeptLines));
    lines.push_back(kStarted + FormatDateTime(clock_.Now()));
    lines.push_back(FolderText(folder_.Root()));
    WriteLines(path, lines);
}

void ErrorLog::Append(const std::string& sjisText) {
    static const std::string kError = Sj("【エラー】");
    static const std::string kColon = Sj("：");
    const fs::path path = Path();
    std::vector<std::string> lines;
    ReadLines(path, lines);
    std::string text = sjisText;
    // CR and LF are single bytes that never occur inside a two-byte Shift-JIS character.
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    lines.push_back(kError + FormatTime(clock_.Now()) + kColon + text);
    WriteLines(path, lines);
}

}  // namespace sorvane
