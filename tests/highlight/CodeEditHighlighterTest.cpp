// Highlighter framework: attributes and their notifications, the attribute
// list, change hooks, Assign, range bookkeeping over a line buffer, registry.
#include "highlight/CodeEditHighlighter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "highlight/HighlighterCpp.h"

namespace vantrel {
namespace {

// The base class with only what a language must add: one-character tokens,
// a line range that counts '{' minus '}'.
class TBraceHighlighter : public TCustomHighlighter {
 public:
  explicit TBraceHighlighter(std::vector<std::string> names = {"Reserved Word", "Comment", "Identifier"}) {
    for (auto& name : names) AddAttribute(new THighlighterAttributes(name));
    FinishAttributes();
  }
  THighlighterAttributes* DefaultAttribute(int index) const override { return AttributeAt(index); }
  void NextToken() override {
    tokenPos_ = run_;
    char c = line_[run_];
    if (c == '\0') return;
    ++run_;
    if (c == '{') ++depth_;
    if (c == '}' && depth_ > 0) --depth_;
  }
  bool AtLineEnd() const override { return run_ == tokenPos_; }
  int TokenKind() const override { return 0; }
  THighlighterAttributes* TokenAttribute() const override { return AttributeAt(0); }
  TLineRange RangeState() const override { return depth_; }
  void SetRangeState(TLineRange value) override { depth_ = value < 0 ? 0 : int(value); }
  void ResetRangeState() override { depth_ = 0; }
  int scans = 0;
  void StartLine(std::string_view text, int lineIndex) override {
    ++scans;
    TCustomHighlighter::StartLine(text, lineIndex);
  }

