// Command names and the key binding collection.
#include <gtest/gtest.h>

#include <set>

#include "editor/CodeEditKeyCmds.h"

namespace vantrel {
namespace {

TEST(CodeEditKeyCmds, EveryNamedCommandConvertsBothWays) {
  auto names = EditorCommandNames();
  ASSERT_EQ(names.size(), 101u);
  std::set<std::string_view> seenNames;
  std::set<TCodeEditorCommand> seenNumbers;
  for (const auto& entry : names) {
    EXPECT_TRUE(seenNames.insert(entry.Name).second) << entry.Name;
    EXPECT_TRUE(seenNumbers.insert(entry.Command).second) << entry.Name;
    EXPECT_EQ(EditorCommandToIdent(entry.Command), entry.Name);
    EXPECT_EQ(IdentToEditorCommand(entry.Name), entry.Command);
    EXPECT_EQ(CodeStringToEditorCommand(EditorCommandToCodeString(entry.Command)), entry.Command);
  }
}

TEST(CodeEditKeyCmds, NameTableSpotChecks) {
  struct Row {
    std::string_view name;
    TCodeEditorCommand command;
  } rows[] = {
      {"ecNone", 0},          {"ecGotoXY", 17},        {"ecSelGotoXY", 117},      {"ecCopy", 201},
      {"ecGotoMarker0", 301}, {"ecGotoMarker9", 310},  {"ecSetMarker9", 360},     {"ecContextHelp", 490},
      {"ecImeStr", 550},      {"ecToggleCaseBlock", 627}, {"ecString", 630},     {"ecUserFirst", 1001},
  };
  for (const auto& row : rows) EXPECT_EQ(IdentToEditorCommand(row.name), row.command) << row.name;
  auto names = EditorCommandNames();
  EXPECT_EQ(names.front().Name, "ecNone");
  EXPECT_EQ(names[52].Name, "ecCopy");  // listed after ecCut, not in number order
  EXPECT_EQ(names.back().Name, "ecString");
}

TEST(CodeEditKeyCmds, UnnamedNumbersAreWrittenInDecimal) {
  EXPECT_EQ(EditorCommandToCodeString(ecGotFocus), "480");
  EXPECT_EQ(EditorCommandToCodeString(1234), "1234");
  EXPECT_EQ(CodeStringToEditorCommand("480"), 480);
  EXPECT_FALSE(CodeStringToEditorCommand("ecNoSuchCommand").has_value());
  EXPECT_FALSE(CodeStringToEditorCommand("").has_value());
  EXPECT_FALSE(CodeStringToEditorCommand("70000").has_value());
  EXPECT_FALSE(IdentToEditorCommand("480").has_value());
}

TEST(CodeEditKeyCmds, ShortCutRoundTrip) {
  struct Row {
    TVirtualKey key;
    TShiftState shift;
    TShortCut shortCut;
  } rows[] = {
      {'A', ssCtrl, 0x4041},
      {VK_BACK, ssShift | ssAlt, 0xA008},
      {VK_F1, 0, 0x0070},
      {'Z', ssShift | ssCtrl, 0x605A},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ShortCut(row.key, row.shift), row.shortCut);
    TVirtualKey key;
    TShiftState shift;
    ShortCutToKey(row.shortCut, key, shift);
    EXPECT_EQ(key, row.key);
    EXPECT_EQ(shift, row.shift);
  }
}

TEST(CodeEditKeyCmds, DefaultsHaveNoDuplicateKeysAndKeepTheirOrder) {
  TCodeEditKeyStrokes keys;
  keys.LoadDefaultBindings();
  ASSERT_EQ(keys.Count(), 82);
  std::set<std::pair<TShortCut, TShortCut>> pairs;
  for (int i = 0; i < keys.Count(); ++i) {
    const auto& item = keys.Item(i);
    EXPECT_EQ(item.Key2, 0);
    EXPECT_TRUE(pairs.insert({item.ShortCut(), item.ShortCut2()}).second) << "binding " << i;
    EXPECT_TRUE(EditorCommandToIdent(item.Command).has_value()) << "binding " << i;
  }
  EXPECT_EQ(keys.Item(0).Command, ecUp);
  EXPECT_EQ(keys.Item(30).Command, ecToggleMode);
  EXPECT_EQ(keys.Item(32).Command, ecCut);  // Shift+Delete comes before Shift+Insert
  EXPECT_EQ(keys.Item(33).Command, ecPaste);
  EXPECT_EQ(keys.Item(81).Command, ecMatchBracket);
}

TEST(CodeEditKeyCmds, DefaultBindingsTranslate) {
  TCodeEditKeyStrokes keys;
  keys.LoadDefaultBindings();
  struct Row {
    const char* name;
    TVirtualKey key;
    TShiftState shift;
    TCodeEditorCommand command;
  } rows[] = {
      {"Ctrl+Z undoes", 'Z', ssCtrl, ecUndo},
      {"Alt+Backspace undoes", VK_BACK, ssAlt, ecUndo},
      {"Shift+Ctrl+Z redoes", 'Z', ssShift | ssCtrl, ecRedo},
      {"Shift+Alt+Backspace redoes", VK_BACK, ssShift | ssAlt, ecRedo},
      {"Ctrl+M breaks the line", 'M', ssCtrl, ecLineBreak},
      {"Shift+Enter breaks the line", VK_RETURN, ssShift, ecLineBreak},
      {"Ctrl+Up scrolls", VK_UP, ssCtrl, ecScrollUp},
      {"Shift+Ctrl+End selects to the end", VK_END, ssShift | ssCtrl, ecSelEditorBottom},
      {"Ctrl+Insert copies", VK_INSERT, ssCtrl, ecCopy},
      {"Ctrl+5 goes to marker 5", '5', ssCtrl, ecGotoMarker0 + 5},
      {"Shift+Ctrl+0 sets marker 0", '0', ssShift | ssCtrl, ecSetMarker0},
      {"Shift+Ctrl+C selects columns", 'C', ssShift | ssCtrl, ecColumnSelect},
      {"Shift+Tab", VK_TAB, ssShift, ecShiftTab},
      {"F1 asks for help", VK_F1, 0, ecContextHelp},
  };
  for (const auto& row : rows) {
    int index = keys.FindBinding(row.key, row.shift);
    ASSERT_GE(index, 0) << row.name;
    EXPECT_EQ(keys.Item(index).Command, row.command) << row.name;
  }
  EXPECT_EQ(keys.FindBinding(VK_F1 + 4, 0), -1);
  EXPECT_EQ(keys.FindBinding('A', 0), -1);
  EXPECT_EQ(keys.FindBinding(VK_UP, ssShift | ssCtrl), -1);
}

TEST(CodeEditKeyCmds, DuplicateShortcutIsRefusedAndItemKeepsItsKeys) {
  TCodeEditKeyStrokes keys;
  keys.AddBinding(ecCopy, 'C', ssCtrl);
  TCodeEditKeyStroke& other = keys.Add();
  other.Command = ecPaste;
  other.SetShortCut(ShortCut('V', ssCtrl));
  try {
    other.SetShortCut(ShortCut('C', ssCtrl));
    FAIL() << "no error";
  } catch (const EKeyError& e) {
    EXPECT_STREQ(e.what(), "Shortcut already exists");
  }
  EXPECT_EQ(other.Key, 'V');
  // The same first key with a different second key is a different pair.
  other.SetShortCut2(ShortCut('K', 0));
  other.SetShortCut(ShortCut('C', ssCtrl));
  EXPECT_EQ(other.Key, 'C');
  // Setting an item's own shortcut again is allowed, and zero never clashes.
  keys.Item(0).SetShortCut(ShortCut('C', ssCtrl));
  keys.Item(0).SetShortCut(0);
  keys.Add().SetShortCut(0);
}

TEST(CodeEditKeyCmds, PairsAndAssign) {
  TCodeEditKeyStrokes keys;
  keys.AddBinding(ecCommentBlock, 'K', ssCtrl, 'C', ssCtrl);
  keys.AddBinding(ecUpperCase, 'K', ssCtrl);
  EXPECT_EQ(keys.FindBindingPair('K', ssCtrl, 'C', ssCtrl), 0);
  EXPECT_EQ(keys.FindBinding('K', ssCtrl), 1);  // the pair is not a single-key binding
  EXPECT_EQ(keys.FindByShortcuts(ShortCut('K', ssCtrl), ShortCut('C', ssCtrl)), 0);
  EXPECT_EQ(keys.FindByShortcuts(ShortCut('K', ssCtrl), 0), 1);
  TCodeEditKeyStrokes copy;
  copy.LoadDefaultBindings();
  copy.Assign(keys);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Item(0).Command, ecCommentBlock);
  EXPECT_EQ(copy.Item(0).Key2, 'C');
  EXPECT_EQ(copy.Item(0).Shift2, ssCtrl);
  EXPECT_EQ(copy.Item(1).Index(), 1);
}

}  // namespace
}  // namespace vantrel
