#include "compare/search2ba.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <unordered_set>
#include <vector>

#include "raceday/race_day.h"
#include "shell/app_shell.h"
#include "shell/code_tables.h"
#include "store/records.h"

namespace sorvane {
namespace {

constexpr auto kPumpInterval = std::chrono::milliseconds(50);

bool Comparable(const PairArgs& p, const std::string& keyA, const std::string& keyB) {
    return !TrimName(p.nameA).empty() && !TrimName(p.nameB).empty() && keyA != keyB;
}

bool ValidSlots(const PairArgs& p) {
    return p.race >= 0 && p.race < kMaxRaces && p.pair >= 1 && p.pair <= kMaxPairs &&
           p.horseA >= 1 && p.horseA <= kMaxRunners && p.horseB >= 1 && p.horseB <= kMaxRunners;
}

}  // namespace

CompareEngine::CompareEngine(AppShell& shell, int workers)
    : shell_(shell), lastPump_(std::chrono::steady_clock::now()) {
    if (workers > 1) pool_ = std::make_unique<TaskPool>(workers);
    scratch_.resize(static_cast<size_t>(std::max(1, workers)));
    for (int m = 0; m < (pool_ ? 1 + workers : 1); ++m)
        memory_.push_back(std::make_unique<BulkArena>());
}
CompareEngine::~CompareEngine() = default;

HorseHistory& CompareEngine::History(const std::string& blood) {
    auto& slot = histories_[blood];
    if (!slot)
        slot = std::make_unique<HorseHistory>(shell_.folder(), blood, names_, readBuffer_,
                                              memory_[0].get());
    return *slot;
}

const DayGroups& CompareEngine::Groups(HorseHistory& h, int raceDate) {
    if (groupScratch_.size() < static_cast<size_t>(names_.Size()))
        groupScratch_.resize(static_cast<size_t>(names_.Size()), -1);
    return h.Groups(raceDate, groupScratch_, memory_[0].get());
}

void CompareEngine::ShowPair(const std::string& keyA, const std::string& keyB) {
    if (labelSink_) labelSink_(keyA + "vs" + keyB);
    Pump();
}

void CompareEngine::ShowPair(const PairArgs& p) { ShowPair(NameKey(p.nameA), NameKey(p.nameB)); }

void CompareEngine::Pump() {
    auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ < kPumpInterval) return;
    lastPump_ = now;
    shell_.ui().ProcessEvents();
}

void CompareEngine::WaitForWorkers(const std::function<void()>& progress) {
    for (;;) {
        // Until the next pump is due, at least a millisecond.
        const auto due = kPumpInterval - (std::chrono::steady_clock::now() - lastPump_);
        const auto wait = std::max(std::chrono::milliseconds(1),
                                   std::chrono::ceil<std::chrono::milliseconds>(due));
        if (pool_->WaitFor(wait)) return;
        progress();
        Pump();
    }
}

void CompareEngine::Search2Ba(const PairArgs& p) {
    std::string keyA = NameKey(p.nameA);
    std::string keyB = NameKey(p.nameB);
    ShowPair(keyA, keyB);
    if (!ValidSlots(p) || !Comparable(p, keyA, keyB) || !(p.weightA > 0) || !(p.weightB > 0))
        return;
    HorseHistory& a = History(p.idA);
    HorseHistory& b = History(p.idB);
    if (!a.Found() || !b.Found()) return;
    a.NoteOwnName(keyA, names_);
    b.NoteOwnName(keyB, names_);
    const int idA = names_.Find(keyA);
    const int idB = names_.Find(keyB);
    const int raceDate = RaceDateOf(shell_.day(), p.race);
    const DayGroups& ga = Groups(a, raceDate);
    const DayGroups& gb = Groups(b, raceDate);
    last_ = CountPair({&a, &ga, idA, p.weightA}, {&b, &gb, idB, p.weightB}, raceDate,
                      static_cast<size_t>(names_.Size()), scratch_[0]);
    WriteCounts(p, last_);
}

