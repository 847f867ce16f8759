// The feed link against hand-made feed folders: order of calls, return codes, what is served
// and how, the service settings and the forced faults of link.ini.
#include "link/feed_link.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/sjis.h"
#include "fake_clock.h"
#include "feed_test_support.h"
#include "link/absent_link.h"
#include "link/link_factory.h"

namespace sorvane {
namespace {

using testing::WriteFile;

class FeedLinkTest : public ::testing::Test {
  protected:
    std::filesystem::path Feed() const { return dir_.path(); }
    void Put(const std::string& rel, const std::string& data) { WriteFile(Feed() / rel, data); }
    void LinkIni(const std::string& text) { Put("link.ini", text); }

    // Reads the whole open request; records as "<file>:<bytes>", file ends as "-1", the end
    // as "0"; -3 answers are counted apart.
    std::vector<std::string> ReadAll(FeedLink& link, int* busy = nullptr) {
        std::vector<std::string> out;
        for (int guard = 0; guard < 1000; ++guard) {
            std::u16string rec;
            std::string name;
            int r = link.NVRead(rec, kNvReadBufferBulk, name);
            if (r == -3) {
                if (busy) ++*busy;
                continue;
            }
            if (r > 0) {
                std::string sjis = SjisFromUtf16(rec);
                EXPECT_EQ(static_cast<size_t>(r), sjis.size());
                out.push_back(name + ":" + sjis);
                continue;
            }
            out.push_back(std::to_string(r));
            if (r != -1) break;
        }
        return out;
    }

