// Past-run records per runner slot of the loaded day.
#include "raceday/past_run_table.h"

#include "raceday/record_table.h"

namespace sorvane {

PastRunTable::PastRunTable(int races, int runners, int maxRuns)
    : races_(races),
      runners_(runners),
      maxRuns_(maxRuns),
      runs_(static_cast<size_t>(races > 0 && runners > 0 ? races * runners : 0)) {}

std::string* PastRunTable::Runs(int race, int runner) {
    if (race < 0 || race >= races_ || runner < 0 || runner >= runners_) return nullptr;
    return &runs_[static_cast<size_t>(race) * runners_ + runner];
}

const std::string* PastRunTable::Runs(int race, int runner) const {
    return const_cast<PastRunTable*>(this)->Runs(race, runner);
}

int PastRunTable::Count(int race, int runner) const {
    const std::string* r = Runs(race, runner);
    return r ? static_cast<int>(r->size() / kPastRunRecordSize) : 0;
}

std::string_view PastRunTable::At(int race, int runner, int p) const {
    const std::string* r = Runs(race, runner);
    if (!r || p < 0 || p >= Count(race, runner)) return BlankText(kPastRunRecordSize);
    return std::string_view(*r).substr(static_cast<size_t>(p) * kPastRunRecordSize,
                                       kPastRunRecordSize);
}

bool PastRunTable::Append(int race, int runner, std::string_view rec) {
    std::string* r = Runs(race, runner);
    if (!r || Count(race, runner) >= maxRuns_) return false;
    if (r->capacity() < r->size() + kPastRunRecordSize)
        r->reserve(static_cast<size_t>(maxRuns_) * kPastRunRecordSize);
    rec = rec.substr(0, kPastRunRecordSize);
    r->append(rec);
    r->append(kPastRunRecordSize - rec.size(), ' ');
    return true;
}

void PastRunTable::ClearRunner(int race, int runner) {
    if (std::string* r = Runs(race, runner)) r->clear();
}

void PastRunTable::ClearAll() {
    for (std::string& r : runs_) r.clear();
}

size_t PastRunTable::AllocatedBytes() const {
    static const size_t inlineCapacity = std::string().capacity();
    size_t n = runs_.capacity() * sizeof(std::string);
    for (const std::string& r : runs_)
        if (r.capacity() > inlineCapacity) n += r.capacity() + 1;
    return n;
}

}  // namespace sorvane
