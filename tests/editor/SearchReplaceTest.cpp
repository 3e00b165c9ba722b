// The editor's search method: range rules, hits at the caret, selection
// modes, replacements that change lengths, empty regex matches, questions,
// undo of a whole replace, and engine errors in the middle of a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "EditorTestUtil.h"
#include "search/CodeEditRegexSearch.h"
#include "search/CodeEditSearch.h"

namespace vantrel {
namespace {

struct SearchCase {
  const char* name;
  std::string text;
  bool regex;
  std::string search;
  std::string replace;
  TSearchFlags flags;
  TBufferCoord caret;
  TSelectionMode mode = smNormal;
  TBufferCoord blockBegin{};
  TBufferCoord blockEnd{};  // left at (1, 1): no selection
  int expectedCount;
  std::string expectedText;  // empty: the text must not change
  TBufferCoord expectedBegin{};
  TBufferCoord expectedEnd{};  // selection after the call ((0,0): not checked)
  int wrapColumns = 0;  // word wrap on with this many cells per row
};

// The buffer's text: lines joined by CR LF.
std::string Joined(std::string text) {
  for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) text.replace(at, 1, "\r\n");
  return text;
}

constexpr TSearchFlags kAll{srReplace, srReplaceAll, srEntireText};

TEST(SearchReplaceText, FollowsTheRangeRules) {
  const std::vector<SearchCase> cases = {
      {"forward hit exactly at the caret", "abab", false, "ab", "", {}, {3, 1}, smNormal, {}, {}, 1, "", {3, 1}, {5, 1}},
      {"backward hit ending exactly at the caret", "abab", false, "ab", "", {srBackwards}, {3, 1}, smNormal, {}, {}, 1,
       "", {1, 1}, {3, 1}},
      {"nothing before the caret forwards", "ab x", false, "ab", "", {}, {2, 1}, smNormal, {}, {}, 0, "", {}, {}},
      {"entire text ignores the caret", "ab x", false, "ab", "", {srEntireText}, {2, 1}, smNormal, {}, {}, 1, "",
       {1, 1}, {3, 1}},
      {"selected only without a selection", "ab\nab", false, "ab", "", {srSelectedOnly}, {1, 2}, smNormal, {}, {}, 1,
       "", {1, 2}, {3, 2}},
      {"hit sticking out of a normal selection", "xabab", false, "ab", "", {srSelectedOnly}, {1, 1}, smNormal, {1, 1},
       {5, 1}, 1, "", {2, 1}, {4, 1}},
      {"ab to xyz three times", "ab ab ab", false, "ab", "xyz", kAll, {1, 1}, smNormal, {}, {}, 3, "xyz xyz xyz"},
      {"range end moves on its line", "ab ab ab ab", false, "ab", "xyz", {srReplace, srReplaceAll, srSelectedOnly},
       {1, 1}, smNormal, {1, 1}, {9, 1}, 3, "xyz xyz xyz ab", {12, 1}, {12, 1}},
      {"shrinking replacements move the range end back", "ab\nab ab ab", false, "ab", "c",
       {srReplace, srReplaceAll, srSelectedOnly}, {1, 1}, smNormal, {1, 1}, {6, 2}, 3, "c\nc c ab", {4, 2}, {4, 2}},
      {"backward replace all needs no offset", "ab ab\nab", false, "ab", "xyz",
       {srReplace, srReplaceAll, srBackwards, srEntireText}, {1, 1}, smNormal, {}, {}, 3, "xyz xyz\nxyz", {4, 1},
       {4, 1}},
      {"one replace only", "ab ab", false, "ab", "c", {srReplace, srEntireText}, {1, 1}, smNormal, {}, {}, 1, "c ab",
       {2, 1}, {2, 1}},
      {"line mode takes every hit of its lines", "ab ab\nab ab\nab", false, "ab", "c",
       {srReplace, srReplaceAll, srSelectedOnly}, {1, 1}, smLine, {4, 1}, {2, 2}, 4, "c c\nc c\nab"},
      {"column block over tabs", "\tfoo\nxxfoo---foo", false, "foo", "X", {srReplace, srReplaceAll, srSelectedOnly},
       {1, 1}, smColumn, {2, 1}, {12, 2}, 2, "\tX\nxxfoo---X"},
      {"column block under word wrap", "foo0123foofoo4567foo", false, "foo", "X",
       {srReplace, srReplaceAll, srSelectedOnly}, {1, 1}, smColumn, {1, 1}, {14, 1}, 2, "X0123fooX4567foo", {}, {},
       10},
      {"zero-width column block is no selection", "ab ab\nab ab", false, "ab", "c",
       {srReplace, srReplaceAll, srSelectedOnly, srEntireText}, {3, 2}, smColumn, {3, 1}, {3, 2}, 4, "c c\nc c"},
      {"regex ^ from the caret keeps its meaning", "ab ab", true, "^ab", "", {}, {3, 1}, smNormal, {}, {}, 0, "", {},
       {}},
      {"regex \\b from the caret keeps its meaning", "xab ab", true, "\\bab", "", {}, {2, 1}, smNormal, {}, {}, 1, "",
       {5, 1}, {7, 1}},
      {"regex ^ in a selection keeps its meaning", "ab ab", true, "^ab", "x", {srReplace, srReplaceAll, srSelectedOnly},
       {1, 1}, smNormal, {3, 1}, {6, 1}, 0, ""},
      {"regex ^ replaced on every line", "a\nb", true, "^", "> ", kAll, {1, 1}, smNormal, {}, {}, 2, "> a\n> b"},
      {"regex $ replaced on every line", "a\n\nb", true, "$", ";", kAll, {1, 1}, smNormal, {}, {}, 3, "a;\n;\nb;"},
      {"regex x* empty matches", "ab", true, "x*", "-", kAll, {1, 1}, smNormal, {}, {}, 3, "-a-b-"},
      {"regex x* takes a run and the empty end", "axxb", true, "x*", "-", kAll, {1, 1}, smNormal, {}, {}, 4, "-a--b-"},
      {"line breaks in the replacement", "a a\nb a", false, "a", "a\r\na", kAll, {1, 1}, smNormal, {}, {}, 3,
       "a\na a\na\nb a\na", {2, 5}, {2, 5}},
      {"line breaks replacing backwards", "a a\nb a", false, "a", "x\ny", {srReplace, srReplaceAll, srBackwards,
       srEntireText}, {1, 1}, smNormal, {}, {}, 3, "x\ny x\ny\nb x\ny", {2, 2}, {2, 2}},
      {"regex template with groups", "k=v;a=b", true, "(\\w)=(\\w)", "$2:$1", kAll, {1, 1}, smNormal, {}, {}, 2,
       "v:k;b:a"},
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.name);
    EditorOnHost e(c.text, c.wrapColumns ? 32 + c.wrapColumns * 8 : 800);
    if (c.wrapColumns) e.edit.SetWordWrap(true);
    TCodeEditSearch plain;
    TCodeEditRegexSearch regex;
    e.edit.SetSearchEngine(c.regex ? static_cast<TCodeEditSearchCustom*>(&regex) : &plain);
    e.edit.SetSelectionMode(c.mode);
    const bool block = c.blockEnd != TBufferCoord{};
    e.edit.PlaceCaretAndBlock(c.caret, block ? c.blockBegin : c.caret, block ? c.blockEnd : c.caret);
    EXPECT_EQ(e.edit.SearchReplaceText(c.search, c.replace, c.flags), c.expectedCount);
    EXPECT_EQ(Lines(e.edit), Joined(c.expectedText.empty() ? c.text : c.expectedText));
    if (c.expectedEnd != TBufferCoord{}) {
      EXPECT_EQ(e.edit.AnchorStart(), c.expectedBegin);
      EXPECT_EQ(e.edit.AnchorEnd(), c.expectedEnd);
    }
    EXPECT_EQ(e.edit.UpdateBatchDepth(), 0);
    EXPECT_EQ(e.edit.UndoList().BlockCount(), 0);
    if (!c.expectedText.empty()) {
      e.edit.Undo();
      EXPECT_EQ(Lines(e.edit), Joined(c.text)) << "one undo restores the text";
    }
  }
}

