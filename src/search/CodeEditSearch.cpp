// The fixed-text search engine: a skip search over single-byte text with a
// fold table for ignoring case and a delimiter table for whole words.
// Tested by tests/search/CodeEditSearchTest.cpp
#include "search/CodeEditSearch.h"

#include <cstring>

#include "platform/CodePage.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantrel {

namespace {

// Bytes of program text and logs, most frequent first; a byte not listed
// counts as rarer than all of them. Only the order matters: it picks the
// pattern byte whose occurrences the scan stops at.
constexpr std::string_view kCommonBytes =
    " e\tt\nainosrlcdu;hmp(),f_=.g\"b*/y-v0x:1w>k2<{}[]&#'!+q|\\jz3456789?%@$~^`";

int Commonness(uint8_t folded) {
  const size_t rank = kCommonBytes.find(static_cast<char>(folded));
  return rank == std::string_view::npos ? -1 : static_cast<int>(kCommonBytes.size() - rank);
}

// The first byte in [p, end) equal to a or b, or end.
const uint8_t* FindEither(const uint8_t* p, const uint8_t* end, uint8_t a, uint8_t b) {
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(static_cast<char>(a));
  const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
  while (end - p >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, va), _mm_cmpeq_epi8(block, vb)));
    if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
    p += 16;
  }
#endif
  while (p < end && *p != a && *p != b) ++p;
  return p;
}

}  // namespace

TCodeEditSearch::TCodeEditSearch() {
  const CodePage& cp = CodePage::Active();
  for (int b = 0; b < 256; ++b) delimiterTable_[b] = !cp.IsAlnum(static_cast<uint8_t>(b)) && b != '_';
  BuildFoldTable();
}

void TCodeEditSearch::BuildFoldTable() {
  const CodePage& cp = CodePage::Active();
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<uint8_t>(b);
    foldTable_[b] = caseSensitive_ ? byte : cp.ToLower(byte);
  }
  foldIsIdentity_ = caseSensitive_;
}

void TCodeEditSearch::SetPattern(std::string_view value) {
  if (value == pattern_) return;
  pattern_ = std::string(value);
  tablesValid_ = false;
}

void TCodeEditSearch::SetSearchFlags(TSearchFlags flags) {
  const bool caseSensitive = flags.Contains(srCaseSensitive);
  if (caseSensitive != caseSensitive_) {
    caseSensitive_ = caseSensitive;
    BuildFoldTable();
    tablesValid_ = false;
  }
  wholeWords_ = flags.Contains(srWholeWords);
}

int32_t TCodeEditSearch::MatchLength(int32_t) const { return static_cast<int32_t>(pattern_.size()); }

int32_t TCodeEditSearch::MatchPosition(int32_t index) const {
  return index >= 0 && index < MatchCount() ? results_[index] : 0;
}

std::string TCodeEditSearch::ReplacementText(std::string_view, std::string_view replacement) {
  return std::string(replacement);
}

void TCodeEditSearch::PrepareTables() {
  const auto n = static_cast<int32_t>(pattern_.size());
  if (n == 0) throw Exception("Pattern is empty");
  const auto* pat = reinterpret_cast<const uint8_t*>(pattern_.data());
  shiftTable_.fill(n + 1);
  for (int32_t i = 1; i <= n; ++i) shiftTable_[foldTable_[pat[i - 1]]] = n + 1 - i;
  const uint8_t last = foldTable_[pat[n - 1]];
  repeatDistance_ = 1;
  while (repeatDistance_ < n && last != foldTable_[pat[n - 1 - repeatDistance_]]) ++repeatDistance_;

  // The rarest pattern byte whose folded class has at most two raw bytes.
  anchorByteCount_ = 0;
  int best = 0;
  for (int32_t i = 0; i < n; ++i) {
    const uint8_t folded = foldTable_[pat[i]];
    std::array<uint8_t, 2> raw{};
    int count = 0;
    for (int b = 0; b < 256 && count <= 2; ++b) {
      if (foldTable_[b] != folded) continue;
      if (count < 2) raw[count] = static_cast<uint8_t>(b);
      ++count;
    }
    if (count > 2) continue;
    const int score = Commonness(folded);
    if (anchorByteCount_ == 0 || score < best) {
      best = score;
      anchorIndex_ = i;
      anchorBytes_ = raw;
      anchorByteCount_ = count;
    }
  }
  tablesValid_ = true;
}

