// Reading the slot's odds records from the day files and turning them into numbers.
#include "odds/odds_import.h"

#include <algorithm>
#include <fstream>
#include <span>
#include <utility>
#include <vector>

#include "base/collate.h"
#include "base/fields.h"
#include "base/text_format.h"
#include "compare/all_race.h"
#include "odds/odds_day_index.h"
#include "odds/odds_fields.h"
#include "raceday/odds_values.h"
#include "raceday/race_day.h"
#include "shell/app_shell.h"
#include "store/record_odds.h"

namespace sorvane {

namespace {

constexpr size_t kKeyTrackOffset = kOddsKeyTrackOffset;
constexpr size_t kKeyRaceOffset = kOddsKeyRaceOffset;

// The 4-byte key track code + race number of a record.
std::string RaceKey4(std::string_view rec) {
    return std::string(Field(rec, kKeyTrackOffset, 2)) + std::string(Field(rec, kKeyRaceOffset, 2));
}

void ReadKind(RaceDay& day, const ProgramFolder& folder, OddsDayIndex* index, int slot, int kind,
              std::string_view key) {
    if (index) {
        if (std::optional<std::string_view> rec = index->Find(day, kind, key))
            day.OddsTable(kind).Put(slot, *rec);
        return;
    }
    const std::string& name = day.dayFiles.odds[static_cast<size_t>(kind - 1)];
    if (name.empty()) return;
    const std::optional<fs::path> path = folder.Resolve(name);
    if (!path) return;
    RecordTable& table = day.OddsTable(kind);
    if (std::optional<std::string> rec = FindOddsRecord(*path, table.Length(), key))
        table.Put(slot, *rec);
}

// One combination block into its odds and popularity arrays: entry k to index k. The fields
// are sliced here with the block's layout taken once (the trifecta block alone has 4896
// entries a race); an entry beyond the block or cut by a short record reads as absent.
void ReadBlock(std::string_view rec, BetBlock block, std::span<double> odds,
               std::span<int32_t> ninki) {
    const size_t n = std::min(odds.size(), ninki.size());
    const EntryLayout& l = OddsLayout(block);
    const size_t entries = static_cast<size_t>(std::max(l.count, 0));
    const size_t valueAt = l.combinationWidth;
    const size_t popularityAt = valueAt + l.valueWidth * static_cast<size_t>(l.valueCount);
    const size_t entrySize = popularityAt + l.popularityWidth;
    for (size_t k = 0; k < n; ++k) {
        const size_t off = l.offset + k * l.stride;
        if (k >= entries || off + entrySize > rec.size()) {
            odds[k] = kOddsAbsent;
            continue;
        }
        odds[k] = OddsFieldValue(rec.substr(off + valueAt, l.valueWidth));
        if (odds[k] != kOddsScratched && odds[k] != kOddsAbsent)
            ninki[k] = PopularityValue(rec.substr(off + popularityAt, l.popularityWidth));
    }
}

// A ranking list: entries of fixed-width formatted odds and the horse number, sorted as text,
// so that text order is numeric order with the later fields breaking ties.
using RankList = std::vector<std::pair<std::string, int>>;

void Add(RankList& list, double first, double second, int horse) {
    list.emplace_back(Format("%6.1f%6.1f%2d", first, second, horse), horse);
}

void Rank(RankList& list, std::span<int32_t> ranks) {
    std::sort(list.begin(), list.end(),
              [](const auto& a, const auto& b) { return TextLess(a.first, b.first); });
    for (size_t p = 0; p < list.size(); ++p) {
        const int horse = list[p].second;
        if (horse >= 1 && horse <= static_cast<int>(ranks.size()))
            ranks[static_cast<size_t>(horse - 1)] = static_cast<int32_t>(p + 1);
    }
}

}  // namespace

std::optional<std::string> FindOddsRecord(const fs::path& path, size_t recordLength,
                                          std::string_view key) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return std::nullopt;
    const uintmax_t size = fs::file_size(path, ec);
    if (ec) throw FileError("cannot read the size of " + path.string(), path);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError("cannot open " + path.string(), path);
    if (recordLength == 0) return std::nullopt;
    const size_t keyEnd = kKeyRaceOffset + 2;
    char keyBytes[keyEnd - kKeyTrackOffset];
    for (uintmax_t start = 0; start + keyEnd <= size; start += recordLength) {
        in.seekg(static_cast<std::streamoff>(start + kKeyTrackOffset));
        if (!in.read(keyBytes, sizeof keyBytes))
            throw FileError("cannot read " + path.string(), path);
        const std::string_view k(keyBytes, sizeof keyBytes);
        if (k.substr(0, 2) != key.substr(0, 2) ||
            k.substr(kKeyRaceOffset - kKeyTrackOffset, 2) != key.substr(2, 2))
            continue;
        std::string rec(static_cast<size_t>(std::min<uintmax_t>(recordLength, size - start)), ' ');
        in.seekg(static_cast<std::streamoff>(start));
        if (!in.read(rec.data(), static_cast<std::streamsize>(rec.size())))
            throw FileError("cannot read " + path.string(), path);
        return rec;
    }
    return std::nullopt;
}