// Hits walked forward from the top and backward from the end, each search
// starting at the caret the previous one left.
std::vector<TBufferCoord> WalkHits(EditorOnHost& e, const std::string& search, bool backwards) {
  std::vector<TBufferCoord> hits;
  TSearchFlags flags;
  if (backwards) flags.Include(srBackwards);
  const int lines = e.edit.LineCount();
  e.edit.SetCaretPos(backwards ? TBufferCoord{static_cast<int>(e.edit.LineText(lines).size()) + 1, lines}
                               : TBufferCoord{1, 1});
  while (e.edit.SearchReplaceText(search, "", flags) == 1) {
    hits.push_back(e.edit.AnchorStart());
    if (hits.size() > 100) break;
  }
  return hits;
}

TEST(SearchReplaceText, BackwardWalkVisitsTheForwardHitsInReverse) {
  struct Walk {
    std::string text;
    std::string search;
    size_t hits;
  };
  const Walk walks[] = {
      {"aaaa\naa a\n\naaa", "aa", 4},
      {"ab\tab\n  abab\nxab", "ab", 5},
      {"no match here", "zz", 0},
  };
  for (const Walk& w : walks) {
    EditorOnHost e(w.text);
    TCodeEditSearch plain;
    e.edit.SetSearchEngine(&plain);
    std::vector<TBufferCoord> forward = WalkHits(e, w.search, false);
    std::vector<TBufferCoord> backward = WalkHits(e, w.search, true);
    EXPECT_EQ(forward.size(), w.hits) << w.text;
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(forward, backward) << w.text;
  }
}

