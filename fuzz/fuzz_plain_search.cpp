// The fixed-text engine on any pattern, line and flags: hits lie in the
// line, ascend without overlapping, match the pattern (folded), keep the
// whole-word rule, and both scans agree with a plain reference. Small
// inputs also run a replace-all through the editor (plain or regex), which
// must give the text the engine's hits make and come back with one undo.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/CodeEdit.h"
#include "platform/CodePage.h"
#include "search/CodeEditRegexSearch.h"
#include "search/CodeEditSearch.h"
#include "support/PlainSearchReference.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::vector<int> Hits(vantrel::TCodeEditSearch& engine, std::string_view line) {
  const int count = engine.FindMatches(line);
  std::vector<int> hits;
  for (int i = 0; i < count; ++i) hits.push_back(engine.MatchPosition(i));
  return hits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || size > 4096) return 0;
  const uint8_t options = data[0];
  const size_t patternLength = 1 + data[1] % 24;
  if (size < 2 + patternLength) return 0;
  const std::string pattern(reinterpret_cast<const char*>(data + 2), patternLength);
  const std::string_view rest(reinterpret_cast<const char*>(data + 2 + patternLength), size - 2 - patternLength);
  const bool caseSensitive = options & 1;
  const bool wholeWords = options & 2;
  vantrel::TSearchFlags flags = vantrel::TSearchFlags::FromByte(options);

  vantrel::TCodeEditSearch anchored;
  vantrel::TCodeEditSearch skipping;
  skipping.SetAnchorScan(false);
  for (vantrel::TCodeEditSearch* engine : {&anchored, &skipping}) {
    engine->SetSearchFlags(flags);
    engine->SetPattern(pattern);
  }
  const std::vector<int> expected = vantrel::PlainSearchReference(pattern, rest, caseSensitive, wholeWords);
  const std::vector<int> hits = Hits(anchored, rest);
  Check(hits == expected);
  Check(Hits(skipping, rest) == expected);
  for (size_t i = 0; i < hits.size(); ++i) {
    Check(hits[i] >= 1 && hits[i] + patternLength <= rest.size() + 1);
    if (i > 0) Check(hits[i - 1] + static_cast<int>(patternLength) <= hits[i]);
    Check(anchored.MatchLength(static_cast<int>(i)) == static_cast<int>(patternLength));
  }

  // Replace all through the editor: with the plain engine, or (bit 6) with
  // the pattern as a regular expression, whose empty matches and anchors
  // test the column bookkeeping. The expected text is built from the
  // engine's own hits of each line.
  if (rest.size() > 512 || (options & 0x80) == 0) return 0;
  if (pattern.find_first_of("\r\n") != std::string::npos) return 0;
  const bool regex = options & 0x40;
  // Sometimes with a line break: the run must not search what it inserted.
  const std::string replacement =
      (regex ? "[$0" : "<") + std::to_string(options & 7) + ((options & 8) ? "\r\n" : "") + ">";
  vantrel::TCodeEdit edit;
  edit.SetText(rest);
  const std::string before = edit.Text();
  vantrel::TCodeEditRegexSearch expression;
  vantrel::TCodeEditRegexSearch referenceExpression;
  referenceExpression.SetSearchFlags(flags);
  referenceExpression.SetPattern(pattern);
  std::string want;
  int wantCount = 0;
  bool fails = false;
  try {
    for (int line = 1; line <= edit.LineCount(); ++line) {
      const std::string_view text = edit.LineText(line);
      size_t copied = 0;
      auto replaceHit = [&](size_t start, size_t length, const std::string& with) {
        want.append(text.substr(copied, start - copied));
        want += with;
        copied = start + length;
        ++wantCount;
      };
      if (regex) {
        const int count = referenceExpression.FindMatches(text);
        for (int i = 0; i < count; ++i) {
          const auto start = static_cast<size_t>(referenceExpression.MatchPosition(i) - 1);
          const auto length = static_cast<size_t>(referenceExpression.MatchLength(i));
          replaceHit(start, length, referenceExpression.ReplacementTextAt(i, text.substr(start, length), replacement));
        }
      } else {
        for (int hit : vantrel::PlainSearchReference(pattern, text, caseSensitive, wholeWords)) {
          replaceHit(static_cast<size_t>(hit - 1), patternLength, replacement);
        }
      }
      want.append(text.substr(copied));
      if (line < edit.LineCount()) want += "\r\n";  // how the buffer joins its lines
    }
  } catch (const vantrel::Exception&) {
    fails = true;  // a bad expression or the step guard: the editor must fail too
  }
  edit.SetSearchEngine(regex ? static_cast<vantrel::TCodeEditSearchCustom*>(&expression) : &anchored);
  vantrel::TSearchFlags replaceFlags{vantrel::srReplace, vantrel::srReplaceAll, vantrel::srEntireText};
  if (options & 4) replaceFlags.Include(vantrel::srBackwards);
  if (caseSensitive) replaceFlags.Include(vantrel::srCaseSensitive);
  if (wholeWords) replaceFlags.Include(vantrel::srWholeWords);
  try {
    const int count = edit.SearchReplaceText(pattern, replacement, replaceFlags);
    Check(!fails && count == wantCount);
    // Trimming of trailing blanks is off by default, so the text is exact.
    Check(edit.Text() == want);
  } catch (const vantrel::Exception&) {
    Check(fails);
    Check(edit.UpdateBatchDepth() == 0 && edit.UndoList().BlockCount() == 0);
  }
  // What was replaced, all of it or up to a failure, is one undo step.
  edit.Undo();
  Check(edit.Text() == before);
  return 0;
}
