// Combination labels and numbers, and frame numbers.
#include "betting/kaime_label.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/text_format.h"
#include "shell/code_tables.h"

namespace sorvane {

namespace {

constexpr int kMaxHorse = 18;
constexpr int kMaxFrame = 8;

// One number of a label in "%2d" form: " 1" .. " 9", "10" .. "99"; 0 for anything else
// (" 0", "03", "  ", "1 ").
int LabelNumber(std::string_view two) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (two.size() != 2 || !digit(two[1])) return 0;
    if (two[0] == ' ') return two[1] - '0';
    if (digit(two[0]) && two[0] != '0') return (two[0] - '0') * 10 + (two[1] - '0');
    return 0;
}

// The count numbers of a label of exactly 3 * count - 1 bytes; false unless every number is
// in "%2d" form, at least 1, and the separators are "-".
bool ParseLabel(std::string_view label, int count, std::array<int, 3>& n) {
    if (label.size() != static_cast<size_t>(3 * count - 1)) return false;
    for (int i = 0; i < count; ++i) {
        n[i] = LabelNumber(label.substr(3 * i, 2));
        if (n[i] < 1) return false;
        if (i + 1 < count && label[3 * i + 2] != '-') return false;
    }
    return true;
}

int TrioIndex(int i, int j, int k) {
    int index = 0;
    for (int a = 1; a < i; ++a) index += (kMaxHorse - a) * (kMaxHorse - a - 1) / 2;
    for (int b = i + 1; b < j; ++b) index += kMaxHorse - b;
    return index + (k - j);
}

int TrifectaIndex(int i, int j, int k) {
    int j2 = j > i ? j - 1 : j;
    int k2 = k - (i < k ? 1 : 0) - (j < k ? 1 : 0);
    return 272 * (i - 1) + 16 * (j2 - 1) + k2;
}

std::vector<std::string> CanonicalLabels(BetKind kind) {
    std::vector<std::string> labels;
    switch (kind) {
        case BetKind::Tan:
        case BetKind::Fuku:
            for (int i = 1; i <= kMaxHorse; ++i) labels.push_back(KaimeLabel(i));
            break;
        case BetKind::Waku:
            for (int i = 1; i <= kMaxFrame; ++i)
                for (int j = i; j <= kMaxFrame; ++j) labels.push_back(KaimeLabel(i, j));
            break;
        case BetKind::Umaren:
        case BetKind::Wide:
            for (int i = 1; i <= kMaxHorse; ++i)
                for (int j = i + 1; j <= kMaxHorse; ++j) labels.push_back(KaimeLabel(i, j));
            break;
        case BetKind::Umatan:
            for (int i = 1; i <= kMaxHorse; ++i)
                for (int j = 1; j <= kMaxHorse; ++j)
                    if (j != i) labels.push_back(KaimeLabel(i, j));
            break;
        case BetKind::Sanpuku:
            for (int i = 1; i <= kMaxHorse; ++i)
                for (int j = i + 1; j <= kMaxHorse; ++j)
                    for (int k = j + 1; k <= kMaxHorse; ++k) labels.push_back(KaimeLabel(i, j, k));
            break;
        case BetKind::Santan:
            for (int i = 1; i <= kMaxHorse; ++i)
                for (int j = 1; j <= kMaxHorse; ++j)
                    for (int k = 1; k <= kMaxHorse; ++k)
                        if (i != j && j != k && i != k) labels.push_back(KaimeLabel(i, j, k));
            break;
    }
    return labels;
}

}  // namespace

std::string KaimeLabel(int a) { return Format("%2d", a); }
std::string KaimeLabel(int a, int b) { return PairLabel(a, b); }
std::string KaimeLabel(int a, int b, int c) { return TripleLabel(a, b, c); }

int KumiIndex(BetKind kind, std::string_view label) {
    std::array<int, 3> n{};
    if (!ParseLabel(label, KaimeNumberCount(kind), n)) return 0;
    int maxNumber = kind == BetKind::Waku ? kMaxFrame : kMaxHorse;
    for (int i = 0; i < KaimeNumberCount(kind); ++i)
        if (n[i] > maxNumber) return 0;
    auto [i, j, k] = n;
    switch (kind) {
        case BetKind::Tan:
        case BetKind::Fuku:
            return i;
        case BetKind::Waku:
            return i <= j ? (i - 1) * (18 - i) / 2 + (j - i + 1) : 0;
        case BetKind::Umaren:
        case BetKind::Wide:
            return PairNumber(i, j);
        case BetKind::Umatan:
            return i != j ? 17 * (i - 1) + j - (j > i ? 1 : 0) : 0;
        case BetKind::Sanpuku:
            return i < j && j < k ? TrioIndex(i, j, k) : 0;
        case BetKind::Santan:
            return i != j && j != k && i != k ? TrifectaIndex(i, j, k) : 0;
    }
    return 0;
}

const std::string& KumiLabel(BetKind kind, int index) {
    static const std::array<std::vector<std::string>, kBetKinds> tables = [] {
        std::array<std::vector<std::string>, kBetKinds> t;
        for (int i = 0; i < kBetKinds; ++i) t[i] = CanonicalLabels(static_cast<BetKind>(i));
        return t;
    }();
    static const std::string none;
    auto k = static_cast<size_t>(kind);
    if (k >= tables.size() || index < 1 || static_cast<size_t>(index) > tables[k].size())
        return none;
    return tables[k][index - 1];
}

int Wakuban(int n, int h) {
    n = std::min(n, kMaxHorse);
    if (h < 1 || h > n) return 0;
    if (n <= 16) {
        int c = (n - h) / 2;
        return c < n - 8 ? 8 - c : h;
    }
    int c = (16 - h) / 2;  // truncated toward zero: 0 for 17, -1 for 18
    int frame = 8 - c;
    if (h > 16) frame -= 1;
    if (h == 15 && n == 18) frame -= 1;
    if (h == 17) frame += 1;
    return frame;
}

}  // namespace sorvane
