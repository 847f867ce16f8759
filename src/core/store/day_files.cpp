#include "store/day_files.h"

#include <algorithm>
#include <array>

#include "base/collate.h"
#include "base/fields.h"
#include "store/day_stamp.h"

namespace sorvane {
namespace {

struct KindRow {
    DayFileKind kind;
    std::string_view extension;
    RecordType type;
};

constexpr std::array<KindRow, 9> kKinds{{
    {DayFileKind::RA, ".nvRA", RecordType::RA},
    {DayFileKind::SEr, ".nvSEr", RecordType::SE},
    {DayFileKind::HR, ".nvHR", RecordType::HR},
    {DayFileKind::O1, ".nvO1", RecordType::O1},
    {DayFileKind::O2, ".nvO2", RecordType::O2},
    {DayFileKind::O3, ".nvO3", RecordType::O3},
    {DayFileKind::O4, ".nvO4", RecordType::O4},
    {DayFileKind::O5, ".nvO5", RecordType::O5},
    {DayFileKind::O6, ".nvO6", RecordType::O6},
}};

const KindRow& RowOf(DayFileKind kind) { return kKinds[static_cast<size_t>(kind)]; }

}  // namespace

std::string_view DayFileExtension(DayFileKind kind) { return RowOf(kind).extension; }

RecordType DayFileRecordType(DayFileKind kind) { return RowOf(kind).type; }

std::optional<DayFileKind> DayFileKindOf(RecordType type) {
    for (const auto& row : kKinds)
        if (row.type == type) return row.kind;
    return std::nullopt;
}

std::string DayFileName(DayFileKind kind, std::string_view stamp, std::string_view trackName) {
    std::string name(stamp);
    if (kind == DayFileKind::SEr) name.append(trackName);
    name.append(DayFileExtension(kind));
    return name;
}

std::string DayFilePath(std::string_view fileName) {
    std::string p(kDataFolder);
    p += '\\';
    p.append(fileName);
    return p;
}

std::optional<DayFileNameParts> ParseDayFileName(std::string_view name) {
    if (name.size() <= kDayStampLength) return std::nullopt;
    std::string_view stamp = name.substr(0, kDayStampLength);
    if (DateOfDayStamp(stamp).empty()) return std::nullopt;
    std::string_view rest = name.substr(kDayStampLength);
    for (const auto& row : kKinds) {
        size_t ext = row.extension.size();
        if (rest.size() < ext) continue;
        if (!SameText(rest.substr(rest.size() - ext), row.extension)) continue;
        std::string_view middle = rest.substr(0, rest.size() - ext);
        if (row.kind == DayFileKind::SEr) {
            if (middle.size() != 4) continue;
        } else if (!middle.empty()) {
            continue;
        }
        return DayFileNameParts{row.kind, std::string(stamp), std::string(middle)};
    }
    return std::nullopt;
}

size_t RunnerSlot(int race, int horse) {
    return static_cast<size_t>(race - 1) * kHorsesPerRace + static_cast<size_t>(horse - 1);
}

const std::string& BlankRunnerLine() {
    static const std::string line(kRunnerLineLength, ' ');
    return line;
}

std::vector<std::string> NewRunnerLines() {
    return std::vector<std::string>(kRunnerSlots, BlankRunnerLine());
}

void NormaliseRunnerLines(std::vector<std::string>& lines) {
    if (lines.size() > kRunnerSlots) lines.resize(kRunnerSlots);
    while (lines.size() < kRunnerSlots) lines.push_back(BlankRunnerLine());
}

bool LineLess(std::string_view a, std::string_view b) {
    int c = CompareText(a, b);
    if (c != 0) return c < 0;
    return a < b;
}

void SortLines(std::vector<std::string>& lines) {
    std::sort(lines.begin(), lines.end(),
              [](const std::string& a, const std::string& b) { return LineLess(a, b); });
}

std::string_view RaceKeyOf(std::string_view line) {
    return Field(line, hdr::kRaceKey.offset, hdr::kRaceKey.width);
}

void PutByRaceKey(std::vector<std::string>& lines, std::string line) {
    std::string_view key = RaceKeyOf(line);
    for (auto& l : lines) {
        if (RaceKeyOf(l) == key) {
            l = std::move(line);
            return;
        }
    }
    lines.push_back(std::move(line));
}

int DropBlankFirstLines(std::vector<std::string>& lines, int maxCount) {
    int n = 0;
    while (n < maxCount && static_cast<size_t>(n) < lines.size() &&
           IsBlank(lines[static_cast<size_t>(n)]))
        ++n;
    lines.erase(lines.begin(), lines.begin() + n);
    return n;
}

}  // namespace sorvane
