// The text encodings the hex viewer's character column can be shown in: the
// table of values with their code pages, groups and display names, and which
// of them the platform can convert.
// Tested by tests/hexview/CodepagesTest.cpp
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

enum TTextEncoding : uint8_t {
  vEncANSI, vEncOEM, vEncEBCDIC, vEncKOI8, vEncISO, vEncMac,
  vEncWEuroDOS, vEncWEuroISO1, vEncWEuroISO2, vEncWEuroMac, vEncWEuroWin,
  vEncCEuroDOS, vEncCEuroISO, vEncCEuroMac, vEncCEuroWin,
  vEncBalDOS, vEncBalISO1, vEncBalISO2, vEncBalWin,
  vEncCyrDOS, vEncCyrISO, vEncCyrKOI8R, vEncCyrKOI8U, vEncCyrMacC, vEncCyrMacU, vEncCyrWin,
  vEncUSOEM,
  vEncGreekDOS, vEncGreekISO, vEncGreekMac, vEncGreekWin,
  vEncLatin3,
  vEncTurDOS, vEncTurISO, vEncTurMac, vEncTurWin,
  vEncArDOS1, vEncArDOS2, vEncArDOS3, vEncArISO, vEncArMac, vEncArWin,
  vEncHebDOS, vEncHebISO1, vEncHebISO2, vEncHebMac, vEncHebWin,
  vEncThai, vEncViet,
  vEncEBUSCanada, vEncEBInternational, vEncEBLatin1, vEncEBLatin2, vEncEBGreek, vEncEBGreekModern,
  vEncEBGermany, vEncEBDenmarkNorway, vEncEBFinlandSweden, vEncEBUnitedKingdom, vEncEBFrance,
  vEncEBIcelandic, vEncEBCyrRussian, vEncEBCyrSerbian, vEncEBItaly, vEncEBLatinAmerica,
  vEncEBJapaneseKatExt, vEncEBKoreanExt, vEncEBArabic, vEncEBHebrew, vEncEBThai, vEncEBTurkish,
  vEncEBTurkishLatin5,
  vEncUTF7, vEncUTF8,
  vEncUnicodeLE, vEncUnicodeBE,
};

constexpr int kTextEncodingCount = vEncUnicodeBE + 1;

struct TTextEncodingInfo {
  int CodePage;  // -1: no single code page of its own
  int Group;     // index into the group names; 0 none
  const char* Name;
};

const TTextEncodingInfo& EncodingInfo(TTextEncoding encoding);
std::string_view EncodingGroupName(int group);
// The caption a menu shows: the name alone for group 0, else "Group (Name)".
std::string EncodingCaption(TTextEncoding encoding);
bool IsUnicodeEncoding(TTextEncoding encoding);

// The system's code pages, derived from the active 8-bit code page the way a
// desktop of that language pairs them.
int SystemAnsiCodePage();
int SystemOemCodePage();
int SystemMacCodePage();

// The iconv name of a code page number (1 and 2 stand for the system's OEM
// and Mac code pages); empty when there is none.
std::string EncodingIconvName(int codePage);

// Computed once: whether the platform can convert the entry's code page.
// The first six entries are always available (they fall back to built-in
// tables).
bool EncodingAvailable(TTextEncoding encoding);

// The encoding menu: the 8-bit encodings in table order, a separator where
// the group changes, and a new column where "United States" and "IBM EBCDIC"
// begin.
struct TEncodingMenuItem {
  bool Separator = false;
  TTextEncoding Encoding = vEncANSI;
};
using TEncodingMenuColumn = std::vector<TEncodingMenuItem>;
std::vector<TEncodingMenuColumn> EncodingMenuColumns();

}  // namespace vantrel