    testing::TempDir dir_;
    FixedClock clock_{2025, 4, 5, 15, 0, 0};
};

TEST_F(FeedLinkTest, EveryCallBeforeInitAnswersMinus201) {
    FeedLink link(Feed(), clock_);
    EXPECT_TRUE(link.ControlInstalled());
    NvOpenInfo info;
    std::u16string wide;
    std::string text, name;
    RakutenBetResult bet;
    RakutenBalance balance;
    EXPECT_EQ(link.NVSetUIProperties(), -201);
    EXPECT_EQ(link.NVOpen("RACEDIFN", "20250101000000", 1, info), -201);
    EXPECT_EQ(link.NVStatus(), -201);
    EXPECT_EQ(link.NVRTOpen("0B12", "20250405"), -201);
    EXPECT_EQ(link.NVRead(wide, kNvReadBufferBulk, name), -201);
    EXPECT_EQ(link.NVGets(text, kNvReadBufferResults, name), -201);
    EXPECT_EQ(link.NVClose(), -201);
    EXPECT_EQ(link.RakutenLogin("", ""), -201);
    EXPECT_EQ(link.RakutenBet("", "", 1, bet), -201);
    EXPECT_EQ(link.RakutenZandaka(balance, ""), -201);
    EXPECT_EQ(link.RakutenDeposit(), -201);
    EXPECT_EQ(link.RakutenLogout(), -201);
    EXPECT_EQ(link.NVInit("SORVANE"), 0);
    EXPECT_EQ(link.NVSetUIProperties(), 0);
    EXPECT_EQ(link.NVStatus(), -203);
    EXPECT_EQ(link.NVRead(wide, kNvReadBufferBulk, name), -203);
    EXPECT_EQ(link.NVClose(), 0);
}

TEST_F(FeedLinkTest, OpenRefusesBadArguments) {
    Put("RACEDIFN/20250102100000_a.nvd", "RA1\r\n");
    FeedLink link(Feed(), clock_);
    ASSERT_EQ(link.NVInit("SORVANE"), 0);
    struct Case {
        const char* spec;
        const char* from;
        int option;
        int code;
    } cases[] = {
        {"RACEDIFX", "20250101000000", 1, -111}, {"racedifn", "20250101000000", 1, -111},
        {"RACEDIFN", "2025010100000", 1, -112},  {"RACEDIFN", "2025010100000x", 1, -112},
        {"RACEDIFN", "20250230000000", 1, -112}, {"RACEDIFN", "20250101240000", 1, -112},
        {"RACEDIFN", "00000000000000", 1, -112}, {"RACEDIFN", "20250101000000", 0, -115},
        {"RACEDIFN", "20250101000000", 5, -115}, {"RACEDIFN", "20250102100000", 1, -1},
    };
    for (const auto& c : cases) {
        NvOpenInfo info;
        EXPECT_EQ(link.NVOpen(c.spec, c.from, c.option, info), c.code) << c.spec << " " << c.from;
        // A refused open leaves nothing open.
        EXPECT_EQ(link.NVStatus(), -203);
    }
}

TEST_F(FeedLinkTest, BulkReadServesNewerFilesInTimeThenNameOrder) {
    Put("RACEDIFN/20250102100000_b.nvd", "SE1\r\nSE22\r\n");
    Put("RACEDIFN/20250101100000_z.nvd", "RA1\r\n");
    Put("RACEDIFN/20250102100000_a.NVD", "HR1\r\n");
    Put("RACEDIFN/20241231000000_old.nvd", "RA0\r\n");
    Put("RACEDIFN/20250101000000_same.nvd", "RA0\r\n");  // not later than the from-time
    Put("RACEDIFN/2025010210000X_bad.nvd", "RA9\r\n");
    Put("RACEDIFN/20250103000000_.nvd", "RA9\r\n");
    Put("RACEDIFN/notes.txt", "RA9\r\n");
    Put("RACEDIFN/20250104000000_dir.nvd/inner", "x");
    FeedLink link(Feed(), clock_);
    ASSERT_EQ(link.NVInit("SORVANE"), 0);
    NvOpenInfo info;
    ASSERT_EQ(link.NVOpen("RACEDIFN", "20250101000000", 1, info), 0);
    EXPECT_EQ(info.readCount, 3);
    EXPECT_EQ(info.downloadCount, 0);
    EXPECT_EQ(info.lastFileTimestamp, "20250102100000");
    EXPECT_EQ(link.NVStatus(), 0);
    EXPECT_EQ(link.NVOpen("RACEDIFN", "20250101000000", 1, info), -202);
    EXPECT_EQ(link.NVRTOpen("0B12", "20250101"), -202);
    std::vector<std::string> expected = {"20250101100000_z.nvd:RA1\r\n",
                                         "-1",
                                         "20250102100000_a.NVD:HR1\r\n",
                                         "-1",
                                         "20250102100000_b.nvd:SE1\r\n",
                                         "20250102100000_b.nvd:SE22\r\n",
                                         "-1",
                                         "0"};
    EXPECT_EQ(ReadAll(link), expected);
    std::u16string rec;
    std::string name;
    EXPECT_EQ(link.NVRead(rec, kNvReadBufferBulk, name), 0);  // stays at the end
    EXPECT_EQ(link.NVClose(), 0);
    EXPECT_EQ(link.NVRead(rec, kNvReadBufferBulk, name), -203);
    EXPECT_EQ(link.NVOpen("RACEDIFN", "20250102095959", 4, info), 0);
    EXPECT_EQ(info.readCount, 2);
}

TEST_F(FeedLinkTest, RecordsComeAsUtf16WithTheirShiftJisLength) {
    std::string name = Sj("ホシノスター") + Sj("　") + "\x83\x5C";  // ソ: trail byte 0x5C
    Put("RACEDIFN/20250102100000_a.nvd", "SE" + name + "\r\n");
    FeedLink link(Feed(), clock_);
    ASSERT_EQ(link.NVInit("SORVANE"), 0);
    NvOpenInfo info;
    ASSERT_EQ(link.NVOpen("RACEDIFN", "20250101000000", 1, info), 0);
    std::u16string rec;
    std::string file;
    int r = link.NVRead(rec, kNvReadBufferBulk, file);
    EXPECT_EQ(r, static_cast<int>(2 + name.size() + 2));
    EXPECT_EQ(rec, u"SEホシノスター　ソ\r\n");
}

TEST_F(FeedLinkTest, UntrustedContentIsServedSafely) {
    // Lone LF, blank lines and a missing final line end are records with CR LF; a record that
    // does not fit the buffer or is not Shift-JIS is an error and stays in place.
    Put("RACEDIFN/20250102100000_a.nvd", "RA1\n\r\n\r\nRA" + std::string(98, 'x') + "\r\nRA3");
    Put("RACEDIFN/20250102100001_b.nvd", "RA\x82\r\nRA5\r\n");
    FeedLink link(Feed(), clock_);
    ASSERT_EQ(link.NVInit("SORVANE"), 0);
    NvOpenInfo info;
    ASSERT_EQ(link.NVOpen("RACEDIFN", "20250101000000", 1, info), 0);
    std::u16string rec;
    std::string file;
    EXPECT_EQ(link.NVRead(rec, 100, file), 5);
    EXPECT_EQ(rec, u"RA1\r\n");
    EXPECT_EQ(link.NVRead(rec, 100, file), kFeedRecordTooLong);
    EXPECT_EQ(link.NVRead(rec, 99, file), kFeedRecordTooLong);
    EXPECT_EQ(link.NVRead(rec, 0, file), kFeedRecordTooLong);
    EXPECT_EQ(link.NVRead(rec, 102, file), 102);
    EXPECT_EQ(link.NVRead(rec, 100, file), 5);
    EXPECT_EQ(rec, u"RA3\r\n");
    EXPECT_EQ(link.NVRead(rec, 100, file), -1);
    EXPECT_EQ(link.NVRead(rec, 100, file), kFeedBadRecord);
    std::string bytes;
    EXPECT_EQ(link.NVGets(bytes, 100, file), kFeedBadRecord);
}

TEST_F(FeedLinkTest, DownloadCountIsCountedUpByStatusAndHoldsBackTheLastFiles) {
    LinkIni("[Service]\r\nDownloadFiles=2\r\n");
    Put("RACEDIFN/20250102100000_a.nvd", "RA1\r\n");
    Put("RACEDIFN/20250102100001_b.nvd", "RA2\r\n");
    Put("RACEDIFN/20250102100002_c.nvd", "RA3\r\n");
    FeedLink link(Feed(), clock_);
    ASSERT_EQ(link.NVInit("SORVANE"), 0);
    NvOpenInfo info;
    ASSERT_EQ(link.NVOpen("RACEDIFN", "20250101000000", 1, info), 0);
    EXPECT_EQ(info.readCount, 3);
    EXPECT_EQ(info.downloadCount, 2);
    // The first file is there already; the second is still on its way.
    std::u16string rec;
    std::string file;
    EXPECT_EQ(link.NVRead(rec, 100, file), 5);
    EXPECT_EQ(link.NVRead(rec, 100, file), -1);
    EXPECT_EQ(link.NVRead(rec, 100, file), -3);
    EXPECT_EQ(link.NVStatus(), 2);
    EXPECT_EQ(link.NVStatus(), 2);
    int busy = 0;
    std::vector<std::string> rest = ReadAll(link, &busy);
    EXPECT_EQ(busy, 0);
    EXPECT_EQ(rest.size(), 5u);
    EXPECT_EQ(link.NVClose(), 0);

    LinkIni("[Service]\r\nDownloadFiles=9\r\n");  // never more than the files served
    ASSERT_EQ(link.NVOpen("RACEDIFN", "20250101000000", 1, info), 0);
    EXPECT_EQ(info.downloadCount, 3);
    EXPECT_EQ(link.NVStatus(), 1);
    EXPECT_EQ(link.NVStatus(), 2);
    EXPECT_EQ(link.NVStatus(), 3);
    EXPECT_EQ(link.NVStatus(), 3);
}

TEST_F(FeedLinkTest, BusyReadsComeBeforeEachFile) {
    LinkIni("[Service]\r\nBusyReads=2\r\n");
    Put("RACEDIFN/20250102100000_a.nvd", "RA1\r\n");
    Put("RACEDIFN/20250102100001_b.nvd", "");
    FeedLink link(Feed(), clock_);
    ASSERT_EQ(link.NVInit("SORVANE"), 0);
    NvOpenInfo info;
    ASSERT_EQ(link.NVOpen("RACEDIFN", "20250101000000", 1, info), 0);
    std::vector<int> codes;
    std::u16string rec;
    std::string file;
    for (int i = 0; i < 9; ++i) codes.push_back(link.NVRead(rec, 100, file));
    EXPECT_EQ(codes, (std::vector<int>{-3, -3, 5, -1, -3, -3, -1, 0, 0}));
}

TEST_F(FeedLinkTest, CancelStopsTheRequest) {
    Put("RACEDIFN/20250102100000_a.nvd", "RA1\r\nRA2\r\n");
    FeedLink link(Feed(), clock_);
    ASSERT_EQ(link.NVInit("SORVANE"), 0);
    NvOpenInfo info;
    ASSERT_EQ(link.NVOpen("RACEDIFN", "20250101000000", 1, info), 0);
    std::u16string rec;
    std::string file;
    EXPECT_EQ(link.NVRead(rec, 100, file), 5);
    link.NVCancel();
    EXPECT_EQ(link.NVRead(rec, 100, file), -203);
    EXPECT_EQ(link.NVStatus(), -203);
    // A cancelled download needs no NVClose before the next open.
    EXPECT_EQ(link.NVOpen("RACEDIFN", "20250101000000", 1, info), 0);
    EXPECT_EQ(link.NVRead(rec, 100, file), 5);
    EXPECT_EQ(rec, u"RA1\r\n");
}

TEST_F(FeedLinkTest, RealTimeRequestsServeTheirFile) {
    Put("0B30/2025040544030101.nvd", "O1a\r\nO2b\r\n");
    Put("0B12/20250405.nvd", "RA1\r\nHR2\r\n");
    Put("0B14/20250405.nvd", "TC1\r\n");
    FeedLink link(Feed(), clock_);
    ASSERT_EQ(link.NVInit("SORVANE"), 0);
    struct Case {
        const char* spec;
        const char* key;
        std::vector<std::string> records;
    } cases[] = {
        {"0B30", "2025040544030101", {"O1a\r\n", "O2b\r\n"}},
        {"0B12", "20250405", {"RA1\r\n", "HR2\r\n"}},
        {"0B14", "20250405", {"TC1\r\n"}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(link.NVRTOpen(c.spec, c.key), 0) << c.spec;
        EXPECT_EQ(link.NVStatus(), 0);
        std::vector<std::string> got;
        std::string rec, file;
        int r = 0;
        while ((r = link.NVGets(rec, kNvReadBufferResults, file)) > 0) {
            got.push_back(rec);
            EXPECT_EQ(file, std::string(c.key) + ".nvd");
        }
        EXPECT_EQ(r, -1);
        EXPECT_EQ(link.NVGets(rec, kNvReadBufferResults, file), 0);
        EXPECT_EQ(got, c.records);
        EXPECT_EQ(link.NVClose(), 0);
    }
    EXPECT_EQ(link.NVRTOpen("0B30", "2025040544030102"), -1);
    EXPECT_EQ(link.NVRTOpen("0B12", "20250406"), -1);
    EXPECT_EQ(link.NVStatus(), -203);
}

TEST_F(FeedLinkTest, RealTimeKeysMustBeWellFormed) {
    FeedLink link(Feed(), clock_);
    ASSERT_EQ(link.NVInit("SORVANE"), 0);
    struct Case {
        const char* spec;
        const char* key;
        int code;
    } cases[] = {
        {"0B30", "202504054403010", -114},
        {"0B30", "2025040544030101x", -114},
        {"0B30", "202504054403010x", -114},
        {"0B30", "2025133144030101", -114},
        {"0B30", "20250405", -114},
        {"0B12", "2025040", -114},
        {"0B12", "20250431", -114},
        {"0B14", "../../x", -114},
        {"0B14", "", -114},
        {"0B99", "20250405", -111},
        {"RACEDIFN", "20250405", -111},
    };
    for (const auto& c : cases)
        EXPECT_EQ(link.NVRTOpen(c.spec, c.key), c.code) << c.spec << " " << c.key;
}

TEST_F(FeedLinkTest, FaultsGiveTheirCodes) {
    Put("RACEDIFN/20250102100000_a.nvd", "RA1\r\nRA2\r\n");
    Put("0B12/20250405.nvd", "RA1\r\n");
    Put("rakuten/account.ini", "[Account]\r\nLimit=1000\r\n");
    // Each single-call fault, set in link.ini while the link runs.
    struct Case {
        const char* key;
        std::function<int(FeedLink&)> call;
    } cases[] = {
        {"NVSetUIProperties", [](FeedLink& l) { return l.NVSetUIProperties(); }},
        {"NVOpen",
         [](FeedLink& l) {
             NvOpenInfo info;
             return l.NVOpen("RACEDIFN", "20250101000000", 1, info);
         }},
        {"NVRTOpen", [](FeedLink& l) { return l.NVRTOpen("0B12", "20250405"); }},
        {"NVClose", [](FeedLink& l) { return l.NVClose(); }},
        {"RakutenLogin", [](FeedLink& l) { return l.RakutenLogin("", ""); }},
        {"RakutenBet",
         [](FeedLink& l) {
             RakutenBetResult r;
             return l.RakutenBet("", "", 1, r);
         }},
        {"RakutenZandaka",
         [](FeedLink& l) {
             RakutenBalance b;
             return l.RakutenZandaka(b, "");
         }},
        {"RakutenDeposit", [](FeedLink& l) { return l.RakutenDeposit(); }},
        {"RakutenLogout", [](FeedLink& l) { return l.RakutenLogout(); }},
    };
    for (const auto& c : cases) {
        FeedLink link(Feed(), clock_);
        LinkIni("");
        ASSERT_EQ(link.NVInit("SORVANE"), 0);
        LinkIni(std::string("[Fault]\r\n") + c.key + "=-431\r\n");
        EXPECT_EQ(c.call(link), -431) << c.key;
        LinkIni("[Fault]\r\n; nothing\r\n");
        EXPECT_NE(c.call(link), -431) << c.key;
    }
    LinkIni("[Fault]\r\nNVInit=-301\r\n");
    FeedLink refused(Feed(), clock_);
    EXPECT_EQ(refused.NVInit("SORVANE"), -301);
    NvOpenInfo info;
    EXPECT_EQ(refused.NVOpen("RACEDIFN", "20250101000000", 1, info), -201);
}

TEST_F(FeedLinkTest, StatusAndReadFaultsComeAtTheirTurn) {
    Put("RACEDIFN/20250102100000_a.nvd", "RA1\r\nRA2\r\n");
    Put("RACEDIFN/20250102100001_b.nvd", "RA3\r\n");
    LinkIni(
        "[Service]\r\nDownloadFiles=2\r\n[Fault]\r\nNVStatus=-502\r\nNVStatusAfter=2\r\n"
        "NVRead=-402\r\nNVReadAfter=2\r\n");
    FeedLink link(Feed(), clock_);
    ASSERT_EQ(link.NVInit("SORVANE"), 0);
    NvOpenInfo info;
    ASSERT_EQ(link.NVOpen("RACEDIFN", "20250101000000", 1, info), 0);
    EXPECT_EQ(link.NVStatus(), 1);
    EXPECT_EQ(link.NVStatus(), -502);
    EXPECT_EQ(link.NVStatus(), 2);
    std::u16string rec;
    std::string file;
    EXPECT_EQ(link.NVRead(rec, 100, file), 5);
    EXPECT_EQ(link.NVRead(rec, 100, file), 5);
    EXPECT_EQ(link.NVRead(rec, 100, file), -1);
    EXPECT_EQ(link.NVRead(rec, 100, file), -402);  // in place of record 3
    EXPECT_EQ(link.NVRead(rec, 100, file), 5);
    EXPECT_EQ(rec, u"RA3\r\n");
}

TEST(LinkFactoryTest, ChoosesTheLinkByKind) {
    FixedClock clock;
    EXPECT_NE(dynamic_cast<FeedLink*>(MakeLink("feed", "/nowhere", clock).get()), nullptr);
    EXPECT_NE(dynamic_cast<FeedLink*>(MakeLink("FEED", "/nowhere", clock).get()), nullptr);
    for (const char* kind : {"absent", "com", ""}) {
        auto link = MakeLink(kind, "/nowhere", clock);
        EXPECT_NE(dynamic_cast<AbsentLink*>(link.get()), nullptr) << kind;
        EXPECT_FALSE(link->ControlInstalled());
    }
}

}  // namespace
}  // namespace sorvane
