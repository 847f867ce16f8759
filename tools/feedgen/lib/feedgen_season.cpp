#include "feedgen_season.h"

#include <algorithm>
#include <numeric>

#include "base/sjis.h"
#include "base/text_format.h"
#include "feedgen_names.h"
#include "ports/clock.h"

namespace sorvane::feedgen {

namespace {

// Class shares of a track's population, best class first (Ａ１ .. Ｃ３), in percent.
constexpr int kLevelShare[8] = {5, 8, 10, 12, 15, 15, 17, 18};
// Race conditions of each class (the money-class codes of the records).
constexpr int kLevelCondition[8] = {999, 50, 30, 20, 15, 10, 8, 5};
// First prize of each class in thousands of yen.
constexpr int kLevelPrize[8] = {1000, 700, 500, 400, 320, 250, 200, 160};
const char* const kLevelLabel[8] = {"Ａ１", "Ａ２", "Ｂ１", "Ｂ２", "Ｂ３", "Ｃ１", "Ｃ２", "Ｃ３"};
const char* const kGroupLabel[10] = {"一組", "二組", "三組", "四組", "五組",
                                     "六組", "七組", "八組", "九組", "十組"};
// Field sizes 5..18: mostly 5 to 12, some 13 to 16, a few 17 or 18.
constexpr int kFieldWeights[14] = {5, 7, 9, 11, 12, 12, 12, 10, 4, 3, 2, 2, 1, 1};
// Population per track racing on a day: about 110 starts a day, each horse every four weeks.
constexpr int kHorsesPerTrack = 3300;

// The frame of horse h among n registered runners.
int Wakuban(int n, int h) {
    if (n <= 16) {
        int c = (n - h) / 2;
        return c < n - 8 ? 8 - c : h;
    }
    int c = (16 - h) / 2;
    int frame = 8 - c;
    if (h > 16) --frame;
    if (h == 15 && n == 18) --frame;
    if (h == 17) ++frame;
    return frame;
}

int Year(int64_t days) {
    int y = 0, m = 0, d = 0;
    CivilFromDays(days, y, m, d);
    return y;
}

int Month(int64_t days) {
    int y = 0, m = 0, d = 0;
    CivilFromDays(days, y, m, d);
    return m;
}

int64_t RoundInt(double x) { return static_cast<int64_t>(std::floor(x + 0.5)); }

// Average time over a distance on good dirt, seconds.
double BaseTime(int distance) { return 75.0 + (distance - 1200) * 0.0675; }

}  // namespace

void CivilOf(int64_t days, int& year, int& month, int& day) {
    CivilFromDays(days, year, month, day);
}

int WeekdayCode(int64_t days) {
    // 1970-01-01 was a Thursday.
    static constexpr int kCode[7] = {7, 8, 1, 2, 4, 5, 6};  // Thu Fri Sat Sun Mon Tue Wed
    int64_t r = days % 7;
    if (r < 0) r += 7;
    return kCode[r];
}

TrackProfile ProfileOf(int code) {
    TrackProfile p;
    p.code = code;
    p.circuit = 100 + code;
    switch (code) {
        case 30:  // 門別
            p = {code,
                 1,
                 true,
                 24,
                 0,
                 {1000, 1100, 1200, 1500, 1600, 1700, 1800, 2000},
                 {10, 10, 25, 10, 8, 20, 10, 7},
                 {},
                 0.6};
            break;
        case 35:  // 盛岡: the local track with a turf course
            p = {code,
                 2,
                 false,
                 23,
                 11,
                 {1000, 1200, 1400, 1600, 1800, 2000, 2500},
                 {10, 20, 25, 20, 15, 8, 2},
                 {1000, 1600, 1700, 2400},
                 0.1};
            break;
        case 36:  // 水沢
            p = {code,
                 2,
                 false,
                 24,
                 0,
                 {850, 1300, 1400, 1600, 1800, 1900, 2000},
                 {10, 25, 30, 10, 10, 10, 5},
                 {},
                 0.5};
            break;
        case 42:  // 浦和
            p = {code,
                 3,
                 false,
                 23,
                 0,
                 {800, 1300, 1400, 1500, 1600, 1900, 2000},
                 {15, 10, 40, 10, 10, 10, 5},
                 {},
                 0.5};
            break;
        case 43:  // 船橋
            p = {code,
                 3,
                 true,
                 23,
                 0,
                 {1000, 1200, 1500, 1600, 1700, 1800, 2200},
                 {15, 25, 15, 15, 15, 10, 5},
                 {},
                 0.2};
            break;
        case 44:  // 大井
            p = {code,
                 3,
                 true,
                 24,
                 0,
                 {1000, 1200, 1400, 1500, 1600, 1650, 1800, 2000},
                 {10, 25, 20, 8, 15, 7, 10, 5},
                 {},
                 0.0};
            break;
        case 45:  // 川崎
            p = {
                code, 3,  true, 23, 0, {900, 1400, 1500, 1600, 2000, 2100}, {15, 35, 20, 15, 5, 10},
                {},   0.4};
            break;
        case 46:  // 金沢
            p = {code,
                 4,
                 false,
                 24,
                 0,
                 {900, 1300, 1400, 1500, 1700, 1900, 2000},
                 {10, 15, 25, 25, 10, 10, 5},
                 {},
                 0.5};
            break;
        case 47:  // 笠松
            p = {code, 5,  false, 24, 0, {800, 1400, 1600, 1800, 1900}, {15, 45, 15, 15, 10},
                 {},   0.5};
            break;
        case 48:  // 名古屋
            p = {code, 5,  false, 24, 0, {920, 1400, 1500, 1700, 2000}, {15, 20, 35, 20, 10},
                 {},   0.4};
            break;
        case 50:  // 園田
            p = {
                code, 6,  false, 24, 0, {820, 1230, 1400, 1700, 1870, 2400}, {15, 30, 35, 10, 8, 2},
                {},   0.4};
            break;
        case 51:  // 姫路
            p = {code, 6,  false, 24, 0, {800, 1400, 1500, 1800, 2000}, {15, 40, 25, 15, 5},
                 {},   0.4};
            break;
        case 54:  // 高知
            p = {code, 7,  true, 24, 0, {800, 1300, 1400, 1600, 1900, 2400}, {10, 30, 35, 15, 8, 2},
                 {},   0.8};
            break;
        case 55:  // 佐賀
            p = {code,
                 8,
                 false,
                 24,
                 0,
                 {900, 1300, 1400, 1750, 1800, 2000},
                 {10, 25, 30, 15, 15, 5},
                 {},
                 0.5};
            break;
        default:
            p.distances = {1000, 1200, 1400, 1600, 1800, 2000};
            p.weights = {10, 25, 25, 20, 15, 5};
            break;
    }
    return p;
}

Season::Season(const SeasonOptions& options)
    : options_(options), scheduleRng_(MixSeed(options.seed, 0x5C4ED01Eull)) {
    for (int code : options_.tracks) {
        TrackState t;
        t.profile = ProfileOf(code);
        t.rest = scheduleRng_.Range(2, 10);
        int doy = static_cast<int>(options_.start - DaysFromCivil(Year(options_.start), 1, 1));
        t.meeting = doy * 12 / 366;
        t.meetingYear = Year(options_.start);
        tracks_.push_back(std::move(t));
    }
    MakePopulation();
}

const Person& Season::Trainer(int track, int i) const {
    return tracks_[static_cast<size_t>(track)].trainers[static_cast<size_t>(i)];
}
const Person& Season::Jockey(int track, int i) const {
    return tracks_[static_cast<size_t>(track)].jockeys[static_cast<size_t>(i)];
}

int Season::AgeOf(const Horse& h, int64_t date) const { return Year(date) - h.birthYear; }

void Season::MakePopulation() {
    Rng rng(MixSeed(options_.seed, 0x40B5E5ull));
    std::unordered_set<std::string> people;
    for (auto& t : tracks_) {
        for (int i = 0; i < 14; ++i) t.trainers.push_back({MakePersonName(rng, people), 0, 0.0});
        for (int i = 0; i < 20; ++i) {
            Person j{MakePersonName(rng, people), 0, rng.Normal() * 0.15};
            if (i >= 16) j.apprentice = 1 + (i - 16) % 3;
            t.jockeys.push_back(j);
        }
    }
    const int tracks = static_cast<int>(tracks_.size());
    int count = options_.horses > 0 ? options_.horses : kHorsesPerTrack * std::min(tracks, 3);
    int startYear = Year(options_.start);
    std::vector<int> serial(200, 0);
    static constexpr int kAgeWeights[8] = {24, 20, 17, 13, 10, 7, 5, 4};  // ages 3..10
    for (int i = 0; i < count; ++i) {
        Horse h;
        h.home = i % tracks;
        bool young = rng.Chance(0.10);
        int age = young ? 2 : 3 + rng.Weighted(kAgeWeights);
        h.birthYear = startYear - age;
        int& s = serial[static_cast<size_t>(age)];
        ++s;
        h.blood = Format("%04d1%05d", h.birthYear, s % 100000);
        h.name = MakeHorseName(rng, names_);
        h.sex = rng.Chance(0.42) ? 2 : (age >= 4 && rng.Chance(0.15) ? 3 : 1);
        h.trainer = rng.Below(14);
        h.blinker = rng.Chance(0.15);
        h.ability = rng.Normal() * 0.8;
        h.turfSkill = rng.Normal() * 0.8;
        h.bestDistance =
            std::clamp(1400 + static_cast<int>(RoundInt(rng.Normal() * 300)), 900, 2400);
        h.style = rng.Unit();
        h.bodyWeight = std::clamp(
            static_cast<int>(RoundInt(470 + rng.Normal() * 25)) - (h.sex == 2 ? 15 : 0), 380, 560);
        if (young) {
            int64_t june = DaysFromCivil(startYear, 6, 1);
            h.debut = std::max(options_.start, june) + rng.Range(0, 120);
        } else {
            h.debut = options_.start;
        }
        // Spread the first runs over the first four weeks.
        h.planned = h.debut + rng.Range(0, 27);
        horses_.push_back(std::move(h));
    }
    // Classes by ability within each home track.
    for (int t = 0; t < tracks; ++t) {
        std::vector<int>& list = tracks_[static_cast<size_t>(t)].horses;
        for (int i = 0; i < count; ++i)
            if (horses_[static_cast<size_t>(i)].home == t) list.push_back(i);
        std::vector<int> byAbility = list;
        std::sort(byAbility.begin(), byAbility.end(), [&](int a, int b) {
            if (horses_[a].ability != horses_[b].ability)
                return horses_[a].ability < horses_[b].ability;
            return a < b;
        });
        int level = 0, upTo = 0;
        for (size_t r = 0; r < byAbility.size(); ++r) {
            while (level < 7 &&
                   static_cast<int>(r * 100 / byAbility.size()) >= upTo + kLevelShare[level]) {
                upTo += kLevelShare[level];
                ++level;
            }
            horses_[static_cast<size_t>(byAbility[r])].level = level;
        }
    }
}

std::vector<TrackDay> Season::SimulateDay(int index) {
    const int64_t date = options_.start + index;
    const int n = static_cast<int>(tracks_.size());
    int target = std::min(scheduleRng_.Range(2, 4), n);
    std::vector<char> racing(static_cast<size_t>(n), 0);
    int count = 0;
    for (int t = 0; t < n; ++t)
        if (tracks_[static_cast<size_t>(t)].daysLeft > 0) {
            racing[static_cast<size_t>(t)] = 1;
            ++count;
        }
    if (count < target) {
        // New meetings at the tracks that have rested longest (at least two days if possible).
        std::vector<int> order;
        for (int t = 0; t < n; ++t)
            if (!racing[static_cast<size_t>(t)]) order.push_back(t);
        std::vector<int> key(static_cast<size_t>(n));
        for (int t : order) key[static_cast<size_t>(t)] = scheduleRng_.Below(1000);
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            bool ra = tracks_[a].rest >= 2, rb = tracks_[b].rest >= 2;
            if (ra != rb) return ra;
            if (tracks_[a].rest != tracks_[b].rest) return tracks_[a].rest > tracks_[b].rest;
            if (key[a] != key[b]) return key[a] < key[b];
            return a < b;
        });
        for (int t : order) {
            if (count >= target) break;
            TrackState& ts = tracks_[static_cast<size_t>(t)];
            int year = Year(date);
            if (year != ts.meetingYear) {
                ts.meeting = 0;
                ts.meetingYear = year;
            }
            ts.meeting = std::min(ts.meeting + 1, 99);
            ts.dayOfMeeting = 0;
            ts.daysLeft = scheduleRng_.Range(3, 6);
            racing[static_cast<size_t>(t)] = 1;
            ++count;
        }
    }
    std::vector<TrackDay> out;
    for (int t = 0; t < n; ++t) {
        TrackState& ts = tracks_[static_cast<size_t>(t)];
        if (!racing[static_cast<size_t>(t)]) {
            ++ts.rest;
            continue;
        }
        ++ts.dayOfMeeting;
        --ts.daysLeft;
        ts.rest = 0;
        TrackDay day = RunTrackDay(t, date);
        if (!day.races.empty()) out.push_back(std::move(day));
    }
    // Tracks in code order, as the service lists them.
    std::sort(out.begin(), out.end(), [&](const TrackDay& a, const TrackDay& b) {
        return TrackCode(a.track) < TrackCode(b.track);
    });
    return out;
}

