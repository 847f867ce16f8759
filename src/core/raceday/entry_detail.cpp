// The tall cells of the detailed entry table: card, run record and past-run lines.
#include "raceday/entry_detail.h"

#include <algorithm>

#include "base/fields.h"
#include "base/sjis.h"
#include "base/text_format.h"
#include "raceday/entry_labels.h"
#include "raceday/entry_style.h"
#include "raceday/race_day.h"
#include "shell/code_tables.h"
#include "shell/code_tables_format.h"
#include "store/past_run_file.h"
#include "store/records.h"

namespace sorvane {

namespace {

constexpr int kSmall = 8;  // point size of the detail text
constexpr int kLarge = 10;

TextRun Run(std::string text, int x = 0, int size = kSmall, bool bold = false,
            uint32_t color = kColorText) {
    return TextRun{std::move(text), x, size, bold, color};
}

TextLine Line(std::vector<TextRun> runs, int gap = 0) { return TextLine{std::move(runs), gap}; }

CellStyle DetailStyle(uint32_t background) {
    CellStyle s;
    s.background = background;
    s.bottomRule = true;
    return s;
}

const std::string& ThousandYen() {
    static const std::string s = Sj("千円");
    return s;
}

size_t Index(int v, int bound) { return static_cast<size_t>(std::clamp(v, 0, bound - 1)); }

// "全: 3- 1- 0- 5": a prefix and the four place counts of a run-record category.
TextLine RecordLine(const RaceAnalysis& a, RunCategory cat, size_t horse, const std::string& prefix,
                    int gap = 0) {
    const auto& c = a.runRecord[static_cast<size_t>(cat)][horse];
    return Line({Run(prefix + Format("%2d-%2d-%2d-%2d", c[0], c[1], c[2], c[3]))}, gap);
}

// The class of a race condition code as the first past-run line ends it.
std::string ClassLabel(int code) {
    static const std::string kBelow = Sj("下");
    static const std::string kHundredMillion = Sj("1億下");
    static const std::string kNewcomer = Sj("新馬");
    static const std::string kUnraced = Sj("未出走");
    static const std::string kMaiden = Sj("未勝利");
    static const std::string kOpen = Sj("ｵｰﾌﾟﾝ");
    if (code >= 1 && code <= 99) return Format("%d", code * 100) + kBelow;
    switch (code) {
        case 100:
            return kHundredMillion;
        case 701:
            return kNewcomer;
        case 702:
            return kUnraced;
        case 703:
            return kMaiden;
        case 999:
            return kOpen;
        default:
            return " ";
    }
}

std::string ShortNameOrClass(const PastRunRecord& run) {
    const std::string_view name = run.At(pr::kRaceShortName3);
    if (!IsBlank(StripFullWidthBlanks(name))) return std::string(name);
    return ClassLabel(run.IntAt(pr::kConditionCode));
}

std::string NumberOrBlanks(int v, int low, int high, const char* fmt, size_t width) {
    return v >= low && v <= high ? Format(fmt, v) : std::string(width, ' ');
}

}  // namespace

std::vector<TextLine> PastRunLines(std::string_view raw, int mark) {
    static const std::string kRunners = Sj("頭");
    static const std::string kPopularity = Sj("人");
    static const std::string kBefore = Sj(" 前:");
    static const std::string kAfter = Sj(" 後:");
    const PastRunRecord run(raw);
    const std::string_view meeting = run.At(pr::kMeeting);
    const std::string_view monthDay = run.At(pr::kMonthDay);
    std::vector<TextLine> lines;

    lines.push_back(
        Line({Run(std::string(Field(meeting, 1, 1)) + TrackName(run.TrackCode()) +
                  std::string(Field(monthDay, 0, 2)) + "." + std::string(Field(monthDay, 2, 2)) +
                  std::string(TrimBlanks(GradeName(run.At(pr::kGradeCode)))) + " " +
                  ShortNameOrClass(run))}));

    lines.push_back(
        Line({Run(Format("%2d", run.RegisteredRunners()) + kRunners +
                  Format("%4d", run.Distance()) + "m" + TrackSurfaceShort(run.TrackSurfaceCode()) +
                  WeatherName(run.At(pr::kWeatherCode)) + GoingName(run.At(pr::kTurfGoingCode)))}));

    const int position = run.FinishPosition();
    lines.push_back(
        Line({Run(std::string(run.At(pr::kJockeyShortName)) +
                  CarriedWeightText(run.At(pr::kCarriedWeight)) + "kg" +
                  CircledNumber(run.HorseNumber()) +
                  RightAlignNumber(Field(run.At(pr::kWinPopularity), 0, 2)) + kPopularity),
              Run(position == 0 ? std::string(" ") : Format("%2d", position), 125, 9, true,
                  RankColor(position))}));

    const std::string_view time = run.FinishTime();
    const std::string_view last3F = run.At(pr::kLast3F);
    lines.push_back(Line({Run(NumberOrBlanks(ToInt(time), 1, 9998, "%4d", 4) + kBefore +
                              PaceBefore3F(time, last3F, run.At(pr::kDistance)) + kAfter +
                              NumberOrBlanks(ToInt(last3F), 1, 998, "%3d", 3))}));

    std::string corners;
    for (FieldPos c : {pr::kCorner1, pr::kCorner2, pr::kCorner3, pr::kCorner4})
        corners += CircledNumber(run.IntAt(c));
    const std::string body = run.IntAt(pr::kBodyWeight) >= 1
                                 ? std::string(run.At(pr::kBodyWeight)) + "kg"
                                 : std::string(5, ' ');
    const int prize = run.IntAt(pr::kPrizeMoney) + run.IntAt(pr::kAddedMoney);
    lines.push_back(Line({Run(corners + body + Format("%7d", prize) + ThousandYen())}));

    static const std::string kJunto = Sj("順当");
    static const std::string kUragiri = Sj("裏切");
    static const std::string kNone = Sj("　");
    TextRun markRun = mark == 1   ? Run(kJunto, 0, kSmall, false, kColorRankBlue)
                      : mark == 2 ? Run(kUragiri, 0, kSmall, false, kColorMaroon)
                                  : Run(kNone);
    lines.push_back(Line({markRun}, -2));
    return lines;
}

void FillDetailHorse(const RaceDay& day, int race, int runner, Grid& grid) {
    const int row = runner + 1;
    const SeRecord se(day.runnerTable.At(race, runner));
    const RaRecord ra(day.raceTable.At(race));
    const RaceAnalysis& a = day.raceAnalysis[Index(race, kMaxRaces)];
    const int bracket = se.BracketNumber();
    static const std::string kJockey = Sj("騎　手:");
    static const std::string kTrainer = Sj("調教師:");

    grid.SetLines(
        0, row, {Line({Run(Format("%1d", bracket), 0, kLarge, true, BracketTextColor(bracket))})});
    grid.SetStyle(0, row, DetailStyle(BracketColor(bracket)));
    grid.SetLines(1, row, {Line({Run(Format("%2d", runner + 1), 0, kLarge, true)})});
    grid.SetStyle(1, row, DetailStyle(kColorInfoBk));

    const int prize = a.prizeTotal[Index(runner, kMaxRunners)];
    grid.SetLines(
        2, row,
        {Line({Run(CutSjis(se.HorseName(), 18), 0, kLarge, true)}),
         Line({Run(SexName(se.SexCode()) + AgeLabel(se.Age())),
               Run(Format("%7d", prize) + ThousandYen(), 25), Run(BlinkerMark(se.Blinker()), 100)}),
         Line({Run(kJockey + std::string(se.JockeyShortName()))}),
         Line({Run(Format("%4.1fkg", se.CarriedWeight() / 10.0), 30),
               Run(WeightReductionName(ra.TrackCode(), se.ApprenticeCode()), 100)}),
         Line({Run(kTrainer + std::string(se.TrainerShortName()))})});
    grid.SetStyle(2, row, DetailStyle(kColorWindow));
}

void FillDetailRuns(const RaceDay& day, int race, int runner, Grid& grid) {
    const int row = runner + 1;
    const RaceAnalysis& a = day.raceAnalysis[Index(race, kMaxRaces)];
    const size_t h = Index(runner, kMaxRunners);
    static const std::string kAll = Sj("全:");
    static const std::string kShort = Sj("短:");
    static const std::string kMiddle = Sj("中:");
    static const std::string kLong = Sj("長:");
    static const std::string kTurf = Sj("芝全:");
    static const std::string kTurfHeavy = Sj("芝重:");
    static const std::string kDirt = Sj("ダ全:");
    static const std::string kDirtHeavy = Sj("ダ重:");

    grid.SetLines(3, row,
                  {RecordLine(a, RunCategory::All, h, kAll),
                   RecordLine(a, RunCategory::UpTo1600, h, kShort, 5),
                   RecordLine(a, RunCategory::UpTo2200, h, kMiddle),
                   RecordLine(a, RunCategory::Over2200, h, kLong)});
    grid.SetStyle(3, row, DetailStyle(kColorWindow));
    grid.SetLines(4, row,
                  {RecordLine(a, RunCategory::Turf, h, kTurf),
                   RecordLine(a, RunCategory::TurfHeavy, h, kTurfHeavy),
                   RecordLine(a, RunCategory::Dirt, h, kDirt, 5),
                   RecordLine(a, RunCategory::DirtHeavy, h, kDirtHeavy)});
    grid.SetStyle(4, row, DetailStyle(kColorWindow));

    for (int k = 0; k < kMaxPastRuns && kDetailFirstRun + k < grid.ColCount(); ++k) {
        const int col = kDetailFirstRun + k;
        const std::string_view run = day.pastRunTable.At(race, runner, k);
        if (IsBlank(Field(run, pr::kYear.offset, pr::kYear.width))) {
            grid.SetText(col, row, std::string());
            grid.SetStyle(col, row, DetailStyle(kColorNoRun));
            continue;
        }
        const int mark = day.pastRunMark[Index(race, kMaxRaces)][h][static_cast<size_t>(k)];
        grid.SetLines(col, row, PastRunLines(run, mark));
        grid.SetStyle(col, row, DetailStyle(kColorWindow));
    }
}

void SetDetailHeadings(const RaceDay& day, int race, Grid& grid) {
    for (int c = kDetailFirstRun + 1; c <= kDetailFirstRun + kDetailHeadedRuns; ++c)
        grid.SetText(c, 0, std::string());
    int most = 0;
    const int runners = day.RegisteredRunners(race);
    for (int k = 0; k < runners; ++k) most = std::max(most, day.pastRunTable.Count(race, k));
    static const std::string kRunsAgo = Sj("走前");
    for (int k = 0; k < std::min(most, kDetailHeadedRuns); ++k)
        grid.SetText(kDetailFirstRun + k, 0, Format("%3d", k + 1) + kRunsAgo);
}

}  // namespace sorvane
