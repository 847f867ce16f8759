#include "store/past_run_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/text_format.h"
#include "store/day_files.h"

namespace sorvane {
namespace {

// Appends the source field, padded with blanks where the source is short.
void Copy(std::string& out, std::string_view rec, size_t offset, size_t width) {
    std::string_view f = Field(rec, offset, width);
    out.append(f);
    out.append(width - f.size(), ' ');
}

struct Src {
    size_t offset;
    size_t width;
};

constexpr Src kRaceSources[] = {
    {11, 4},  {15, 4},  {19, 2},  {21, 2},  {23, 2},  {25, 2},  {604, 6},
    {614, 1}, {616, 2}, {618, 3}, {621, 1}, {634, 3}, {713, 8}, {697, 4},
    {705, 2}, {881, 2}, {883, 2}, {885, 2}, {888, 1}, {889, 1}, {887, 1},
};

constexpr Src kHorseSources[] = {
    {30, 10}, {40, 18}, {28, 2},  {27, 1},  {78, 1},  {82, 2},  {288, 3},
    {294, 1}, {306, 8}, {322, 1}, {90, 8},  {331, 1}, {324, 3}, {327, 1},
    {328, 3}, {351, 2}, {353, 2}, {355, 2}, {357, 2}, {387, 3}, {390, 3},
    {338, 4}, {332, 2}, {334, 2}, {363, 2}, {359, 4}, {365, 8}, {373, 8},
};

constexpr size_t kRaceBlockLength = 55;
constexpr size_t kHorseBlockLength = 107;
constexpr size_t kFieldBlockLength = pr::kFieldEntrySize * pr::kFieldEntries;

}  // namespace

bool IsValidBloodNumber(std::string_view b) {
    if (b.size() != kBloodNumberLength) return false;
    for (char c : b) {
        bool ok = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!ok) return false;
    }
    return true;
}

std::string PastRunFolderName(std::string_view blood) { return std::string(blood.substr(0, 4)); }

std::string PastRunFileName(std::string_view blood) {
    return std::string(blood) + kPastRunExtension;
}

std::string PastRunPath(std::string_view blood) {
    return std::string(kPastRunFolder) + "\\" + PastRunFolderName(blood) + "\\" +
           PastRunFileName(blood);
}

bool PastRunEntry::IsBlank() const {
    return sorvane::IsBlank(name) && sorvane::IsBlank(blood) && sorvane::IsBlank(time) &&
           sorvane::IsBlank(weight);
}

PastRunEntry PastRunRecord::Entry(int k) const {
    if (k < 0 || k >= pr::kFieldEntries) return {};
    size_t base = pr::kFieldBlockOffset + static_cast<size_t>(k) * pr::kFieldEntrySize;
    PastRunEntry e;
    e.name = Field(raw, base + pr::kEntryName.offset, pr::kEntryName.width);
    e.blood = Field(raw, base + pr::kEntryBlood.offset, pr::kEntryBlood.width);
    e.time = Field(raw, base + pr::kEntryTime.offset, pr::kEntryTime.width);
    e.weight = Field(raw, base + pr::kEntryWeight.offset, pr::kEntryWeight.width);
    return e;
}

std::string PastRunRaceBlock(std::string_view ra) {
    std::string out;
    out.reserve(kRaceBlockLength);
    for (const Src& s : kRaceSources) Copy(out, ra, s.offset, s.width);
    return out;
}

std::string PastRunHorseBlock(std::string_view se) {
    std::string out;
    out.reserve(kHorseBlockLength);
    for (const Src& s : kHorseSources) Copy(out, se, s.offset, s.width);
    return out;
}

std::string PastRunFieldBlock(const RunnerSlots& runners) {
    // Each slot's text is its 2-character sort key followed by the 35-byte entry; the key is
    // the confirmed finishing position when it reads as at least 1, else 18 + the slot index,
    // so placed horses come first by position (dead heats by name) and the rest in slot order.
    std::array<std::string, pr::kFieldEntries> texts;
    for (int k = 0; k < pr::kFieldEntries; ++k) {
        std::string_view se = runners[static_cast<size_t>(k)];
        int pos = FieldInt(se, se::kFinishPosition);
        std::string& t = texts[static_cast<size_t>(k)];
        t.reserve(2 + pr::kFieldEntrySize);
        t = pos >= 1 ? Format("%02d", pos) : Format("%02d", 18 + k);
        Copy(t, se, se::kHorseShortName.offset, se::kHorseShortName.width);
        Copy(t, se, se::kBloodNumber.offset, se::kBloodNumber.width);
        Copy(t, se, se::kFinishTime.offset, se::kFinishTime.width);
        Copy(t, se, se::kCarriedWeight.offset, se::kCarriedWeight.width);
    }
    std::sort(texts.begin(), texts.end(),
              [](const std::string& a, const std::string& b) { return LineLess(a, b); });
    std::string out;
    out.reserve(kFieldBlockLength);
    for (const auto& t : texts) out.append(t, 2, std::string::npos);
    return out;
}

