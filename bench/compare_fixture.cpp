#include "compare_fixture.h"

#include <algorithm>
#include <map>

#include "base/fields.h"
#include "base/files.h"
#include "base/sjis.h"
#include "base/text_format.h"
#include "compare/compare_rules.h"
#include "raceday/race_day.h"
#include "shell/code_tables.h"
#include "store/past_run_file.h"
#include "store/records.h"

namespace sorvane {
namespace {

// A small deterministic generator, the same on every platform.
class Rng {
  public:
    explicit Rng(uint32_t seed) : s_(seed * 2654435761u + 1) {}
    uint32_t Next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }

  private:
    uint32_t s_;
};

struct Horse {
    std::string name18;  // Shift-JIS, padded with full-width blanks
    std::string name36;
    std::string blood;
    int ability = 0;  // tenths of a second better than the class's par
    std::vector<std::string> lines;
};

std::string HorseName(int index, bool longName) {
    static const char* const kKana[] = {"ア", "イ", "ウ", "エ", "オ", "カ", "キ", "ク",
                                        "ケ", "コ", "サ", "シ", "ス", "セ", "ソ", "タ",
                                        "チ", "ツ", "テ", "ト", "ナ", "ニ", "ヌ", "ネ",
                                        "ノ", "ハ", "ヒ", "フ", "ヘ", "ホ", "マ", "ミ"};
    std::string utf8;
    int v = index;
    for (int i = 0; i < 4; ++i) {
        utf8 += kKana[v % 32];
        v /= 32;
    }
    utf8 += "ー";
    if (longName) utf8 += "スーパーロング";
    return Sj(utf8);
}

std::string Pad(std::string text, size_t width, const std::string& blank) {
    while (text.size() + blank.size() <= width) text += blank;
    text.resize(width, ' ');
    return text;
}

// One past race: its race block fields, then every runner's own block and the field block.
void WritePastRace(std::vector<Horse>& horses, const std::vector<int>& field, int index, int date,
                   Rng& rng, bool faults, int zeroTimes) {
    struct Run {
        int horse;
        int time;
        int weight;
        int position;
    };
    std::vector<Run> runs;
    int par = 900 + 10 * rng.Below(60);
    for (int h : field) {
        Run r{h, par - horses[static_cast<size_t>(h)].ability + rng.Below(30),
              500 + rng.Below(9) * 10, 0};
        if (faults && rng.Chance(zeroTimes)) r.time = 0;
        runs.push_back(r);
    }
    std::vector<int> order(runs.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return runs[static_cast<size_t>(a)].time < runs[static_cast<size_t>(b)].time;
    });
    int place = 0;
    for (int i : order) {
        Run& r = runs[static_cast<size_t>(i)];
        r.position = ++place;
        if (faults && rng.Chance(4)) r.position = 0;
    }
    // Field block in finishing order (unplaced last), as the past-run build writes it.
    std::vector<int> fieldOrder = order;
    std::stable_partition(fieldOrder.begin(), fieldOrder.end(),
                          [&](int i) { return runs[static_cast<size_t>(i)].position >= 1; });
    std::string block(pr::kFieldEntrySize * pr::kFieldEntries, ' ');
    for (size_t k = 0; k < fieldOrder.size(); ++k) {
        const Run& r = runs[static_cast<size_t>(fieldOrder[k])];
        const Horse& h = horses[static_cast<size_t>(r.horse)];
        size_t base = k * pr::kFieldEntrySize;
        PutField(block, base, h.name18);
        PutField(block, base + 18, h.blood);
        int t = r.time;
        PutField(block, base + 28,
                 t == 0 ? std::string("    ") : Format("%d%03d", t / 600, t % 600));
        PutField(block, base + 32, Format("%03d", r.weight));
    }
    static const char* const kSurfaces[] = {"24", "23", "17", "29"};
    for (const Run& r : runs) {
        Horse& h = horses[static_cast<size_t>(r.horse)];
        std::string line(kPastRunLineLength, ' ');
        PutField(line, 0, Format("%08d", date));
        PutField(line, 8,
                 Format("%02d%02d%02d%02d", 30 + index % 10, (index / 10) % 100,
                        (index / 1000) % 100, (index / 100000) % 100 + 1));
        PutField(line, 40, Format("%4d", 1000 + 200 * (index % 8)));
        PutField(line, 44, kSurfaces[index % 4]);
        int runners = static_cast<int>(runs.size());
        if (faults && index % 97 == 5) runners = 19;  // a damaged count
        PutField(line, 46, Format("%2d", runners));
        PutField(line, 55, h.blood);
        PutField(line, 65, h.name18);
        PutField(line, 89, Format("%03d", r.weight));
        PutField(line, 132,
                 r.time == 0 ? std::string("    ") : Format("%d%03d", r.time / 600, r.time % 600));
        PutField(line, 138, Format("%2d", r.position));
        PutField(line, pr::kFieldBlockOffset, block);
        if (faults && index % 89 == 7) PutField(line, 4, "12x4");  // a damaged date
        h.lines.push_back(line);
    }
}

}  // namespace