struct ConfirmCase {
  const char* name;
  std::vector<TReplaceAction> answers;
  int expectedCount;
  std::string expectedText;
  std::vector<std::string> undoSteps;  // the text after each further Undo
  std::string replace = "bb";
  std::vector<int> lines{1, 1, 1, 1};  // of the questions
};

TEST(SearchReplaceText, AsksBeforeEachReplacement) {
  const std::vector<ConfirmCase> cases = {
      {"skip, replace, then all", {raSkip, raReplace, raReplaceAll}, 4, "a bb bb bb", {"a bb a a", "a a a a"}},
      {"cancel stops at once", {raReplace, raCancel}, 2, "bb a a a", {"a a a a"}},
      {"every hit asked and replaced", {raReplace, raReplace, raReplace, raReplace}, 4, "bb bb bb bb",
       {"bb bb bb a", "bb bb a a", "bb a a a", "a a a a"}},
      {"asked replacements with line breaks", {raReplace, raReplace, raReplace, raReplace}, 4,
       "b\nb b\nb b\nb b\nb", {"b\nb b\nb b\nb a", "b\nb b\nb a a", "b\nb a a a", "a a a a"}, "b\r\nb",
       {1, 2, 3, 4}},
      {"all at the first question", {raReplaceAll}, 4, "bb bb bb bb", {"a a a a"}},
  };
  for (const ConfirmCase& c : cases) {
    SCOPED_TRACE(c.name);
    EditorOnHost e("a a a a");
    TCodeEditSearch plain;
    e.edit.SetSearchEngine(&plain);
    size_t asked = 0;
    std::vector<int> lines;
    e.edit.OnReplaceText = [&](TCustomCodeEdit&, const std::string& search, const std::string& replace, int line,
                               int column, TReplaceAction& action) {
      EXPECT_EQ(search, "a");
      EXPECT_EQ(replace, c.replace);
      EXPECT_EQ(action, raCancel);
      EXPECT_EQ(e.edit.SelectedText(), "a") << "the hit is selected when asked";
      lines.push_back(line);
      (void)column;
      action = asked < c.answers.size() ? c.answers[asked] : raCancel;
      ++asked;
    };
    EXPECT_EQ(e.edit.SearchReplaceText("a", c.replace, {srReplace, srReplaceAll, srConfirm, srEntireText}),
              c.expectedCount);
    EXPECT_EQ(asked, c.answers.size());
    EXPECT_EQ(lines, std::vector<int>(c.lines.begin(), c.lines.begin() + static_cast<ptrdiff_t>(asked)));
    EXPECT_EQ(Lines(e.edit), Joined(c.expectedText));
    for (const std::string& step : c.undoSteps) {
      e.edit.Undo();
      EXPECT_EQ(Lines(e.edit), Joined(step));
    }
    EXPECT_EQ(e.edit.UpdateBatchDepth(), 0);
  }
}