void CompareEngine::WriteCounts(const PairArgs& p, const PairCounts& c) {
    RaceAnalysis& an = shell_.day().raceAnalysis[static_cast<size_t>(p.race)];
    const size_t pi = static_cast<size_t>(p.pair - 1);
    const size_t ha = static_cast<size_t>(p.horseA - 1);
    const size_t hb = static_cast<size_t>(p.horseB - 1);
    const int soA = c.ptA + c.dokuPtA;
    const int soB = c.ptB + c.dokuPtB;
    an.pairCount[pi] = c.instances;
    an.pairPtA[pi] = c.ptA;
    an.pairPtB[pi] = c.ptB;
    an.pairDokuPtA[pi] = c.dokuPtA;
    an.pairDokuPtB[pi] = c.dokuPtB;
    an.pairSoPtA[pi] = soA;
    an.pairSoPtB[pi] = soB;
    if (soA > soB) {
        ++an.wins[ha];
        ++an.pairWinA[pi];
        ++an.losses[hb];
    } else if (soB > soA) {
        ++an.wins[hb];
        ++an.pairWinB[pi];
        ++an.losses[ha];
    }
    an.winPt[ha] += soA;
    an.lossPt[hb] += soA;
    an.winPt[hb] += soB;
    an.lossPt[ha] += soB;
}

void CompareEngine::Search2BaDirect(const PairArgs& p) {
    std::string keyA = NameKey(p.nameA);
    std::string keyB = NameKey(p.nameB);
    ShowPair(keyA, keyB);
    if (!ValidSlots(p) || !Comparable(p, keyA, keyB)) return;
    HorseHistory& a = History(p.idA);
    if (!a.Found()) return;
    const int idB = names_.Find(keyB);
    // Every entry with B's name in a qualifying record of A is one meeting.
    const NameGroup* g =
        idB == NameTable::kNoName ? nullptr : Groups(a, RaceDateOf(shell_.day(), p.race)).Find(idB);
    shell_.day()
        .raceAnalysis[static_cast<size_t>(p.race)]
        .pairDirect[static_cast<size_t>(p.pair - 1)] = g ? g->seqLen : 0;
}

bool CompareEngine::MakeJob(const PairArgs& p, std::unordered_map<const HorseHistory*, int>& dates,
                            PairJob& job) {
    job = PairJob{};
    job.pair = &p;
    const std::string keyA = NameKey(p.nameA);
    const std::string keyB = NameKey(p.nameB);
    if (!ValidSlots(p) || !Comparable(p, keyA, keyB)) return true;  // neither writes
    const bool count = p.weightA > 0 && p.weightB > 0;
    HorseHistory* a = nullptr;
    HorseHistory* b = nullptr;
    try {
        // In the order Search2Ba reads them.
        a = &History(p.idA);
        if (count) b = &History(p.idB);
    } catch (...) {
        return false;
    }
    if (!a->Found()) return true;
    const int raceDate = RaceDateOf(shell_.day(), p.race);
    // The groups of h for the race date, unless another job of the batch uses other ones.
    auto groups = [&](HorseHistory& h) -> const DayGroups* {
        auto [it, fresh] = dates.emplace(&h, raceDate);
        if (!fresh && it->second != raceDate) return nullptr;
        return &Groups(h, raceDate);
    };
    const int idA = names_.Find(keyA);
    const int idB = names_.Find(keyB);
    if (count && b->Found()) {
        a->NoteOwnName(keyA, names_);
        b->NoteOwnName(keyB, names_);
        const DayGroups* ga = groups(*a);
        const DayGroups* gb = ga ? groups(*b) : nullptr;
        if (!gb) return false;
        job.count = true;
        job.a = {a, ga, idA, p.weightA};
        job.b = {b, gb, idB, p.weightB};
        job.raceDate = raceDate;
        job.nameIds = static_cast<size_t>(names_.Size());
    }
    job.direct = true;
    if (idB != NameTable::kNoName) {
        job.directGroups = groups(*a);
        if (!job.directGroups) return false;
        job.directName = idB;
    }
    return true;
}

