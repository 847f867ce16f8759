// The eight bet kinds in their fixed numbering (bet window pages, the Bakenshu setting, the
// order of odds and payout blocks) with their names, captions, vote codes and sizes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

enum class BetKind { Tan = 0, Fuku, Waku, Umaren, Wide, Umatan, Sanpuku, Santan };
inline constexpr int kBetKinds = 8;

inline constexpr int BetKindNumber(BetKind kind) { return static_cast<int>(kind); }
// The kind of number 0..7; none for other numbers.
std::optional<BetKind> BetKindFromNumber(int number);
// The kind whose name or tab caption is name (Shift-JIS, exact bytes); none otherwise.
std::optional<BetKind> BetKindFromName(std::string_view name);

// Shift-JIS texts. The name captions the kind's summary column ("単勝" .. "３連単", with the
// full-width digit); the caption is the bet window's page ("三連複", "三連単" for the last two).
const std::string& BetKindName(BetKind kind);
const std::string& BetKindCaption(BetKind kind);
// The bet-type digit of a vote line: "1", "2", "3", "5", "7", "6", "8", "9" ("4" is unused).
std::string_view BetKindVoteCode(BetKind kind);

// How many numbers a combination of the kind has: 1 (単勝, 複勝), 2 or 3.
int KaimeNumberCount(BetKind kind);
// Byte length of the kind's labels: 2, 5 or 8.
inline int KaimeLabelLength(BetKind kind) { return 3 * KaimeNumberCount(kind) - 1; }
// Number of combinations of the kind in a field of 18: 18, 18, 36, 153, 153, 306, 816, 4896.
int CombinationCount(BetKind kind);
// Entries a payout record holds for the kind: 3, 5, 3, 3, 7, 6, 3, 6 (36 in all).
int PayoutEntryCount(BetKind kind);
// Index of the kind's first entry in the 36 payout entries of a race (0, 3, 8, 11, 14, 21,
// 27, 30); entry i of the kind is at that index + i.
int FirstPayoutEntry(BetKind kind);
inline constexpr int kPayoutEntries = 36;

}  // namespace sorvane
