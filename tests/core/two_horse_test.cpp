// The interactive two-horse comparisons: picking, messages, the rows of StringGrid6, the
// labels, the clear button, the clipboard and the data-range window.
#include <gtest/gtest.h>

#include <functional>

#include "compare/comparison_grid.h"
#include "compare/data_span.h"
#include "compare/two_horse.h"
#include "compare_fixtures.h"

namespace sorvane::testing {
namespace {

const char* const kA = "アカイホシ";
const char* const kB = "ブルーウミ";
const char* const kX = "エックス";
const std::string kIdA = "2020000001";
const std::string kIdB = "2020000002";

// Rig with both horses picked (names, weights 55.0 and ids) and the first engine fixture:
// A met X twice (+0.5, -0.3), B three times (+0.1, -0.2, 0.0), one race of both skipped.
struct Interactive : CompareRig {
    Interactive() {
        MainFormState& m = shell->main();
        SetupMainGrids(m);
        m.edit1 = Sj(kA);
        m.edit2 = Sj(kB);
        m.kinryoALabel = "55.0";
        m.kinryoBLabel = "55.0";
        day().horseIdA = kIdA;
        day().horseIdB = kIdB;
        PastRace met{20260301, {{kA, 600}, {kB, 601}, {kX, 602}}};
        WriteRaces(kIdA, kA,
                   {{20260101, {{kA, 600}, {kX, 605}}}, {20260201, {{kX, 600}, {kA, 603}}}, met});
        WriteRaces(kIdB, kB,
                   {{20260110, {{kB, 600}, {kX, 601}}},
                    {20260210, {{kX, 600}, {kB, 602}}},
                    met,
                    {20260310, {{kB, 600}, {kX, 600}}}});
    }
    Grid& grid() { return shell->main().stringGrid6; }
    std::vector<std::string> Row(int r) {
        std::vector<std::string> out;
        for (int c = 0; c < kComparisonColumns; ++c) out.push_back(Utf8FromSjis(grid().Text(c, r)));
        return out;
    }
};

std::string U(const std::string& sjis) { return Utf8FromSjis(sjis); }
std::string Key(const char* name) { return U(Name18(name)); }

TEST(TwoHorse, ValidationMessagesLeaveTheGridAlone) {
    struct Case {
        const char* what;
        std::function<void(Interactive&)> change;
        bool direct;
        std::vector<std::string> calls;
    };
    const std::string noNames = "inform:２頭の馬名の入力をしてください。";
    const std::string noWeights = "inform:斤量の情報が入力されていません。";
    const Case cases[] = {
        {"no A",
         [](Interactive& r) { r.shell->main().edit1 = "  "; },
         false,
         {"warning-beep", noNames}},
        {"no B (direct)",
         [](Interactive& r) { r.shell->main().edit2.clear(); },
         true,
         {"warning-beep", noNames}},
        {"no weight",
         [](Interactive& r) { r.shell->main().kinryoBLabel.clear(); },
         false,
         {"warning-beep", noWeights}},
        {"weight not a number",
         [](Interactive& r) { r.shell->main().kinryoALabel = "5x"; },
         true,
         {"warning-beep", noWeights}},
        {"same names (direct)",
         [](Interactive& r) { r.shell->main().edit2 = Sj(kA); },
         true,
         {"warning-beep", "inform:２頭の馬は別の馬名を入力してください。"}},
        {"A's file missing",
         [](Interactive& r) { r.day().horseIdA = "2020009999"; },
         false,
         {"inform:" + Key(kA) + "の馬過去走データが見つかりません。"}},
        {"B's file missing",
         [](Interactive& r) { r.day().horseIdB.clear(); },
         false,
         {"inform:" + Key(kB) + "の馬過去走データが見つかりません。"}},
        {"A's file missing (direct)",
         [](Interactive& r) { r.day().horseIdA = "../../x/y"; },
         true,
         {"inform:" + Key(kA) + "の馬過去走データが見つかりません。"}},
    };
    for (const Case& c : cases) {
        Interactive r;
        r.grid().SetText(0, 1, "earlier");
        r.shell->main().activeTab = "x";
        c.change(r);
        if (c.direct)
            Search2DirectBtn(*r.shell);
        else
            Search2Btn(*r.shell);
        EXPECT_EQ(r.ui.calls, c.calls) << c.what;
        EXPECT_EQ(r.grid().Text(0, 1), "earlier") << c.what;
        EXPECT_EQ(r.shell->main().activeTab, "x") << c.what;
    }
}

TEST(TwoHorse, CommonOpponentRowsAndCounts) {
    Interactive r;
    r.grid().SetRowCount(9);
    r.grid().SetText(3, 8, "stale");
    Search2Btn(*r.shell);
    const MainFormState& m = r.shell->main();
    EXPECT_TRUE(r.ui.calls.empty());
    EXPECT_EQ(U(m.activeTab), "２頭比較");
    EXPECT_EQ(r.grid().RowCount(), 7);  // heading + 6 instances
    EXPECT_EQ(U(m.ctLabel), "該当数：6");
    EXPECT_EQ(m.pt1Label, "  3");
    EXPECT_EQ(m.pt2Label, "  3");
    EXPECT_EQ(m.dpt1Label, "  1");
    EXPECT_EQ(m.dpt2Label, "  2");
    // A +0.5 against X on 1 January, B +0.1 against X on 10 January.
    std::vector<std::string> first = {
        "2026/01/01", "ダ1400", Key(kA), "55.0", " 1",   "1.00.0", Key(kX), "55.0",
        " 2",         "1.00.5", " 0.5",  " 0.5", " 0.5", " ○",     "",      "",
        "2026/01/10", "ダ1400", Key(kX), "55.0", " 2",   "1.00.1", Key(kB), "55.0",
        " 1",         "1.00.0", " 0.1",  " 0.1", " 0.1", "",       ""};
    EXPECT_EQ(r.Row(1), first);
    // The second: against B -0.2 behind X: a point and own-minus for A.
    EXPECT_EQ(r.Row(2)[13], " ○");
    EXPECT_EQ(r.Row(2)[14], " ○");
    EXPECT_EQ(r.Row(2)[28], "-0.2");
    // Then A's -0.3 against the same three: points for B, own-minus against +0.1 and 0.0.
    EXPECT_EQ(r.Row(4)[12], "-0.3");
    EXPECT_EQ(r.Row(4)[29], " ○");
    EXPECT_EQ(r.Row(4)[30], " ○");
    EXPECT_EQ(r.Row(5)[30], "");
    EXPECT_EQ(r.Row(6)[30], " ○");

    // Drawing: by column, position colours, the marks fuchsia.
    const Grid& g = r.grid();
    EXPECT_EQ(g.At(0, 0).style.background, 0xC0C0C0u);
    EXPECT_EQ(g.At(1, 1).style.background, 0x800000u);  // dirt
    EXPECT_EQ(g.At(1, 1).style.color, 0xFFFFFFu);
    EXPECT_EQ(g.At(2, 1).style.align, Align::Left);
    EXPECT_EQ(g.At(3, 1).style.align, Align::Center);
    EXPECT_EQ(g.At(4, 1).style.color, 0xFF0000u);  // 1st
    EXPECT_EQ(g.At(8, 1).style.color, 0x0000FFu);  // 2nd
    EXPECT_EQ(g.At(13, 1).style.background, 0xFF00FFu);
    EXPECT_EQ(g.At(29, 1).style.background, 0xFFFFFFu);
    EXPECT_EQ(g.At(15, 1).style.background, 0x000000u);
    EXPECT_GT(r.ui.pumped, 0);
}

TEST(TwoHorse, PeriodEndsBeforeTheEarliestDate) {
    // 151 days before 1 June is 1 January: a run on that day is not used.
    Interactive r;
    r.shell->settings().WriteInteger("DataSpan", "period", 151);
    Search2Btn(*r.shell);
    const MainFormState& m = r.shell->main();
    EXPECT_EQ(U(m.ctLabel), "該当数：3");  // A's -0.3 against B's three
    EXPECT_EQ(m.pt1Label, "  0");
    EXPECT_EQ(m.pt2Label, "  3");
    EXPECT_EQ(m.dpt2Label, "  2");
    EXPECT_EQ(r.Row(1)[0], "2026/02/01");

    // Nothing in range: "該当ナシ", counts 0.
    r.shell->settings().WriteInteger("DataSpan", "period", 100);
    Search2Btn(*r.shell);
    EXPECT_EQ(r.grid().RowCount(), 2);
    EXPECT_EQ(U(r.grid().Text(0, 1)), "該当ナシ");
    EXPECT_EQ(r.grid().Text(12, 1), "");
    EXPECT_EQ(m.pt2Label, "  0");
    EXPECT_EQ(U(m.ctLabel), "該当数：0");
}

TEST(TwoHorse, InteractiveMarginsUseZeroTimes) {
    // The engine keeps the previous margin for a missing time; the grid computes it.
    Interactive r;
    r.WriteRaces(kIdA, kA,
                 {{20260101, {{kA, 600}, {"ダブリュ", 0}}}, {20260201, {{kA, 600}, {kX, 605}}}});
    r.WriteRaces(kIdB, kB,
                 {{20260110, {{"ダブリュ", 600}, {kB, 602}}}, {20260210, {{kX, 600}, {kB, 603}}}});
    Search2Btn(*r.shell);
    EXPECT_EQ(r.grid().RowCount(), 3);
    EXPECT_EQ(r.Row(1)[9], " .  . ");  // no time
    EXPECT_EQ(r.Row(1)[10], "-60.0");
    EXPECT_EQ(r.Row(1)[29], " ○");  // -60.0 against -0.2: B's point, no own-minus
    EXPECT_EQ(r.Row(1)[30], "");
    EXPECT_EQ(r.shell->main().pt1Label, "  1");
    EXPECT_EQ(r.shell->main().dpt1Label, "  1");
}

TEST(TwoHorse, DirectMeetingRows) {
    Interactive r;
    r.WriteFile(kIdA, {PastRunLine({20260101, {{kA, 600}, {kB, 601}}}, kA),
                       PastRunLine({20260201, {{kB, 600}, {kX, 600}, {kA, 601}}, "17", 1800}, kA),
                       PastRunLine({20260301, {{kB, 600}, {kA, 601}}}, kA, 0),  // A unplaced
                       PastRunLine({20260601, {{kA, 600}, {kB, 601}}}, kA)});   // race day
    r.shell->main().pt1Label = "keep";
    Search2DirectBtn(*r.shell);
    EXPECT_TRUE(r.ui.calls.empty());
    EXPECT_EQ(r.grid().RowCount(), 3);
    EXPECT_EQ(U(r.shell->main().ctLabel), "該当数：2");
    EXPECT_EQ(r.shell->main().pt1Label, "keep");
    std::vector<std::string> second(kComparisonColumns, "");
    std::vector<std::string> head = {"2026/02/01", "芝1800", Key(kA), "55.0",   " 3",  "1.00.1",
                                     Key(kB),      "55.0",   " 1",    "1.00.0", "-0.1"};
    std::copy(head.begin(), head.end(), second.begin());
    EXPECT_EQ(r.Row(2), second);
    EXPECT_EQ(r.Row(1)[10], " 0.1");  // A ahead: positive
    EXPECT_EQ(r.grid().At(1, 2).style.background, 0x008000u);

    // A damaged record ends the reading with the general error; rows before it stay.
    r.WriteFile(kIdA, {PastRunLine({20260101, {{kA, 600}, {kB, 601}}}, kA)}, "damaged");
    Search2DirectBtn(*r.shell);
    EXPECT_EQ(r.grid().RowCount(), 2);
    EXPECT_EQ(r.Row(1)[10], " 0.1");
    ASSERT_EQ(r.ui.calls.size(), 1u);
    EXPECT_EQ(r.ui.calls[0].rfind("error:", 0), 0u);

    // No meeting: "該当ナシ".
    r.WriteFile(kIdA, {PastRunLine({20260101, {{kA, 600}, {kX, 601}}}, kA)});
    Search2DirectBtn(*r.shell);
    EXPECT_EQ(U(r.grid().Text(0, 1)), "該当ナシ");
}

TEST(TwoHorse, PickingClearingAndCopying) {
    CompareRig r;
    MainFormState& m = r.shell->main();
    SetupMainGrids(m);
    r.SetRace(0, 20260601, {{kA, "2020000001", 550}, {kB, "2020000002", 560}, {kX, "2020000003"}});
    r.day().currentRace = 0;
    Grid& g = m.stringGrid4;
    const char* names[] = {kA, kB, kX};
    const char* weights[] = {"55.0", "56.0", "55.0"};
    for (int row = 1; row <= 3; ++row) {
        g.SetText(1, row, Format("%2d", row));
        g.SetText(2, row, Sj(names[row - 1]));
        g.SetText(5, row, weights[row - 1]);
    }
    PickHorse(*r.shell, 3, 2);  // not a picking column
    PickHorse(*r.shell, 2, 0);  // heading
    EXPECT_TRUE(m.edit1.empty());
    PickHorse(*r.shell, 2, 1);
    PickHorse(*r.shell, 0, 1);  // A's own row again
    EXPECT_EQ(U(m.edit1), kA);
    EXPECT_TRUE(m.edit2.empty());
    PickHorse(*r.shell, 1, 2);
    PickHorse(*r.shell, 2, 3);  // replaces B
    EXPECT_EQ(U(m.edit2), kX);
    EXPECT_EQ(m.kinryoALabel, "55.0");
    EXPECT_EQ(m.kinryoBLabel, "55.0");
    EXPECT_EQ(r.day().horseIdA, "2020000001");
    EXPECT_EQ(r.day().horseIdB, "2020000003");

    ClearPickedHorses(*r.shell);
    EXPECT_TRUE(m.edit1.empty() && m.edit2.empty());
    EXPECT_EQ(U(m.activeTab), "出馬表");
    EXPECT_EQ(m.kinryoBLabel, "55.0");
    EXPECT_EQ(r.day().horseIdB, "2020000003");

    // Nothing compared yet: a beep and the request.
    CopyComparisonResult(*r.shell);
    EXPECT_EQ(r.ui.calls, (std::vector<std::string>{"beep", "inform:２頭比較を行ってください。"}));
    EXPECT_TRUE(r.platform.clipboard.empty());

    // A grid of rows is copied whole: TAB between cells, CR LF after every row.
    Grid& six = m.stringGrid6;
    six.SetRowCount(3);
    six.SetText(0, 1, "a");
    six.SetText(30, 2, "z");
    CopyComparisonResult(*r.shell);
    std::string tabs(30, '\t');
    std::string expected = GridClipboardText(six);
    EXPECT_EQ(U(expected.substr(0, expected.find("\r\n"))).rfind("開催日\tﾄﾗｯｸ\t", 0), 0u);
    std::string tail = "\r\na" + tabs + "\r\n" + tabs + "z\r\n";
    EXPECT_EQ(expected.substr(expected.size() - tail.size()), tail);
    EXPECT_EQ(r.platform.clipboard, expected);
}

TEST(TwoHorse, DataSpanWindow) {
    CompareRig r;
    EXPECT_EQ(OpenDataSpanSetForm(*r.shell).spinEdit1, 1000);
    r.shell->settings().WriteInteger("DataSpan", "period", 50);
    EXPECT_EQ(OpenDataSpanSetForm(*r.shell).spinEdit1, 100);
    DataSpanSetForm f = OpenDataSpanSetForm(*r.shell);
    EXPECT_EQ(U(f.caption), "過去走データ利用範囲指定");
    f.spinEdit1 = 2000;
    AcceptDataSpan(*r.shell, f);
    EXPECT_EQ(r.shell->settings().ReadInteger("DataSpan", "period", 0), 2000);
    f.spinEdit1 = 9000;
    AcceptDataSpan(*r.shell, f);
    EXPECT_EQ(r.shell->settings().ReadInteger("DataSpan", "period", 0), 7300);
}

}  // namespace
}  // namespace sorvane::testing
