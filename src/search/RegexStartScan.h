// Finds the next position whose first bytes may start a match, sixteen
// positions at a time, for programs whose matches start with few bytes;
// and the required literal in a line.
// Tested by tests/search/RegexTest.cpp
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "search/RegexProgram.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantrel {

// Finds `literal` in text[0, length) by looking for its byte at index
// `rare` with memchr and comparing the rest; quicker than memmem on lines.
inline const uint8_t* RegexFindLiteral(const uint8_t* text, size_t length, const uint8_t* literal,
                                       size_t literalLength, size_t rare) {
  if (literalLength == 0) return text;
  if (literalLength > length) return nullptr;
#if defined(__SSE2__)
  // With room for a block: sixteen starts at a time whose first and last
  // bytes match, which common rare bytes (a "c" in C) hit far less often.
  if (literalLength >= 2 && length - literalLength + 1 >= 16) {
    const size_t starts = length - literalLength + 1;
    const __m128i first = _mm_set1_epi8(static_cast<char>(literal[0]));
    const __m128i last = _mm_set1_epi8(static_cast<char>(literal[literalLength - 1]));
    // Bit i: start at + i matches at both ends. Reads text[at, at + 15 + literalLength).
    auto block = [&](size_t at) {
      const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
      const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at + literalLength - 1));
      return static_cast<unsigned>(
          _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(head, first), _mm_cmpeq_epi8(tail, last))));
    };
    auto verify = [&](size_t at, unsigned mask) -> const uint8_t* {
      for (; mask != 0; mask &= mask - 1) {
        const uint8_t* candidate = text + at + static_cast<size_t>(__builtin_ctz(mask));
        if (literalLength <= 2 || std::memcmp(candidate + 1, literal + 1, literalLength - 2) == 0) return candidate;
      }
      return nullptr;
    };
    size_t at = 0;
    for (; at + 16 <= starts; at += 16) {
      if (const uint8_t* hit = verify(at, block(at))) return hit;
    }
    if (at < starts) {
      // The last block overlaps the one before; drop the starts it covered.
      const size_t base = starts - 16;
      return verify(at, block(base) >> (at - base));
    }
    return nullptr;
  }
#endif
  const uint8_t* from = text + rare;
  const uint8_t* last = text + (length - literalLength) + rare;  // last place the rare byte may be
  while (from <= last) {
    const void* hit = std::memchr(from, literal[rare], static_cast<size_t>(last - from) + 1);
    if (hit == nullptr) return nullptr;
    const uint8_t* at = static_cast<const uint8_t*>(hit) - rare;
    // The first and last bytes inline: most false hits fail there, without a call.
    if (at[0] == literal[0] && at[literalLength - 1] == literal[literalLength - 1] &&
        (literalLength <= 2 || std::memcmp(at + 1, literal + 1, literalLength - 2) == 0)) {
      return at;
    }
    from = static_cast<const uint8_t*>(hit) + 1;
  }
  return nullptr;
}

// Fills the scan of `program` from its leading literals (first two bytes)
// or its first characters; leaves it off when neither is short.
inline void RegexPrepareStartScan(TRegexProgram& program) {
  TRegexStartScan& scan = program.startScan;
  scan = TRegexStartScan();
  if (!program.leadLiterals.empty() && program.leadLiterals.size() <= TRegexStartScan::kMaxBytes) {
    for (const int32_t offset : program.leadLiterals) {
      scan.first[scan.count] = program.code[offset];
      scan.second[scan.count] = program.code[offset + 1];  // NUL for one byte: any second byte
      ++scan.count;
    }
    return;
  }
  // A set holding NUL may match at the end, which the scan never reports.
  if (program.firstCharSet.Count() > TRegexStartScan::kMaxBytes || program.firstCharSet.Has(0)) return;
  for (int c = 1; c < 256; ++c) {
    if (program.firstCharSet.Has(static_cast<uint8_t>(c))) scan.first[scan.count++] = static_cast<uint8_t>(c);
  }
}

inline bool RegexStartScanHit(const TRegexStartScan& scan, const uint8_t* at) {
  for (int k = 0; k < scan.count; ++k) {
    if (at[0] == scan.first[k] && (scan.second[k] == 0 || at[1] == scan.second[k])) return true;
  }
  return false;
}

// The first position in [from, length) the scan accepts, or length.
// in[length] must be NUL.
inline int RegexNextStart(const TRegexStartScan& scan, const uint8_t* in, int from, int length) {
#if defined(__SSE2__)
  if (length - from >= 16) {
    __m128i first[TRegexStartScan::kMaxBytes];
    __m128i second[TRegexStartScan::kMaxBytes];
    for (int k = 0; k < scan.count; ++k) {
      first[k] = _mm_set1_epi8(static_cast<char>(scan.first[k]));
      second[k] = _mm_set1_epi8(static_cast<char>(scan.second[k]));
    }
    // Bit i: position at + i is accepted. Reads in[at, at + 17), and the
    // NUL at in[length] is readable.
    auto block = [&](int at) {
      const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at));
      const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at + 1));
      __m128i hits = _mm_setzero_si128();
      for (int k = 0; k < scan.count; ++k) {
        __m128i hit = _mm_cmpeq_epi8(here, first[k]);
        if (scan.second[k] != 0) hit = _mm_and_si128(hit, _mm_cmpeq_epi8(next, second[k]));
        hits = _mm_or_si128(hits, hit);
      }
      return static_cast<unsigned>(_mm_movemask_epi8(hits));
    };
    for (; from + 16 <= length; from += 16) {
      const unsigned mask = block(from);
      if (mask != 0) return from + __builtin_ctz(mask);
    }
    if (from < length) {
      // The last block overlaps the one before; drop the positions it covered.
      const int base = length - 16;
      const unsigned mask = block(base) >> (from - base);
      if (mask != 0) return from + __builtin_ctz(mask);
    }
    return length;
  }
#endif
  while (from < length && !RegexStartScanHit(scan, in + from)) ++from;
  return from;
}

}  // namespace vantrel
