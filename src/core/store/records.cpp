// Record type dispatch, record lengths and the payout entry layout of HR records.
#include "store/records.h"

#include <array>

namespace sorvane {

namespace {

struct TypeRow {
    RecordType type;
    std::string_view code;
    size_t length;  // CR LF included
};

constexpr std::array<TypeRow, 10> kTypes{{
    {RecordType::RA, "RA", 1272},
    {RecordType::SE, "SE", 555},
    {RecordType::HR, "HR", 719},
    {RecordType::TC, "TC", 45},
    {RecordType::O1, "O1", 962},
    {RecordType::O2, "O2", 2042},
    {RecordType::O3, "O3", 2654},
    {RecordType::O4, "O4", 4031},
    {RecordType::O5, "O5", 12293},
    {RecordType::O6, "O6", 83285},
}};

const TypeRow* RowOf(RecordType type) {
    for (const auto& row : kTypes)
        if (row.type == type) return &row;
    return nullptr;
}

// Indexed by BetBlock.
constexpr std::array<EntryLayout, kBetBlocks> kPayoutLayouts{{
    {102, 13, 3, 2, 9, 1, 2},  // 単勝: horse number
    {141, 13, 5, 2, 9, 1, 2},  // 複勝
    {206, 13, 3, 2, 9, 1, 2},  // 枠連: one digit per bracket
    {245, 16, 3, 4, 9, 1, 3},  // 馬連: two 2-digit horse numbers
    {293, 16, 7, 4, 9, 1, 3},  // ワイド
    {453, 16, 6, 4, 9, 1, 3},  // 馬単
    {549, 18, 3, 6, 9, 1, 3},  // ３連複: three 2-digit horse numbers
    {603, 19, 6, 6, 9, 1, 4},  // ３連単
}};

constexpr EntryLayout kNoEntries{0, 0, 0, 0, 0, 0, 0};

}  // namespace

size_t RecordLength(RecordType type) {
    const TypeRow* row = RowOf(type);
    return row ? row->length : 0;
}

size_t LineLength(RecordType type) {
    size_t n = RecordLength(type);
    return n >= 2 ? n - 2 : 0;
}

std::string_view RecordTypeCode(RecordType type) {
    const TypeRow* row = RowOf(type);
    return row ? row->code : std::string_view{};
}

RecordType RecordTypeOf(std::string_view rec) {
    if (rec.size() < 2) return RecordType::Unknown;
    std::string_view code = rec.substr(0, 2);
    for (const auto& row : kTypes)
        if (row.code == code) return row.type;
    return RecordType::Unknown;
}

std::string_view WithoutLineEnd(std::string_view rec) {
    if (!rec.empty() && rec.back() == '\n') rec.remove_suffix(1);
    if (!rec.empty() && rec.back() == '\r') rec.remove_suffix(1);
    return rec;
}

const EntryLayout& PayoutLayout(BetBlock block) {
    auto i = static_cast<size_t>(block);
    return i < kPayoutLayouts.size() ? kPayoutLayouts[i] : kNoEntries;
}

PayoutEntry HrRecord::Entry(BetBlock block, int i) const {
    const EntryLayout& l = PayoutLayout(block);
    if (i < 0 || i >= l.count) return {};
    size_t off = l.offset + static_cast<size_t>(i) * l.stride;
    // An entry cut by a short record would read as a wrong payout: all of it or nothing.
    if (off + l.combinationWidth + l.valueWidth + l.popularityWidth > raw.size()) return {};
    PayoutEntry e;
    e.combination = Field(raw, off, l.combinationWidth);
    off += l.combinationWidth;
    e.payoutText = Field(raw, off, l.valueWidth);
    off += l.valueWidth;
    e.popularityText = Field(raw, off, l.popularityWidth);
    return e;
}

}  // namespace sorvane
