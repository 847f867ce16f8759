#include "link/feed_files.h"

#include <algorithm>
#include <system_error>

#include "base/fields.h"
#include "base/files.h"
#include "ports/clock.h"

namespace sorvane {

namespace fs = std::filesystem;

bool IsFeedTime(std::string_view t) {
    if (t.size() != 14 || !IsAllDigits(t)) return false;
    int y = ToInt(t.substr(0, 4)), mo = ToInt(t.substr(4, 2)), d = ToInt(t.substr(6, 2));
    int h = ToInt(t.substr(8, 2)), mi = ToInt(t.substr(10, 2)), s = ToInt(t.substr(12, 2));
    if (mo < 1 || mo > 12 || d < 1 || h > 23 || mi > 59 || s > 59) return false;
    // The day must exist in its month: going round the day count gives the same date back.
    int y2 = 0, mo2 = 0, d2 = 0;
    CivilFromDays(DaysFromCivil(y, mo, d), y2, mo2, d2);
    return y2 == y && mo2 == mo && d2 == d;
}

std::vector<FeedFile> ListBulkFiles(const fs::path& dir, std::string_view fromTime) {
    std::vector<FeedFile> files;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fec;
        if (!it->is_regular_file(fec)) continue;
        std::string name = it->path().filename().string();
        // <14 digits>_<at least one character>.nvd
        if (name.size() < 20 || name[14] != '_') continue;
        std::string ext = name.substr(name.size() - 4);
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
        if (ext != ".nvd") continue;
        std::string stamp = name.substr(0, 14);
        if (!IsFeedTime(stamp) || stamp <= fromTime) continue;
        files.push_back({it->path(), SjisFromPath(it->path().filename()), stamp});
    }
    std::sort(files.begin(), files.end(), [](const FeedFile& a, const FeedFile& b) {
        if (a.timestamp != b.timestamp) return a.timestamp < b.timestamp;
        return a.path.filename().string() < b.path.filename().string();
    });
    return files;
}

void FindFeedRecords(std::string_view data, std::vector<FeedRecordSpan>& spans) {
    spans.clear();
    size_t start = 0;
    while (start < data.size()) {
        size_t nl = data.find('\n', start);
        size_t next = nl == std::string_view::npos ? data.size() : nl + 1;
        size_t end = nl == std::string_view::npos ? data.size() : nl;
        bool cr = end > start && data[end - 1] == '\r';
        if (cr) --end;
        if (end > start) spans.push_back({start, end - start, cr});
        start = next;
    }
}

std::vector<std::string> SplitFeedRecords(std::string_view data) {
    std::vector<FeedRecordSpan> spans;
    FindFeedRecords(data, spans);
    std::vector<std::string> records;
    records.reserve(spans.size());
    for (const FeedRecordSpan& r : spans) {
        std::string rec;
        rec.reserve(r.length + 2);
        rec.append(data.substr(r.offset, r.length));
        rec += "\r\n";
        records.push_back(std::move(rec));
    }
    return records;
}

}  // namespace sorvane
