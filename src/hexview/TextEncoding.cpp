#include "hexview/TextEncoding.h"

#include <iconv.h>

#include <array>

#include "platform/Assert.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

constexpr TTextEncodingInfo kEncodings[kTextEncodingCount] = {
    {-1, 0, "ANSI (Windows)"}, {1, 0, "OEM (DOS)"}, {-1, 0, "EBCDIC"}, {-1, 0, "KOI8"}, {-1, 0, "ISO"},
    {2, 0, "Mac"},
    {850, 1, "IBM-850"}, {28591, 1, "ISO 8859-1"}, {28605, 1, "ISO 8859-15"}, {10000, 1, "MacRoman"},
    {1252, 1, "Windows-1252"},
    {852, 2, "IBM-852"}, {28592, 2, "ISO 8859-2"}, {10029, 2, "MacCE"}, {1250, 2, "Windows-1250"},
    {775, 3, "IBM-775"}, {28594, 3, "ISO 8859-4"}, {28603, 3, "ISO 8859-13"}, {1257, 3, "Windows-1257"},
    {866, 4, "IBM-866"}, {28595, 4, "ISO 8859-5"}, {20866, 4, "KOI8-R"}, {21866, 4, "KOI8-U"},
    {10007, 4, "MacCyrillic"}, {10017, 4, "MacUkrainian"}, {1251, 4, "Windows-1251"},
    {437, 5, "US OEM"},
    {737, 6, "IBM-737"}, {28597, 6, "ISO 8859-7"}, {10006, 6, "MacGreek"}, {1253, 6, "Windows-1253"},
    {28593, 7, "ISO 8859-3"},
    {857, 8, "IBM-857"}, {28599, 8, "ISO 8859-9"}, {10081, 8, "MacTurkish"}, {1254, 8, "Windows-1254"},
    {708, 9, "ASMO-708"}, {720, 9, "DOS-720"}, {864, 9, "IBM-864"}, {28596, 9, "ISO 8859-6"},
    {10004, 9, "MacArabic"}, {1256, 9, "Windows-1256"},
    {862, 10, "IBM-862"}, {38598, 10, "ISO 8859-8, ISO-Logical"}, {28598, 10, "ISO 8859-8, ISO-Visual"},
    {10005, 10, "MacHebrew"}, {1255, 10, "Windows-1255"},
    {874, 11, "Windows-874"}, {1258, 12, "Windows-1258"},
    {37, 13, "US-Canada"}, {500, 13, "International"}, {1047, 13, "Latin 1/Open System"},
    {870, 13, "Multilingual Latin 2"}, {20423, 13, "Greek"}, {875, 13, "Greek Modern"},
    {20273, 13, "Germany"}, {20277, 13, "Denmark-Norway"}, {20278, 13, "Finland-Sweden"},
    {20285, 13, "United Kingdom"}, {20297, 13, "France"}, {20871, 13, "Icelandic"},
    {20880, 13, "Cyrillic Russian"}, {21025, 13, "Cyrillic Serbian-Bulgarian"}, {20280, 13, "Italy"},
    {20284, 13, "Latin America-Spain"}, {20290, 13, "Japanese Katakana Extended"},
    {20833, 13, "Korean Extended"}, {20420, 13, "Arabic"}, {20424, 13, "Hebrew"}, {20838, 13, "Thai"},
    {20905, 13, "Turkish"}, {1026, 13, "Turkish (Latin 5)"},
    {65000, 14, "UTF-7"}, {65001, 14, "UTF-8"},
    {-1, 15, "UTF-16 LE"}, {-1, 15, "UTF-16 BE"},
};

constexpr std::string_view kGroupNames[] = {
    "", "Western European", "Central European", "Baltic", "Cyrillic", "United States", "Greek", "Latin 3",
    "Turkish", "Arabic", "Hebrew", "Thai", "Vietnamese", "IBM EBCDIC", "Unicode", "Unicode",
};

bool IconvCanOpen(const std::string& name) {
  if (name.empty()) return false;
  iconv_t cd = iconv_open("UTF-32LE", name.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(cd);
  return true;
}

}  // namespace

