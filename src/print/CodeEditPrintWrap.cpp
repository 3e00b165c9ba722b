// Wrap positions of printed lines.
// Tested by tests/print/CodeEditPrintTest.cpp
#include "print/CodeEditPrintWrap.h"

#include <algorithm>

namespace vantrel {

namespace {

// Breaks after the last candidate of a row once the row would pass limit.
template <typename IsBreak>
void BreakAtCandidates(std::string_view line, int limit, IsBreak isBreak, std::vector<int>& positions) {
  const int length = static_cast<int>(line.size());
  int lastBreak = 0;
  int candidate = -1;
  for (int i = 0; i < length && length - lastBreak > limit; ++i) {
    if (i - lastBreak >= limit && candidate > lastBreak) {
      positions.push_back(candidate);
      lastBreak = candidate;
    }
    if (isBreak(line[i])) candidate = i + 1;
  }
}

}  // namespace

bool IsWordBreakA(char c) { return c == '\t' || c == ' ' || c == ',' || c == '-'; }
bool IsWordBreakB(char c) { return c == ')' || c == '.' || c == ';'; }

void PrintWrapPositions(std::string_view line, int limit, std::vector<int>& positions) {
  positions.clear();
  limit = std::max(limit, 1);
  const int length = static_cast<int>(line.size());
  if (length <= limit) return;
  BreakAtCandidates(line, limit, IsWordBreakA, positions);
  if (positions.empty()) BreakAtCandidates(line, limit, IsWordBreakB, positions);
  // A row whose break came late, or a line without any break, is cut every
  // limit characters: dropping its end would lose text from the printout.
  size_t k = 0;
  int rowStart = 0;
  std::vector<int> cut;
  while (true) {
    const int rowEnd = k < positions.size() ? positions[k] : length;
    for (int p = rowStart + limit; p < rowEnd; p += limit) cut.push_back(p);
    if (k == positions.size()) break;
    cut.push_back(rowEnd);
    rowStart = rowEnd;
    ++k;
  }
  positions.swap(cut);
}

}  // namespace vantrel
