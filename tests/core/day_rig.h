// A shell on a temporary program folder with fake ports, for the day load and race selection
// tests: write a day with DayWriter, then Start() and load it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "day_fixture.h"
#include "fake_clock.h"
#include "fake_ports.h"
#include "raceday/day_load.h"
#include "shell/app_shell.h"
#include "temp_dir.h"

namespace sorvane::testing {

struct DayRig {
    TempDir dir;
    FakeUi ui;
    FixedClock clock{2024, 2, 1, 10, 0, 0};
    FakePlatform platform;
    FakeLink link;
    DayWriter writer{dir.path()};
    std::unique_ptr<AppShell> shell;

    AppShell& Start() {
        shell = std::make_unique<AppShell>(ProgramFolder(dir.path()),
                                           ShellPorts{ui, clock, platform, link});
        EXPECT_TRUE(shell->Start());
        ui.calls.clear();
        return *shell;
    }
    // Writes the day, starts the shell and loads the day without the all-race comparison.
    bool Load(DayLoadOptions options = {}) {
        writer.Write();
        Start();
        if (!options.compareAll) options.compareAll = false;
        return LoadDay(*shell, writer.Stamp(), options);
    }
    RaceDay& day() { return shell->day(); }
    MainFormState& main() { return shell->main(); }
};

}  // namespace sorvane::testing