void ComputeOddsValues(RaceDay& day, int slot) {
    if (slot < 0 || slot >= kMaxRaces) return;
    OddsValues& v = day.oddsValues[static_cast<size_t>(slot)];
    v.ClearNumbers();
    const int n = day.RegisteredRunners(slot);  // within 0..18: the tables hold 18 horses

    const std::string_view o1 = day.oddsO1.At(slot);
    RankList win;
    RankList placeMin;
    RankList placeMax;
    for (int i = 0; i < n; ++i) {
        const auto h = static_cast<size_t>(i);
        const OddsEntry tan = OddsEntryAt(o1, BetBlock::Win, i);
        v.tanOz[h] = OddsFieldValue(tan.odds);
        const OddsEntry fuku = OddsEntryAt(o1, BetBlock::Place, i);
        // The minimum field decides both 複勝 values; the maximum is not tested on its own.
        const double fukuState = OddsFieldValue(fuku.odds);
        if (!OddsFieldHoldsValue(fuku.odds)) {
            v.fukuOzMin[h] = fukuState;
            v.fukuOzMax[h] = fukuState;
            continue;
        }
        v.fukuOzMin[h] = fukuState;
        const double max = OddsFieldValue(fuku.oddsMax);
        v.fukuOzMax[h] = OddsFieldHoldsValue(fuku.oddsMax) ? max : 0.0;
        if (v.tanOz[h] > 0) Add(win, v.tanOz[h], v.fukuOzMin[h], i + 1);
        if (v.fukuOzMin[h] > 0) Add(placeMin, v.fukuOzMin[h], v.fukuOzMax[h], i + 1);
        if (v.fukuOzMax[h] > 0) Add(placeMax, v.fukuOzMax[h], v.fukuOzMin[h], i + 1);
    }
    ReadBlock(o1, BetBlock::Bracket, v.wakuOz, v.wakuNinki);
    ReadBlock(day.oddsO2.At(slot), BetBlock::Quinella, v.umarenOz, v.umarenNinki);
    Rank(win, v.tanNinki);
    Rank(placeMin, v.fukuNinkiMin);
    Rank(placeMax, v.fukuNinkiMax);
    v.happyoTime = std::string(OddsRecordView(o1).AnnouncementHourMinute());
    ReadBlock(day.oddsO3.At(slot), BetBlock::Wide, v.wideOz, v.wideNinki);
    ReadBlock(day.oddsO4.At(slot), BetBlock::Exacta, v.umatanOz, v.umatanNinki);
    ReadBlock(day.oddsO5.At(slot), BetBlock::Trio, v.sanpukuOz, v.sanpukuNinki);
    ReadBlock(day.oddsO6.At(slot), BetBlock::Trifecta, v.santanOz, v.santanNinki);
}

void ImportRaceOdds(RaceDay& day, const ProgramFolder& folder, int slot, OddsDayIndex* index) {
    if (slot < 0 || slot >= kMaxRaces) return;
    const std::string_view ra = day.raceTable.At(slot);
    const std::string key = RaceKey4(ra);
    // A slot without a race number or key reads nothing; its numbers come from the raw
    // records as they stand.
    if (RecordView(ra).RaceNumber() >= 1 && !IsBlank(key))
        for (int kind = 1; kind <= 6; ++kind) ReadKind(day, folder, index, slot, kind, key);
    ComputeOddsValues(day, slot);
}

void OzReadBtn(AppShell& shell) {
    ImportRaceOdds(shell.day(), shell.folder(), shell.day().ozRaceSlot);
    KaimeCalcBtn(shell);
}

void OzReadBtn(AppShell& shell, OddsDayIndex& index) {
    ImportRaceOdds(shell.day(), shell.folder(), shell.day().ozRaceSlot, &index);
    KaimeCalcBtn(shell);
}

}  // namespace sorvane
