#include "raceday/prediction_index.h"

#include <algorithm>

#include "base/fields.h"
#include "store/past_run_file.h"

namespace sorvane {

std::string PredictionPath(std::string_view blood) {
    return std::string(kPastRunFolder) + "\\" + PastRunFolderName(blood) + "\\" +
           std::string(blood) + kPredictionExtension;
}

uint64_t PredictionIndex::Key(int date, std::string_view trackCode) {
    uint64_t key = static_cast<uint64_t>(static_cast<uint32_t>(date)) << 16;
    if (trackCode.size() > 0) key |= static_cast<uint64_t>(static_cast<uint8_t>(trackCode[0])) << 8;
    if (trackCode.size() > 1) key |= static_cast<uint8_t>(trackCode[1]);
    return key;
}

void PredictionIndex::Assign(std::string_view data) {
    entries_.clear();
    size_t m = std::min(data.size() / kPredictionRecordSize, kPredictionsRead);
    entries_.reserve(m);
    for (size_t n = 0; n < m; ++n) {
        std::string_view rec = data.substr(n * kPredictionRecordSize, kPredictionRecordSize);
        std::string_view date = Field(rec, 0, 8);
        // A record whose date is no number can never equal a past run's date.
        if (!IsAllDigits(date)) continue;
        entries_.push_back(
            {Key(ToInt(date), Field(rec, 8, 2)), static_cast<int>(n), FieldInt(rec, 46, 2)});
    }
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return a.key != b.key ? a.key < b.key : a.position > b.position;
    });
}

int PredictionIndex::MarkFor(int date, std::string_view trackCode) const {
    uint64_t key = Key(date, trackCode);
    auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                               [](const Entry& e, uint64_t k) { return e.key < k; });
    if (it == entries_.end() || it->key != key) return -1;
    return it->mark;
}

}  // namespace sorvane
