#include "compare_reference.h"

#include <cstdio>
#include <string>

#include "base/fields.h"
#include "raceday/race_day.h"
#include "store/past_run_file.h"

namespace sorvane {
namespace {

// A past-run file opened for reading records by position.
class RecordFile {
  public:
    RecordFile(const ProgramFolder& folder, const std::string& blood) {
        if (!IsValidBloodNumber(blood)) return;
        auto path = folder.Resolve(PastRunPath(blood));
        if (!path) return;
        f_ = std::fopen(path->c_str(), "rb");
        if (!f_) return;
        std::fseek(f_, 0, SEEK_END);
        long size = std::ftell(f_);
        count_ = size > 0 ? static_cast<size_t>(size) / kPastRunRecordSize : 0;
    }
    ~RecordFile() {
        if (f_) std::fclose(f_);
    }
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    bool Exists() const { return f_ != nullptr; }
    size_t Count() const { return count_; }
    // Record n into buf; false at a short or damaged record, where reading stops.
    bool Read(size_t n, std::string& buf) {
        buf.assign(kPastRunRecordSize, '\0');
        std::fseek(f_, static_cast<long>(n * kPastRunRecordSize), SEEK_SET);
        if (std::fread(buf.data(), 1, kPastRunRecordSize, f_) != kPastRunRecordSize) return false;
        return IsWholePastRunRecord(buf);
    }