TrackDay Season::RunTrackDay(int track, int64_t date) {
    TrackState& ts = tracks_[static_cast<size_t>(track)];
    Rng rng(MixSeed(options_.seed,
                    static_cast<uint64_t>(date) * 131 + static_cast<uint64_t>(ts.profile.code)));
    TrackDay day;
    day.track = track;
    static constexpr int kWeatherCode[4] = {1, 2, 4, 3};  // 晴, 曇, 小雨, 雨
    static constexpr int kWeatherWeights[4] = {55, 28, 7, 10};
    int w = rng.Weighted(kWeatherWeights);
    static constexpr int kGoing[4][4] = {
        {75, 20, 5, 0}, {65, 25, 10, 0}, {20, 50, 25, 5}, {0, 20, 45, 35}};
    int dirtGoing = 1 + rng.Weighted(kGoing[w]);
    int turfGoing = 1 + rng.Weighted(kGoing[w]);
    int races = rng.Range(10, 12);
    int post = ts.profile.night ? 870 + 5 * rng.Range(0, 14) : 640 + 5 * rng.Range(0, 8);

    // The card: a 2-year-old race and a 3-year-old race early on some days, then the classes
    // from the lowest up, the feature last.
    std::vector<RaceSpec> specs;
    int month = Month(date);
    bool youngOut = false;
    for (int h : ts.horses) {
        const Horse& x = horses_[static_cast<size_t>(h)];
        if (AgeOf(x, date) == 2 && x.debut <= date) {
            youngOut = true;
            break;
        }
    }
    if (youngOut && rng.Chance(0.6)) specs.push_back({11, 7, ' ', false});
    if (month <= 10 && rng.Chance(0.35)) specs.push_back({12, 6, ' ', false});
    std::vector<int> levels;
    while (static_cast<int>(specs.size() + levels.size()) < races)
        levels.push_back(rng.Weighted(kLevelShare));
    std::sort(levels.begin(), levels.end(), std::greater<int>());
    for (size_t i = 0; i < levels.size(); ++i) {
        RaceSpec s{rng.Chance(0.3) ? 14 : 13, levels[i], ' ', rng.Chance(0.05)};
        bool last = i + 1 == levels.size();
        if (last && rng.Chance(0.06)) {
            s = {13, 0, 'D', false};
        } else if ((last && rng.Chance(0.7)) || (i + 2 == levels.size() && rng.Chance(0.3))) {
            s.grade = 'E';
        }
        specs.push_back(s);
    }

    std::vector<char> ranToday(horses_.size(), 0);
    int sameLevel[8] = {};
    for (size_t i = 0; i < specs.size(); ++i) {
        Race race;
        race.track = ts.profile.code;
        race.date = date;
        race.meeting = ts.meeting;
        race.day = ts.dayOfMeeting;
        race.number = static_cast<int>(i) + 1;
        race.postTime = post;
        race.weather = kWeatherCode[w];
        if (!BuildRace(track, date, specs[i], race, rng, ranToday)) break;
        race.dirtGoing = race.turf ? 0 : dirtGoing;
        race.turfGoing = race.turf ? turfGoing : 0;
        // Names: classes with their group, the 2- and 3-year-old races by age.
        if (race.grade == 'E') {
            race.name = MakeSpecialRaceName(rng);
        } else if (race.grade == 'D') {
            race.name = MakeStakesRaceName(rng);
            race.edition = rng.Range(5, 60);
        } else if (race.kindCode == 11) {
            race.name = Sj(race.condition == 701 ? "２歳新馬" : "２歳未勝利");
        } else if (race.kindCode == 12) {
            race.name = Sj(std::string("３歳") + kLevelLabel[race.level]);
        } else {
            int g = sameLevel[race.level]++;
            race.name = Sj(std::string(kLevelLabel[race.level]) + kGroupLabel[g % 10]);
        }
        RunRace(track, race, rng);
        AfterRace(race, rng);
        day.races.push_back(std::move(race));
        post += rng.Range(25, 35);
    }
    return day;
}

