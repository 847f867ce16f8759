// The labels of the codes carried by the NV records (tracks, race kinds and symbols, grades,
// going, sex, ...) and the numbering and labels of bracket and horse combinations.
#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// All functions are pure. Inputs and outputs are Shift-JIS. Code lookups compare the input
// text exactly (blanks and case matter); the functions taking a number as text read it with
// ToInt (blank or non-numeric text reads 0). Where a width is given it is in bytes and fixed.

// Track code (2 characters) -> 4 bytes; unknown codes give 4 blanks. Also part of the runner
// day file names, so the labels must never change.
std::string TrackName(std::string_view code);

// Race kind code (2 characters) -> 12 bytes; unknown codes give 6 full-width blanks.
std::string RaceKindName(std::string_view code);
// Printing form of the race kind, padded with blanks to 15 bytes; unknown codes give "".
std::string RaceKindLongName(std::string_view code);
// Race symbol code (3 characters: prefix, sex, designation) -> 24 bytes padded with full-width
// blanks; codes outside the known list give 12 full-width blanks.
std::string RaceSymbolName(std::string_view code);
// Grade code (1 character) -> its label (5 bytes for A-E and "-", the local-limit grades are
// longer); unknown codes give two full-width blanks and a blank.
std::string GradeName(std::string_view code);

// Weekday number 0..8 -> its one-character label in dest, true. Other numbers leave dest
// unchanged and give false.
bool WeekdayName(int n, std::string& dest);
// The same, "" for numbers outside 0..8.
std::string WeekdayName(int n);

// Weight kind code (1 character); unknown codes give "".
std::string WeightKindName(std::string_view code);
// Money class of a race condition: 1..99 -> number x 100 in 4 characters + "万下", 100, 701,
// 702, 703 and 999 have words; other numbers give "".
std::string ConditionName(int condition);
std::string ConditionName(std::string_view condition);
// Short race label: kind part (2歳, 3歳上, 障4歳上, ...) + condition part (500, 10000, 新馬,
// ｵｰﾌﾟﾝ, ...); either part is "" when its code is unknown.
std::string RaceShortLabel(std::string_view kindCode, int condition);
std::string RaceShortLabel(std::string_view kindCode, std::string_view condition);

// Track surface and course code (2 digits) -> long and short labels; unknown codes give "".
std::string TrackSurfaceName(std::string_view code);
std::string TrackSurfaceShort(std::string_view code);
// Weather, going, sex codes (1 character); unknown codes give "".
std::string WeatherName(std::string_view code);
std::string GoingName(std::string_view code);
std::string SexName(std::string_view code);
// Blinker flag: "1" -> "ﾌﾞﾘﾝ", anything else one blank.
std::string BlinkerMark(std::string_view code);
// Apprentice allowance for the track (ばんえい tracks 81-84 have 10/20 kg); otherwise "　".
std::string WeightReductionName(std::string_view trackCode, std::string_view code);

// 1..18 -> ① .. ⑱; anything else "－".
std::string CircledNumber(int n);
std::string CircledNumber(std::string_view number);

// Combination labels: numbers in "%2d" joined by "-" (" 1- 2", " 3- 8- 9").
std::string PairLabel(int a, int b);
std::string TripleLabel(int a, int b, int c);
// Position 1..153 of the horse pair i < j (1..18) in the order 1-2, 1-3 .. 1-18, 2-3 .. 17-18:
// (i - 1)(36 - i) / 2 + (j - i). Gives 0 when not 1 <= i < j <= 18.
int PairNumber(int i, int j);
// Position 1..36 of the bracket pair label a <= b (" 1- 1" .. " 8- 8"); other text gives 0.
int BracketPairIndex(std::string_view label);
// Position 1..153 of the horse pair label a < b (" 1- 2" .. "17-18"); other text gives 0.
int HorsePairIndex(std::string_view label);
// Label of the horse pair at position 1..153 in dest, true; other positions leave dest
// unchanged and give false.
bool HorsePairLabel(int position, std::string& dest);
// The same, "" for positions outside 1..153.
std::string HorsePairLabel(int position);

}  // namespace sorvane
