// The fixed-text engine on any pattern, line and flags: hits lie in the
// line, ascend without overlapping, match the pattern (folded), keep the
// whole-word rule, and both scans agree with a plain reference. Small
// inputs also run a replace-all through the editor, which must give the
// reference text and come back whole with one undo.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/CodeEdit.h"
#include "platform/CodePage.h"
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

  // Replace all through the editor.
  if (rest.size() > 512 || (options & 0x80) == 0) return 0;
  if (pattern.find_first_of("\r\n") != std::string::npos) return 0;
  // Sometimes with a line break: the run must not search what it inserted.
  const std::string replacement = "<" + std::to_string(options & 7) + ((options & 8) ? "\r\n" : "") + ">";
  vantrel::TCodeEdit edit;
  edit.SetText(rest);
  const std::string before = edit.Text();
  std::string want;
  int wantCount = 0;
  for (int line = 1; line <= edit.LineCount(); ++line) {
    const std::string_view text = edit.LineText(line);
    size_t copied = 0;
    for (int hit : vantrel::PlainSearchReference(pattern, text, caseSensitive, wholeWords)) {
      want.append(text.substr(copied, static_cast<size_t>(hit - 1) - copied));
      want += replacement;
      copied = static_cast<size_t>(hit - 1) + patternLength;
      ++wantCount;
    }
    want.append(text.substr(copied));
    if (line < edit.LineCount()) want += "\r\n";  // how the buffer joins its lines
  }
  edit.SetSearchEngine(&anchored);
  vantrel::TSearchFlags replaceFlags{vantrel::srReplace, vantrel::srReplaceAll, vantrel::srEntireText};
  if (options & 4) replaceFlags.Include(vantrel::srBackwards);
  if (caseSensitive) replaceFlags.Include(vantrel::srCaseSensitive);
  if (wholeWords) replaceFlags.Include(vantrel::srWholeWords);
  Check(edit.SearchReplaceText(pattern, replacement, replaceFlags) == wantCount);
  // Trimming of trailing blanks is off by default, so the text is exact.
  Check(edit.Text() == want);
  edit.Undo();
  Check(edit.Text() == before);
  return 0;
}
