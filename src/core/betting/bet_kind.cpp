// Tables of the eight bet kinds.
#include "betting/bet_kind.h"

#include <array>

#include "base/sjis.h"

namespace sorvane {

namespace {

struct KindRow {
    const char* name;     // UTF-8
    const char* caption;  // UTF-8
    std::string_view voteCode;
    int numbers;
    int combinations;
    int payoutEntries;
    int firstPayoutEntry;
};

constexpr std::array<KindRow, kBetKinds> kKinds{{
    {"単勝", "単勝", "1", 1, 18, 3, 0},
    {"複勝", "複勝", "2", 1, 18, 5, 3},
    {"枠連", "枠連", "3", 2, 36, 3, 8},
    {"馬連", "馬連", "5", 2, 153, 3, 11},
    {"ワイド", "ワイド", "7", 2, 153, 7, 14},
    {"馬単", "馬単", "6", 2, 306, 6, 21},
    {"３連複", "三連複", "8", 3, 816, 3, 27},
    {"３連単", "三連単", "9", 3, 4896, 6, 30},
}};

const KindRow& Row(BetKind kind) {
    auto i = static_cast<size_t>(kind);
    return kKinds[i < kKinds.size() ? i : 0];
}

const std::array<std::string, kBetKinds>& Names() {
    static const std::array<std::string, kBetKinds> names = [] {
        std::array<std::string, kBetKinds> a;
        for (size_t i = 0; i < a.size(); ++i) a[i] = Sj(kKinds[i].name);
        return a;
    }();
    return names;
}

const std::array<std::string, kBetKinds>& Captions() {
    static const std::array<std::string, kBetKinds> captions = [] {
        std::array<std::string, kBetKinds> a;
        for (size_t i = 0; i < a.size(); ++i) a[i] = Sj(kKinds[i].caption);
        return a;
    }();
    return captions;
}

size_t IndexOf(BetKind kind) {
    auto i = static_cast<size_t>(kind);
    return i < kKinds.size() ? i : 0;
}

}  // namespace

std::optional<BetKind> BetKindFromNumber(int number) {
    if (number < 0 || number >= kBetKinds) return std::nullopt;
    return static_cast<BetKind>(number);
}

std::optional<BetKind> BetKindFromName(std::string_view name) {
    for (int i = 0; i < kBetKinds; ++i)
        if (Names()[i] == name || Captions()[i] == name) return static_cast<BetKind>(i);
    return std::nullopt;
}

const std::string& BetKindName(BetKind kind) { return Names()[IndexOf(kind)]; }
const std::string& BetKindCaption(BetKind kind) { return Captions()[IndexOf(kind)]; }
std::string_view BetKindVoteCode(BetKind kind) { return Row(kind).voteCode; }
int KaimeNumberCount(BetKind kind) { return Row(kind).numbers; }
int CombinationCount(BetKind kind) { return Row(kind).combinations; }
int PayoutEntryCount(BetKind kind) { return Row(kind).payoutEntries; }
int FirstPayoutEntry(BetKind kind) { return Row(kind).firstPayoutEntry; }

}  // namespace sorvane
