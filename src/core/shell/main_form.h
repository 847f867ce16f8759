// The main window's state as plain data: its place, caption, labels, option check marks,
// panels, lists and grids. The Qt window shows it and forwards user actions to the shell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/compare_forms.h"
#include "shell/grid.h"
#include "shell/progress_form.h"

namespace sorvane {

struct WindowPlace {
    int top = 10;
    int left = 10;
    int width = 1000;
    int height = 900;
    bool operator==(const WindowPlace&) const = default;
};

struct MainFormState {
    std::string caption;  // Shift-JIS
    WindowPlace place;

    // Option menu check marks, the in-memory copies of their settings.
    bool n9Checked = false;  // ReadKako/IgnoDate
    bool n19Checked = true;  // AllRace/ExecComp

    bool panel4Visible = true;         // the day-list panel, toggled by SpeedButton8
    bool pageControl5Visible = false;  // hidden until a day is loaded
    bool tekiAnaBtnVisible = false;
    bool tekiAnaBtn2Visible = false;
    bool tabSheet6Visible = false;  // the extra verification tab

    std::string bashoLabel;
    std::string raceLabel;
    std::string restTimeLabel;
    std::string dlLabel;     // status of link requests
    std::string statusHint;  // the application's hint text in the status line

    std::vector<std::string> dateComboItems;
    int dateComboIndex = -1;
    std::vector<std::string> datListItems;
    int datListIndex = -1;
    int upDown1Max = 0;  // the hidden arrow over the day list
    int upDown1Position = 0;

    // Header of the selected race.
    std::string label1;
    std::string label2;
    std::string label3;
    std::string label4;
    std::string tfwTimeLabel;
    uint32_t panel14Color = 0xF0E68C;  // khaki; green for turf races
    bool restTimeLabelVisible = false;
    bool stringGrid4Visible = true;
    bool stringGrid5Visible = true;
    std::string shukeiLabel;
    std::string activeTab;   // caption of the tab shown on the analysis page ("出馬表" ...)
    bool enabled = true;     // false while a long run (the all-race comparison) holds the window
    WaitFormState waitForm;  // the progress window of the all-race comparison
    EntrySort entrySortDown = EntrySort::Umaban;  // the sort button of the entry table down

    // The two-horse comparison: the picked names, their weights and the count labels.
    std::string edit1;
    std::string edit2;
    std::string kinryoALabel;
    std::string kinryoBLabel;
    std::string ctLabel;
    std::string pt1Label;
    std::string pt2Label;
    std::string dpt1Label;
    std::string dpt2Label;

    Grid stringGrid3{"StringGrid3", 0, 0};
    Grid stringGrid4{"StringGrid4", 0, 0};
    Grid stringGrid5{"StringGrid5", 0, 0};
    Grid stringGrid6{"StringGrid6", 0, 0};
    Grid stringGrid7{"StringGrid7", 0, 0};
    Grid stringGrid8{"StringGrid8", 0, 0};
    Grid stringGrid9{"StringGrid9", 0, 0};
    Grid stringGrid10{"StringGrid10", 0, 0};  // the pair matrix of the verification tab
    // The result tab ("レース結果"): one row per payout entry of the selected race (kind,
    // combination, popularity, payout), heading row first.
    Grid resultGrid{"ResultGrid", 0, 0};

    // The day load: the progress window, the live-day timers and flags, and the per-race
    // investment amounts of the bet window.
    ProgressFormState prgrsForm;
    int timer4IntervalMs = 1000;          // the result timer; AutoRdataGet minutes once loaded
    bool henkoJohoTimerEnabled = false;   // the change-information timer, on for today's day
    bool henkoAuto = false;               // the live-day flag: today's day is loaded
    std::vector<std::string> raceAmount;  // RaceAmount: 96 decimal texts, one per race slot
    std::string kaimeAmount;              // the bet window's amount, the current race's entry

    // The grids by their control names, for the front ends ("StringGrid4" ...); null if none.
    Grid* FindGrid(const std::string& name);
    std::vector<Grid*> Grids();
};

// Column widths and row-0 headings of the main window's grids, as set at start-up.
void SetupMainGrids(MainFormState& form);

}  // namespace sorvane