void GenerateCompareDay(const std::filesystem::path& home, RaceDay& day,
                        const CompareDayOptions& o) {
    Rng rng(o.seed);
    const int dayHorses = o.races * o.runners;
    const int classes = std::max(1, (dayHorses + o.classSize / 2) / std::max(1, o.classSize / 2));
    const int population = classes * o.classSize;
    const std::string blank = Sj("　");
    std::vector<Horse> horses(static_cast<size_t>(population));
    for (int i = 0; i < population; ++i) {
        Horse& h = horses[static_cast<size_t>(i)];
        std::string name = HorseName(i, i % 13 == 0);
        h.name36 = Pad(name, 36, blank);
        h.name18 = h.name36.substr(0, 18);
        h.blood = Format("%04d%06d", 2000 + i % 20, i);
        h.ability = rng.Below(40);
    }

    // Past races: each draws from one class, so its horses share opponents.
    const int perRace = std::min(o.runners, o.classSize);
    const int pastRaces = population * o.runsPerHorse / std::max(1, perRace * 2 / 3);
    for (int r = 0; r < pastRaces; ++r) {
        int cls = rng.Below(classes);
        int size = std::max(2, perRace - rng.Below(perRace / 2 + 1));
        std::vector<int> members(static_cast<size_t>(o.classSize));
        for (int i = 0; i < o.classSize; ++i)
            members[static_cast<size_t>(i)] = cls * o.classSize + i;
        for (int i = 0; i < size; ++i)
            std::swap(members[static_cast<size_t>(i)],
                      members[static_cast<size_t>(i + rng.Below(o.classSize - i))]);
        members.resize(static_cast<size_t>(size));
        // Dates up to about three years back; a few on or after the race date.
        int back = 1 + rng.Below(1000);
        if (o.faults && rng.Chance(3)) back = -rng.Below(3);
        int date = DaysBefore(o.raceDate, back);
        WritePastRace(horses, members, r, date, rng, o.faults, o.zeroTimePercent);
    }

    ProgramFolder folder(home);
    std::filesystem::create_directories(home / kPastRunFolder);
    for (size_t i = 0; i < horses.size(); ++i) {
        Horse& h = horses[i];
        if (o.faults && i % 211 == 3) continue;  // a horse without a file
        std::sort(h.lines.begin(), h.lines.end());
        std::string data = JoinLines(h.lines);
        if (o.faults && i % 157 == 4 && data.size() > 100) data.resize(data.size() - 100);
        std::filesystem::path dir = home / kPastRunFolder / PastRunFolderName(h.blood);
        std::filesystem::create_directories(dir);
        WriteFileAtomic(dir / PastRunFileName(h.blood), data);
    }

    // The day: race r takes its runners from class r % classes.
    day.ClearRecords();
    for (int r = 0; r < o.races && r < kMaxRaces; ++r) {
        std::string ra(LineLength(RecordType::RA), ' ');
        PutField(ra, 0, "RA");
        PutField(ra, 11, Format("%08d", o.raceDate));
        PutField(ra, 19, Format("%02d%02d%02d%02d", 30 + r / 12, 1, 1, r % 12 + 1));
        PutField(ra, 881, Format("%2d", o.runners));
        day.raceTable.Put(r, ra);
        int cls = r % classes;
        int offset = (r / classes) * o.runners % o.classSize;
        for (int k = 0; k < o.runners; ++k) {
            const Horse& h =
                horses[static_cast<size_t>(cls * o.classSize + (offset + k) % o.classSize)];
            std::string se(LineLength(RecordType::SE), ' ');
            PutField(se, 0, "SE");
            PutField(se, 28, Format("%02d", k + 1));
            PutField(se, 30, h.blood);
            PutField(se, 40, h.name36);
            int weight = 520 + 10 * ((k * 7 + r) % 6);
            if (o.faults && r == 1 && k == 2) weight = 0;
            PutField(se, 288, Format("%03d", weight));
            day.runnerTable.Put(r, k, se);
        }
        if (o.faults && r == 2 && o.runners > 3)  // two runners under one name
            day.runnerTable.Put(
                r, 3,
                std::string(day.runnerTable.At(r, 3))
                    .replace(40, 36, horses[static_cast<size_t>(cls * o.classSize)].name36));
        day.raceLoaded[static_cast<size_t>(r)] = 1;
    }
    day.raceCount = std::min(o.races, kMaxRaces);
}

std::vector<std::string> RunnersOfDay(const RaceDay& day) {
    std::vector<std::string> out;
    for (int r = 0; r < kMaxRaces; ++r) {
        if (!day.SlotInUse(r)) continue;
        for (int k = 0; k < day.RegisteredRunners(r); ++k)
            out.emplace_back(SeRecord(day.runnerTable.At(r, k)).BloodNumber());
    }
    return out;
}

}  // namespace sorvane
