#include "raceday/race_header.h"

#include "base/sjis.h"
#include "base/text_format.h"
#include "betting/bet_kind.h"
#include "raceday/race_analysis.h"
#include "shell/code_tables.h"
#include "shell/code_tables_format.h"
#include "shell/grid.h"
#include "store/records.h"

namespace sorvane {
namespace {

struct Words {
    std::string year = Sj("年"), month = Sj("月"), dayOpen = Sj("日("), kai = Sj("回"),
                day = Sj("日"), race = Sj("R   "), start = Sj("発走"), dai = Sj("第"),
                kaiBlank = Sj("回 "), heads = Sj("頭  "), metres = Sj("ﾒｰﾄﾙ ");
    std::string ages[4] = {Sj("2歳:"), Sj("3歳:"), Sj("4歳:"), Sj("5歳以上:")};
};
const Words& W() {
    static const Words w;
    return w;
}

// The announcement time of an O1 record: its hour at 31 and minute at 33.
constexpr FieldPos kO1Hour{31, 2};
constexpr FieldPos kO1Minute{33, 2};

}  // namespace

RaceHeader MakeRaceHeader(std::string_view raText, std::string_view o1) {
    const Words& w = W();
    RaRecord ra(raText);
    RaceHeader h;
    std::string track = TrackName(ra.TrackCode());
    std::string_view post = ra.PostTime();
    h.label1 = std::string(ra.YearText()) + w.year + std::string(ra.At(hdr::kMonth)) + w.month +
               std::string(ra.At(hdr::kDay)) + w.dayOpen + WeekdayName(ra.Weekday()) + ")" + track +
               std::string(ra.MeetingText()) + w.kai + std::string(ra.DayOfMeetingText()) + w.day +
               std::string(ra.RaceNumberText()) + w.race + std::string(Field(post, 0, 2)) + "." +
               std::string(Field(post, 2, 2)) + w.start;

    if (ra.GradeEdition() != 0) h.label2 = w.dai + std::to_string(ra.GradeEdition()) + w.kaiBlank;
    h.label2 += ra.RaceName();

    h.label3 = Format("%2d", ra.RegisteredRunners()) + w.heads + Format("%4d", ra.Distance()) +
               w.metres + TrackSurfaceName(ra.TrackSurfaceCode()) + " " +
               GradeName(ra.GradeCode()) + " " + RaceKindName(ra.RaceKindCode()) + " " +
               RaceSymbolName(ra.RaceSymbolCode());

    h.label4 = WeightKindName(ra.WeightKindCode());
    for (int g = 0; g < ra::kConditionGroups; ++g) {
        std::string c = ConditionName(ra.ConditionCode(g));
        h.label4 += " ";
        if (!c.empty()) h.label4 += w.ages[g] + c;
    }

    int surface = ToInt(ra.TrackSurfaceCode());
    h.panel14Color = surface >= 10 && surface <= 22 ? kColorTurf : kColorKhaki;
    h.bashoLabel = track;
    h.raceLabel = RightAlignNumber(ra.RaceNumberText());
    h.tfwTimeLabel = std::string(Field(o1, kO1Hour)) + ":" + std::string(Field(o1, kO1Minute));
    return h;
}

void FillResultGrid(Grid& grid, const RaceAnalysis& a) {
    grid.SetRowCount(1 + kPayoutEntries);
    int row = 1;
    for (int k = 0; k < kBetKinds; ++k) {
        BetKind kind = *BetKindFromNumber(k);
        for (int i = 0; i < PayoutEntryCount(kind); ++i, ++row) {
            int e = FirstPayoutEntry(kind) + i;
            grid.SetText(0, row, BetKindName(kind));
            grid.SetText(1, row, ResultEntryText(a.resultCombo, kind, i));
            grid.SetText(2, row, Format("%2d", a.resultNinki[e]));
            grid.SetText(3, row, Format("%8d", a.resultPay[e]));
        }
    }
}

}  // namespace sorvane
