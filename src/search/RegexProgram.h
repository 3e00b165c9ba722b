// The compiled form of a regular expression: a byte program of linked nodes,
// plus the facts the searcher uses to skip start positions that cannot match.
// Tested by tests/search/RegexTest.cpp
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace vantrel {

// Node opcodes; the numbers are part of the program format.
enum TRegexNodeKind : uint8_t {
  nkEnd = 0,
  nkInputStart = 1,
  nkInputEnd = 2,
  nkAny = 3,
  nkBranch = 6,
  nkBack = 7,
  nkExact = 8,
  nkNothing = 9,
  nkStar = 10,
  nkPlus = 11,
  nkDigit = 12,
  nkNotDigit = 13,
  nkBraces = 18,
  nkComment = 19,
  nkExactFold = 20,
  nkLoopEntry = 23,
  nkLoop = 24,
  nkAnyOfSmall = 25,
  nkAnyButSmall = 26,
  nkAnyOfSet = 27,
  nkBackRef = 28,
  nkBackRefFold = 29,
  nkStarLazy = 30,
  nkPlusLazy = 31,
  nkBracesLazy = 32,
  nkLoopLazy = 33,
  nkLineStart = 34,
  nkLineEnd = 35,
  nkAnyInLine = 36,
  nkWordBoundary = 37,
  nkNotWordBoundary = 38,
  nkOpen = 39,   // + group number 1..14
  nkClose = 54,  // + group number 1..14
};

constexpr int kRegexGroupCount = 15;  // group 0 is the whole match
constexpr int kRegexMaxGroup = 14;
constexpr uint8_t kRegexSignature = 216;
constexpr int kRegexNodeHeader = 5;  // opcode + signed 32-bit offset to the next node
constexpr int32_t kRegexInfinity = 2147483646;
constexpr int kRegexLoopStackSize = 10;

// 256-bit character set.
struct TCharSet {
  std::array<uint64_t, 4> bits{};

  bool Has(uint8_t c) const { return (bits[c >> 6] >> (c & 63)) & 1u; }
  void Add(uint8_t c) { bits[c >> 6] |= uint64_t{1} << (c & 63); }
  void AddRange(int from, int to) {
    for (int c = from; c <= to; ++c) Add(static_cast<uint8_t>(c));
  }
  void AddSet(const TCharSet& other) {
    for (int i = 0; i < 4; ++i) bits[i] |= other.bits[i];
  }
  bool Intersects(const TCharSet& other) const {
    for (int i = 0; i < 4; ++i) {
      if ((bits[i] & other.bits[i]) != 0) return true;
    }
    return false;
  }
  void Fill() { bits.fill(~uint64_t{0}); }
  void Invert() {
    for (auto& word : bits) word = ~word;
  }
  bool Full() const {
    return (bits[0] & bits[1] & bits[2] & bits[3]) == ~uint64_t{0};
  }
  int Count() const {
    int n = 0;
    for (auto word : bits) n += std::popcount(word);
    return n;
  }
  bool operator==(const TCharSet&) const = default;
};

inline int32_t RegexReadInt(const uint8_t* p) {
  int32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

inline void RegexWriteInt(uint8_t* p, int32_t v) { std::memcpy(p, &v, sizeof v); }

// Up to four (first byte, second byte) pairs one of which every match
// starts with; a second byte of 0 accepts any. count 0: no scan.
struct TRegexStartScan {
  static constexpr int kMaxBytes = 4;
  int count = 0;
  std::array<uint8_t, kMaxBytes> first{};
  std::array<uint8_t, kMaxBytes> second{};
};

struct TRegexProgram {
  std::vector<uint8_t> code;  // code[0] is the signature, the first node follows
  int modifiers = 0;          // modifiers the program was compiled with
  TCharSet firstCharSet;
  bool anchored = false;
  uint8_t startChar = 0;  // 0 = none
  int32_t requiredOffset = -1;  // offset of the required literal's text in code
  int32_t requiredLength = 0;
  // Every match begins with the required literal (only zero-width nodes
  // come before it), so its occurrences are the only start positions.
  bool requiredAtStart = false;
  int32_t requiredRare = 0;  // index of the literal's byte least common in text: memchr looks for it
  // firstCharSet as a byte table: one load per position in the scan.
  std::array<uint8_t, 256> firstTable{};
  // Offsets in code of NUL-terminated literals one of which every match
  // starts with (an alternation of plain words); empty when unknown.
  std::vector<int32_t> leadLiterals;
  // Anchored programs that begin with a greedy repeat whose operand shares
  // nothing with what follows: a match needs a following character right
  // after the run, so most lines fail on two table scans. Neither table
  // holds NUL, which ends every input.
  TRegexStartScan startScan;
  bool anchoredRunCheck = false;
  std::array<uint8_t, 256> anchoredRun{};
  std::array<uint8_t, 256> anchoredFollow{};

  // Per node (indexed by node offset): index into sets of what may come
  // first on the path the node leads to; -1 where nothing was computed.
  // Branches: their own alternative. Repeats: what follows the repeat.
  // Counted loops: at the node offset what follows the loop, at offset + 1
  // what starts the body.
  std::vector<int32_t> nodeSet;
  std::vector<TCharSet> sets;
  // Greedy simple repeats (by node offset) whose operand shares no
  // character with what may follow: only the longest count can go on.
  std::vector<bool> exclusiveRepeat;

  // Facts that let the searcher reuse what one failed start position
  // learnt at the next ones; both need a program without back-references,
  // whose continuation from a node depends on the position alone.
  // leadRepeat: a repeat without upper bound of a single character that
  // every match starts with (after zero-width nodes only); 0 when none.
  int32_t leadRepeat = 0;
  // memoSlot (indexed by node offset): the failure-memo slot of each
  // alternation head, -1 for other nodes; memoSlots is their number.
  std::vector<int32_t> memoSlot;
  int32_t memoSlots = 0;
  int32_t nodeCount = 0;

  // Tables fixed at compile time.
  std::array<uint8_t, 256> invertCase{};
  TCharSet wordChars;
  TCharSet lineSeparators;
  std::string pairedSeparator;  // empty or two different bytes

  int32_t Next(int32_t node) const {
    int32_t offset = RegexReadInt(&code[node + 1]);
    return offset == 0 ? 0 : node + offset;
  }
  const TCharSet* SetOf(int32_t index) const {
    int32_t s = nodeSet.empty() ? -1 : nodeSet[index];
    return s < 0 ? nullptr : &sets[s];
  }
};

}  // namespace vantrel
