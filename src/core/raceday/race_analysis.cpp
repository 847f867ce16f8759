// Resets of the analysis record and the result fields taken from the HR and SE records.
#include "raceday/race_analysis.h"

#include "base/fields.h"
#include "base/text_format.h"
#include "betting/kaime_label.h"
#include "store/records.h"

namespace sorvane {

namespace {

const std::string kNoLabel;

BetBlock BlockOf(BetKind kind) { return static_cast<BetBlock>(BetKindNumber(kind)); }

// The numbers of a payout combination: one 2-digit horse number (単勝, 複勝), two 1-digit
// frames (枠連), or two or three 2-digit horse numbers.
int ComboNumbers(BetKind kind, std::string_view combo, std::array<int, 3>& n) {
    if (kind == BetKind::Waku) {
        n[0] = ToInt(Field(combo, 0, 1));
        n[1] = ToInt(Field(combo, 1, 1));
        return 2;
    }
    int count = KaimeNumberCount(kind);
    for (int i = 0; i < count; ++i) n[i] = ToInt(Field(combo, 2 * i, 2));
    return count;
}

}  // namespace

int ResultCombo::Horse(BetKind kind, int i) const {
    if (kind == BetKind::Tan && i >= 0 && i < static_cast<int>(tan.size())) return tan[i];
    if (kind == BetKind::Fuku && i >= 0 && i < static_cast<int>(fuku.size())) return fuku[i];
    return 0;
}

std::string* ResultCombo::LabelSlot(BetKind kind, int i) {
    auto at = [i](auto& labels) -> std::string* {
        return i >= 0 && i < static_cast<int>(labels.size()) ? &labels[i] : nullptr;
    };
    switch (kind) {
        case BetKind::Waku:
            return at(waku);
        case BetKind::Umaren:
            return at(umaren);
        case BetKind::Wide:
            return at(wide);
        case BetKind::Umatan:
            return at(umatan);
        case BetKind::Sanpuku:
            return at(sanpuku);
        case BetKind::Santan:
            return at(santan);
        default:
            return nullptr;
    }
}

const std::string& ResultCombo::Label(BetKind kind, int i) const {
    const std::string* s = const_cast<ResultCombo*>(this)->LabelSlot(kind, i);
    return s ? *s : kNoLabel;
}

std::string ResultEntryText(const ResultCombo& combo, BetKind kind, int i) {
    if (KaimeNumberCount(kind) == 1) {
        int h = combo.Horse(kind, i);
        return h != 0 ? Format("%2d", h) : std::string();
    }
    const std::string& label = combo.Label(kind, i);
    if (IsBlank(label) || label == " 0- 0" || label == " 0- 0- 0") return std::string();
    return label;
}

void ResetAnalysis(RaceAnalysis& a) { a = RaceAnalysis{}; }

void ResetTallies(RaceAnalysis& a) {
    for (auto* h : {&a.wins, &a.losses, &a.winRateRank, &a.winsRank, &a.winsRevRank, &a.winPt,
                    &a.lossPt, &a.ptWinRateRank, &a.ptRevRank})
        h->fill(0);
    a.winRate.fill(kNoRate);
    a.ptWinRate.fill(kNoRate);
    for (auto* p :
         {&a.pairCount, &a.pairWinA, &a.pairWinB, &a.pairPtA, &a.pairPtB, &a.pairDokuPtA,
          &a.pairDokuPtB, &a.pairSoPtA, &a.pairSoPtB, &a.pairDirect, &a.pairSpare1, &a.pairSpare2})
        p->fill(0);
}

void ResetRunnerStats(RaceAnalysis& a, int runner) {
    if (runner < 0 || runner >= kMaxRunners) return;
    a.prizeTotal[runner] = 0;
    for (auto& category : a.runRecord) category[runner].fill(0);
    a.juntoCount[runner] = 0;
    a.uragiriCount[runner] = 0;
    a.uragiriRate[runner] = kNoRate;
}

void SetPayoutResults(RaceAnalysis& a, std::string_view hrRecord) {
    HrRecord hr(hrRecord);
    ResultCombo& combo = a.resultCombo;
    for (int k = 0; k < kBetKinds; ++k) {
        BetKind kind = static_cast<BetKind>(k);
        for (int i = 0; i < PayoutEntryCount(kind); ++i) {
            PayoutEntry e = hr.Entry(BlockOf(kind), i);
            int index = FirstPayoutEntry(kind) + i;
            a.resultNinki[index] = e.Popularity();
            a.resultPay[index] = e.Payout();
            std::array<int, 3> n{};
            int count = ComboNumbers(kind, e.combination, n);
            if (kind == BetKind::Tan) {
                combo.tan[i] = n[0];
            } else if (kind == BetKind::Fuku) {
                combo.fuku[i] = n[0];
            } else {
                std::string* label = combo.LabelSlot(kind, i);
                label->clear();
                bool valid = n[0] >= 1 && n[1] >= 1 && (count < 3 || n[2] >= 1);
                if (valid)
                    *label = count == 3 ? KaimeLabel(n[0], n[1], n[2]) : KaimeLabel(n[0], n[1]);
            }
        }
    }
}

void SetRunnerResult(RaceAnalysis& a, int runner, std::string_view seRecord) {
    if (runner < 0 || runner >= kMaxRunners) return;
    RunnerResult& r = a.runnerResult[runner];
    SeRecord se(seRecord);
    r.finishTime = se.FinishTime();
    r.finishPosition = se.FinishPositionText();
    r.winPopularity = se.At(se::kWinPopularity);
    r.winOdds = se.WinOddsText();
}

}  // namespace sorvane