std::vector<int> Season::Select(int track, int64_t date, const RaceSpec& spec, int wanted, Rng& rng,
                                const std::vector<char>& ranToday) {
    const TrackState& ts = tracks_[static_cast<size_t>(track)];
    std::vector<std::pair<double, int>> scored;
    auto consider = [&](int h, bool strict) {
        const Horse& x = horses_[static_cast<size_t>(h)];
        if (ranToday[static_cast<size_t>(h)] || x.debut > date || date - x.lastRun < 7) return;
        if (strict && x.planned > date) return;
        int age = AgeOf(x, date);
        if (spec.kindCode == 11 && age != 2) return;
        if (spec.kindCode == 12 && age != 3) return;
        if (spec.kindCode == 13 && age < 3) return;
        if (spec.kindCode == 14 && age < 4) return;
        if (spec.fillies && x.sex != 2) return;
        double mismatch = 0;
        if (spec.kindCode >= 13) mismatch = std::abs(x.level - spec.level);
        double overdue = static_cast<double>(std::min<int64_t>(date - x.planned, 30));
        scored.push_back({mismatch * 6.0 - overdue * 0.2 + rng.Unit() * 3.0, h});
    };
    for (int pass = 0; pass < 2 && static_cast<int>(scored.size()) < 5; ++pass) {
        scored.clear();
        for (int h : ts.horses) consider(h, pass == 0);
        // Visitors from the circuit's other tracks.
        for (size_t o = 0; o < tracks_.size(); ++o) {
            if (static_cast<int>(o) == track || tracks_[o].profile.circuit != ts.profile.circuit)
                continue;
            for (int h : tracks_[o].horses)
                if (rng.Chance(0.04)) consider(h, pass == 0);
        }
    }
    std::sort(scored.begin(), scored.end());
    std::vector<int> chosen;
    for (size_t i = 0; i < scored.size() && static_cast<int>(chosen.size()) < wanted; ++i)
        chosen.push_back(scored[i].second);
    return chosen;
}