bool TCodeEditSearch::SameAt(const uint8_t* text) const {
  const auto* pat = reinterpret_cast<const uint8_t*>(pattern_.data());
  const size_t n = pattern_.size();
  if (foldIsIdentity_) return std::memcmp(text, pat, n) == 0;
  for (size_t i = 0; i < n; ++i) {
    if (foldTable_[text[i]] != foldTable_[pat[i]]) return false;
  }
  return true;
}

bool TCodeEditSearch::IsWholeWord(const uint8_t* start, const uint8_t* end, const uint8_t* match) const {
  const uint8_t* after = match + pattern_.size();
  // Past the end stands the line's terminating zero, a delimiter.
  return (match == start || delimiterTable_[match[-1]]) && (after == end || delimiterTable_[*after]);
}

int32_t TCodeEditSearch::FindMatches(std::string_view line) {
  results_.clear();
  if (!tablesValid_) PrepareTables();
  const auto* start = reinterpret_cast<const uint8_t*>(line.data());
  const uint8_t* end = start + line.size();
  if (line.size() < pattern_.size()) return 0;
  if (anchorByteCount_ > 0 && anchorScan_) {
    ScanByAnchor(start, end);
  } else {
    ScanBySkips(start, end);
  }
  return MatchCount();
}

// Stops only where the anchor byte occurs (memchr or a vector compare) and
// checks the pattern around it: the leftmost match at or after the cursor
// is found first, as the skip search finds it.
void TCodeEditSearch::ScanByAnchor(const uint8_t* start, const uint8_t* end) {
  const auto n = static_cast<ptrdiff_t>(pattern_.size());
  const ptrdiff_t k = anchorIndex_;
  const uint8_t* lastAnchor = end - n + k;  // one past the last useful anchor position
  const uint8_t* from = start + k;
  while (from <= lastAnchor) {
    const uint8_t* hit;
    if (anchorByteCount_ == 1) {
      hit = static_cast<const uint8_t*>(std::memchr(from, anchorBytes_[0], static_cast<size_t>(lastAnchor + 1 - from)));
      if (!hit) return;
    } else {
      hit = FindEither(from, lastAnchor + 1, anchorBytes_[0], anchorBytes_[1]);
      if (hit > lastAnchor) return;
    }
    const uint8_t* match = hit - k;
    if (SameAt(match) && (!wholeWords_ || IsWholeWord(start, end, match))) {
      results_.push_back(static_cast<int32_t>(match - start) + 1);
      from = match + n + k;
    } else {
      from = hit + 1;
    }
  }
}

// The skip search as such: on a mismatch of the last byte jump by the table
// entry of the byte after the window; after a partial match jump by the
// repeat distance and the table entry of the byte found there.
void TCodeEditSearch::ScanBySkips(const uint8_t* start, const uint8_t* end) {
  const auto n = static_cast<ptrdiff_t>(pattern_.size());
  const ptrdiff_t length = end - start;
  const uint8_t last = foldTable_[static_cast<uint8_t>(pattern_.back())];
  auto byteAt = [&](ptrdiff_t at) -> uint8_t { return at < length ? start[at] : 0; };
  ptrdiff_t run = -1;
  for (;;) {
    run += n;
    bool found = false;
    while (run < length) {
      if (foldTable_[start[run]] != last) {
        run += shiftTable_[foldTable_[byteAt(run + 1)]];
        continue;
      }
      const uint8_t* match = start + run - n + 1;
      if (SameAt(match) && (!wholeWords_ || IsWholeWord(start, end, match))) {
        results_.push_back(static_cast<int32_t>(match - start) + 1);
        found = true;
        break;
      }
      run += repeatDistance_;
      if (run >= length) return;
      run += shiftTable_[foldTable_[start[run]]] - 1;
    }
    if (!found) return;
  }
}

}  // namespace vantrel
