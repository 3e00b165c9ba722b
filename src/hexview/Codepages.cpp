#include "hexview/Codepages.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/Assert.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

// Fallbacks for the generic encodings, as Unicode: KOI8-R, Mac Roman (bytes
// 128..255) and EBCDIC 037 (every byte). The ISO fallback is ISO 8859-1,
// whose bytes are their own code points.
constexpr char32_t kKoi8Table[128] = {
    0x2500, 0x2502, 0x250C, 0x2510, 0x2514, 0x2518, 0x251C, 0x2524, 0x252C, 0x2534, 0x253C, 0x2580,
    0x2584, 0x2588, 0x258C, 0x2590, 0x2591, 0x2592, 0x2593, 0x2320, 0x25A0, 0x2219, 0x221A, 0x2248,
    0x2264, 0x2265, 0x00A0, 0x2321, 0x00B0, 0x00B2, 0x00B7, 0x00F7, 0x2550, 0x2551, 0x2552, 0x0451,
    0x2553, 0x2554, 0x2555, 0x2556, 0x2557, 0x2558, 0x2559, 0x255A, 0x255B, 0x255C, 0x255D, 0x255E,
    0x255F, 0x2560, 0x2561, 0x0401, 0x2562, 0x2563, 0x2564, 0x2565, 0x2566, 0x2567, 0x2568, 0x2569,
    0x256A, 0x256B, 0x256C, 0x00A9, 0x044E, 0x0430, 0x0431, 0x0446, 0x0434, 0x0435, 0x0444, 0x0433,
    0x0445, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x044F, 0x0440, 0x0441,
    0x0442, 0x0443, 0x0436, 0x0432, 0x044C, 0x044B, 0x0437, 0x0448, 0x044D, 0x0449, 0x0447, 0x044A,
    0x042E, 0x0410, 0x0411, 0x0426, 0x0414, 0x0415, 0x0424, 0x0413, 0x0425, 0x0418, 0x0419, 0x041A,
    0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x042F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0416, 0x0412,
    0x042C, 0x042B, 0x0417, 0x0428, 0x042D, 0x0429, 0x0427, 0x042A,
};

constexpr char32_t kMacTable[128] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3,
    0x00E5, 0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3,
    0x00A7, 0x2022, 0x00B6, 0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA,
    0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D,
    0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02,
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, 0x00CB, 0x00C8, 0x00CD, 0x00CE,
    0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
};

constexpr char32_t kEbcdicTable[256] = {
    0x0000, 0x0001, 0x0002, 0x0003, 0x009C, 0x0009, 0x0086, 0x007F, 0x0097, 0x008D, 0x008E, 0x000B,
    0x000C, 0x000D, 0x000E, 0x000F, 0x0010, 0x0011, 0x0012, 0x0013, 0x009D, 0x0085, 0x0008, 0x0087,
    0x0018, 0x0019, 0x0092, 0x008F, 0x001C, 0x001D, 0x001E, 0x001F, 0x0080, 0x0081, 0x0082, 0x0083,
    0x0084, 0x000A, 0x0017, 0x001B, 0x0088, 0x0089, 0x008A, 0x008B, 0x008C, 0x0005, 0x0006, 0x0007,
    0x0090, 0x0091, 0x0016, 0x0093, 0x0094, 0x0095, 0x0096, 0x0004, 0x0098, 0x0099, 0x009A, 0x009B,
    0x0014, 0x0015, 0x009E, 0x001A, 0x0020, 0x00A0, 0x00E2, 0x00E4, 0x00E0, 0x00E1, 0x00E3, 0x00E5,
    0x00E7, 0x00F1, 0x00A2, 0x002E, 0x003C, 0x0028, 0x002B, 0x007C, 0x0026, 0x00E9, 0x00EA, 0x00EB,
    0x00E8, 0x00ED, 0x00EE, 0x00EF, 0x00EC, 0x00DF, 0x0021, 0x0024, 0x002A, 0x0029, 0x003B, 0x00AC,
    0x002D, 0x002F, 0x00C2, 0x00C4, 0x00C0, 0x00C1, 0x00C3, 0x00C5, 0x00C7, 0x00D1, 0x00A6, 0x002C,
    0x0025, 0x005F, 0x003E, 0x003F, 0x00F8, 0x00C9, 0x00CA, 0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF,
    0x00CC, 0x0060, 0x003A, 0x0023, 0x0040, 0x0027, 0x003D, 0x0022, 0x00D8, 0x0061, 0x0062, 0x0063,
    0x0064, 0x0065, 0x0066, 0x0067, 0x0068, 0x0069, 0x00AB, 0x00BB, 0x00F0, 0x00FD, 0x00FE, 0x00B1,
    0x00B0, 0x006A, 0x006B, 0x006C, 0x006D, 0x006E, 0x006F, 0x0070, 0x0071, 0x0072, 0x00AA, 0x00BA,
    0x00E6, 0x00B8, 0x00C6, 0x00A4, 0x00B5, 0x007E, 0x0073, 0x0074, 0x0075, 0x0076, 0x0077, 0x0078,
    0x0079, 0x007A, 0x00A1, 0x00BF, 0x00D0, 0x00DD, 0x00DE, 0x00AE, 0x005E, 0x00A3, 0x00A5, 0x00B7,
    0x00A9, 0x00A7, 0x00B6, 0x00BC, 0x00BD, 0x00BE, 0x005B, 0x005D, 0x00AF, 0x00A8, 0x00B4, 0x00D7,
    0x007B, 0x0041, 0x0042, 0x0043, 0x0044, 0x0045, 0x0046, 0x0047, 0x0048, 0x0049, 0x00AD, 0x00F4,
    0x00F6, 0x00F2, 0x00F3, 0x00F5, 0x007D, 0x004A, 0x004B, 0x004C, 0x004D, 0x004E, 0x004F, 0x0050,
    0x0051, 0x0052, 0x00B9, 0x00FB, 0x00FC, 0x00F9, 0x00FA, 0x00FF, 0x005C, 0x00F7, 0x0053, 0x0054,
    0x0055, 0x0056, 0x0057, 0x0058, 0x0059, 0x005A, 0x00B2, 0x00D4, 0x00D6, 0x00D2, 0x00D3, 0x00D5,
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039, 0x00B3, 0x00DB,
    0x00DC, 0x00D9, 0x00DA, 0x009F,
};

