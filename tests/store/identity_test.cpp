// Our acquisition and the per-record reference on the same generated season write the same
// files, byte for byte: on a first run, on an overlapping second run, without odds, and with
// a memory budget small enough to flush in the middle of every NV file.
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "fake_clock.h"
#include "fake_ports.h"
#include "link/feed_link.h"
#include "reference_store.h"
#include "shell/app_shell.h"
#include "store/acquisition.h"

namespace sorvane {
namespace {

using testing::FirstDifference;
using testing::StoreTree;

class Identity : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        feed_ = new testing::TempDir;
        testing::MakeFeed(feed_->path(), 4, "44,45,50");
    }
    static void TearDownTestSuite() {
        delete feed_;
        feed_ = nullptr;
    }
    static testing::TempDir* feed_;

    FixedClock clock{2026, 6, 1, 12, 0, 0};

    // Our acquisition, as the window runs it, from `from` (yyyy/mm/dd hh:nn:ss).
    void Ours(const fs::path& home, const std::string& from, bool odds, size_t budget = 0) {
        testing::FakeUi ui;
        testing::FakePlatform platform;
        FeedLink link(feed_->path(), clock);
        AppShell shell(ProgramFolder(home), ShellPorts{ui, clock, platform, link});
        ASSERT_TRUE(shell.Start());
        shell.Show();
        StoreRunState run;
        Acquisition acq(shell, run);
        if (budget > 0) acq.SetMemoryBudget(budget);
        acq.SetOddsChecked(odds);
        LocalTime t;
        ASSERT_TRUE(ParseDateTime(from, t));
        acq.SetPicker(t);
        acq.Start();
        while (acq.state().timerEnabled) acq.Tick();
        ASSERT_EQ(acq.state().outcome, AcquisitionOutcome::Completed);
        EXPECT_GT(acq.storeTally().Stored(), 0);
    }
    void Reference(const fs::path& home, const std::string& fromTime, bool odds) {
        ProgramFolder folder(home);
        FeedLink link(feed_->path(), clock);
        ASSERT_EQ(link.NVInit("x"), 0);
        EXPECT_GT(reference::RunReferenceAcquisition(link, folder, fromTime, odds), 0);
    }
};

testing::TempDir* Identity::feed_ = nullptr;

TEST_F(Identity, FirstAndOverlappingRunsWriteTheReferenceFiles) {
    testing::TempDir ours, ref;
    Ours(ours.path(), "2026/03/01 00:00:00", true);
    Reference(ref.path(), "20260301000000", true);
    auto a = StoreTree(ours.path());
    auto b = StoreTree(ref.path());
    EXPECT_GT(a.size(), 100u);
    EXPECT_EQ(FirstDifference(a, b), "");

    // A second run from the middle of the season replaces races and rebuilds their days.
    Ours(ours.path(), "2026/04/02 00:00:00", true);
    Reference(ref.path(), "20260402000000", true);
    EXPECT_EQ(FirstDifference(StoreTree(ours.path()), StoreTree(ref.path())), "");
    EXPECT_EQ(StoreTree(ours.path()).size(), a.size());
}

TEST_F(Identity, WithoutOddsAndWithATinyMemoryBudget) {
    testing::TempDir ours, ref, tiny;
    Ours(ours.path(), "2026/03/01 00:00:00", false);
    Reference(ref.path(), "20260301000000", false);
    EXPECT_EQ(FirstDifference(StoreTree(ours.path()), StoreTree(ref.path())), "");

    Ours(tiny.path(), "2026/03/01 00:00:00", true, 64 * 1024);
    testing::TempDir refOdds;
    Reference(refOdds.path(), "20260301000000", true);
    EXPECT_EQ(FirstDifference(StoreTree(tiny.path()), StoreTree(refOdds.path())), "");
}

}  // namespace
}  // namespace sorvane
