// Blank-reading fixed-length record slots.
#include "raceday/record_table.h"

#include <stdexcept>

namespace sorvane {

std::string_view BlankText(size_t n) {
    static const std::string blanks(kLongestRecord, ' ');
    return std::string_view(blanks).substr(0, n);
}

RecordTable::RecordTable(int slots, size_t length)
    : length_(length), records_(static_cast<size_t>(slots > 0 ? slots : 0)) {
    if (length > kLongestRecord) throw std::invalid_argument("record longer than any record");
}

std::string_view RecordTable::At(int slot) const {
    if (!InRange(slot) || records_[slot].empty()) return BlankText(length_);
    return records_[slot];
}

bool RecordTable::Put(int slot, std::string_view rec) {
    if (!InRange(slot)) return false;
    std::string& r = records_[slot];
    r.assign(rec.substr(0, length_));
    r.resize(length_, ' ');
    return true;
}

bool RecordTable::Filled(int slot) const { return InRange(slot) && !records_[slot].empty(); }

void RecordTable::Clear(int slot) {
    if (InRange(slot)) records_[slot].clear();
}

void RecordTable::ClearAll() {
    for (std::string& r : records_) r.clear();
}

size_t RecordTable::AllocatedBytes() const {
    static const size_t inlineCapacity = std::string().capacity();
    size_t n = records_.capacity() * sizeof(std::string);
    for (const std::string& r : records_)
        if (r.capacity() > inlineCapacity) n += r.capacity() + 1;
    return n;
}

}  // namespace sorvane