void CompareEngine::MakeAndCountJobs(const std::vector<PairArgs>& pairs, size_t& at,
                                     std::unordered_map<const HorseHistory*, int>& dates) {
    jobs_.clear();
    jobs_.reserve(pairs.size() - at);  // never moved while the workers read it
    PairJob* const jobs = jobs_.data();
    // The jobs [0, ready) are made; the top bit is set once no more will be. A worker short
    // of jobs sleeps on it rather than spinning: the calling thread, which makes them, then
    // gets the processor (there is one worker per processor besides it).
    constexpr size_t kMade = size_t{1} << (sizeof(size_t) * 8 - 1);
    std::atomic<size_t> ready{0};
    std::atomic<int> sleepers{0};
    std::atomic<size_t> next{0};
    // A sleeper is woken once a few jobs wait for it, not at each job: woken at every one,
    // it took the processor back from the calling thread after each (the calling thread,
    // making them, shares a processor with a worker), so that jobs were made one per task
    // switch.
    constexpr size_t kWakeEvery = 16;
    auto publish = [&ready, &sleepers](size_t state) {
        ready.store(state);
        if (((state & kMade) || state % kWakeEvery == 0) && sleepers.load() > 0) ready.notify_all();
    };
    auto count = [this, jobs, &ready, &sleepers, &next](int worker) {
        PairScratch& s = scratch_[static_cast<size_t>(worker)];
        for (;;) {
            const size_t i = next.fetch_add(1);
            // Job i once it is made; none when making ended short of it.
            for (size_t state; i >= ((state = ready.load(std::memory_order_acquire)) & ~kMade);) {
                if (state & kMade) return;
                sleepers.fetch_add(1);
                ready.wait(state);
                sleepers.fetch_sub(1);
            }
            PairJob& j = jobs[i];
            if (j.count) j.counts = CountPair(j.a, j.b, j.raceDate, j.nameIds, s);
            if (j.directGroups) {
                const NameGroup* met = j.directGroups->Find(j.directName);
                j.directCount = met ? met->seqLen : 0;
            }
        }
    };
    for (int w = 0; w < pool_->Workers(); ++w) pool_->Submit([&count, w] { count(w); });
    try {
        // Made here, on the calling thread, as the workers count the ones made before.
        for (; at < pairs.size(); ++at) {
            PairJob job;
            if (!MakeJob(pairs[at], dates, job)) break;
            jobs_.push_back(job);
            publish(jobs_.size());
        }
    } catch (...) {
        publish(jobs_.size() | kMade);
        pool_->Wait();
        throw;
    }
    publish(jobs_.size() | kMade);
    WaitForWorkers([&] {
        const size_t begun = std::min(next.load(), ready.load() & ~kMade);
        if (begun > 0 && labelSink_) {
            const PairArgs& p = *jobs[begun - 1].pair;
            labelSink_(NameKey(p.nameA) + "vs" + NameKey(p.nameB));
        }
    });
}

void CompareEngine::ComparePairs(const std::vector<PairArgs>& pairs) {
    size_t at = 0;
    std::unordered_map<const HorseHistory*, int> dates;
    while (at < pairs.size()) {
        if (!pool_) {
            Search2Ba(pairs[at]);
            Search2BaDirect(pairs[at]);
            ++at;
            continue;
        }
        // A batch of pairs ready to be counted at the same time, up to one that is not.
        dates.clear();
        MakeAndCountJobs(pairs, at, dates);
        for (const PairJob& j : jobs_) {
            if (j.count) {
                last_ = j.counts;
                WriteCounts(*j.pair, j.counts);
            }
            if (j.direct)
                shell_.day()
                    .raceAnalysis[static_cast<size_t>(j.pair->race)]
                    .pairDirect[static_cast<size_t>(j.pair->pair - 1)] = j.directCount;
        }
        if (!jobs_.empty()) ShowPair(*jobs_.back().pair);
        // The pair that ended the batch is taken alone: its file is read again (and fails
        // there, as it would have), or its groups are remade for its date.
        if (at < pairs.size()) {
            Search2Ba(pairs[at]);
            Search2BaDirect(pairs[at]);
            ++at;
        }
    }
}

