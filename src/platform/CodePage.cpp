#include "platform/CodePage.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <wctype.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vantrel {

namespace {

constexpr const char* kWide = "UTF-32LE";

// RAII around an iconv descriptor.
class Iconv {
 public:
  Iconv(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;  // owns a descriptor
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

  // Converts the whole input; returns 0 on success or the errno of the failure.
  int convert(const char* in, size_t inLen, char* out, size_t outCap, size_t& outLen) {
    reset();
    char* inPtr = const_cast<char*>(in);
    char* outPtr = out;
    size_t outLeft = outCap;
    size_t rc = iconv(cd_, &inPtr, &inLen, &outPtr, &outLeft);
    outLen = outCap - outLeft;
    if (rc == static_cast<size_t>(-1)) return errno;
    // A stateful encoding may still have bytes to emit.
    rc = iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);
    outLen = outCap - outLeft;
    return rc == static_cast<size_t>(-1) ? errno : 0;
  }

 private:
  iconv_t cd_;
};

char32_t ReadWide(const char* p) {
  char32_t cp = 0;
  for (int i = 3; i >= 0; --i) cp = (cp << 8) | static_cast<uint8_t>(p[i]);
  return cp;
}

locale_t Utf8Locale() {
  static locale_t loc = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (!l) l = newlocale(LC_CTYPE_MASK, "C.utf8", static_cast<locale_t>(nullptr));
    return l;
  }();
  return loc;
}

bool IsDoubleByteNumber(int number) {
  return number == 932 || number == 936 || number == 949 || number == 950;
}

std::mutex& ActiveMutex() {
  static std::mutex m;
  return m;
}

// Every page built stays alive: callers may still hold a reference to one
// that is no longer active, and switching back to it reuses its tables.
// Callers hold ActiveMutex().
const CodePage& BuiltPage(int number) {
  static std::vector<std::unique_ptr<CodePage>> built;
  for (const auto& page : built) {
    if (page->Number() == number) return *page;
  }
  built.push_back(std::make_unique<CodePage>(number));
  return *built.back();
}

const CodePage*& ActivePage() {
  static const CodePage* active = nullptr;
  return active;
}

int DefaultActiveNumber() {
  const char* env = std::getenv("VANTREL_CODEPAGE");
  if (env && *env) {
    int n = std::atoi(env);
    if (n > 0 && CodePage::IsSupported(n)) return n;
  }
  return 1252;
}

}  // namespace

std::string CodePage::IconvName(int number) {
  if (number >= 28591 && number <= 28599) return "ISO-8859-" + std::to_string(number - 28590);
  if (number == 28603) return "ISO-8859-13";
  if (number == 28605) return "ISO-8859-15";
  switch (number) {
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 10000: return "MACINTOSH";
    case 20127: return "ASCII";
    case 65001: return "UTF-8";
    default: return "CP" + std::to_string(number);
  }
}

bool CodePage::IsSupported(int number) {
  Iconv probe(kWide, IconvName(number));
  return number != 65001 && probe.ok();
}

CodePage::CodePage(int number) : number_(number), iconvName_(IconvName(number)) {
  Iconv decoder(kWide, iconvName_);
  if (number == 65001 || !decoder.ok()) {
    throw ECodePage("Code page " + std::to_string(number) + " is not supported");
  }
  doubleByte_ = IsDoubleByteNumber(number);
  char out[16];
  for (int b = 0; b < 256; ++b) {
    char in = static_cast<char>(b);
    size_t outLen = 0;
    int err = decoder.convert(&in, 1, out, sizeof out, outLen);
    if (err == 0 && outLen == 4) {
      toUnicode_[b] = ReadWide(out);
    } else {
      toUnicode_[b] = kPlaceholderBase + b;
      lead_[b] = doubleByte_ && err == EINVAL;
    }
  }
  // Earlier bytes win should two bytes decode to the same character.
  for (int b = 0; b < 256; ++b) fromUnicode_.emplace(toUnicode_[b], static_cast<uint8_t>(b));
  locale_t loc = Utf8Locale();
  for (int b = 0; b < 256; ++b) {
    char32_t cp = toUnicode_[b];
    bool placeholder = cp >= kPlaceholderBase && cp < kPlaceholderBase + 256;
    upper_[b] = lower_[b] = static_cast<uint8_t>(b);
    if (placeholder || lead_[b]) continue;
    if (!loc) {
      if (b < 128) {
        upper_[b] = static_cast<uint8_t>(std::toupper(b));
        lower_[b] = static_cast<uint8_t>(std::tolower(b));
        alnum_[b] = std::isalnum(b);
      }
      continue;
    }
    alnum_[b] = iswalnum_l(static_cast<wint_t>(cp), loc) != 0;
    int up = FromUnicode(static_cast<char32_t>(towupper_l(static_cast<wint_t>(cp), loc)));
    int low = FromUnicode(static_cast<char32_t>(towlower_l(static_cast<wint_t>(cp), loc)));
    if (up >= 0) upper_[b] = static_cast<uint8_t>(up);
    if (low >= 0) lower_[b] = static_cast<uint8_t>(low);
  }
}