std::string MakePastRunLine(std::string_view ra, const RunnerSlots& runners, int slot) {
    std::string line;
    line.reserve(kPastRunLineLength);
    line += PastRunRaceBlock(ra);
    line += PastRunHorseBlock(runners[static_cast<size_t>(slot)]);
    line += PastRunFieldBlock(runners);
    line.append(kPastRunLineLength - pr::kReservedOffset, ' ');
    // A source byte CR, LF or NUL would break the fixed-record view; records with them are
    // refused by the store, this only guards files written by something else.
    for (char& c : line)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    return line;
}

namespace {

void ScrubBreaks(char* p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (p[i] == '\r' || p[i] == '\n' || p[i] == '\0') p[i] = ' ';
}

}  // namespace

RacePastRunLines::RacePastRunLines(std::string_view ra, const RunnerSlots& runners)
    : runners_(runners), race_(PastRunRaceBlock(ra)), field_(PastRunFieldBlock(runners)) {
    ScrubBreaks(race_.data(), race_.size());
    ScrubBreaks(field_.data(), field_.size());
}

std::string RacePastRunLines::Line(int slot) const {
    std::string line;
    line.reserve(kPastRunLineLength);
    line += race_;
    std::string_view se = runners_[static_cast<size_t>(slot)];
    for (const Src& s : kHorseSources) Copy(line, se, s.offset, s.width);
    ScrubBreaks(line.data() + race_.size(), line.size() - race_.size());
    line += field_;
    line.append(kPastRunLineLength - pr::kReservedOffset, ' ');
    return line;
}

void PutPastRunLine(std::vector<std::string>& lines, std::string line) {
    std::string_view key = Field(line, pr::kRaceKey);
    for (auto& l : lines) {
        if (Field(l, pr::kRaceKey) == key) {
            l = std::move(line);
            return;
        }
    }
    lines.push_back(std::move(line));
}

bool IsWholePastRunRecord(std::string_view r) {
    if (r.size() != kPastRunRecordSize) return false;
    if (r[kPastRunLineLength] != '\r' || r[kPastRunLineLength + 1] != '\n') return false;
    // No CR, LF or NUL in the line. Every file is scanned whole, so this is on the reading
    // path: 16 bytes at a time where there is SSE2 (the line is 51.5 blocks: the last block
    // is the one that ends the line, overlapping the one before), else 8 at a time, looking
    // closer only at a word with a byte below 0x0E.
    const char* p = r.data();
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i nul = _mm_setzero_si128();
    __m128i bad = _mm_setzero_si128();
    auto check = [&](size_t at) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
        bad = _mm_or_si128(bad,
                           _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)),
                                        _mm_cmpeq_epi8(v, nul)));
    };
    static_assert(kPastRunLineLength >= 16);
    for (size_t i = 0; i + 16 <= kPastRunLineLength; i += 16) check(i);
    check(kPastRunLineLength - 16);
    return _mm_movemask_epi8(bad) == 0;
#else
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHigh = 0x8080808080808080ull;
    size_t i = 0;
    for (; i + 8 <= kPastRunLineLength; i += 8) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        if (((w - kOnes * 0x0E) & ~w & kHigh) == 0) continue;
        for (size_t j = i; j < i + 8; ++j)
            if (p[j] == '\r' || p[j] == '\n' || p[j] == '\0') return false;
    }
    for (; i < kPastRunLineLength; ++i)
        if (p[i] == '\r' || p[i] == '\n' || p[i] == '\0') return false;
    return true;
#endif
}

PastRunFile::PastRunFile(std::string data) : data_(std::move(data)) {
    view_ = data_;
    Scan();
}

void PastRunFile::Scan() {
    count_ = 0;
    while ((count_ + 1) * kPastRunRecordSize <= view_.size() &&
           IsWholePastRunRecord(view_.substr(count_ * kPastRunRecordSize, kPastRunRecordSize)))
        ++count_;
}

bool PastRunFile::Load(const fs::path& path) {
    view_ = {};
    bool found = ReadWholeFile(path, data_);
    view_ = data_;
    Scan();
    return found;
}

std::optional<fs::path> PastRunFile::Reset(const ProgramFolder& folder, std::string_view blood) {
    data_.clear();
    view_ = {};
    count_ = 0;
    if (!IsValidBloodNumber(blood)) return std::nullopt;
    return folder.Resolve(PastRunPath(blood));
}

bool PastRunFile::Load(const ProgramFolder& folder, std::string_view blood) {
    auto path = Reset(folder, blood);
    return path && Load(*path);
}

bool PastRunFile::Load(const ProgramFolder& folder, std::string_view blood, FileBuffer& buffer) {
    auto path = Reset(folder, blood);
    if (!path) return false;
    bool found = buffer.Read(*path);
    view_ = buffer.view();
    Scan();
    return found;
}

PastRunRecord PastRunFile::Record(size_t n) const {
    if (n >= count_) return PastRunRecord{};
    return PastRunRecord(view_.substr(n * kPastRunRecordSize, kPastRunRecordSize));
}

}  // namespace sorvane
