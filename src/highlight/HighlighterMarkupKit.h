// What the markup highlighters (HTML, CSS) share: the word hash of their tag
// and property tables.
// Tested by tests/highlight/HighlighterHTMLTest.cpp and tests/highlight/HighlighterCssTest.cpp
#pragma once

#include <string_view>

namespace vantrel {

// The sum over the word of: `!` 123, `/` 122, a letter 1..26 in either case,
// a digit its numeric value, anything else 0 (`H1` = 8 + 1).
unsigned MarkupWordHash(std::string_view word);

constexpr bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace vantrel