// The main window's Replace asks with no handler installed: every hit is
// replaced, and the whole run is one undo step however many hits it has.
TEST(SearchReplaceText, ConfirmWithoutHandlerIsOneUndoStepBeyondTheLimit) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "x; y;\n";
  text.pop_back();
  EditorOnHost e(text);
  TCodeEditSearch plain;
  e.edit.SetSearchEngine(&plain);
  e.edit.SetText(text);
  EXPECT_EQ(e.edit.SearchReplaceText(";", ",,", {srReplace, srReplaceAll, srConfirm, srEntireText}), 6000);
  EXPECT_EQ(e.edit.Lines().Get(2999), "x,, y,,");
  e.edit.SetModified(false);  // saving records a group end after the run
  e.edit.Undo();
  EXPECT_EQ(Lines(e.edit), Joined(text));
  e.edit.Redo();
  EXPECT_EQ(e.edit.Lines().Get(0), "x,, y,,");
}

// Throws from the given call of ReplacementTextAt or FindMatches.
class TFailingEngine : public TCodeEditSearch {
 public:
  int failReplacement = -1;
  int failLine = -1;
  int findCalls = 0;
  int32_t FindMatches(std::string_view line) override {
    if (findCalls++ == failLine) throw Exception("engine failed");
    return TCodeEditSearch::FindMatches(line);
  }
  std::string ReplacementTextAt(int32_t index, std::string_view found, std::string_view replacement) override {
    if (failReplacement-- == 0) throw Exception("engine failed");
    return TCodeEditSearch::ReplacementTextAt(index, found, replacement);
  }
};

TEST(SearchReplaceText, EngineErrorsCloseTheRunAndKeepEarlierSteps) {
  struct Case {
    const char* name;
    int failReplacement;
    int failLine;
    TSearchFlags flags;
    std::string expectedText;
  };
  const TSearchFlags confirm{srReplace, srReplaceAll, srConfirm, srEntireText};
  const Case cases[] = {
      {"third replacement of a line fails", 2, -1, kAll, "bb bb a\na a"},
      {"second line fails to search", -1, 1, kAll, "bb bb bb\na a"},
      {"asked run fails at the third", 2, -1, confirm, "bb bb a\na a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditorOnHost e("a a a\na a");
    TFailingEngine engine;
    engine.failReplacement = c.failReplacement;
    engine.failLine = c.failLine;
    e.edit.SetSearchEngine(&engine);
    std::vector<TTransientType> transients;
    e.edit.OnPaintTransient = [&](TCustomCodeEdit&, Canvas*, TTransientType type) { transients.push_back(type); };
    if (c.flags.Contains(srConfirm)) {
      e.edit.OnReplaceText = [](TCustomCodeEdit&, const std::string&, const std::string&, int, int,
                                TReplaceAction& action) { action = raReplace; };
    }
    EXPECT_THROW(e.edit.SearchReplaceText("a", "bb", c.flags), Exception);
    EXPECT_EQ(Lines(e.edit), Joined(c.expectedText));
    EXPECT_EQ(e.edit.UpdateBatchDepth(), 0);
    EXPECT_EQ(e.edit.UndoList().BlockCount(), 0);
    ASSERT_FALSE(transients.empty());
    EXPECT_EQ(transients.back(), ttAfter);
    while (e.edit.CanUndo()) e.edit.Undo();
    EXPECT_EQ(Lines(e.edit), Joined("a a a\na a"));
  }
}

TEST(SearchReplaceText, NoEngineOrNoText) {
  EditorOnHost e("abc");
  try {
    e.edit.SearchReplaceText("a", "", {});
    ADD_FAILURE();
  } catch (const ECodeEditError& error) {
    EXPECT_STREQ(error.what(), "No search engine has been assigned");
  }
  TFailingEngine engine;
  engine.failLine = 0;  // any engine call would throw
  e.edit.SetSearchEngine(&engine);
  EXPECT_EQ(e.edit.SearchReplaceText("", "x", kAll), 0);
  TCodeEditRegexSearch regex;
  e.edit.SetSearchEngine(&regex);
  EXPECT_THROW(e.edit.SearchReplaceText("a**", "x", kAll), ERegex);
  EXPECT_EQ(e.edit.UpdateBatchDepth(), 0);
}

}  // namespace
}  // namespace vantrel
