// Window state of the all-race comparison: the progress window TWaitForm, shown while every
// pair of the day is compared, and which sort button of the entry table is down.
#pragma once

#include <string>

namespace sorvane {

// The sort buttons of the entry table (group "並べ替え"); one is down at a time.
enum class EntrySort {
    Umaban,
    Wins,
    Chakujun,
    Losses,
    WinRate,
    WinPt,
    LossPt,
    PtWinRate,
    OddsRank
};

// TWaitForm: a bar over the day's races and three labels, Shift-JIS texts.
struct WaitFormState {
    bool visible = false;
    int barMax = 0;
    int barPosition = 0;
    std::string label1;    // "【解析中】しばらくお待ちください"
    std::string label2;    // the race being compared
    std::string labelUma;  // the pair being compared: A's key + "vs" + B's key
};

}  // namespace sorvane
