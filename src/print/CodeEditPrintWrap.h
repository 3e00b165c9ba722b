// Where a printed line wraps: after word-break characters, else every n
// characters.
// Tested by tests/print/CodeEditPrintTest.cpp
#pragma once

#include <string_view>
#include <vector>

namespace vantrel {

// Tab, space, comma and hyphen; tried first.
bool IsWordBreakA(char c);
// Closing parenthesis, full stop and semicolon; tried when set A breaks nowhere.
bool IsWordBreakB(char c);

// The 0-based offsets at which the rows after the first start; empty when the
// line fits in limit characters. No row is longer than limit.
void PrintWrapPositions(std::string_view line, int limit, std::vector<int>& positions);

}  // namespace vantrel
