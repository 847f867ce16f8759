// A link whose answers a test scripts (open result and counts, status results, the sequence of
// NVRead results and records), a Ui that runs a hook when events are pumped, and builders of
// the NV records the store tests use.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "base/text_format.h"
#include "fake_ports.h"
#include "record_fixtures.h"
#include "store/records.h"

namespace sorvane::testing {

class ScriptedLink : public FakeLink {
  public:
    struct Read {
        int code;
        std::string record;  // Shift-JIS, for code > 0
    };

    int openResult = 0;
    NvOpenInfo openInfo{1, 0, "20260902120000"};
    std::deque<int> statusResults;
    std::deque<Read> reads;
    int closeResult = 0;
    int setUIResult = 0;
    int rtOpenResult = 0;
    std::vector<std::string> calls;  // "NVOpen RACEDIFN <from> 1", "NVRead 100000", ...

    void AddRecord(std::string sjis) {
        reads.push_back({static_cast<int>(sjis.size()), std::move(sjis)});
    }
    void AddCode(int code) { reads.push_back({code, {}}); }

    int NVSetUIProperties() override {
        calls.push_back("NVSetUIProperties");
        return setUIResult;
    }
    int NVOpen(const std::string& spec, const std::string& from, int option,
               NvOpenInfo& info) override {
        calls.push_back("NVOpen " + spec + " " + from + " " + std::to_string(option));
        info = openInfo;
        return openResult;
    }
    int NVStatus() override {
        calls.push_back("NVStatus");
        if (statusResults.empty()) return openInfo.downloadCount;
        int r = statusResults.front();
        statusResults.pop_front();
        return r;
    }
    int NVRTOpen(const std::string& spec, const std::string& key) override {
        calls.push_back("NVRTOpen " + spec + " " + key);
        return rtOpenResult;
    }
    int NVRead(std::u16string& record, int bufferSize, std::string& fileName) override {
        calls.push_back("NVRead " + std::to_string(bufferSize));
        fileName = "scripted.nvd";
        if (reads.empty()) return 0;
        Read r = reads.front();
        reads.pop_front();
        if (r.code > 0) record = Utf16FromSjis(r.record + "\r\n");
        return r.code > 0 ? static_cast<int>(r.record.size() + 2) : r.code;
    }
    void NVCancel() override { calls.push_back("NVCancel"); }
    int NVClose() override {
        calls.push_back("NVClose");
        return closeResult;
    }
};

// A FakeUi whose event pump runs a hook (a click arriving during a loop).
class HookUi : public FakeUi {
  public:
    std::function<void()> onPump;
    void ProcessEvents() override {
        FakeUi::ProcessEvents();
        if (onPump) onPump();
    }
};

// Records with the header fields set; date yyyymmdd, track "44", race and the data kind.
inline std::string MakeRecord(RecordType type, std::string_view date, std::string_view track,
                              int race, char kind = '7') {
    std::string r = BlankRecord(type);
    Put(r, 2, std::string(1, kind));
    Put(r, 3, "20260905");  // creation date
    Put(r, 11, date);
    Put(r, 19, track);
    Put(r, 21, "03");
    Put(r, 23, "04");
    Put(r, 25, Format("%02d", race));
    return r;
}

inline std::string MakeRa(std::string_view date, std::string_view track, int race, int runners = 12,
                          char kind = '7') {
    std::string r = MakeRecord(RecordType::RA, date, track, race, kind);
    Put(r, 604, Sj("ｻﾗ系"));
    Put(r, 614, "E");
    Put(r, 616, "13");
    Put(r, 618, "A00");
    Put(r, 621, "3");
    Put(r, 634, "703");
    Put(r, 697, "1400");
    Put(r, 705, "24");
    Put(r, 713, "00500000");
    Put(r, 881, Format("%02d", runners));
    Put(r, 883, Format("%02d", runners));
    Put(r, 885, Format("%02d", runners));
    Put(r, 887, "1");
    Put(r, 888, "0");
    Put(r, 889, "2");
    return r;
}

// A runner; name in UTF-8 (full-width), padded with full-width blanks to 36 bytes.
inline std::string MakeSe(std::string_view date, std::string_view track, int race, int horse,
                          std::string_view blood, std::string_view nameUtf8, int position,
                          char kind = '7') {
    std::string r = MakeRecord(RecordType::SE, date, track, race, kind);
    Put(r, 27, std::to_string((horse + 1) / 2 > 8 ? 8 : (horse + 1) / 2));
    Put(r, 28, Format("%02d", horse));
    Put(r, 30, blood);
    std::string name = Sj(nameUtf8);
    while (name.size() < 36) name += Sj("　");
    Put(r, 40, name.substr(0, 36));
    Put(r, 78, "1");
    Put(r, 82, "04");
    Put(r, 90, Sj("調教師"));
    Put(r, 288, "560");
    Put(r, 306, Sj("騎手名"));
    Put(r, 324, "480");
    Put(r, 327, "+");
    Put(r, 328, "002");
    Put(r, 331, "0");
    Put(r, 332, Format("%02d", position));
    Put(r, 334, Format("%02d", position));
    Put(r, 338, Format("1%03d", 200 + horse));
    Put(r, 359, "0123");
    Put(r, 363, Format("%02d", horse));
    Put(r, 390, "380");
    return r;
}

inline std::string MakeOdds(RecordType type, std::string_view date, std::string_view track,
                            int race, char kind = '1') {
    std::string r = MakeRecord(type, date, track, race, kind);
    Put(r, 27, "09011200");
    return r;
}

// A blood number for horse h of race r: 10 characters of digits.
inline std::string Blood(int race, int horse) { return Format("2019%02d%04d", race, horse); }

}  // namespace sorvane::testing
