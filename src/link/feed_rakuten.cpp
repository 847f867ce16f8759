#include "link/feed_rakuten.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <system_error>

#include "base/fields.h"
#include "base/files.h"
#include "base/sjis.h"
#include "shell/ini_file.h"

namespace sorvane {

namespace fs = std::filesystem;

namespace {

// How many numbers each kind's line carries, and the largest number (frames for 枠連).
int NumbersOfKind(char kind) {
    switch (kind) {
        case '1':
        case '2':
            return 1;
        case '3':
        case '5':
        case '6':
        case '7':
            return 2;
        case '8':
        case '9':
            return 3;
        default:
            return 0;
    }
}

// A 24-character number field: the position of its single "1", 0 when all zeros, -1 when
// malformed (another character, or more than one "1").
int MarkedNumber(std::string_view field) {
    int number = 0;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '1') {
            if (number != 0) return -1;
            number = static_cast<int>(i) + 1;
        } else if (field[i] != '0') {
            return -1;
        }
    }
    return number;
}

bool InOrder(char kind, const int* n) {
    switch (kind) {
        case '3':
            return n[0] <= n[1];
        case '5':
        case '7':
            return n[0] < n[1];
        case '6':
            return n[0] != n[1];
        case '8':
            return n[0] < n[1] && n[1] < n[2];
        case '9':
            return n[0] != n[1] && n[0] != n[2] && n[1] != n[2];
        default:
            return true;
    }
}

int Figure(const IniDocument& ini, const char* key, int fallback) {
    auto v = ini.Get("Account", key);
    if (!v) return fallback;
    return static_cast<int>(std::clamp<int64_t>(ToInt64(*v), 0, INT_MAX));
}

int ClampFigure(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, 0, INT_MAX)); }

}  // namespace

