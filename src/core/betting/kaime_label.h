// Combination labels, the canonical combination numbers by which odds, popularity and payouts
// are looked up, and the frame (bracket) of a horse.
#pragma once

#include <string>
#include <string_view>

#include "betting/bet_kind.h"

namespace sorvane {

// The label of a combination: each number "%2d", joined by "-" (" 3", " 3-12", "12- 3- 7").
// Equal widths make byte order of labels the order of first, second, third number.
std::string KaimeLabel(int a);
std::string KaimeLabel(int a, int b);
std::string KaimeLabel(int a, int b, int c);

// The combination number of a label: 1.. in the kind's canonical order, the horse number
// itself for 単勝 and 複勝; 0 when the text is not exactly the canonical label of one of the
// kind's combinations (wrong length, missing leading blank, numbers out of 1..18 or frames
// out of 1..8, or the wrong order for the unordered kinds: " 2- 1" is no 馬連).
//   枠連 (i <= j):         (i-1)(18-i)/2 + (j-i+1)            1..36
//   馬連, ワイド (i < j):   (i-1)(36-i)/2 + (j-i)              1..153
//   馬単 (i != j):          17(i-1) + j, less 1 when j > i      1..306
//   ３連複 (i < j < k):     lexicographic position              1..816
//   ３連単 (all different): 272(i-1) + 16(j'-1) + k'            1..4896
// where j' is j less 1 when j > i, and k' is k less the count of i and j below k.
int KumiIndex(BetKind kind, std::string_view label);

// The label of combination number index of the kind (the inverse of KumiIndex); "" for
// numbers outside 1..CombinationCount(kind).
const std::string& KumiLabel(BetKind kind, int index);

// The frame 1..8 of horse h in a race of n registered runners. Up to 8 runners every horse
// has the frame of its number; from 9 to 16 the last n - 8 frames hold two horses; with 17
// frame 8 holds 15..17, with 18 frame 7 holds 13..15 and frame 8 16..18. Counts above 18 are
// taken as 18; 0 when h is not a horse of the race (h < 1 or h > n).
int Wakuban(int n, int h);

}  // namespace sorvane
