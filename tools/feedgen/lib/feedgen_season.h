// The demo season's world: local tracks holding meetings, a population of horses with lasting
// ability that run every two to six weeks at their home track (now and then at a sister track
// of the same circuit), and each race's card, result and betting pools. Days are simulated in
// order; the horses carry their state from one day to the next.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "feedgen_pools.h"
#include "feedgen_rng.h"

namespace sorvane::feedgen {

struct TrackProfile {
    int code = 0;
    int circuit = 0;     // tracks whose horses visit one another
    bool night = false;  // night racing: first post in the afternoon
    int dirtCode = 24;   // track surface code of its dirt course (23 left, 24 right-handed)
    int turfCode = 0;    // its turf course, 0 when it has none
    std::vector<int> distances, weights, turfDistances;
    double paceAdjust = 0.3;  // seconds per 1000 m against the average track
};
TrackProfile ProfileOf(int trackCode);

struct Horse {
    std::string name;   // Shift-JIS, not padded
    std::string blood;  // 10 digits
    int birthYear = 0;
    int sex = 1;   // 1 牡, 2 牝, 3 セン
    int home = 0;  // index of the home track in the season's tracks
    int trainer = 0;
    int level = 7;  // class 0 (Ａ１) .. 7 (Ｃ３)
    bool blinker = false;
    double ability = 0;    // seconds per 1000 m against the average (lower is faster)
    double turfSkill = 0;  // the same, added on turf
    int bestDistance = 1400;
    double style = 0.5;  // 0 runs in front .. 1 comes from behind
    int bodyWeight = 470;
    int64_t debut = 0, planned = 0, lastRun = -100000;  // days since 1970-01-01
    int runs = 0, poorRuns = 0;
};

struct Person {
    std::string name;  // Shift-JIS, not padded
    int apprentice = 0;
    double skill = 0;  // seconds gained
};

struct Runner {
    int horse = 0;
    int number = 0, frame = 0;
    int weight10 = 0;  // carried weight, tenths of a kilogram
    int jockey = 0;
    int bodyWeight = 0, bodyChange = 0;
    bool firstRun = false;
    char scratch = 0;  // 0 runs, '-' scratched before sale, '*' after sale
    bool dnf = false;
    double expected = 0;  // expected time, seconds
    int position = 0;     // confirmed position, 0 when none
    int time10 = 0;       // tenths of a second, 0 when none
    int last3f10 = 0, last4f10 = 0;
    std::array<int, 4> corner{};
    bool deadHeat = false;
    int prize = 0;  // thousands of yen
};

struct Race {
    int track = 0;  // track code
    int64_t date = 0;
    int meeting = 0, day = 0, number = 0;
    int postTime = 0;  // minutes after midnight
    int distance = 0, surface = 0;
    bool turf = false;
    int kindCode = 13;  // 11 2歳, 12 3歳, 13 3歳上, 14 4歳上 (サラ系)
    int level = 7;
    char grade = ' ';  // ' ' ordinary, 'E' 特別, 'D' 重賞
    char weightKind = '2';
    bool fillies = false;
    int condition = 0;
    int edition = 0;
    std::string name;             // Shift-JIS, not padded
    std::array<int, 5> prizes{};  // thousands of yen
    int weather = 1, turfGoing = 0, dirtGoing = 1;
    std::vector<Runner> runners;  // by horse number
    int starters = 0, finishers = 0;
    RaceField field;
    RacePools pools;  // the final odds
    std::array<std::vector<Payout>, kKindCount> payouts;
};

struct TrackDay {
    int track = 0;  // index into the season's tracks
    std::vector<Race> races;
};

struct SeasonOptions {
    uint64_t seed = 1;
    int64_t start = 0;  // days since 1970-01-01
    int days = 60;
    std::vector<int> tracks;
    int horses = 0;  // 0: enough for the tracks
};

class Season {
  public:
    explicit Season(const SeasonOptions& options);

    // The meetings of day `index` (0 = the start), with their races run. Call in order.
    std::vector<TrackDay> SimulateDay(int index);

    // The public's odds some time before the post (wider noise, a smaller pool).
    RacePools EarlyPools(const Race& race) const;

    const Horse& HorseAt(int i) const { return horses_[static_cast<size_t>(i)]; }
    const Person& Trainer(int track, int i) const;
    const Person& Jockey(int track, int i) const;
    int TrackCode(int track) const { return tracks_[static_cast<size_t>(track)].profile.code; }
    size_t HorseCount() const { return horses_.size(); }

  private:
    struct TrackState {
        TrackProfile profile;
        int meeting = 0, dayOfMeeting = 0, daysLeft = 0, rest = 0, meetingYear = 0;
        std::vector<int> horses;  // home horses
        std::vector<Person> trainers, jockeys;
    };
    struct RaceSpec {
        int kindCode = 13, level = 7;
        char grade = ' ';
        bool fillies = false;
    };

    void MakePopulation();
    TrackDay RunTrackDay(int track, int64_t date);
    bool BuildRace(int track, int64_t date, const RaceSpec& spec, Race& race, Rng& rng,
                   std::vector<char>& ranToday);
    std::vector<int> Select(int track, int64_t date, const RaceSpec& spec, int wanted, Rng& rng,
                            const std::vector<char>& ranToday);
    void RunRace(int track, Race& race, Rng& rng);
    void AfterRace(const Race& race, Rng& rng);
    int AgeOf(const Horse& h, int64_t date) const;

    SeasonOptions options_;
    Rng scheduleRng_;
    std::vector<TrackState> tracks_;
    std::vector<Horse> horses_;
    std::unordered_set<std::string> names_;
};

// Calendar helpers on days since 1970-01-01.
void CivilOf(int64_t days, int& year, int& month, int& day);
// The weekday code of the records: 1 土, 2 日, 4 月, 5 火, 6 水, 7 木, 8 金.
int WeekdayCode(int64_t days);

}  // namespace sorvane::feedgen
