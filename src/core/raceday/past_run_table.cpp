// Past-run records per runner slot of the loaded day.
#include "raceday/past_run_table.h"

#include "raceday/record_table.h"

namespace sorvane {

PastRunTable::PastRunTable(int races, int runners, int maxRuns)
    : races_(races),
      runners_(runners),
      maxRuns_(maxRuns),
      runs_(static_cast<size_t>(races > 0 && runners > 0 ? races * runners : 0)) {}

PastRunTable::Runs* PastRunTable::RunsOf(int race, int runner) {
    if (race < 0 || race >= races_ || runner < 0 || runner >= runners_) return nullptr;
    return &runs_[static_cast<size_t>(race) * runners_ + runner];
}

const PastRunTable::Runs* PastRunTable::RunsOf(int race, int runner) const {
    return const_cast<PastRunTable*>(this)->RunsOf(race, runner);
}

int PastRunTable::Count(int race, int runner) const {
    const Runs* r = RunsOf(race, runner);
    return r ? static_cast<int>(r->offsets.size()) : 0;
}

std::string_view PastRunTable::At(int race, int runner, int p) const {
    const Runs* r = RunsOf(race, runner);
    if (!r || p < 0 || p >= static_cast<int>(r->offsets.size()))
        return BlankText(kPastRunRecordSize);
    return std::string_view(r->data).substr(r->offsets[static_cast<size_t>(p)], kPastRunRecordSize);
}

bool PastRunTable::Append(int race, int runner, std::string_view rec) {
    Runs* r = RunsOf(race, runner);
    if (!r || static_cast<int>(r->offsets.size()) >= maxRuns_) return false;
    if (r->offsets.empty()) r->data.clear();  // the bytes a clear kept are not records
    if (r->data.capacity() < r->data.size() + kPastRunRecordSize)
        r->data.reserve(r->data.size() + static_cast<size_t>(maxRuns_) * kPastRunRecordSize);
    r->offsets.push_back(static_cast<uint32_t>(r->data.size()));
    rec = rec.substr(0, kPastRunRecordSize);
    r->data.append(rec);
    r->data.append(kPastRunRecordSize - rec.size(), ' ');
    return true;
}

bool PastRunTable::Adopt(int race, int runner, std::string& fileData,
                         std::span<const uint32_t> offsets) {
    Runs* r = RunsOf(race, runner);
    if (!r || static_cast<int>(offsets.size()) > maxRuns_) return false;
    for (uint32_t at : offsets)
        if (at > fileData.size() || fileData.size() - at < kPastRunRecordSize) return false;
    r->data.swap(fileData);
    r->offsets.assign(offsets.begin(), offsets.end());
    return true;
}

// Clearing drops the slots but keeps the bytes (size and all): the load reads the next file
// over them through Adopt, and a buffer already that long is not zero-filled first, which on
// a full day would be one more pass over its 143 MB.
void PastRunTable::ClearRunner(int race, int runner) {
    if (Runs* r = RunsOf(race, runner)) r->offsets.clear();
}

void PastRunTable::ClearAll() {
    for (Runs& r : runs_) r.offsets.clear();
}

size_t PastRunTable::AllocatedBytes() const {
    static const size_t inlineCapacity = std::string().capacity();
    size_t n = runs_.capacity() * sizeof(Runs);
    for (const Runs& r : runs_) {
        if (r.data.capacity() > inlineCapacity) n += r.data.capacity() + 1;
        n += r.offsets.capacity() * sizeof(uint32_t);
    }
    return n;
}

}  // namespace sorvane
