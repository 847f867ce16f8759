// Odds entry layout of the O1 to O6 records and the reading of odds field states.
#include "store/record_odds.h"

#include <array>

namespace sorvane {

namespace {

struct OddsBlockRow {
    RecordType type;
    EntryLayout layout;
};

// Indexed by BetBlock. Entries list the combinations in ascending combination number.
constexpr std::array<OddsBlockRow, kBetBlocks> kOddsBlocks{{
    {RecordType::O1, {43, 8, 28, 2, 4, 1, 2}},     // 単勝
    {RecordType::O1, {267, 12, 28, 2, 4, 2, 2}},   // 複勝: minimum and maximum
    {RecordType::O1, {603, 9, 36, 2, 5, 1, 2}},    // 枠連
    {RecordType::O2, {40, 13, 153, 4, 6, 1, 3}},   // 馬連
    {RecordType::O3, {40, 17, 153, 4, 5, 2, 3}},   // ワイド: minimum and maximum
    {RecordType::O4, {40, 13, 306, 4, 6, 1, 3}},   // 馬単
    {RecordType::O5, {40, 15, 816, 6, 6, 1, 3}},   // ３連複
    {RecordType::O6, {40, 17, 4896, 6, 7, 1, 4}},  // ３連単
}};

constexpr EntryLayout kNoEntries{0, 0, 0, 0, 0, 0, 0};

bool IsRunOf(std::string_view text, char c) {
    if (text.empty()) return false;
    for (char b : text)
        if (b != c) return false;
    return true;
}

}  // namespace

OddsState OddsStateOf(std::string_view field) {
    if (IsRunOf(field, '-')) return OddsState::ScratchedBeforeSale;
    if (IsRunOf(field, '*')) return OddsState::ScratchedAfterSale;
    if (IsAllDigits(TrimBlanks(field))) return OddsState::Value;
    return OddsState::Absent;
}

const EntryLayout& OddsLayout(BetBlock block) {
    auto i = static_cast<size_t>(block);
    return i < kOddsBlocks.size() ? kOddsBlocks[i].layout : kNoEntries;
}

RecordType OddsRecordType(BetBlock block) {
    auto i = static_cast<size_t>(block);
    return i < kOddsBlocks.size() ? kOddsBlocks[i].type : RecordType::Unknown;
}

OddsEntry OddsEntryAt(std::string_view rec, BetBlock block, int k) {
    const EntryLayout& l = OddsLayout(block);
    if (k < 0 || k >= l.count) return {};
    size_t off = l.offset + static_cast<size_t>(k) * l.stride;
    // An entry cut by a short record would read as a wrong number: all of it or nothing.
    size_t size =
        l.combinationWidth + l.valueWidth * static_cast<size_t>(l.valueCount) + l.popularityWidth;
    if (off + size > rec.size()) return {};
    OddsEntry e;
    e.combination = Field(rec, off, l.combinationWidth);
    off += l.combinationWidth;
    e.odds = Field(rec, off, l.valueWidth);
    off += l.valueWidth;
    if (l.valueCount == 2) {
        e.oddsMax = Field(rec, off, l.valueWidth);
        off += l.valueWidth;
    }
    e.popularityText = Field(rec, off, l.popularityWidth);
    return e;
}

}  // namespace sorvane
