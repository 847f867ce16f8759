#include "feedgen_records.h"

#include <algorithm>
#include <string_view>

#include "feedgen_names.h"

namespace sorvane::feedgen {

namespace {

// A record under construction: blanks, then fields put at their offsets.
class Rec {
  public:
    Rec(const char* type, char kind, int64_t created, size_t length) : s_(length - 2, ' ') {
        Text(0, type);
        s_[2] = kind;
        Date(3, created);
    }
    void Text(size_t off, std::string_view text) {
        for (size_t i = 0; i < text.size() && off + i < s_.size(); ++i) s_[off + i] = text[i];
    }
    // A zero-filled number of `width` digits (values beyond the width are held at its top).
    void Num(size_t off, size_t width, int64_t value) {
        int64_t top = 1;
        for (size_t i = 0; i < width; ++i) top *= 10;
        value = std::clamp<int64_t>(value, 0, top - 1);
        for (size_t i = width; i-- > 0;) {
            s_[off + i] = static_cast<char>('0' + value % 10);
            value /= 10;
        }
    }
    void Run(size_t off, size_t width, char c) {
        for (size_t i = 0; i < width; ++i) s_[off + i] = c;
    }
    void Date(size_t off, int64_t days) {
        int y = 0, m = 0, d = 0;
        CivilOf(days, y, m, d);
        Num(off, 4, y);
        Num(off + 4, 2, m);
        Num(off + 6, 2, d);
    }
    void Key(const Race& r) {
        Date(11, r.date);
        Num(19, 2, r.track);
        Num(21, 2, r.meeting);
        Num(23, 2, r.day);
        Num(25, 2, r.number);
    }
    // Month, day, hour and minute of a time on the race day.
    void Announced(size_t off, int64_t date, int minutes) {
        int y = 0, m = 0, d = 0;
        CivilOf(date, y, m, d);
        Num(off, 2, m);
        Num(off + 2, 2, d);
        Num(off + 4, 2, minutes / 60);
        Num(off + 6, 2, minutes % 60);
    }
    std::string Finish() { return s_ + "\r\n"; }