const CodePage& CodePage::Active() {
  std::lock_guard<std::mutex> lock(ActiveMutex());
  const CodePage*& active = ActivePage();
  if (!active) active = &BuiltPage(DefaultActiveNumber());
  return *active;
}

void CodePage::SetActive(int number) {
  std::lock_guard<std::mutex> lock(ActiveMutex());
  ActivePage() = &BuiltPage(number);
}

std::string CodePage::ConsoleCharset() {
  locale_t loc = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
  if (!loc) return "ANSI_X3.4-1968";
  std::string name = nl_langinfo_l(CODESET, loc);
  freelocale(loc);
  return name;
}

int CodePage::FromUnicode(char32_t cp) const {
  auto it = fromUnicode_.find(cp);
  return it == fromUnicode_.end() ? -1 : it->second;
}

void CodePage::UpperCase(std::string& text) const {
  MapSingleBytes(text, [this](uint8_t byte, size_t) { return upper_[byte]; });
}

void CodePage::LowerCase(std::string& text) const {
  MapSingleBytes(text, [this](uint8_t byte, size_t) { return lower_[byte]; });
}

char32_t CodePage::DecodePair(uint8_t lead, uint8_t trail) const {
  std::lock_guard<std::mutex> lock(pairMutex_);
  auto& row = pairRows_[lead];
  if (!row) {
    row = std::make_unique<std::array<char32_t, 256>>();
    Iconv decoder(kWide, iconvName_);
    char out[16];
    for (int t = 0; t < 256; ++t) {
      char in[2] = {static_cast<char>(lead), static_cast<char>(t)};
      size_t outLen = 0;
      int err = decoder.convert(in, 2, out, sizeof out, outLen);
      (*row)[t] = (err == 0 && outLen == 4) ? ReadWide(out) : 0;
    }
  }
  return (*row)[trail];
}

std::u32string CodePage::Decode(std::string_view bytes) const {
  std::u32string result;
  result.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    uint8_t b = static_cast<uint8_t>(bytes[i]);
    if (lead_[b] && i + 1 < bytes.size()) {
      char32_t cp = DecodePair(b, static_cast<uint8_t>(bytes[i + 1]));
      if (cp != 0) {
        result.push_back(cp);
        ++i;
        continue;
      }
    }
    result.push_back(toUnicode_[b]);
  }
  return result;
}

std::string CodePage::EncodeWide(char32_t cp) const {
  Iconv encoder(iconvName_, kWide);
  char in[4];
  for (int i = 0; i < 4; ++i) in[i] = static_cast<char>((cp >> (8 * i)) & 0xFF);
  char out[16];
  size_t outLen = 0;
  if (encoder.ok() && encoder.convert(in, 4, out, sizeof out, outLen) == 0 && outLen > 0) {
    return std::string(out, outLen);
  }
  return "?";
}

std::string CodePage::Encode(std::u32string_view text) const {
  std::string result;
  result.reserve(text.size());
  for (char32_t cp : text) {
    int b = FromUnicode(cp);
    if (b >= 0) {
      result.push_back(static_cast<char>(b));
    } else if (doubleByte_) {
      result += EncodeWide(cp);
    } else {
      result.push_back('?');
    }
  }
  return result;
}

std::string CodePage::ToUtf8(std::string_view bytes) const { return Utf32ToUtf8(Decode(bytes)); }

std::string CodePage::FromUtf8(std::string_view utf8) const { return Encode(Utf8ToUtf32(utf8)); }

std::string Utf32ToUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t cp : text) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::u32string Utf8ToUtf32(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    uint8_t b = static_cast<uint8_t>(text[i]);
    int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + extra >= text.size()) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    char32_t cp = extra == 0 ? b : (b & (0x3F >> extra));
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      uint8_t c = static_cast<uint8_t>(text[i + k]);
      if ((c & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!valid) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    out.push_back(cp);
    i += extra + 1;
  }
  return out;
}

std::string ConvertCharset(std::string_view bytes, const std::string& from, const std::string& to) {
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
  std::string out;
  std::vector<char> chunk(4096);
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* outPtr = chunk.data();
    size_t outLeft = chunk.size();
    size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(chunk.data(), chunk.size() - outLeft);
    if (rc == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      out.push_back('?');
      if (errno == EINVAL) break;  // truncated sequence at the end
      ++in;
      --inLeft;
    }
  }
  char* outPtr = chunk.data();
  size_t outLeft = chunk.size();
  iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
  out.append(chunk.data(), chunk.size() - outLeft);
  iconv_close(cd);
  return out;
}

}  // namespace vantrel