bool Season::BuildRace(int track, int64_t date, const RaceSpec& spec, Race& race, Rng& rng,
                       std::vector<char>& ranToday) {
    const TrackState& ts = tracks_[static_cast<size_t>(track)];
    race.kindCode = spec.kindCode;
    race.level = spec.level;
    race.grade = spec.grade;
    race.fillies = spec.fillies;
    int wanted = 5 + rng.Weighted(kFieldWeights);
    std::vector<int> field = Select(track, date, spec, wanted, rng, ranToday);
    if (field.size() < 5) return false;
    // Horse numbers are drawn.
    for (size_t i = field.size(); i > 1; --i)
        std::swap(field[i - 1], field[static_cast<size_t>(rng.Below(static_cast<int>(i)))]);
    const int n = static_cast<int>(field.size());

    const TrackProfile& p = ts.profile;
    race.turf = p.turfCode != 0 && !p.turfDistances.empty() && rng.Chance(0.15);
    if (race.turf) {
        race.distance = p.turfDistances[static_cast<size_t>(
            rng.Below(static_cast<int>(p.turfDistances.size())))];
        race.surface = p.turfCode;
    } else {
        int total = std::accumulate(p.weights.begin(), p.weights.end(), 0);
        int r = rng.Below(total);
        size_t k = 0;
        while (k + 1 < p.weights.size() && r >= p.weights[k]) r -= p.weights[k++];
        race.distance = p.distances[k];
        race.surface = p.dirtCode;
    }

    bool allNew = true;
    for (int h : field) allNew = allNew && horses_[static_cast<size_t>(h)].runs == 0;
    if (spec.kindCode == 11)
        race.condition = allNew ? 701 : 703;
    else
        race.condition = kLevelCondition[spec.level];
    race.weightKind = spec.kindCode <= 12 ? '3' : spec.grade == 'E' && rng.Chance(0.3) ? '1' : '2';
    int first = spec.kindCode == 11 ? 250 : spec.kindCode == 12 ? 300 : kLevelPrize[spec.level];
    if (spec.grade == 'E') first = first * 14 / 10;
    if (spec.grade == 'D') first = 1000 * rng.Range(3, 10);
    static constexpr int kPrizeShare[5] = {100, 40, 25, 15, 10};
    for (int k = 0; k < 5; ++k) race.prizes[static_cast<size_t>(k)] = first * kPrizeShare[k] / 100;

    // Handicaps weigh the better horses more (by ability order within the field).
    std::vector<int> byAbility(field.begin(), field.end());
    std::sort(byAbility.begin(), byAbility.end(), [&](int a, int b) {
        if (horses_[a].ability != horses_[b].ability)
            return horses_[a].ability < horses_[b].ability;
        return a < b;
    });
    std::vector<int> jockeys(ts.jockeys.size());
    std::iota(jockeys.begin(), jockeys.end(), 0);
    for (size_t i = jockeys.size(); i > 1; --i)
        std::swap(jockeys[i - 1], jockeys[static_cast<size_t>(rng.Below(static_cast<int>(i)))]);

    for (int i = 0; i < n; ++i) {
        int h = field[static_cast<size_t>(i)];
        const Horse& x = horses_[static_cast<size_t>(h)];
        ranToday[static_cast<size_t>(h)] = 1;
        Runner r;
        r.horse = h;
        r.number = i + 1;
        r.frame = Wakuban(n, r.number);
        r.jockey = jockeys[static_cast<size_t>(i % static_cast<int>(jockeys.size()))];
        int age = AgeOf(x, date);
        bool female = x.sex == 2;
        int w = spec.kindCode == 11   ? (female ? 540 : 550)
                : spec.kindCode == 12 ? (female ? 540 : 560)
                : age == 3            ? (female ? 520 : 540)
                                      : (female ? 540 : 560);
        if (race.weightKind == '1') {
            int rank = static_cast<int>(std::find(byAbility.begin(), byAbility.end(), h) -
                                        byAbility.begin());
            w = 570 - rank * 50 / std::max(1, n - 1);
            w -= w % 5;
        }
        if (spec.grade == 'D') w += 10;
        const Person& j = ts.jockeys[static_cast<size_t>(r.jockey)];
        if (spec.grade != 'D') w -= 10 * j.apprentice;
        r.weight10 = std::clamp(w, 480, 600);
        r.firstRun = x.runs == 0;
        r.bodyChange = r.firstRun ? 0 : 2 * static_cast<int>(RoundInt(rng.Normal() * 2.0));
        r.bodyWeight = std::clamp(x.bodyWeight + r.bodyChange, 350, 600);
        race.runners.push_back(r);
    }
    // Scratches (before or after the sale opened) and the odd horse that does not finish.
    int scratched = 0;
    if (n >= 7)
        for (auto& r : race.runners)
            if (scratched < 2 && rng.Chance(0.015)) {
                r.scratch = rng.Chance(0.4) ? '-' : '*';
                ++scratched;
            }
    race.starters = n - scratched;
    if (race.starters >= 6)
        for (auto& r : race.runners)
            if (!r.scratch && rng.Chance(0.004)) {
                r.dnf = true;
                break;
            }
    return true;
}

