// 8-bit (and double-byte) code page tables: bytes <-> Unicode, case maps,
// letter-or-digit classification and lead bytes, built once with iconv.
// Tested by tests/platform/CodePageTest.cpp
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include "platform/Exception.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vantrel {

// Raised when a code page is unknown to the conversion library.
class ECodePage : public Exception {
 public:
  using Exception::Exception;
};

class CodePage {
 public:
  // Bytes a code page leaves undefined decode to this private-use block
  // (base + byte), so that decoding and encoding never change a byte.
  static constexpr char32_t kPlaceholderBase = 0xF700;

  // Builds the tables for a Windows-style code page number (1252, 936, ...).
  // Throws ECodePage when the platform cannot convert it.
  explicit CodePage(int number);
  CodePage(const CodePage&) = delete;  // tables are large and immutable: share by reference
  CodePage& operator=(const CodePage&) = delete;

  // The code page the editor's text is in: 1252 unless VANTREL_CODEPAGE names
  // another; tests may switch it with SetActive.
  static const CodePage& Active();
  static void SetActive(int number);
  static bool IsSupported(int number);
  // The iconv name for a code page number ("CP1252", "ISO-8859-5", ...).
  static std::string IconvName(int number);
  // The console's charset (the locale's), used for the output of commands.
  static std::string ConsoleCharset();

  int Number() const { return number_; }
  bool IsDoubleByte() const { return doubleByte_; }

  // Unicode of a single byte (a lead byte alone gives its placeholder).
  char32_t ToUnicode(uint8_t byte) const { return toUnicode_[byte]; }
  // The single byte for a code point, or -1 when the code page has none.
  int FromUnicode(char32_t cp) const;

  uint8_t ToUpper(uint8_t byte) const { return upper_[byte]; }
  uint8_t ToLower(uint8_t byte) const { return lower_[byte]; }
  bool IsAlnum(uint8_t byte) const { return alnum_[byte]; }
  bool IsLeadByte(uint8_t byte) const { return lead_[byte]; }

  // Case of every single-byte character; double-byte pairs stay as they are.
  void UpperCase(std::string& text) const;
  void LowerCase(std::string& text) const;
  // Replaces each single-byte character by map(byte, index). A lead byte and
  // its trail are one character and are left alone: a trail byte may look
  // like an ASCII letter.
  template <typename Map>
  void MapSingleBytes(std::string& text, Map map) const {
    for (size_t i = 0; i < text.size(); ++i) {
      const uint8_t byte = static_cast<uint8_t>(text[i]);
      if (doubleByte_ && lead_[byte] && i + 1 < text.size()) {
        ++i;
        continue;
      }
      text[i] = static_cast<char>(map(byte, i));
    }
  }

  // Text of this code page to UTF-32 and back. Double-byte pairs decode to
  // one code point; bytes that have no character decode to placeholders,
  // which encode back to the same byte. Unmappable code points encode as '?'.
  std::u32string Decode(std::string_view bytes) const;
  std::string Encode(std::u32string_view text) const;
  // UTF-8 conveniences over Decode/Encode (for clipboard and drawing).
  std::string ToUtf8(std::string_view bytes) const;
  std::string FromUtf8(std::string_view utf8) const;

 private:
  char32_t DecodePair(uint8_t lead, uint8_t trail) const;
  std::string EncodeWide(char32_t cp) const;

  int number_;
  std::string iconvName_;
  bool doubleByte_ = false;
  std::array<char32_t, 256> toUnicode_{};
  std::array<uint8_t, 256> upper_{};
  std::array<uint8_t, 256> lower_{};
  std::array<bool, 256> alnum_{};
  std::array<bool, 256> lead_{};
  std::unordered_map<char32_t, uint8_t> fromUnicode_;
  // Double-byte rows, filled on first use: one 256-entry row per lead byte.
  mutable std::mutex pairMutex_;
  mutable std::array<std::unique_ptr<std::array<char32_t, 256>>, 256> pairRows_;
};

// UTF-32 <-> UTF-8 without any code page involved.
std::string Utf32ToUtf8(std::u32string_view text);
std::u32string Utf8ToUtf32(std::string_view text);

// Converts bytes between two iconv charsets; unconvertible input becomes '?'.
std::string ConvertCharset(std::string_view bytes, const std::string& from, const std::string& to);

}  // namespace vantrel
