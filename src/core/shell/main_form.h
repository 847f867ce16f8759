// The main window's state as plain data: its place, caption, labels, option check marks,
// panels, lists and grids. The Qt window shows it and forwards user actions to the shell.
#pragma once

#include <string>
#include <vector>

#include "shell/grid.h"

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

    Grid stringGrid3{"StringGrid3", 0, 0};
    Grid stringGrid4{"StringGrid4", 0, 0};
    Grid stringGrid5{"StringGrid5", 0, 0};
    Grid stringGrid6{"StringGrid6", 0, 0};
    Grid stringGrid7{"StringGrid7", 0, 0};
    Grid stringGrid8{"StringGrid8", 0, 0};
    Grid stringGrid9{"StringGrid9", 0, 0};
    Grid stringGrid10{"StringGrid10", 0, 0};  // the pair matrix of the verification tab

    // The grids by their control names, for the front ends ("StringGrid4" ...); null if none.
    Grid* FindGrid(const std::string& name);
    std::vector<Grid*> Grids();
};

// Column widths and row-0 headings of the main window's grids, as set at start-up.
void SetupMainGrids(MainFormState& form);

}  // namespace sorvane