void Season::RunRace(int track, Race& race, Rng& rng) {
    const TrackState& ts = tracks_[static_cast<size_t>(track)];
    const int n = static_cast<int>(race.runners.size());
    const double d = race.distance;
    const double km = d / 1000.0;
    static constexpr double kDirtGoing[5] = {1.0, 1.0, 0.997, 0.994, 0.991};
    static constexpr double kTurfGoing[5] = {1.0, 1.0, 1.005, 1.012, 1.02};
    double base = BaseTime(race.distance) *
                  (race.turf ? 0.975 * kTurfGoing[race.turfGoing] : kDirtGoing[race.dirtGoing]);
    base += ts.profile.paceAdjust * km;
    const double beta = 0.35 + 0.3 * km;  // spread of a run around its expectation
    const double pace = rng.Normal() * 0.4 * km;

    double bestE = 1e9;
    for (auto& r : race.runners) {
        const Horse& x = horses_[static_cast<size_t>(r.horse)];
        int age = AgeOf(x, race.date);
        double off = (d - x.bestDistance) / 1000.0;
        double e = base + (x.ability + (race.turf ? x.turfSkill : 0.0)) * km + 2.0 * off * off +
                   0.2 * (r.weight10 / 10.0 - 55.0);
        if (age == 2) e += 1.5 * km;
        if (age == 3) e += 0.4 * km;
        if (age >= 9) e += 0.3 * (age - 8) * km;
        e -= ts.jockeys[static_cast<size_t>(r.jockey)].skill;
        e += rng.Normal() * 0.3;  // the day's form
        r.expected = e;
        if (!r.scratch) bestE = std::min(bestE, e);
    }

    // The public's view: the true chances, flattened (long shots are over-bet) and blurred.
    race.field = RaceField{};
    race.field.registered = n;
    for (const auto& r : race.runners) {
        size_t i = static_cast<size_t>(r.number - 1);
        race.field.frame[i] = r.frame;
        race.field.scratch[i] = r.scratch;
        race.field.publicWin[i] =
            r.scratch ? 0.0 : Exp(-0.85 * (r.expected - bestE) / beta + 0.2 * rng.Normal());
    }
    int64_t votes = 6000 + 2500 * (7 - race.level);
    if (race.grade == 'E') votes += 4000;
    if (race.grade == 'D') votes += 20000;
    if (race.kindCode <= 12) votes = 6000;
    race.field.winVotes = RoundInt(static_cast<double>(votes) * (0.8 + 0.4 * rng.Unit()));
    race.pools = BuildPools(race.field, 0.15, rng);

    // The race: each run is its expectation less a Gumbel draw, so the order follows the
    // Plackett-Luce chances exp(-E / beta) that the odds are made from.
    std::vector<double> t(static_cast<size_t>(n), 0.0);
    std::vector<int> order;
    for (int i = 0; i < n; ++i) {
        Runner& r = race.runners[static_cast<size_t>(i)];
        if (r.scratch) continue;
        t[static_cast<size_t>(i)] = r.expected + pace - beta * rng.Gumbel();
        if (!r.dnf) order.push_back(i);
    }
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        if (t[a] != t[b]) return t[a] < t[b];
        return a < b;
    });
    race.finishers = static_cast<int>(order.size());
    size_t deadHeat = 0;  // position in `order` of the second horse of a dead heat, 0 for none
    if (race.finishers >= 4 && rng.Chance(0.02)) {
        deadHeat = static_cast<size_t>(rng.Range(1, 3));
        t[static_cast<size_t>(order[deadHeat])] = t[static_cast<size_t>(order[deadHeat - 1])];
    }
    const double winner = order.empty() ? 0.0 : t[static_cast<size_t>(order[0])];
    const double base3f = (race.turf ? 35.8 : 38.6) + 0.15 * (km - 1.2);
    for (size_t k = 0; k < order.size(); ++k) {
        Runner& r = race.runners[static_cast<size_t>(order[k])];
        const Horse& x = horses_[static_cast<size_t>(r.horse)];
        double time = t[static_cast<size_t>(order[k])];
        r.position = static_cast<int>(k) + 1;
        if (deadHeat != 0 && k == deadHeat) {
            r.position = static_cast<int>(k);
            r.deadHeat = true;
            race.runners[static_cast<size_t>(order[k - 1])].deadHeat = true;
        }
        r.time10 = static_cast<int>(RoundInt(time * 10.0));
        double l3 = base3f + 0.3 * (time - winner) - 1.2 * (x.style - 0.5) + 0.4 * rng.Normal();
        l3 = std::clamp(l3, 33.0, std::min(45.0, time - 8.0));
        r.last3f10 = static_cast<int>(RoundInt(l3 * 10.0));
        if (race.distance >= 1000) {
            double l4 = l3 + 12.4 + 0.1 * (time - winner) + 0.2 * rng.Normal();
            r.last4f10 = static_cast<int>(RoundInt(std::min(l4, time - 2.0) * 10.0));
        }
    }
    // Positions at the corners: the running style early, the finish late. Short races on an
    // oval pass only the third and fourth corners.
    const int corners = race.distance <= 1300 ? 2 : 4;
    std::vector<int> runningIdx;
    for (int i = 0; i < n; ++i)
        if (!race.runners[static_cast<size_t>(i)].scratch) runningIdx.push_back(i);
    int stopAt = rng.Range(0, corners);  // corner at which a horse that does not finish stops
    for (int s = 0; s < corners; ++s) {
        double f = (s + 1.0) / (corners + 1.0);
        std::vector<std::pair<double, int>> at;
        for (int i : runningIdx) {
            const Runner& r = race.runners[static_cast<size_t>(i)];
            const Horse& x = horses_[static_cast<size_t>(r.horse)];
            double finish = r.dnf ? r.expected + pace : t[static_cast<size_t>(i)];
            at.push_back(
                {(1.0 - f) * (x.style * 5.0 + rng.Normal() * 0.8) + f * (finish - winner), i});
        }
        std::sort(at.begin(), at.end());
        int corner = corners == 2 ? s + 2 : s;
        for (size_t k = 0; k < at.size(); ++k) {
            Runner& r = race.runners[static_cast<size_t>(at[k].second)];
            r.corner[static_cast<size_t>(corner)] =
                r.dnf && s >= stopAt ? 0 : static_cast<int>(k) + 1;
        }
    }
    // Prize money by position; a dead heat shares the two prizes.
    for (auto& r : race.runners) {
        if (r.position < 1 || r.position > 5) continue;
        size_t p = static_cast<size_t>(r.position - 1);
        r.prize = race.prizes[p];
        if (r.deadHeat) r.prize = (race.prizes[p] + (p + 1 < 5 ? race.prizes[p + 1] : 0)) / 2;
    }
    std::array<int, kMaxHorses> pos{};
    for (const auto& r : race.runners) pos[static_cast<size_t>(r.number - 1)] = r.position;
    race.payouts = Payouts(race.field, race.pools, pos);
}

