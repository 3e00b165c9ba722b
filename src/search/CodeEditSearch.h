// The search engine interface the editor drives one line at a time, and the
// one-byte flag set it hands to engines.
// Tested by tests/search/CodeEditRegexSearchTest.cpp
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/Exception.h"

namespace vantrel {

// Bit numbers are fixed: callers build the byte directly.
enum TSearchOption : uint8_t {
  srCaseSensitive = 0,
  srWholeWords = 1,
  srBackwards = 2,
  srEntireText = 3,
  srSelectedOnly = 4,
  srReplace = 5,
  srReplaceAll = 6,
  srConfirm = 7,
};

class TSearchFlags {
 public:
  constexpr TSearchFlags() = default;
  constexpr TSearchFlags(std::initializer_list<TSearchOption> options) {
    for (TSearchOption option : options) Include(option);
  }
  static constexpr TSearchFlags FromByte(uint8_t bits) {
    TSearchFlags flags;
    flags.bits_ = bits;
    return flags;
  }
  constexpr uint8_t Byte() const { return bits_; }
  constexpr bool Contains(TSearchOption option) const { return (bits_ >> option) & 1u; }
  constexpr TSearchFlags& Include(TSearchOption option) {
    bits_ = static_cast<uint8_t>(bits_ | (1u << option));
    return *this;
  }
  constexpr TSearchFlags& Exclude(TSearchOption option) {
    bits_ = static_cast<uint8_t>(bits_ & ~(1u << option));
    return *this;
  }
  constexpr bool operator==(const TSearchFlags&) const = default;

 private:
  uint8_t bits_ = 0;
};

// Raised by engines for an index outside their result lists.
class ESearchListError : public Exception {
 public:
  using Exception::Exception;
};

// One engine serves every editor, one search at a time; results describe the
// last line handed to FindMatches and stay valid until the next call.
class TCodeEditSearchCustom {
 public:
  TCodeEditSearchCustom() = default;
  virtual ~TCodeEditSearchCustom() = default;
  TCodeEditSearchCustom(const TCodeEditSearchCustom&) = delete;  // owned by a form, shared by editors
  TCodeEditSearchCustom& operator=(const TCodeEditSearchCustom&) = delete;

  virtual std::string GetPattern() const = 0;
  virtual void SetPattern(std::string_view value) = 0;
  // Length in bytes of the index-th match (0-based) of the last line.
  virtual int32_t MatchLength(int32_t index) const = 0;
  // 1-based column where the index-th match of the last line begins.
  virtual int32_t MatchPosition(int32_t index) const = 0;
  virtual int32_t MatchCount() const = 0;
  virtual void SetSearchFlags(TSearchFlags flags) = 0;
  virtual int32_t FindMatches(std::string_view line) = 0;
  virtual std::string ReplacementText(std::string_view found, std::string_view replacement) = 0;
};

}  // namespace vantrel
