// The search engine interface the editor drives one line at a time, the
// one-byte flag set it hands to engines, and the fixed-text engine.
// Tested by tests/search/CodeEditSearchTest.cpp and CodeEditRegexSearchTest.cpp
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

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
  // The replacement of the index-th match of the last line, found being its
  // text. Engines whose replacement depends on the match's surroundings in
  // the line (anchors, look-arounds, empty matches) override this.
  virtual std::string ReplacementTextAt(int32_t index, std::string_view found, std::string_view replacement) {
    (void)index;
    return ReplacementText(found, replacement);
  }
};

// Finds a literal with a skip search over single-byte text, optionally
// ignoring case (through the active code page) and accepting whole words
// only. Matches never overlap: the next candidate starts after a match.
class TCodeEditSearch : public TCodeEditSearchCustom {
 public:
  TCodeEditSearch();

  std::string GetPattern() const override { return pattern_; }
  void SetPattern(std::string_view value) override;
  int32_t MatchLength(int32_t index) const override;
  int32_t MatchPosition(int32_t index) const override;
  int32_t MatchCount() const override { return static_cast<int32_t>(results_.size()); }
  void SetSearchFlags(TSearchFlags flags) override;
  int32_t FindMatches(std::string_view line) override;
  std::string ReplacementText(std::string_view found, std::string_view replacement) override;

  // For tests: whether the skip tables are built for the current pattern
  // and case mode, and what the tables hold.
  bool TablesValid() const { return tablesValid_; }
  const std::array<uint8_t, 256>& FoldTable() const { return foldTable_; }
  const std::array<bool, 256>& DelimiterTable() const { return delimiterTable_; }
  const std::array<int32_t, 256>& ShiftTable() const { return shiftTable_; }
  int32_t RepeatDistance() const { return repeatDistance_; }
  // Off: every line goes through the skip search, which the anchor scan
  // must agree with (tests compare the two).
  void SetAnchorScan(bool on) { anchorScan_ = on; }

 private:
  void BuildFoldTable();
  void PrepareTables();
  bool Folded(uint8_t a, uint8_t b) const { return foldTable_[a] == foldTable_[b]; }
  bool SameAt(const uint8_t* text) const;
  bool IsWholeWord(const uint8_t* start, const uint8_t* end, const uint8_t* match) const;
  // The two ways through a line; both give the hits of the skip search.
  void ScanByAnchor(const uint8_t* start, const uint8_t* end);
  void ScanBySkips(const uint8_t* start, const uint8_t* end);

  std::string pattern_;
  bool caseSensitive_ = false;
  bool wholeWords_ = false;
  bool foldIsIdentity_ = false;
  std::array<uint8_t, 256> foldTable_{};
  std::array<bool, 256> delimiterTable_{};
  std::array<int32_t, 256> shiftTable_{};
  int32_t repeatDistance_ = 0;
  bool tablesValid_ = false;
  // The anchor: the pattern byte that is rarest in program text, and the raw
  // bytes that fold to it (at most two make a vector scan worth it).
  int32_t anchorIndex_ = 0;
  std::array<uint8_t, 2> anchorBytes_{};
  int anchorByteCount_ = 0;
  bool anchorScan_ = true;
  std::vector<int32_t> results_;
};

}  // namespace vantrel
