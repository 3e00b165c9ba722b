// The matching bracket: from a bracket forward or backward through the
// buffer, counting nesting, brackets in comments and strings left out.
// Tested by tests/editor/MouseTest.cpp
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "editor/CodeEdit.h"
#include "highlight/CodeEditHighlighter.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

constexpr const char kBracketPairs[] = "()[]{}<>";

// Half-open byte spans of a line [first, last), 0-based.
using TSpans = std::vector<std::pair<int, int>>;

// Columns (1-based) of the bytes equal to a (as +column) or b (as -column)
// that begin a character; a double-byte character is stepped over whole.
void FindCandidates(std::string_view line, char a, char b, std::vector<int>& columns) {
  columns.clear();
  const int length = static_cast<int>(line.size());
  const CodePage& cp = CodePage::Active();
  const bool doubleByte = cp.IsDoubleByte();
  for (int i = 0; i < length;) {
    const char c = line[i];
    if (c == a) {
      columns.push_back(i + 1);
    } else if (c == b) {
      columns.push_back(-(i + 1));
    }
    i += doubleByte && cp.IsLeadByte(static_cast<uint8_t>(c)) ? 2 : 1;
  }
}

// The comment and string tokens of line index up to column last, scanned
// from the range the line before ended in.
void FindCommentsAndStrings(TCustomHighlighter& highlighter, const THighlighterAttributes* comment,
                            const THighlighterAttributes* string, const TCodeEditStringList& lines, int index,
                            int last, TSpans& spans) {
  spans.clear();
  highlighter.SetRangeForLine(lines, index);
  highlighter.StartLine(lines.Get(index), index);
  // Offsets from the token views (the first token starts the line) and the
  // end as the empty token: this loop runs for every token of the lines
  // between the brackets, and the virtual accessors cost a tenth of it.
  const char* base = highlighter.TokenView().data();
  for (; highlighter.TokenLength() > 0; highlighter.NextToken()) {
    const int start = static_cast<int>(highlighter.TokenView().data() - base);
    if (start >= last) break;
    const THighlighterAttributes* attribute = highlighter.TokenAttribute();
    if (attribute && (attribute == comment || attribute == string)) {
      spans.emplace_back(start, start + highlighter.TokenLength());
    }
  }
}

bool InSpans(const TSpans& spans, int column) {
  for (const auto& [first, last] : spans) {
    if (column - 1 >= first && column - 1 < last) return true;
  }
  return false;
}

}  // namespace

TBufferCoord TCustomCodeEdit::MatchingBracketAt(TBufferCoord position) const {
  constexpr TBufferCoord kNone{0, 0};
  if (position.Y < 1 || position.Y > LineCount()) return kNone;
  const std::string_view startLine = LineText(position.Y);
  if (position.X < 1 || position.X > static_cast<int>(startLine.size()) || IsTrailByte(startLine, position.X)) {
    return kNone;
  }
  const char bracket = startLine[position.X - 1];
  const char* found = bracket == '\0' ? nullptr : std::strchr(kBracketPairs, bracket);
  if (!found) return kNone;
  const int index = static_cast<int>(found - kBracketPairs);
  const bool forward = index % 2 == 0;
  const char partner = kBracketPairs[index ^ 1];

  std::vector<int> candidates;
  TSpans ignored;
  const THighlighterAttributes* comment = highlighter_ ? highlighter_->DefaultAttribute(haComment) : nullptr;
  const THighlighterAttributes* string = highlighter_ ? highlighter_->DefaultAttribute(haString) : nullptr;
  int depth = 1;
  const int step = forward ? 1 : -1;
  for (int y = position.Y; y >= 1 && y <= LineCount(); y += step) {
    FindCandidates(LineText(y), bracket, partner, candidates);
    if (candidates.empty()) continue;
    // Tokens are looked up only on lines that may hold the answer.
    if (highlighter_) {
      EnsureRangesUpTo(y - 2);
      FindCommentsAndStrings(*highlighter_, comment, string, *lines_, y - 1, std::abs(candidates.back()), ignored);
    }
    const int count = static_cast<int>(candidates.size());
    for (int k = forward ? 0 : count - 1; k >= 0 && k < count; k += step) {
      const int x = std::abs(candidates[k]);
      if (y == position.Y && (forward ? x <= position.X : x >= position.X)) continue;
      if (highlighter_ && InSpans(ignored, x)) continue;
      depth += candidates[k] > 0 ? 1 : -1;
      if (depth == 0) return {x, y};
    }
  }
  return kNone;
}

void TCustomCodeEdit::GoToMatchingBracket() {
  const TBufferCoord match = MatchingBracketAt();
  if (match.X > 0) MoveCaretTo(match, true);
}

}  // namespace vantrel
