// The 楽天競馬 betting account of a feed folder: rakuten/account.ini holds the figures and
// rakuten/votes.log every accepted vote line. Vote lines are checked field by field before
// anything is bought; a call either buys all its lines or changes nothing.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "ports/clock.h"
#include "ports/nv_link.h"

namespace sorvane {

// Codes of the betting emulation (the program shows them as numbers only).
inline constexpr int kRakutenBadArgument = -100;   // login texts, bet mode
inline constexpr int kRakutenNotLoggedIn = -101;   // bet, balance or deposit before a login
inline constexpr int kRakutenNoAccount = -102;     // rakuten/account.ini is missing
inline constexpr int kRakutenBadVoteLine = -110;   // a vote line is malformed, or none given
inline constexpr int kRakutenOverLimit = -120;     // the purchase would pass the limit
inline constexpr int kRakutenNoVotesLeft = -121;   // more lines than votes left
inline constexpr int kRakutenAccountError = -401;  // the account files cannot be read or written

inline constexpr size_t kVoteLineLength = 90;
inline constexpr size_t kMaxVoteLinesPerBet = 120;

// One vote line taken apart.
struct VoteLine {
    int month = 0, day = 0, track = 0, race = 0;
    char kindCode =
        0;  // '1' 単勝, '2' 複勝, '3' 枠連, '5' 馬連, '7' ワイド, '6' 馬単, '8' ３連複, '9' ３連単
    int numbers[3] = {0, 0, 0};  // 0 where the kind has no such number
    int units = 0;               // stake in units of 100 yen
};

// Checks one 90-character vote line: the fixed zeros, a real month and day, a local track
// (30..57), race 1..12, a known kind, one marked number per field the kind uses (horses 1..18,
// frames 1..8) and none in the others, the kind's order of numbers (ascending for the unordered
// kinds, different for the ordered ones), and a stake of 1..99999 units.
bool ParseVoteLine(std::string_view line, VoteLine& out);

// The account figures of account.ini [Account]. Missing keys read as: Limit 0, Purchased 0,
// Paid 0, VotesLeft 1000, DepositAmount 10000.
struct RakutenAccount {
    int limit = 0;
    int purchased = 0;
    int paid = 0;
    int votesLeft = 1000;
    int depositAmount = 10000;
};

class FeedRakuten {
  public:
    FeedRakuten(std::filesystem::path feedDir, const Clock& clock);

    // 0 with two empty texts or with "show" and "form"; the account file must exist.
    int Login(const std::string& user, const std::string& password);
    int Bet(const std::string& voteLines, int mode, RakutenBetResult& result);
    int Zandaka(RakutenBalance& balance);
    int Deposit();
    int Logout();

  private:
    std::filesystem::path Folder() const;
    std::filesystem::path AccountPath() const;
    // Reads the account; false when the file is missing or unreadable.
    bool ReadAccount(RakutenAccount& account, std::string& text) const;
    // Writes the figures back into the document text, atomically. Throws FileError.
    void WriteAccount(const RakutenAccount& account, const std::string& text) const;

    std::filesystem::path feedDir_;
    const Clock& clock_;
    bool loggedIn_ = false;
};

}  // namespace sorvane
