// The NV-Link service emulated from a feed folder: bulk files from RACEDIFN, real-time files
// from 0B12, 0B14 and 0B30, betting against rakuten/, with the return codes and call order of
// the real control. The folder's form and link.ini are described in feed_config.h and below.
//
//   FEED/link.ini                           optional behaviour and faults (feed_config.h)
//   FEED/RACEDIFN/<yyyymmddhhnnss>_<name>.nvd  bulk files, the prefix is their creation time
//   FEED/0B12/<yyyymmdd>.nvd                results flash of a day
//   FEED/0B14/<yyyymmdd>.nvd                meeting flash of a day (post-time changes)
//   FEED/0B30/<16-digit race key>.nvd       real-time odds of one race
//   FEED/rakuten/account.ini, votes.log     the betting account (feed_rakuten.h)
//
// Every .nvd file holds Shift-JIS records, each followed by CR LF. The link only ever writes
// into rakuten/.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "link/feed_config.h"
#include "link/feed_files.h"
#include "link/feed_rakuten.h"
#include "ports/clock.h"
#include "ports/nv_link.h"

namespace sorvane {

// Read errors of the feed link (all below -3, so callers stop reading).
inline constexpr int kFeedRecordTooLong = -402;  // the record does not fit the buffer given
inline constexpr int kFeedBadRecord = -403;      // the record is not well-formed Shift-JIS
inline constexpr int kFeedReadFailed = -502;     // a served file cannot be read
inline constexpr int kFeedFileMissing = -503;    // a served file vanished after the open

class FeedLink : public NvLink {
  public:
    FeedLink(std::filesystem::path feedDir, const Clock& clock);

    const std::filesystem::path& FeedDir() const { return feedDir_; }

    bool ControlInstalled() override { return true; }

    int NVInit(const std::string& softwareId) override;
    int NVSetUIProperties() override;
    // "RACEDIFN" only; fromTime yyyymmddhhnnss; option 1..4 (all serve the same files).
    int NVOpen(const std::string& dataSpec, const std::string& fromTime, int option,
               NvOpenInfo& info) override;
    // Files downloaded so far: one more per call up to the download count of the open.
    int NVStatus() override;
    // "0B30" with a 16-digit race key, "0B12"/"0B14" with a yyyymmdd day.
    int NVRTOpen(const std::string& dataSpec, const std::string& key) override;
    // Records of each file in turn, -1 after each file, 0 after the last; -3 while a file is
    // still downloading or busy. The record stays in place after an error, so a caller can
    // retry it with a larger buffer.
    int NVRead(std::u16string& record, int bufferSize, std::string& fileName) override;
    int NVGets(std::string& record, int bufferSize, std::string& fileName) override;
    // Stops the request; the link can open the next one without NVClose.
    void NVCancel() override;
    int NVClose() override;

    int RakutenLogin(const std::string& user, const std::string& password) override;
    int RakutenBet(const std::string& reserved, const std::string& voteLines, int mode,
                   RakutenBetResult& result) override;
    int RakutenZandaka(RakutenBalance& balance, const std::string& reserved) override;
    int RakutenDeposit() override;
    int RakutenLogout() override;

  private:
    enum class Request { None, Bulk, RealTime };

    void StartRequest(Request kind, std::vector<FeedFile> files, int downloadCount);
    void EndRequest();
    // The next record of the request (shared by NVRead and NVGets); on a positive result
    // `sjis` is the record with its CR LF and wide_ holds its UTF-16 text.
    int Next(int bufferSize, std::string& fileName, std::string_view& sjis);

    std::filesystem::path feedDir_;
    FeedRakuten rakuten_;
    bool initialized_ = false;
    FeedConfig config_;

    Request request_ = Request::None;
    std::vector<FeedFile> files_;
    size_t fileIndex_ = 0;
    bool fileLoaded_ = false;
    FileBuffer data_;  // the file being served
    std::vector<FeedRecordSpan> records_;
    std::string withLineEnd_;  // a record whose line in the file does not end in CR LF
    size_t recordIndex_ = 0;
    // The UTF-16 text of the record served last; NVRead swaps it with the caller's string, so
    // both keep their memory from record to record.
    std::u16string wide_;
    int busyLeft_ = 0;
    int downloadCount_ = 0;
    int downloaded_ = 0;
    int statusCalls_ = 0;
    bool statusFaultDone_ = false;
    int recordsServed_ = 0;
    bool readFaultDone_ = false;
};

}  // namespace sorvane
