// The fixed-text engine's hits done the plain way, for tests and the fuzzer
// to compare the engine's scans with: leftmost, non-overlapping, and a
// candidate that fails the whole-word rule moves on by one byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"

namespace vantrel {

inline std::vector<int> PlainSearchReference(std::string_view pattern, std::string_view line, bool caseSensitive,
                                             bool wholeWords) {
  const CodePage& cp = CodePage::Active();
  auto fold = [&](char c) {
    const auto b = static_cast<uint8_t>(c);
    return caseSensitive ? b : cp.ToLower(b);
  };
  auto delimiter = [&](size_t at) {
    if (at >= line.size()) return true;  // the line's terminating zero
    const auto b = static_cast<uint8_t>(line[at]);
    return !cp.IsAlnum(b) && b != '_';
  };
  std::vector<int> hits;
  const size_t n = pattern.size();
  for (size_t p = 0; n > 0 && p + n <= line.size();) {
    bool same = true;
    for (size_t i = 0; i < n && same; ++i) same = fold(line[p + i]) == fold(pattern[i]);
    if (same && wholeWords) same = (p == 0 || delimiter(p - 1)) && delimiter(p + n);
    if (same) {
      hits.push_back(static_cast<int>(p) + 1);
      p += n;
    } else {
      ++p;
    }
  }
  return hits;
}

}  // namespace vantrel
