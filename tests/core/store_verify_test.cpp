// The checks of verify: a store written by the rules passes; each kind of damage is found
// with its file; pending builds and leftovers are notes, not damage.
#include <gtest/gtest.h>

#include <functional>

#include "base/files.h"
#include "base/sjis.h"
#include "scripted_link.h"
#include "store/bulk_store.h"
#include "store/day_stamp.h"
#include "store/past_run_build.h"
#include "store/pending_build.h"
#include "store/store_verify.h"
#include "temp_dir.h"

namespace sorvane {
namespace {

using testing::Blood;
using testing::MakeOdds;
using testing::MakeRa;
using testing::MakeSe;

class VerifyTest : public ::testing::Test {
  protected:
    testing::TempDir tmp;
    ProgramFolder folder{tmp.path()};
    const std::string day = Utf8FromSjis(DayStamp("20260901"));

    void SetUp() override {
        StoreOptions o;
        o.fromDate = 20260901;
        RecordStore s(folder, o);
        for (int race = 1; race <= 2; ++race) {
            s.Put(MakeRa("20260901", "44", race, 3));
            s.Put(MakeOdds(RecordType::O1, "20260901", "44", race));
            for (int h = 1; h <= 3; ++h)
                s.Put(MakeSe("20260901", "44", race, h, Blood(race, h), "ウマ", h));
        }
        s.Flush();
        RunPastRunBuild(folder, s.touchedDays(), {});
    }
    fs::path Data(const std::string& utf8Name) { return folder.Path("Data") / utf8Name; }
    fs::path Horse(int race, int h) {
        std::string b = Blood(race, h);
        return tmp.path() / "SEI" / b.substr(0, 4) / (b + ".kak");
    }
    std::string Read(const fs::path& p) {
        std::string d;
        ReadWholeFile(p, d);
        return d;
    }
    static bool Mentions(const std::vector<VerifyProblem>& list, const std::string& fileUtf8Part) {
        for (const auto& p : list)
            if (Utf8FromSjis(p.file).find(fileUtf8Part) != std::string::npos) return true;
        return false;
    }
};

TEST_F(VerifyTest, AStoreWrittenByTheRulesPasses) {
    VerifyReport r = VerifyStore(folder);
    for (const auto& p : r.problems) ADD_FAILURE() << Utf8FromSjis(p.file) << ": " << p.text;
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.notes.empty());
    EXPECT_EQ(r.dayFiles, 2);
    EXPECT_EQ(r.runnerFiles, 1);
    EXPECT_EQ(r.pastRunFiles, 6);
    EXPECT_EQ(r.finalRunners, 6);
}

TEST_F(VerifyTest, EachDamageIsFoundWithItsFile) {
    struct Case {
        const char* what;
        std::function<void()> damage;
        std::string file;  // part of the reported file name
    };
    const std::string ra = day + ".nvRA";
    const std::string o1 = day + ".nvO1";
    const std::string ser = day + "大井.nvSEr";
    const std::vector<Case> cases = {
        {"short RA line",
         [&] {
             std::string d = Read(Data(ra));
             WriteFileAtomic(Data(ra), d.substr(0, 1000) + "\r\n" + d.substr(1272));
         },
         ra},
        {"repeated race key",
         [&] {
             std::string d = Read(Data(o1));
             WriteFileAtomic(Data(o1), d + d.substr(0, 962));
         },
         o1},
        {"odds out of order",
         [&] {
             std::string d = Read(Data(o1));
             WriteFileAtomic(Data(o1), d.substr(962) + d.substr(0, 962));
         },
         o1},
        {"runner file of 215 slots",
         [&] { WriteFileAtomic(Data(ser), Read(Data(ser)).substr(555)); }, ser},
        {"runner on a slot not its own",
         [&] {
             std::string d = Read(Data(ser));
             std::string first = d.substr(0, 555);
             d.replace(555 * 5, 555, first);
             WriteFileAtomic(Data(ser), d);
         },
         ser},
        {"past-run file cut short",
         [&] { WriteFileAtomic(Horse(1, 2), Read(Horse(1, 2)).substr(0, 800)); }, Blood(1, 2)},
        {"past-run line ending early, its record still 826 bytes",
         [&] {
             std::string d = Read(Horse(1, 2));
             d.replace(700, 2, "\r\n");
             d.replace(824, 2, "  ");
             WriteFileAtomic(Horse(1, 2), d);
         },
         Blood(1, 2)},
        {"past-run file of another horse", [&] { WriteFileAtomic(Horse(1, 2), Read(Horse(1, 3))); },
         Blood(1, 2)},
        {"missing past-run file", [&] { fs::remove(Horse(2, 1)); }, ra},
        {"day file with a wrong date",
         [&] {
             std::string d = Read(Data(o1));
             d.replace(11, 8, "20260902");
             WriteFileAtomic(Data(o1), d);
         },
         o1},
    };
    for (const Case& c : cases) {
        testing::TempDir keep;
        fs::copy(tmp.path(), keep.path(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        c.damage();
        VerifyReport r = VerifyStore(folder);
        EXPECT_FALSE(r.ok()) << c.what;
        EXPECT_TRUE(Mentions(r.problems, c.file)) << c.what;
        fs::remove_all(tmp.path());
        fs::copy(keep.path(), tmp.path(), fs::copy_options::recursive);
        EXPECT_TRUE(VerifyStore(folder).ok()) << "restored after " << c.what;
    }
}

TEST_F(VerifyTest, PendingBuildsLeftoversAndResultStoreOrderAreNotes) {
    fs::remove(Horse(2, 1));
    AddPendingBuild(folder, {DayStamp("20260901") + ".nvRA"});
    WriteFileAtomic(Data(day + ".nvRA.tmpAb12Cd"), "half");
    // The real-time result store appends without sorting.
    std::string ra = Read(Data(day + ".nvRA"));
    WriteFileAtomic(Data(day + ".nvRA"), ra.substr(1272) + ra.substr(0, 1272));
    VerifyReport r = VerifyStore(folder);
    for (const auto& p : r.problems) ADD_FAILURE() << Utf8FromSjis(p.file) << ": " << p.text;
    EXPECT_EQ(r.pendingRunners, 1);
    EXPECT_EQ(r.notes.size(), 3u);
    EXPECT_TRUE(Mentions(r.notes, "pastrun.pending"));
    EXPECT_TRUE(Mentions(r.notes, ".tmpAb12Cd"));
}

}  // namespace
}  // namespace sorvane