const TTextEncodingInfo& EncodingInfo(TTextEncoding encoding) {
  VANTREL_ASSERT(encoding < kTextEncodingCount, "TextEncoding");
  return kEncodings[encoding];
}

std::string_view EncodingGroupName(int group) {
  VANTREL_ASSERT(group >= 0 && group < static_cast<int>(std::size(kGroupNames)), "TextEncoding");
  return kGroupNames[group];
}

std::string EncodingCaption(TTextEncoding encoding) {
  const TTextEncodingInfo& info = EncodingInfo(encoding);
  if (info.Group == 0) return info.Name;
  return std::string(EncodingGroupName(info.Group)) + " (" + info.Name + ")";
}

bool IsUnicodeEncoding(TTextEncoding encoding) { return encoding == vEncUnicodeLE || encoding == vEncUnicodeBE; }

int SystemAnsiCodePage() { return CodePage::Active().Number(); }

int SystemOemCodePage() {
  switch (SystemAnsiCodePage()) {
    case 1250: return 852;
    case 1251: return 866;
    case 1253: return 737;
    case 1254: return 857;
    case 1255: return 862;
    case 1256: return 864;
    case 1257: return 775;
    case 874: return 874;
    case 932: case 936: case 949: case 950: return SystemAnsiCodePage();
    default: return 437;
  }
}

int SystemMacCodePage() {
  switch (SystemAnsiCodePage()) {
    case 1250: return 10029;
    case 1251: return 10007;
    case 1253: return 10006;
    case 1254: return 10081;
    case 1255: return 10005;
    case 1256: return 10004;
    default: return 10000;
  }
}

std::string EncodingIconvName(int codePage) {
  if (codePage == 1) codePage = SystemOemCodePage();
  if (codePage == 2) codePage = SystemMacCodePage();
  if (codePage >= 28591 && codePage <= 28599) return "ISO-8859-" + std::to_string(codePage - 28590);
  switch (codePage) {
    case 28603: return "ISO-8859-13";
    case 28605: return "ISO-8859-15";
    case 38598: return "ISO-8859-8";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 21025: return "IBM1025";
    case 10000: return "MACINTOSH";
    case 10004: return "MACARABIC";
    case 10005: return "MACHEBREW";
    case 10006: return "MACGREEK";
    case 10007: return "MAC-CYRILLIC";
    case 10017: return "MAC-UK";
    case 10029: return "MAC-CENTRALEUROPE";
    case 10081: return "MACTURKISH";
    case 65000: return "UTF-7";
    case 65001: return "UTF-8";
    case 708: return "ASMO-708";
    case 37: return "IBM037";
    case 500: case 870: case 875: case 1026: case 1047: return "IBM" + std::to_string(codePage);
    default: break;
  }
  // The EBCDIC national variants 20273 ... 20905 are IBM273 ... IBM905.
  if (codePage > 20000 && codePage < 21000) return "IBM" + std::to_string(codePage - 20000);
  return codePage > 0 ? "CP" + std::to_string(codePage) : std::string();
}

bool EncodingAvailable(TTextEncoding encoding) {
  static const std::array<bool, kTextEncodingCount> available = [] {
    std::array<bool, kTextEncodingCount> flags{};
    for (int i = 0; i < kTextEncodingCount; ++i) {
      flags[i] = i <= vEncMac || IconvCanOpen(EncodingIconvName(kEncodings[i].CodePage));
    }
    return flags;
  }();
  VANTREL_ASSERT(encoding < kTextEncodingCount, "TextEncoding");
  return available[encoding];
}

std::vector<TEncodingMenuColumn> EncodingMenuColumns() {
  std::vector<TEncodingMenuColumn> columns(1);
  for (int i = 0; i < kTextEncodingCount; ++i) {
    const TTextEncoding encoding = TTextEncoding(i);
    if (IsUnicodeEncoding(encoding)) continue;
    const int group = kEncodings[i].Group;
    if (i > 0 && group != kEncodings[i - 1].Group) {
      if (group == 5 || group == 13) {
        columns.emplace_back();
      } else {
        columns.back().push_back({true, encoding});
      }
    }
    columns.back().push_back({false, encoding});
  }
  return columns;
}

}  // namespace vantrel
