#include "link/feed_link.h"

#include <algorithm>
#include <system_error>

#include "base/fields.h"
#include "base/files.h"
#include "base/sjis.h"

namespace sorvane {

namespace fs = std::filesystem;

namespace {

constexpr int kNotInitialised = -201;
constexpr int kAlreadyOpen = -202;
constexpr int kNotOpen = -203;
constexpr int kBadDataSpec = -111;
constexpr int kBadFromTime = -112;
constexpr int kBadKey = -114;
constexpr int kBadOption = -115;
constexpr int kNoData = -1;
constexpr int kCallAgain = -3;

// yyyymmdd of a real day.
bool IsFeedDay(std::string_view text) {
    return text.size() == 8 && IsFeedTime(std::string(text) + "000000");
}

}  // namespace

FeedLink::FeedLink(fs::path feedDir, const Clock& clock)
    : feedDir_(std::move(feedDir)), rakuten_(feedDir_, clock) {}

int FeedLink::NVInit(const std::string&) {
    const FeedConfig c = LoadFeedConfig(feedDir_);
    if (c.faultInit != 0) return c.faultInit;
    initialized_ = true;
    return 0;
}

int FeedLink::NVSetUIProperties() {
    if (!initialized_) return kNotInitialised;
    const FeedConfig c = LoadFeedConfig(feedDir_);
    return c.faultSetUIProperties;
}

int FeedLink::NVOpen(const std::string& dataSpec, const std::string& fromTime, int option,
                     NvOpenInfo& info) {
    if (!initialized_) return kNotInitialised;
    if (request_ != Request::None) return kAlreadyOpen;
    config_ = LoadFeedConfig(feedDir_);
    if (config_.faultOpen != 0) return config_.faultOpen;
    if (dataSpec != "RACEDIFN") return kBadDataSpec;
    if (!IsFeedTime(fromTime)) return kBadFromTime;
    if (option < 1 || option > 4) return kBadOption;
    std::vector<FeedFile> files = ListBulkFiles(ResolveComponent(feedDir_, "RACEDIFN"), fromTime);
    info = NvOpenInfo{};
    if (files.empty()) return kNoData;
    info.readCount = static_cast<int>(files.size());
    info.downloadCount = std::min(config_.downloadFiles, info.readCount);
    info.lastFileTimestamp = files.back().timestamp;
    StartRequest(Request::Bulk, std::move(files), info.downloadCount);
    return 0;
}

int FeedLink::NVStatus() {
    if (!initialized_) return kNotInitialised;
    if (request_ == Request::None) return kNotOpen;
    ++statusCalls_;
    if (config_.faultStatus != 0 && !statusFaultDone_ && statusCalls_ == config_.faultStatusAfter) {
        statusFaultDone_ = true;
        return config_.faultStatus;
    }
    if (downloaded_ < downloadCount_) ++downloaded_;
    return downloaded_;
}

int FeedLink::NVRTOpen(const std::string& dataSpec, const std::string& key) {
    if (!initialized_) return kNotInitialised;
    if (request_ != Request::None) return kAlreadyOpen;
    config_ = LoadFeedConfig(feedDir_);
    if (config_.faultRTOpen != 0) return config_.faultRTOpen;
    if (dataSpec == "0B30") {
        if (key.size() != 16 || !IsAllDigits(key) || !IsFeedDay(key.substr(0, 8))) return kBadKey;
    } else if (dataSpec == "0B12" || dataSpec == "0B14") {
        if (!IsFeedDay(key)) return kBadKey;
    } else {
        return kBadDataSpec;
    }
    // The key is all digits, so the name cannot leave the folder.
    fs::path path = ResolveComponent(ResolveComponent(feedDir_, dataSpec), key + ".nvd");
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return kNoData;
    StartRequest(Request::RealTime, {FeedFile{path, key + ".nvd", ""}}, 0);
    return 0;
}

void FeedLink::StartRequest(Request kind, std::vector<FeedFile> files, int downloadCount) {
    request_ = kind;
    files_ = std::move(files);
    fileIndex_ = 0;
    fileLoaded_ = false;
    records_.clear();
    recordIndex_ = 0;
    busyLeft_ = 0;
    downloadCount_ = downloadCount;
    downloaded_ = 0;
    statusCalls_ = 0;
    statusFaultDone_ = false;
    recordsServed_ = 0;
    readFaultDone_ = false;
}

void FeedLink::EndRequest() {
    request_ = Request::None;
    files_.clear();
    records_.clear();
    fileLoaded_ = false;
}

int FeedLink::Next(int bufferSize, std::string& fileName, std::string_view& sjis) {
    if (!initialized_) return kNotInitialised;
    if (request_ == Request::None) return kNotOpen;
    if (fileIndex_ >= files_.size()) return 0;
    // The last downloadCount files arrive one per NVStatus call; a read that reaches one still
    // on its way waits like the service does, and time passes for it too.
    size_t available = files_.size() - static_cast<size_t>(downloadCount_ - downloaded_);
    if (fileIndex_ >= available) {
        ++downloaded_;
        return kCallAgain;
    }
    const FeedFile& file = files_[fileIndex_];
    fileName = file.name;
    if (!fileLoaded_) {
        try {
            if (!data_.Read(file.path)) return kFeedFileMissing;
        } catch (const FileError&) {
            return kFeedReadFailed;
        }
        FindFeedRecords(data_.view(), records_);
        recordIndex_ = 0;
        busyLeft_ = config_.busyReads;
        fileLoaded_ = true;
    }
    if (busyLeft_ > 0) {
        --busyLeft_;
        return kCallAgain;
    }
    if (recordIndex_ >= records_.size()) {
        ++fileIndex_;
        fileLoaded_ = false;
        records_.clear();
        return -1;
    }
    if (config_.faultRead != 0 && !readFaultDone_ && recordsServed_ == config_.faultReadAfter) {
        readFaultDone_ = true;
        return config_.faultRead;
    }
    const FeedRecordSpan& span = records_[recordIndex_];
    std::string_view rec = data_.view().substr(span.offset, span.length + (span.crLf ? 2 : 0));
    if (!span.crLf) {
        withLineEnd_.assign(rec);
        withLineEnd_ += "\r\n";
        rec = withLineEnd_;
    }
    if (bufferSize <= 0 || rec.size() > static_cast<size_t>(bufferSize)) return kFeedRecordTooLong;
    // The conversion marks bytes that are not Shift-JIS with U+FFFD, which no Shift-JIS
    // character maps to: such a record would reach the caller garbled and shifted.
    if (!Utf16FromSjis(rec, wide_)) return kFeedBadRecord;
    sjis = rec;
    ++recordIndex_;
    ++recordsServed_;
    return static_cast<int>(rec.size());
}

int FeedLink::NVRead(std::u16string& record, int bufferSize, std::string& fileName) {
    std::string_view sjis;
    int r = Next(bufferSize, fileName, sjis);
    if (r > 0) record.swap(wide_);
    return r;
}

int FeedLink::NVGets(std::string& record, int bufferSize, std::string& fileName) {
    std::string_view sjis;
    int r = Next(bufferSize, fileName, sjis);
    if (r > 0) record.assign(sjis);
    return r;
}

void FeedLink::NVCancel() { EndRequest(); }

int FeedLink::NVClose() {
    if (!initialized_) return kNotInitialised;
    EndRequest();
    const FeedConfig c = LoadFeedConfig(feedDir_);
    return c.faultClose;
}

int FeedLink::RakutenLogin(const std::string& user, const std::string& password) {
    if (!initialized_) return kNotInitialised;
    const FeedConfig c = LoadFeedConfig(feedDir_);
    if (c.faultRakutenLogin != 0) return c.faultRakutenLogin;
    return rakuten_.Login(user, password);
}

int FeedLink::RakutenBet(const std::string&, const std::string& voteLines, int mode,
                         RakutenBetResult& result) {
    if (!initialized_) return kNotInitialised;
    const FeedConfig c = LoadFeedConfig(feedDir_);
    if (c.faultRakutenBet != 0) return c.faultRakutenBet;
    return rakuten_.Bet(voteLines, mode, result);
}

int FeedLink::RakutenZandaka(RakutenBalance& balance, const std::string&) {
    if (!initialized_) return kNotInitialised;
    const FeedConfig c = LoadFeedConfig(feedDir_);
    if (c.faultRakutenZandaka != 0) return c.faultRakutenZandaka;
    return rakuten_.Zandaka(balance);
}

int FeedLink::RakutenDeposit() {
    if (!initialized_) return kNotInitialised;
    const FeedConfig c = LoadFeedConfig(feedDir_);
    if (c.faultRakutenDeposit != 0) return c.faultRakutenDeposit;
    return rakuten_.Deposit();
}

int FeedLink::RakutenLogout() {
    if (!initialized_) return kNotInitialised;
    const FeedConfig c = LoadFeedConfig(feedDir_);
    if (c.faultRakutenLogout != 0) return c.faultRakutenLogout;
    return rakuten_.Logout();
}

}  // namespace sorvane