void Season::AfterRace(const Race& race, Rng& rng) {
    const int n = static_cast<int>(race.runners.size());
    for (const auto& r : race.runners) {
        Horse& x = horses_[static_cast<size_t>(r.horse)];
        if (r.scratch) {
            x.planned = race.date + rng.Range(7, 21);
            continue;
        }
        x.lastRun = race.date;
        x.planned = race.date + rng.Range(14, 42);
        ++x.runs;
        x.bodyWeight = r.bodyWeight;
        // Winners go up a class; a horse beaten far three times goes down one.
        if (r.position == 1 && race.kindCode >= 13) {
            x.level = std::max(0, x.level - 1);
            x.poorRuns = 0;
        } else if (r.position == 0 || r.position > (n + 1) / 2) {
            if (++x.poorRuns >= 3) {
                x.level = std::min(7, x.level + 1);
                x.poorRuns = 0;
            }
        } else if (r.position <= 3) {
            x.poorRuns = 0;
        }
    }
}

RacePools Season::EarlyPools(const Race& race) const {
    RaceField f = race.field;
    Rng rng(MixSeed(options_.seed, static_cast<uint64_t>(race.date) * 977 +
                                       static_cast<uint64_t>(race.track * 16 + race.number)));
    for (int i = 0; i < f.registered; ++i)
        if (!f.scratch[static_cast<size_t>(i)])
            f.publicWin[static_cast<size_t>(i)] *= Exp(0.3 * rng.Normal());
    f.winVotes = std::max<int64_t>(500, f.winVotes / 2);
    return BuildPools(f, 0.25, rng);
}

}  // namespace sorvane::feedgen
