// A fixed number of fixed-length text records, indexed by slot, that read as blanks until
// written. Only written slots hold storage, so a table of large records (the ３連単 odds of
// every race of a day) costs memory for the races actually present.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// The longest record any table holds: the O6 (３連単 odds) record with its CR LF.
inline constexpr size_t kLongestRecord = 83285;

// n blanks (0x20), n <= kLongestRecord; a view into one shared buffer.
std::string_view BlankText(size_t n);

class RecordTable {
  public:
    // slots records of length bytes each (length <= kLongestRecord).
    RecordTable(int slots, size_t length);

    int Slots() const { return static_cast<int>(records_.size()); }
    size_t Length() const { return length_; }

    // The record of slot: exactly Length() bytes, all blanks when the slot was not written
    // since it was last cleared, or when slot is out of range.
    std::string_view At(int slot) const;
    // Stores rec into slot, cut to Length() or filled up with blanks. A record read from a
    // day-file line (without its CR LF) therefore ends in two blanks instead. False, and
    // nothing stored, when slot is out of range.
    bool Put(int slot, std::string_view rec);
    // True when slot holds a written record.
    bool Filled(int slot) const;
    // Back to blanks. The storage of written slots is kept for the next day, so filling the
    // tables day after day allocates only once per slot.
    void Clear(int slot);
    void ClearAll();

    // Bytes held by the table (its slot headers and the storage of written slots).
    size_t AllocatedBytes() const;

  private:
    bool InRange(int slot) const { return slot >= 0 && slot < Slots(); }

    size_t length_;
    // Empty means blank; a written slot holds exactly length_ bytes.
    std::vector<std::string> records_;
};

}  // namespace sorvane
