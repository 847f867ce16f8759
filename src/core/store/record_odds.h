// Views of the odds records O1 to O6: announcement time, entries per bet block, and the four
// states an odds field can be in.
#pragma once

#include <string_view>

#include "store/records.h"

namespace sorvane {

// An odds field holds odds times ten, a run of '-' for a horse scratched before sale, a run of
// '*' for one scratched after sale, or blanks where there is no such horse or combination.
// Anything else (a field cut off by a short record, damaged text) counts as Absent.
enum class OddsState { Value, ScratchedBeforeSale, ScratchedAfterSale, Absent };
OddsState OddsStateOf(std::string_view oddsField);

// Common to all odds records.
namespace odds {
inline constexpr FieldPos kAnnouncementTime{27, 8};  // MMDDhhmm
inline constexpr FieldPos kAnnouncementHourMinute{31, 4};
}  // namespace odds

// Where the block's entries lie and in which record type; an unknown block has no entries.
const EntryLayout& OddsLayout(BetBlock block);
RecordType OddsRecordType(BetBlock block);

struct OddsEntry {
    std::string_view combination;  // horse number, bracket digits or 2-digit horse numbers
    std::string_view odds;         // the odds, or the minimum odds of 複勝 and ワイド
    std::string_view oddsMax;      // the maximum odds of 複勝 and ワイド, else empty
    std::string_view popularityText;

    OddsState State() const { return OddsStateOf(odds); }
    // Odds times ten; 0 unless the field holds a value.
    int Odds() const { return State() == OddsState::Value ? ToInt(odds) : 0; }
    int OddsMax() const { return OddsStateOf(oddsMax) == OddsState::Value ? ToInt(oddsMax) : 0; }
    int Popularity() const { return ToInt(popularityText); }
};

// Entry k of a block read from rec, which should be a record of OddsRecordType(block). An index
// outside the block, or an entry not wholly inside rec, gives an empty entry (state Absent).
OddsEntry OddsEntryAt(std::string_view rec, BetBlock block, int k);

struct OddsRecordView : RecordView {
    using RecordView::RecordView;

    std::string_view AnnouncementTime() const { return At(odds::kAnnouncementTime); }
    std::string_view AnnouncementHourMinute() const { return At(odds::kAnnouncementHourMinute); }
};

// O1: 単勝 (entries 0..27), 複勝 (0..27) and 枠連 (0..35).
struct O1Record : OddsRecordView {
    using OddsRecordView::OddsRecordView;

    OddsEntry Win(int i) const { return OddsEntryAt(raw, BetBlock::Win, i); }
    OddsEntry Place(int i) const { return OddsEntryAt(raw, BetBlock::Place, i); }
    OddsEntry Bracket(int k) const { return OddsEntryAt(raw, BetBlock::Bracket, k); }
};

// O2 to O6 hold one block each; Block says which, Entry(k) reads entry k of it.
template <BetBlock kBlock>
struct SingleBlockOddsRecord : OddsRecordView {
    using OddsRecordView::OddsRecordView;

    static constexpr BetBlock Block() { return kBlock; }
    static int EntryCount() { return OddsLayout(kBlock).count; }
    OddsEntry Entry(int k) const { return OddsEntryAt(raw, kBlock, k); }
};

using O2Record = SingleBlockOddsRecord<BetBlock::Quinella>;  // 馬連, 153 entries
using O3Record = SingleBlockOddsRecord<BetBlock::Wide>;      // ワイド, 153 entries
using O4Record = SingleBlockOddsRecord<BetBlock::Exacta>;    // 馬単, 306 entries
using O5Record = SingleBlockOddsRecord<BetBlock::Trio>;      // ３連複, 816 entries
using O6Record = SingleBlockOddsRecord<BetBlock::Trifecta>;  // ３連単, 4896 entries

}  // namespace sorvane