struct TConversion {
  std::string IconvName;              // empty: the active code page
  const char32_t* Fallback = nullptr;  // translate through this table first
  int FallbackFirst = 0;               // first byte the table covers
  bool IsoFallback = false;
  bool Unavailable = false;
};

TTextEncoding IsoEncodingForSystem() {
  switch (SystemAnsiCodePage()) {
    case 1250: return vEncCEuroISO;
    case 1251: return vEncCyrISO;
    case 1253: return vEncGreekISO;
    case 1254: return vEncTurISO;
    case 1255: return vEncHebISO1;
    case 1256: return vEncArISO;
    case 1257: return vEncBalISO1;
    default: return vEncWEuroISO1;
  }
}

TConversion WithEntryOrTable(TTextEncoding entry, const char32_t* table, int first) {
  TConversion conversion;
  if (EncodingAvailable(entry)) {
    conversion.IconvName = EncodingIconvName(EncodingInfo(entry).CodePage);
  } else {
    conversion.Fallback = table;
    conversion.FallbackFirst = first;
  }
  return conversion;
}

TConversion ConversionOf(TTextEncoding encoding) {
  VANTREL_ASSERT(!IsUnicodeEncoding(encoding) && encoding < kTextEncodingCount, "Codepages");
  switch (encoding) {
    case vEncANSI: return {};
    case vEncEBCDIC: return WithEntryOrTable(vEncEBUSCanada, kEbcdicTable, 0);
    case vEncKOI8: return WithEntryOrTable(vEncCyrKOI8R, kKoi8Table, 128);
    case vEncISO: {
      TConversion conversion = WithEntryOrTable(IsoEncodingForSystem(), nullptr, 128);
      conversion.IsoFallback = conversion.IconvName.empty();
      return conversion;
    }
    case vEncMac: {
      const std::string name = EncodingIconvName(2);
      iconv_t cd = iconv_open("UTF-32LE", name.c_str());
      if (cd == reinterpret_cast<iconv_t>(-1)) return {"", kMacTable, 128};
      iconv_close(cd);
      return {name};
    }
    default: {
      TConversion conversion;
      conversion.Unavailable = !EncodingAvailable(encoding);
      conversion.IconvName = EncodingIconvName(EncodingInfo(encoding).CodePage);
      return conversion;
    }
  }
}

// Bytes through a fallback table to the active code page's bytes.
std::string TranslateToAnsi(std::string_view text, const TConversion& conversion) {
  const CodePage& ansi = CodePage::Active();
  std::string out(text);
  if (!conversion.Fallback && !conversion.IsoFallback) return out;
  for (char& c : out) {
    const int byte = static_cast<uint8_t>(c);
    if (byte < conversion.FallbackFirst) continue;
    const char32_t cp = conversion.IsoFallback ? char32_t(byte) : conversion.Fallback[byte - conversion.FallbackFirst];
    const int mapped = ansi.FromUnicode(cp);
    c = static_cast<char>(mapped < 0 ? '?' : mapped);
  }
  return out;
}