void CompareEngine::Preload(const std::vector<AheadHorse>& horses) {
    if (!pool_) return;
    struct Ahead {
        const AheadHorse* horse;
        std::unique_ptr<HorseHistory> history;
    };
    std::vector<Ahead> todo;
    std::unordered_set<std::string> seen;
    for (const AheadHorse& h : horses)
        if (!histories_.count(h.blood) && seen.insert(h.blood).second)
            todo.push_back({&h, nullptr});
    std::atomic<size_t> next{0};
    std::vector<std::atomic<bool>> done(todo.size());  // read, or failed
    std::vector<std::vector<int>> scratch(static_cast<size_t>(pool_->Workers()));
    std::vector<FileBuffer> buffers(static_cast<size_t>(pool_->Workers()));
    std::vector<NameTable> local(static_cast<size_t>(pool_->Workers()));
    auto read = [&](int worker) {
        std::vector<int>& groupScratch = scratch[static_cast<size_t>(worker)];
        FileBuffer& buffer = buffers[static_cast<size_t>(worker)];
        BulkArena* memory = memory_[1 + static_cast<size_t>(worker)].get();
        for (size_t i; (i = next.fetch_add(1)) < todo.size();) {
            Ahead& t = todo[i];
            try {
                auto h = std::make_unique<HorseHistory>(
                    shell_.folder(), t.horse->blood,
                    HorseHistory::Unbound{local[static_cast<size_t>(worker)]}, buffer, memory);
                const size_t ids = static_cast<size_t>(h->NameIds(names_));
                if (groupScratch.size() < ids) groupScratch.resize(ids, -1);
                h->Groups(t.horse->raceDate, groupScratch, memory);
                // The history has names of its own yet: names_ is not read.
                h->NoteOwnName(t.horse->nameKey, names_);
                t.history = std::move(h);
            } catch (...) {
                // Left to the pair that needs the file, which then fails as it would have.
            }
            done[i].store(true, std::memory_order_release);
        }
    };
    for (int w = 0; w < pool_->Workers(); ++w) pool_->Submit([&read, w] { read(w); });
    // Named on the calling thread in the order given, so that the ids never depend on the
    // workers; each as soon as it is read, while the workers read on.
    try {
        size_t bound = 0;
        while (bound < todo.size()) {
            if (!done[bound].load(std::memory_order_acquire)) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
                Pump();
                continue;
            }
            Ahead& t = todo[bound++];
            if (!t.history) continue;
            t.history->Bind(names_);
            histories_[t.horse->blood] = std::move(t.history);
        }
    } catch (...) {
        // The workers use what is on this stack: they take no more files and are waited for.
        next.store(todo.size());
        pool_->Wait();
        throw;
    }
    pool_->Wait();
}

PairArgs PairOfRunners(const RaceDay& day, int race, int i, int j) {
    const SeRecord a(day.runnerTable.At(race, i));
    const SeRecord b(day.runnerTable.At(race, j));
    PairArgs pair;
    pair.nameA = std::string(a.ShortName());
    pair.nameB = std::string(b.ShortName());
    pair.idA = std::string(a.BloodNumber());
    pair.idB = std::string(b.BloodNumber());
    pair.horseA = i + 1;
    pair.horseB = j + 1;
    pair.race = race;
    pair.pair = PairNumber(i + 1, j + 1);
    pair.weightA = a.CarriedWeight() / 10.0;
    pair.weightB = b.CarriedWeight() / 10.0;
    return pair;
}

std::vector<PairArgs> PairsOfRace(const RaceDay& day, int race) {
    const int n = day.RegisteredRunners(race);
    std::vector<PairArgs> pairs;
    if (n > 1) pairs.reserve(static_cast<size_t>(n * (n - 1) / 2));
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) pairs.push_back(PairOfRunners(day, race, i, j));
    return pairs;
}

std::vector<AheadHorse> HorsesOfRace(const RaceDay& day, int race) {
    std::vector<AheadHorse> horses;
    const int date = RaceDateOf(day, race);
    for (int i = 0; i < day.RegisteredRunners(race); ++i) {
        const SeRecord se(day.runnerTable.At(race, i));
        horses.push_back({std::string(se.BloodNumber()), date, NameKey(se.ShortName())});
    }
    return horses;
}

}  // namespace sorvane