bool ParseVoteLine(std::string_view line, VoteLine& out) {
    if (line.size() != kVoteLineLength) return false;
    if (line[0] != '0' || line[10] != '0' || line[88] != '0' || line[89] != '0') return false;
    std::string_view date = line.substr(1, 4), track = line.substr(5, 2), race = line.substr(7, 2);
    std::string_view stake = line.substr(83, 5);
    if (!IsAllDigits(date) || !IsAllDigits(track) || !IsAllDigits(race) || !IsAllDigits(stake))
        return false;
    static constexpr int kDaysInMonth[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    VoteLine v;
    v.month = ToInt(date.substr(0, 2));
    v.day = ToInt(date.substr(2, 2));
    if (v.month < 1 || v.month > 12 || v.day < 1 || v.day > kDaysInMonth[v.month - 1]) return false;
    v.track = ToInt(track);
    v.race = ToInt(race);
    if (v.track < 30 || v.track > 57 || v.race < 1 || v.race > 12) return false;
    v.kindCode = line[9];
    int used = NumbersOfKind(v.kindCode);
    if (used == 0) return false;
    int highest = v.kindCode == '3' ? 8 : 18;
    for (int f = 0; f < 3; ++f) {
        int n = MarkedNumber(line.substr(11 + 24 * static_cast<size_t>(f), 24));
        if (n < 0) return false;
        if (f < used ? (n < 1 || n > highest) : n != 0) return false;
        v.numbers[f] = n;
    }
    if (!InOrder(v.kindCode, v.numbers)) return false;
    v.units = ToInt(stake);
    if (v.units < 1) return false;
    out = v;
    return true;
}

FeedRakuten::FeedRakuten(fs::path feedDir, const Clock& clock)
    : feedDir_(std::move(feedDir)), clock_(clock) {}

fs::path FeedRakuten::Folder() const { return ResolveComponent(feedDir_, "rakuten"); }

fs::path FeedRakuten::AccountPath() const { return ResolveComponent(Folder(), "account.ini"); }

bool FeedRakuten::ReadAccount(RakutenAccount& account, std::string& text) const {
    try {
        if (!ReadWholeFile(AccountPath(), text)) return false;
    } catch (const FileError&) {
        return false;
    }
    IniDocument ini(text);
    RakutenAccount a;
    a.limit = Figure(ini, "Limit", a.limit);
    a.purchased = Figure(ini, "Purchased", a.purchased);
    a.paid = Figure(ini, "Paid", a.paid);
    a.votesLeft = Figure(ini, "VotesLeft", a.votesLeft);
    a.depositAmount = Figure(ini, "DepositAmount", a.depositAmount);
    account = a;
    return true;
}

void FeedRakuten::WriteAccount(const RakutenAccount& a, const std::string& text) const {
    IniDocument ini(text);
    ini.Set("Account", "Limit", std::to_string(a.limit));
    ini.Set("Account", "Purchased", std::to_string(a.purchased));
    ini.Set("Account", "Paid", std::to_string(a.paid));
    ini.Set("Account", "VotesLeft", std::to_string(a.votesLeft));
    ini.Set("Account", "DepositAmount", std::to_string(a.depositAmount));
    WriteFileAtomic(AccountPath(), ini.Text());
}

int FeedRakuten::Login(const std::string& user, const std::string& password) {
    bool plain = user.empty() && password.empty();
    bool switching = user == "show" && password == "form";
    if (!plain && !switching) return kRakutenBadArgument;
    RakutenAccount account;
    std::string text;
    if (!ReadAccount(account, text)) return kRakutenNoAccount;
    loggedIn_ = true;
    return 0;
}

int FeedRakuten::Bet(const std::string& voteLines, int mode, RakutenBetResult& result) {
    if (!loggedIn_) return kRakutenNotLoggedIn;
    if (mode != 1) return kRakutenBadArgument;
    size_t count = voteLines.size() / kVoteLineLength;
    if (voteLines.empty() || voteLines.size() % kVoteLineLength != 0 || count > kMaxVoteLinesPerBet)
        return kRakutenBadVoteLine;
    int64_t amount = 0;
    for (size_t i = 0; i < count; ++i) {
        VoteLine v;
        if (!ParseVoteLine(std::string_view(voteLines).substr(i * kVoteLineLength, kVoteLineLength),
                           v))
            return kRakutenBadVoteLine;
        amount += static_cast<int64_t>(v.units) * 100;
    }
    RakutenAccount account;
    std::string accountText;
    if (!ReadAccount(account, accountText)) return kRakutenAccountError;
    if (amount > account.limit) return kRakutenOverLimit;
    if (static_cast<int64_t>(count) > account.votesLeft) return kRakutenNoVotesLeft;

    // The log first, then the account; when the account cannot be written the log is put back,
    // so a refused write leaves both files as they were.
    fs::path logPath = ResolveComponent(Folder(), "votes.log");
    std::string oldLog;
    bool hadLog = false;
    try {
        hadLog = ReadWholeFile(logPath, oldLog);
    } catch (const FileError&) {
        return kRakutenAccountError;
    }
    std::string log = oldLog;
    std::string stamp = FormatDateTime(clock_.Now());
    for (size_t i = 0; i < count; ++i) {
        log += stamp;
        log += ' ';
        log.append(voteLines, i * kVoteLineLength, kVoteLineLength);
        log += "\r\n";
    }
    RakutenAccount after = account;
    after.limit = ClampFigure(static_cast<int64_t>(account.limit) - amount);
    after.purchased = ClampFigure(static_cast<int64_t>(account.purchased) + amount);
    after.votesLeft =
        ClampFigure(static_cast<int64_t>(account.votesLeft) - static_cast<int64_t>(count));
    try {
        WriteFileAtomic(logPath, log);
    } catch (const FileError&) {
        return kRakutenAccountError;
    }
    try {
        WriteAccount(after, accountText);
    } catch (const FileError&) {
        std::error_code ec;
        try {
            if (hadLog)
                WriteFileAtomic(logPath, oldLog);
            else
                fs::remove(logPath, ec);
        } catch (const FileError&) {
        }
        return kRakutenAccountError;
    }
    result.amountBought = static_cast<int>(amount);
    result.votesLeft = after.votesLeft;
    result.purchaseLimit = after.limit;
    static const std::string accepted = Sj("投票を受け付けました。");
    result.text = accepted;
    return 0;
}

int FeedRakuten::Zandaka(RakutenBalance& balance) {
    if (!loggedIn_) return kRakutenNotLoggedIn;
    RakutenAccount a;
    std::string text;
    if (!ReadAccount(a, text)) return kRakutenAccountError;
    balance.purchaseLimit = a.limit;
    balance.purchasedToday = a.purchased;
    balance.paidToday = a.paid;
    balance.votesLeft = a.votesLeft;
    return 0;
}

int FeedRakuten::Deposit() {
    if (!loggedIn_) return kRakutenNotLoggedIn;
    RakutenAccount a;
    std::string text;
    if (!ReadAccount(a, text)) return kRakutenAccountError;
    a.limit = ClampFigure(static_cast<int64_t>(a.limit) + a.depositAmount);
    try {
        WriteAccount(a, text);
    } catch (const FileError&) {
        return kRakutenAccountError;
    }
    return 0;
}

int FeedRakuten::Logout() {
    loggedIn_ = false;
    return 0;
}

}  // namespace sorvane