 private:
  int depth_ = 0;
};

TEST(HighlighterAttributesTest, SettersNotifyOnlyRealChanges) {
  THighlighterAttributes attribute("Comment");
  int changes = 0;
  attribute.OnChange = [&](THighlighterAttributes& sender) {
    EXPECT_EQ(&sender, &attribute);
    ++changes;
  };
  EXPECT_EQ(attribute.Background(), clNone);
  EXPECT_EQ(attribute.Foreground(), clNone);
  EXPECT_EQ(attribute.Style(), 0);
  attribute.SetForeground(clNone);
  attribute.SetBackground(clNone);
  attribute.SetStyle(0);
  EXPECT_EQ(changes, 0);
  attribute.SetForeground(clRed);
  attribute.SetForeground(clRed);
  attribute.SetBackground(clBlue);
  attribute.SetStyle(fsBold | fsItalic);
  EXPECT_EQ(changes, 3);
}

TEST(HighlighterAttributesTest, AssignCopiesNameAndFiresOnceWhenDifferent) {
  THighlighterAttributes source("String"), target("Comment");
  source.SetForeground(clRed);
  source.SetBackground(clYellow);
  source.SetStyle(fsUnderline);
  int changes = 0;
  target.OnChange = [&](THighlighterAttributes&) { ++changes; };
  target.Assign(source);
  EXPECT_EQ(target.Name(), "String");
  EXPECT_EQ(target.Foreground(), clRed);
  EXPECT_EQ(target.Background(), clYellow);
  EXPECT_EQ(target.Style(), fsUnderline);
  EXPECT_EQ(changes, 1);
  target.AssignColorAndStyle(source);
  EXPECT_EQ(changes, 1);

  TCppHighlighter notAnAttribute;
  EXPECT_THROW(target.Assign(notAnAttribute), Exception);
}

TEST(HighlighterAttributesTest, DefaultsDecideWhatIsStored) {
  THighlighterAttributes attribute("Number");
  attribute.SetForeground(clMaroon);
  attribute.SaveDefaults();
  EXPECT_FALSE(attribute.IsForegroundStored());
  attribute.SetForeground(clTeal);
  EXPECT_TRUE(attribute.IsForegroundStored());
  EXPECT_EQ(attribute.ForegroundDefault(), clMaroon);
  EXPECT_FALSE(attribute.IsBackgroundStored());
  EXPECT_FALSE(attribute.IsStyleStored());
}

TEST(CustomHighlighterTest, AttributesAreOrderedByNameAndUnique) {
  TBraceHighlighter h({"Reserved Word", "Comment", "Identifier", "Zeta", "Alpha"});
  std::vector<std::string> names;
  for (int i = 0; i < h.AttributeCount(); ++i) names.push_back(h.AttributeAt(i)->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Comment", "Identifier", "Reserved Word", "Zeta"}));
  EXPECT_EQ(h.AttributeAt(-1), nullptr);
  EXPECT_EQ(h.AttributeAt(5), nullptr);
  EXPECT_EQ(h.AttributeByName("Identifier"), h.AttributeAt(2));
  EXPECT_EQ(h.AttributeByName("identifier"), nullptr);
  auto* duplicate = new THighlighterAttributes("Comment");
  try {
    h.AddAttribute(duplicate);
    FAIL() << "duplicate accepted";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "String list does not allow duplicates");
  }
  EXPECT_EQ(h.AttributeCount(), 5);
}

TEST(CustomHighlighterTest, BaseDefaults) {
  TBraceHighlighter h;
  EXPECT_EQ(h.LanguageName(), "<Unknown>");
  EXPECT_TRUE(h.Enabled());
  EXPECT_EQ(h.DefaultFilter(), "");
  EXPECT_FALSE(h.IsKeyword("if"));
  THighlighterCharSet ident = h.IdentifierChars();
  EXPECT_TRUE(ident.test('!'));
  EXPECT_TRUE(ident.test(255));
  EXPECT_FALSE(ident.test(' '));
  EXPECT_FALSE(ident.test('\t'));
  const THighlighterCharSet& breaks = h.WordBreakChars();
  EXPECT_EQ(breaks.count(), 22u);
  for (char c : std::string("!\"'()*+,-./:;=?[\\]^{|}")) EXPECT_TRUE(breaks.test(uint8_t(c))) << c;
  for (char c : std::string("#$%&<>@`~_ ")) EXPECT_FALSE(breaks.test(uint8_t(c))) << c;
}

TEST(CustomHighlighterTest, EmptyLineAndEmbeddedNul) {
  TCppHighlighter h;
  h.ResetRangeState();
  h.StartLine("", 0);
  EXPECT_TRUE(h.AtLineEnd());
  EXPECT_EQ(h.TokenStart(), 0);
  EXPECT_EQ(h.TokenText(), "");
  EXPECT_EQ(h.TokenAttribute(), nullptr);

  h.StartLine(std::string_view("ab\0cd", 5), 0);
  EXPECT_EQ(h.TokenText(), "ab");
  h.NextToken();
  EXPECT_TRUE(h.AtLineEnd());
  EXPECT_EQ(h.TokenStart(), 2);
}

TEST(CustomHighlighterTest, HooksReceiveSenderAndCanBeRemoved) {
  TCppHighlighter h;
  std::vector<TPersistent*> seenA, seenB;
  int a = 0, b = 0;
  h.HookAttrChange(&a, [&](TPersistent* sender) { seenA.push_back(sender); });
  h.HookAttrChange(&b, [&](TPersistent* sender) { seenB.push_back(sender); });
  h.CommentAttri().SetForeground(clGreen);
  ASSERT_EQ(seenA.size(), 1u);
  EXPECT_EQ(seenA[0], &h.CommentAttri());
  EXPECT_EQ(seenB.size(), 1u);

  h.SetEnabled(false);
  h.SetEnabled(false);  // same value: no second notification
  ASSERT_EQ(seenA.size(), 2u);
  EXPECT_EQ(seenA[1], nullptr);
  EXPECT_FALSE(h.Enabled());

  h.UnhookAttrChange(&a);
  h.KeyAttri().SetStyle(0);
  EXPECT_EQ(seenA.size(), 2u);
  EXPECT_EQ(seenB.size(), 3u);
}

TEST(CustomHighlighterTest, UpdateAndLoadingHoldNotificationsBack) {
  TCppHighlighter h;
  int fired = 0;
  TPersistent* last = &h;
  h.HookAttrChange(&fired, [&](TPersistent* sender) {
    ++fired;
    last = sender;
  });
  h.BeginUpdate();
  h.StringAttri().SetForeground(clRed);
  h.NumberAttri().SetForeground(clMaroon);
  EXPECT_EQ(fired, 0);
  h.EndUpdate();
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(last, nullptr);

  h.BeginLoading();
  h.StringAttri().SetForeground(clBlue);
  EXPECT_EQ(fired, 1);
  h.Loaded();
  EXPECT_EQ(fired, 2);
  EXPECT_EQ(last, nullptr);
}

TEST(CustomHighlighterTest, AssignCopiesAttributesByNameAndSettings) {
  TCppHighlighter source, target;
  source.CommentAttri().SetForeground(clGreen);
  source.CommentAttri().SetStyle(0);
  source.KeyAttri().SetForeground(clBlue);
  source.SetEnabled(false);
  source.SetDefaultFilter("Only (*.cc)|*.cc");
  source.SetWordBreakChars(MakeCharSet(",;"));
  int fired = 0;
  target.HookAttrChange(&fired, [&](TPersistent*) { ++fired; });
  target.Assign(source);
  EXPECT_EQ(target.CommentAttri().Foreground(), clGreen);
  EXPECT_EQ(target.CommentAttri().Style(), 0);
  EXPECT_EQ(target.KeyAttri().Foreground(), clBlue);
  EXPECT_FALSE(target.Enabled());
  EXPECT_EQ(target.DefaultFilter(), "Only (*.cc)|*.cc");
  EXPECT_TRUE(target.IsDefaultFilterStored());
  EXPECT_EQ(target.WordBreakChars(), MakeCharSet(",;"));
  EXPECT_EQ(fired, 3);  // two attributes changed, then Enabled

  // A highlighter of another class takes over the attributes with equal names.
  TBraceHighlighter other({"Comment", "Unrelated"});
  other.AttributeByName("Comment")->SetForeground(clPurple);
  target.Assign(other);
  EXPECT_EQ(target.CommentAttri().Foreground(), clPurple);
  EXPECT_TRUE(target.Enabled());
  EXPECT_THROW(target.Assign(target.CommentAttri()), Exception);
}

void AddLines(TCodeEditStringList& lines, const std::vector<std::string>& texts) {
  for (auto& t : texts) lines.Add(t);
}

std::vector<TLineRange> Ranges(const TCodeEditStringList& lines) {
  std::vector<TLineRange> out;
  for (int i = 0; i < lines.Count(); ++i) out.push_back(lines.GetLineRange(i));
  return out;
}

TEST(CustomHighlighterTest, RangeRescanStopsAtFirstUnchangedLine) {
  TBraceHighlighter h;
  TCodeEditStringList lines;
  AddLines(lines, {"a{", "b", "c}", "d", "e", "f"});
  h.ScanAllRanges(lines);
  EXPECT_EQ(Ranges(lines), (std::vector<TLineRange>{1, 1, 0, 0, 0, 0}));

  struct Case {
    const char* name;
    int line;
    std::string text;
    int lastChanged;
    int expectLast;
    std::vector<TLineRange> ranges;
  };
  const Case cases[] = {
      {"same end state stops at the line itself", 1, "bb", 1, 1, {1, 1, 0, 0, 0, 0}},
      {"opening a brace runs until a line ends as before", 3, "{d", 3, 5, {1, 1, 0, 1, 1, 1}},
      {"closing it again repairs the lines below", 4, "}e", 4, 5, {1, 1, 0, 1, 0, 0}},
      {"lines up to lastChanged are scanned even when equal", 0, "a{", 3, 3, {1, 1, 0, 1, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    lines.Put(c.line, c.text);
    h.scans = 0;
    int last = h.ScanRangesFrom(lines, c.line, c.lastChanged);
    EXPECT_EQ(last, c.expectLast);
    EXPECT_EQ(h.scans, c.expectLast - c.line + 1);
    EXPECT_EQ(Ranges(lines), c.ranges);
  }
}

TEST(CustomHighlighterTest, InsertedLinesAreAlwaysScanned) {
  TBraceHighlighter h;
  TCodeEditStringList lines;
  AddLines(lines, {"x", "y"});
  h.ScanAllRanges(lines);
  lines.Insert(1, "{");
  lines.Insert(2, "q");
  EXPECT_EQ(lines.GetLineRange(1), kNoLineRange);
  EXPECT_EQ(h.ScanRangesFrom(lines, 1, 1), 3);
  EXPECT_EQ(Ranges(lines), (std::vector<TLineRange>{0, 1, 1, 1}));
  EXPECT_EQ(h.ScanRangesFrom(lines, 7, 7), -1);

  // One change notification for the whole scan.
  int changes = 0;
  lines.OnChange = [&](TCodeEditStringList&) { ++changes; };
  h.ScanAllRanges(lines);
  EXPECT_EQ(changes, 1);
}

TEST(HighlighterListTest, RegistersEachClassOnce) {
  THighlighterList list;
  auto create = []() -> std::unique_ptr<TCustomHighlighter> { return std::make_unique<TCppHighlighter>(); };
  THighlighterClass cls = create;
  list.Add(cls);
  list.Add(cls);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Item(0), cls);
  EXPECT_EQ(list.Item(1), nullptr);
  // The C/C++ class registered itself at start-up.
  EXPECT_GE(GetPlaceableHighlighters().Count(), 1);
  bool found = false;
  for (int i = 0; i < GetPlaceableHighlighters().Count(); ++i)
    found = found || GetPlaceableHighlighters().Item(i)()->LanguageName() == "C/C++";
  EXPECT_TRUE(found);
}

}  // namespace
}  // namespace vantrel