  private:
    std::FILE* f_ = nullptr;
    size_t count_ = 0;
};

std::string Key(const std::string& name) {
    // Trim bytes up to blank at both ends, add nine full-width blanks, keep 18 bytes.
    size_t b = 0;
    size_t e = name.size();
    while (b < e && static_cast<unsigned char>(name[b]) <= 0x20) ++b;
    while (e > b && static_cast<unsigned char>(name[e - 1]) <= 0x20) --e;
    std::string k = name.substr(b, e - b);
    for (int i = 0; i < 9; ++i) k += "\x81\x40";
    return k.substr(0, 18);
}

bool NameBlank(const std::string& name) {
    for (char c : name)
        if (static_cast<unsigned char>(c) > 0x20) return false;
    return true;
}

int Date(const std::string& rec) {
    std::string d = rec.substr(0, 8);
    for (char c : d)
        if (c < '0' || c > '9') return -1;
    return std::stoi(d);
}

int Time(std::string_view t) { return ToInt(t.substr(0, 1)) * 600 + ToInt(t.substr(1, 3)); }

std::string EntryName(const std::string& rec, int k) {
    return rec.substr(static_cast<size_t>(162 + 35 * k), 18);
}
int EntryTime(const std::string& rec, int k) {
    return Time(std::string_view(rec).substr(static_cast<size_t>(162 + 35 * k + 28), 4));
}
int EntryWeight(const std::string& rec, int k) {
    return FieldInt(rec, static_cast<size_t>(162 + 35 * k + 32), 3);
}

bool HasName(const std::string& rec, int n, const std::string& key) {
    for (int k = 0; k < n; ++k)
        if (EntryName(rec, k) == key) return true;
    return false;
}

int RaceDate(const RaceDay& day, int race) {
    std::string ra(day.raceTable.At(race));
    std::string d = ra.substr(11, 8);
    for (char c : d)
        if (c < '0' || c > '9') return -1;
    return std::stoi(d);
}

}  // namespace

void ReferenceSearch2Ba(const ProgramFolder& folder, RaceDay& day, const PairArgs& p) {
    std::string keyA = Key(p.nameA);
    std::string keyB = Key(p.nameB);
    if (keyA == keyB || NameBlank(p.nameA) || NameBlank(p.nameB)) return;
    if (!(p.weightA > 0) || !(p.weightB > 0)) return;
    RecordFile fa(folder, p.idA);
    RecordFile fb(folder, p.idB);
    if (!fa.Exists() || !fb.Exists()) return;
    int raceDate = RaceDate(day, p.race);

    int count = 0, ptA = 0, ptB = 0, dokuA = 0, dokuB = 0;
    double hiA = 0, hiB = 0;
    std::string ra, rb;
    for (size_t ia = 0; ia < fa.Count(); ++ia) {
        if (!fa.Read(ia, ra)) break;
        int n = FieldInt(ra, 46, 2);
        bool a = HasName(ra, std::min(n, 18), keyA);
        bool b = HasName(ra, std::min(n, 18), keyB);
        int dateA = Date(ra);
        if (dateA < 0 || n > 18) continue;  // damaged record
        if (dateA >= raceDate || (a && b) || FieldInt(ra, 138, 2) < 1 || n < 1) continue;
        for (int k = 0; k < n; ++k) {
            std::string x = EntryName(ra, k);
            if (NameBlank(x) || x == keyA || x == keyB) continue;
            for (size_t ib = 0; ib < fb.Count(); ++ib) {
                if (!fb.Read(ib, rb)) break;
                int dateB = Date(rb);
                int m = FieldInt(rb, 46, 2);
                if (dateB < 0 || m > 18) continue;
                if (dateB >= raceDate || FieldInt(rb, 138, 2) < 1) continue;
                if (HasName(rb, m, keyA) && HasName(rb, m, keyB)) continue;
                for (int j = 0; j < m; ++j) {
                    if (EntryName(rb, j) != x) continue;
                    int ownA = Time(std::string_view(ra).substr(132, 4));
                    int oppA = EntryTime(ra, k);
                    if (ownA != 0 && oppA != 0) {
                        double sa = (oppA - ownA) / 10.0;
                        double shu =
                            sa + ((EntryWeight(ra, k) - FieldInt(ra, 89, 3)) / 10.0) * (-0.2);
                        hiA = shu - (p.weightB - p.weightA) * 0.2;
                    }
                    int ownB = Time(std::string_view(rb).substr(132, 4));
                    int oppB = EntryTime(rb, j);
                    if (ownB != 0 && oppB != 0) {
                        double sa = (oppB - ownB) / 10.0;
                        double shu =
                            sa + ((EntryWeight(rb, j) - FieldInt(rb, 89, 3)) / 10.0) * (-0.2);
                        hiB = shu - (p.weightA - p.weightB) * 0.2;
                    }
                    ++count;
                    if (hiA > hiB) ++ptA;
                    if (hiB > hiA) ++ptB;
                    if (hiB < 0 && hiA >= 0) ++dokuA;
                    if (hiA < 0 && hiB >= 0) ++dokuB;
                }
            }
        }
    }

    RaceAnalysis& an = day.raceAnalysis[static_cast<size_t>(p.race)];
    size_t pi = static_cast<size_t>(p.pair - 1);
    size_t ha = static_cast<size_t>(p.horseA - 1);
    size_t hb = static_cast<size_t>(p.horseB - 1);
    int soA = ptA + dokuA;
    int soB = ptB + dokuB;
    an.pairCount[pi] = count;
    an.pairPtA[pi] = ptA;
    an.pairPtB[pi] = ptB;
    an.pairDokuPtA[pi] = dokuA;
    an.pairDokuPtB[pi] = dokuB;
    an.pairSoPtA[pi] = soA;
    an.pairSoPtB[pi] = soB;
    if (soA > soB) {
        an.wins[ha] += 1;
        an.pairWinA[pi] += 1;
        an.losses[hb] += 1;
    }
    if (soB > soA) {
        an.wins[hb] += 1;
        an.pairWinB[pi] += 1;
        an.losses[ha] += 1;
    }
    an.winPt[ha] += soA;
    an.lossPt[hb] += soA;
    an.winPt[hb] += soB;
    an.lossPt[ha] += soB;
}

void ReferenceSearch2BaDirect(const ProgramFolder& folder, RaceDay& day, const PairArgs& p) {
    std::string keyA = Key(p.nameA);
    std::string keyB = Key(p.nameB);
    if (NameBlank(p.nameA) || NameBlank(p.nameB) || keyA == keyB) return;
    RecordFile fa(folder, p.idA);
    if (!fa.Exists()) return;
    int raceDate = RaceDate(day, p.race);
    int count = 0;
    std::string ra;
    for (size_t ia = 0; ia < fa.Count(); ++ia) {
        if (!fa.Read(ia, ra)) break;
        int date = Date(ra);
        int n = FieldInt(ra, 46, 2);
        if (date < 0 || n > 18) continue;
        if (date >= raceDate || FieldInt(ra, 138, 2) < 1) continue;
        for (int k = 0; k < n; ++k) {
            std::string name = EntryName(ra, k);
            if (!NameBlank(name) && name == keyB) ++count;
        }
    }
    day.raceAnalysis[static_cast<size_t>(p.race)].pairDirect[static_cast<size_t>(p.pair - 1)] =
        count;
}

}  // namespace sorvane
