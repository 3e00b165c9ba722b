// Shared by the language token tests: one line scanned from a start range
// into (text, kind) pairs, checking on the way that the tokens tile it.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "highlight/CodeEditHighlighter.h"

namespace vantrel {

struct Tok {
  std::string text;
  int kind;
  friend bool operator==(const Tok&, const Tok&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Tok& t) {
    os << "{\"";
    for (char c : t.text) {
      if (uint8_t(c) < 32 || uint8_t(c) >= 127)
        os << "\\x" << std::hex << int(uint8_t(c)) << std::dec;
      else
        os << c;
    }
    return os << "\", " << t.kind << "}";
  }
};

inline std::vector<Tok> ScanLine(TCustomHighlighter& h, std::string_view line, TLineRange start,
                                 TLineRange* end = nullptr) {
  std::vector<Tok> tokens;
  h.SetRangeState(start);
  h.StartLine(line, 0);
  int expected = 0;
  while (!h.AtLineEnd()) {
    EXPECT_EQ(h.TokenStart(), expected);
    EXPECT_GT(h.TokenLength(), 0) << "empty token at " << expected;
    if (h.TokenLength() <= 0 || tokens.size() > line.size()) break;
    EXPECT_NE(h.TokenAttribute(), nullptr);
    // One of the highlighter's own attributes, found under its name.
    if (h.TokenAttribute()) {
      EXPECT_EQ(h.TokenAttribute(), h.AttributeByName(h.TokenAttribute()->Name()));
    }
    tokens.push_back({h.TokenText(), h.TokenKind()});
    expected += h.TokenLength();
    h.NextToken();
  }
  EXPECT_EQ(h.TokenStart(), expected);
  EXPECT_EQ(h.TokenAttribute(), nullptr);
  if (end) *end = h.RangeState();
  return tokens;
}

// One row of a token table: the line, the range it starts in, the tokens
// and the range it ends in.
struct TokenRow {
  const char* name;
  TLineRange start;
  std::string line;
  std::vector<Tok> tokens;
  TLineRange end;
};

inline void CheckRows(TCustomHighlighter& h, const std::vector<TokenRow>& rows) {
  for (const TokenRow& row : rows) {
    SCOPED_TRACE(row.name);
    TLineRange end = -99;
    EXPECT_EQ(ScanLine(h, row.line, row.start, &end), row.tokens);
    EXPECT_EQ(end, row.end);
  }
}

}  // namespace vantrel