  private:
    std::string s_;
};

int Hhmm(int minutes) { return minutes / 60 * 100 + minutes % 60; }

}  // namespace

std::string MakeRA(const Race& r, char kind, int64_t created, bool results) {
    Rec x("RA", kind, created, kLenRA);
    x.Key(r);
    x.Num(27, 1, WeekdayCode(r.date));
    x.Num(28, 4, 0);
    x.Text(32, PadFullWidth(r.name, 60));
    x.Text(572, PadFullWidth(r.name, 20));
    x.Text(592, PadFullWidth(r.name, 12));
    x.Text(604, PadFullWidth(r.name, 6));
    x.Num(610, 1, 0);
    x.Num(611, 3, r.edition);
    x.Text(614, std::string(1, r.grade));
    x.Num(616, 2, r.kindCode);
    x.Text(618, r.fillies ? "020" : "000");
    x.Text(621, std::string(1, r.weightKind));
    // Conditions for 2-, 3-, 4- and 5-year-olds and up, then the youngest admitted.
    int c2 = r.kindCode == 11 ? r.condition : 0;
    int c3 = r.kindCode == 12 || r.kindCode == 13 ? r.condition : 0;
    int c4 = r.kindCode >= 13 ? r.condition : 0;
    x.Num(622, 3, c2);
    x.Num(625, 3, c3);
    x.Num(628, 3, c4);
    x.Num(631, 3, c4);
    x.Num(634, 3, r.condition);
    x.Num(697, 4, r.distance);
    x.Num(701, 4, 0);
    x.Num(705, 2, r.surface);
    x.Num(707, 2, 0);
    for (size_t k = 0; k < 7; ++k) x.Num(713 + 8 * k, 8, k < 5 ? r.prizes[k] : 0);
    for (size_t k = 0; k < 5; ++k) x.Num(769 + 8 * k, 8, 0);
    x.Num(873, 4, Hhmm(r.postTime));
    x.Num(877, 4, 0);
    x.Num(881, 2, static_cast<int64_t>(r.runners.size()));
    x.Num(883, 2, results ? r.starters : 0);
    x.Num(885, 2, results ? r.finishers : 0);
    x.Num(887, 1, results ? r.weather : 0);
    x.Num(888, 1, results ? r.turfGoing : 0);
    x.Num(889, 1, results ? r.dirtGoing : 0);
    return x.Finish();
}

std::string MakeSE(const Season& season, int track, const Race& r, const Runner& u, char kind,
                   int64_t created, bool results) {
    const Horse& h = season.HorseAt(u.horse);
    int y = 0, m = 0, d = 0;
    CivilOf(r.date, y, m, d);
    Rec x("SE", kind, created, kLenSE);
    x.Key(r);
    x.Num(27, 1, u.frame);
    x.Num(28, 2, u.number);
    x.Text(30, h.blood);
    x.Text(40, PadFullWidth(h.name, 36));
    x.Num(76, 2, 0);
    x.Num(78, 1, h.sex);
    x.Num(79, 1, 1);
    x.Num(80, 2, 1 + u.horse % 8);
    x.Num(82, 2, y - h.birthYear);
    x.Num(84, 1, 0);
    x.Num(85, 5, 1000 + h.trainer);
    x.Text(90, PadFullWidth(season.Trainer(h.home, h.trainer).name, 8));
    x.Num(288, 3, u.weight10);
    x.Num(291, 3, 0);
    x.Num(294, 1, h.blinker ? 1 : 0);
    x.Num(296, 5, 2000 + u.jockey);
    x.Num(301, 5, 0);
    const Person& j = season.Jockey(track, u.jockey);
    x.Text(306, PadFullWidth(j.name, 8));
    x.Num(322, 1, j.apprentice);
    x.Num(323, 1, 0);
    bool ran = results && !u.scratch;
    x.Num(324, 3, results ? u.bodyWeight : 0);
    x.Text(327, !results || u.bodyChange == 0 ? " " : u.bodyChange > 0 ? "+" : "-");
    x.Num(328, 3, results ? std::abs(u.bodyChange) : 0);
    int abnormal = !results ? 0 : u.scratch == '-' ? 1 : u.scratch == '*' ? 2 : u.dnf ? 4 : 0;
    x.Num(331, 1, abnormal);
    x.Num(332, 2, ran ? u.position : 0);
    x.Num(334, 2, ran ? u.position : 0);
    x.Num(336, 1, ran && u.deadHeat ? 1 : 0);
    x.Num(337, 1, ran && u.deadHeat ? 1 : 0);
    int t = ran ? u.time10 : 0;
    x.Num(338, 1, t / 600);
    x.Num(339, 3, t % 600);
    for (size_t c = 0; c < 4; ++c) x.Num(351 + 2 * c, 2, ran ? u.corner[c] : 0);
    size_t i = static_cast<size_t>(u.number - 1);
    const KindPool& win = r.pools.kind[kWin];
    bool odds = ran && win.state[i] == ComboState::Sold;
    x.Num(359, 4, odds ? win.odds10[i] : 0);
    x.Num(363, 2, odds ? win.popularity[i] : 0);
    x.Num(365, 8, ran ? u.prize : 0);
    x.Num(373, 8, 0);
    x.Num(387, 3, ran ? u.last4f10 : 0);
    x.Num(390, 3, ran ? u.last3f10 : 0);
    return x.Finish();
}

std::string MakeHR(const Race& r, char kind, int64_t created) {
    Rec x("HR", kind, created, kLenHR);
    x.Key(r);
    const int n = static_cast<int>(r.runners.size());
    x.Num(27, 2, n);
    x.Num(29, 2, r.starters);
    bool refunds = false;
    for (const auto& u : r.runners) refunds = refunds || u.scratch == '*';
    x.Run(31, 9, '0');
    x.Run(40, 9, '0');
    x.Run(49, 9, refunds ? '1' : '0');
    x.Run(58, 28 + 8 + 8, '0');
    for (const auto& u : r.runners)
        if (u.scratch == '*') x.Num(58 + static_cast<size_t>(u.number - 1), 1, 1);
    struct Layout {
        size_t off, size, comboDigits, popDigits;
    };
    static constexpr Layout kLayout[kKindCount] = {
        {102, 13, 2, 2}, {141, 13, 2, 2}, {206, 13, 2, 2}, {245, 16, 4, 3},
        {293, 16, 4, 3}, {453, 16, 4, 3}, {549, 18, 6, 3}, {603, 19, 6, 4}};
    for (int k = 0; k < kKindCount; ++k) {
        const Layout& l = kLayout[k];
        for (size_t e = 0; e < r.payouts[k].size(); ++e) {
            const Payout& p = r.payouts[k][e];
            size_t off = l.off + l.size * e;
            if (k == kBracket) {
                x.Num(off, 1, p.combo.a);
                x.Num(off + 1, 1, p.combo.b);
            } else {
                x.Num(off, 2, p.combo.a);
                if (l.comboDigits >= 4) x.Num(off + 2, 2, p.combo.b);
                if (l.comboDigits >= 6) x.Num(off + 4, 2, p.combo.c);
            }
            x.Num(off + l.comboDigits, 9, p.yen);
            x.Num(off + l.comboDigits + 9, l.popDigits, p.popularity);
        }
    }
    return x.Finish();
}

namespace {

// One odds entry: combination digits, odds (one or two fields), popularity; blank for an
// absent combination, runs of "-" or "*" for a scratched one.
void Entry(Rec& x, size_t off, const Combo& c, int comboDigits, const KindPool& pool, size_t k,
           int oddsDigits, bool twoOdds, int popDigits, bool frames) {
    ComboState s = pool.state[k];
    if (s == ComboState::Absent) return;
    size_t cd = static_cast<size_t>(comboDigits);
    if (frames) {
        x.Num(off, 1, c.a);
        x.Num(off + 1, 1, c.b);
    } else {
        x.Num(off, 2, c.a);
        if (cd >= 4) x.Num(off + 2, 2, c.b);
        if (cd >= 6) x.Num(off + 4, 2, c.c);
    }
    size_t od = static_cast<size_t>(oddsDigits), pd = static_cast<size_t>(popDigits);
    size_t fields = twoOdds ? 2 : 1;
    if (s != ComboState::Sold) {
        x.Run(off + cd, od * fields + pd, s == ComboState::ScratchedBefore ? '-' : '*');
        return;
    }
    x.Num(off + cd, od, pool.odds10[k]);
    if (twoOdds) x.Num(off + cd + od, od, pool.oddsMax10[k]);
    x.Num(off + cd + od * fields, pd, pool.popularity[k]);
}

}  // namespace

std::string MakeOdds(int which, const Race& r, const RacePools& pools, char kind, int64_t created,
                     int announced) {
    const char* types[6] = {"O1", "O2", "O3", "O4", "O5", "O6"};
    Rec x(types[which - 1], kind, created, kLenO[which - 1]);
    x.Key(r);
    x.Announced(27, r.date, announced);
    x.Num(35, 2, static_cast<int64_t>(r.runners.size()));
    x.Num(37, 2, r.starters);
    auto flag = [&](Kind k) { return pools.kind[k].sold ? 7 : 0; };
    if (which == 1) {
        x.Num(39, 1, flag(kWin));
        x.Num(40, 1, flag(kPlace));
        x.Num(41, 1, flag(kBracket));
        x.Num(42, 1, pools.places);
        for (size_t i = 0; i < kMaxHorses; ++i) {
            const Combo& c = Combos(kWin)[i];
            Entry(x, 43 + 8 * i, c, 2, pools.kind[kWin], i, 4, false, 2, false);
            Entry(x, 267 + 12 * i, c, 2, pools.kind[kPlace], i, 4, true, 2, false);
        }
        for (size_t k = 0; k < 36; ++k)
            Entry(x, 603 + 9 * k, Combos(kBracket)[k], 2, pools.kind[kBracket], k, 5, false, 2,
                  true);
        x.Num(927, 11, pools.kind[kWin].total);
        x.Num(938, 11, pools.kind[kPlace].total);
        x.Num(949, 11, pools.kind[kBracket].total);
        return x.Finish();
    }
    struct Layout {
        Kind kind;
        size_t size;
        int comboDigits, oddsDigits;
        bool two;
        int popDigits;
    };
    static constexpr Layout kLayout[5] = {{kQuinella, 13, 4, 6, false, 3},
                                          {kWide, 17, 4, 5, true, 3},
                                          {kExacta, 13, 4, 6, false, 3},
                                          {kTrio, 15, 6, 6, false, 3},
                                          {kTrifecta, 17, 6, 7, false, 4}};
    const Layout& l = kLayout[which - 2];
    const KindPool& pool = pools.kind[l.kind];
    x.Num(39, 1, flag(l.kind));
    const auto& combos = Combos(l.kind);
    for (size_t k = 0; k < combos.size(); ++k)
        Entry(x, 40 + l.size * k, combos[k], l.comboDigits, pool, k, l.oddsDigits, l.two,
              l.popDigits, false);
    x.Num(40 + l.size * combos.size(), 11, pool.total);
    return x.Finish();
}

std::string MakeTC(const Race& r, int64_t created, int announced, int newPostTime) {
    Rec x("TC", '1', created, kLenTC);
    x.Key(r);
    x.Announced(27, r.date, announced);
    x.Num(35, 4, Hhmm(newPostTime));
    x.Num(39, 4, Hhmm(r.postTime));
    return x.Finish();
}

}  // namespace sorvane::feedgen