// Bytes that do not convert become U+FFFD, one per byte, so a bad byte never
// hides the rest of the text.
std::optional<std::u32string> IconvDecode(const std::string& name, std::string_view text) {
  iconv_t cd = iconv_open("UTF-32LE", name.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::u32string result;
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
    const size_t produced = (sizeof buffer - outLeft) / 4;
    for (size_t i = 0; i < produced; ++i) {
      const auto* p = reinterpret_cast<const unsigned char*>(buffer + 4 * i);
      result.push_back(char32_t(p[0]) | char32_t(p[1]) << 8 | char32_t(p[2]) << 16 | char32_t(p[3]) << 24);
    }
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      // EILSEQ or an incomplete sequence at the end: skip one byte.
      result.push_back(0xFFFD);
      ++in;
      --inLeft;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return result;
}

std::u32string Convert(std::string_view text, const TConversion& conversion) {
  if (conversion.Unavailable) return U"?";
  if (conversion.Fallback || conversion.IsoFallback) return CodePage::Active().Decode(TranslateToAnsi(text, conversion));
  if (conversion.IconvName.empty()) return CodePage::Active().Decode(text);
  std::optional<std::u32string> wide = IconvDecode(conversion.IconvName, text);
  if (!wide || wide->empty()) return U"?";
  return *wide;
}

bool IsPlaceholder(char32_t cp) { return cp >= CodePage::kPlaceholderBase && cp < CodePage::kPlaceholderBase + 256; }

std::array<char32_t, 256> BuildByteTable(TTextEncoding encoding) {
  std::array<char32_t, 256> table{};
  const TConversion conversion = ConversionOf(encoding);
  if (conversion.Unavailable) return table;
  const CodePage& ansi = CodePage::Active();
  for (int b = 0; b < 256; ++b) {
    char32_t cp = 0;
    if (conversion.IconvName.empty()) {
      const std::string one = TranslateToAnsi(std::string(1, char(b)), conversion);
      const uint8_t byte = static_cast<uint8_t>(one[0]);
      cp = ansi.IsLeadByte(byte) ? 0 : ansi.ToUnicode(byte);
    } else {
      std::optional<std::u32string> wide = IconvDecode(conversion.IconvName, std::string_view(reinterpret_cast<const char*>(&b), 1));
      if (wide && wide->size() == 1) cp = (*wide)[0];
    }
    table[b] = cp == 0xFFFD || IsPlaceholder(cp) ? 0 : cp;
  }
  return table;
}

}  // namespace

std::u32string CodepageToUnicode(std::string_view text, TTextEncoding encoding) {
  if (IsUnicodeEncoding(encoding)) {
    AssertionFailed("Codepages", "Unicode encodings can't be passed to CodepageToUnicode", __FILE__, __LINE__);
  }
  if (text.empty()) return {};
  return Convert(text, ConversionOf(encoding));
}

const std::array<char32_t, 256>& EncodingByteTable(TTextEncoding encoding) {
  VANTREL_ASSERT(!IsUnicodeEncoding(encoding) && encoding < kTextEncodingCount, "Codepages");
  static std::mutex mutex;
  static std::array<std::unique_ptr<std::array<char32_t, 256>>, kTextEncodingCount> tables;
  std::lock_guard lock(mutex);
  auto& table = tables[encoding];
  if (!table) table = std::make_unique<std::array<char32_t, 256>>(BuildByteTable(encoding));
  return *table;
}

bool CopyTextInEncoding(Clipboard& clipboard, std::string_view text, TTextEncoding encoding) {
  if (text.empty()) return true;
  if (!clipboard.Open()) return false;
  clipboard.Clear();
  const std::u32string wide = CodepageToUnicode(text, encoding);
  // ANSI bytes go as they are; every other encoding (OEM too: this desktop
  // has no OEM clipboard text) as its wide text in
  // the active code page.
  const bool asBytes = encoding == vEncANSI;
  bool ok = clipboard.SetText(asBytes ? std::string(text) : CodePage::Active().Encode(wide));
  ok = clipboard.SetData(clipboard.RegisterFormat(kUnicodeTextFormat), Utf32ToUtf8(wide)) && ok;
  clipboard.Close();
  return ok;
}

}  // namespace vantrel
