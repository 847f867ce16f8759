#include "compare/horse_history.h"

#include "base/fields.h"
#include "compare/compare_rules.h"
#include "store/past_run_file.h"

namespace sorvane {

int NameTable::Intern(std::string_view name18) {
    if (TrimName(name18).empty()) return kNoName;
    auto [it, added] = ids_.try_emplace(std::string(name18), static_cast<int>(ids_.size()));
    return it->second;
}

int NameTable::Find(std::string_view name18) const {
    auto it = ids_.find(std::string(name18));
    return it == ids_.end() ? kNoName : it->second;
}

HorseHistory::HorseHistory(const ProgramFolder& folder, std::string_view blood, NameTable& names) {
    PastRunFile file;
    found_ = file.Load(folder, blood);
    runs_.reserve(file.Count());
    for (size_t n = 0; n < file.Count(); ++n) {
        PastRunRecord r = file.Record(n);
        HistoryRun run;
        run.date = StrictDate(r.Date());
        run.runners = r.RegisteredRunners();
        run.position = r.FinishPosition();
        run.usable = run.date >= 0 && run.runners <= pr::kFieldEntries;
        run.firstEntry = static_cast<int>(entries_.size());
        if (run.usable && run.runners > 0) {
            int ownTime = TimeTenths(r.FinishTime());
            int ownWeight = r.CarriedWeight();
            for (int k = 0; k < run.runners; ++k) {
                PastRunEntry e = r.Entry(k);
                HistoryEntry h;
                h.name = names.Intern(e.name);
                h.run = static_cast<int>(n);
                h.slot = k;
                int oppTime = TimeTenths(e.time);
                h.timed = ownTime != 0 && oppTime != 0;
                if (h.timed)
                    h.corrected = CorrectedMargin(ownTime, oppTime, ownWeight, ToInt(e.weight));
                if (h.name != NameTable::kNoName)
                    byName_[h.name].push_back(static_cast<int>(entries_.size()));
                entries_.push_back(h);
            }
            run.entryCount = run.runners;
        }
        runs_.push_back(run);
    }
}

bool HorseHistory::Contains(const HistoryRun& run, int name) const {
    if (name == NameTable::kNoName) return false;
    for (int i = 0; i < run.entryCount; ++i)
        if (entries_[static_cast<size_t>(run.firstEntry + i)].name == name) return true;
    return false;
}

const std::vector<int>& HorseHistory::EntriesNamed(int name) const {
    static const std::vector<int> none;
    auto it = byName_.find(name);
    return it == byName_.end() ? none : it->second;
}

}  // namespace sorvane
