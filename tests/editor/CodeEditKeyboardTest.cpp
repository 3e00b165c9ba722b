// Key handling: translation, two-key sequences, the ignored character after
// a command key, input-method strings and the command pipeline events.
#include <gtest/gtest.h>

#include "EditorTestUtil.h"

namespace vantrel {
namespace {

struct Recorded {
  TCodeEditorCommand command;
  char ch;
  std::string data;
};

struct KeyboardEditor : EditorOnHost {
  KeyboardEditor() {
    edit.OnProcessCommand = [this](TCustomCodeEdit&, TCodeEditorCommand& command, char& ch, void* data) {
      commands.push_back({command, ch, command == ecImeStr && data ? static_cast<const char*>(data) : ""});
    };
  }
  void Down(TVirtualKey key, TShiftState shift = 0) {
    TVirtualKey k = key;
    edit.KeyDown(k, shift);
  }
  void Press(char ch) { edit.KeyPress(ch); }
  std::vector<Recorded> commands;
};

TEST(CodeEditKeyboard, KeysBecomeCommands) {
  struct Row {
    const char* name;
    TVirtualKey key;
    TShiftState shift;
    TCodeEditorCommand command;
  } rows[] = {
      {"Left", VK_LEFT, 0, ecLeft},
      {"Shift+Page Down", VK_NEXT, ssShift, ecSelPageDown},
      {"Ctrl+Home", VK_HOME, ssCtrl, ecEditorTop},
      {"Ctrl+Z", 'Z', ssCtrl, ecUndo},
      {"Alt+Backspace", VK_BACK, ssAlt, ecUndo},
      {"Ctrl+M", 'M', ssCtrl, ecLineBreak},
      {"Shift+Ctrl+B", 'B', ssShift | ssCtrl, ecMatchBracket},
  };
  for (const auto& row : rows) {
    KeyboardEditor e;
    TVirtualKey key = row.key;
    e.edit.KeyDown(key, row.shift);
    ASSERT_EQ(e.commands.size(), 1u) << row.name;
    EXPECT_EQ(e.commands[0].command, row.command) << row.name;
    EXPECT_EQ(key, 0) << row.name << ": a key that ran a command is consumed";
  }
}

TEST(CodeEditKeyboard, EnterRunsOnceAndItsCharacterIsDropped) {
  KeyboardEditor e;
  e.Down(VK_RETURN);
  e.Press('\r');
  ASSERT_EQ(e.commands.size(), 1u);
  EXPECT_EQ(e.commands[0].command, ecLineBreak);
  e.Press('a');
  ASSERT_EQ(e.commands.size(), 2u);
  EXPECT_EQ(e.commands[1].command, ecChar);
  EXPECT_EQ(e.commands[1].ch, 'a');
}

TEST(CodeEditKeyboard, AnUnboundKeyDoesNotSwallowTheNextCharacter) {
  KeyboardEditor e;
  e.Down(VK_RETURN);
  e.Down('A');  // no binding: clears the flag
  e.Press('a');
  ASSERT_EQ(e.commands.size(), 2u);
  EXPECT_EQ(e.commands[1].command, ecChar);
}

TEST(CodeEditKeyboard, TwoKeySequences) {
  KeyboardEditor e;
  e.edit.Keystrokes().AddBinding(ecCommentBlock, VK_F1 + 4, 0, 'X', 0);  // F5, X
  e.Down(VK_F1 + 4);
  EXPECT_TRUE(e.commands.empty()) << "F5 alone has no binding";
  e.Down('X');
  ASSERT_EQ(e.commands.size(), 1u);
  EXPECT_EQ(e.commands[0].command, ecCommentBlock);
  e.commands.clear();
  e.Down('X');
  EXPECT_TRUE(e.commands.empty()) << "the sequence is not remembered after it ran";
  e.Down(VK_F1 + 4);
  e.Down(VK_LEFT);
  ASSERT_EQ(e.commands.size(), 1u);
  EXPECT_EQ(e.commands[0].command, ecLeft) << "no pair: the single binding applies";
  e.commands.clear();
  e.Down(VK_F1 + 4);
  e.Down(VK_SHIFT);  // outside the remembered range: forgets F5
  e.Down('X');
  EXPECT_TRUE(e.commands.empty());
}

TEST(CodeEditKeyboard, KeyToCommandRemembersOnlyKeysThatMayStartASequence) {
  TCodeEdit edit;
  edit.Keystrokes().AddBinding(ecUpperCase, VK_ESCAPE, 0, 'U', 0);
  EXPECT_EQ(edit.KeyToCommand(VK_ESCAPE, 0), ecNone);
  EXPECT_EQ(edit.KeyToCommand('U', 0), ecNone) << "Escape is below the accept key and is not remembered";
  edit.Keystrokes().AddBinding(ecLowerCase, 'Q', ssCtrl, 'L', 0);
  EXPECT_EQ(edit.KeyToCommand('Q', ssCtrl), ecNone);
  EXPECT_EQ(edit.KeyToCommand('L', 0), ecLowerCase);
}

TEST(CodeEditKeyboard, HandlerChainsAndEventsMaySwallowKeys) {
  KeyboardEditor e;
  int owner = 0;
  e.edit.KbdHandler().AddKeyDownHandler(&owner, [](TCustomCodeEdit&, TVirtualKey& key, TShiftState) {
    if (key == VK_TAB) key = 0;
  });
  e.Down(VK_TAB);
  EXPECT_TRUE(e.commands.empty());
  e.edit.OnKeyDown = [](TCustomCodeEdit&, TVirtualKey& key, TShiftState) {
    if (key == VK_LEFT) key = 0;
  };
  e.Down(VK_LEFT);
  EXPECT_TRUE(e.commands.empty());
  std::string pressed;
  e.edit.KbdHandler().AddKeyPressHandler(&owner, [&](TCustomCodeEdit&, char& ch) { pressed += ch; });
  e.Press('q');
  EXPECT_EQ(pressed, "q");
  ASSERT_EQ(e.commands.size(), 1u);
  EXPECT_EQ(e.commands[0].command, ecChar);
}

TEST(CodeEditKeyboard, InputMethodStringAndItsEchoedCharacters) {
  KeyboardEditor e;
  e.edit.ImeResult("xyz");
  ASSERT_EQ(e.commands.size(), 1u);
  EXPECT_EQ(e.commands[0].command, ecImeStr);
  EXPECT_EQ(e.commands[0].data, "xyz");
  e.Press('x');
  e.Press('y');
  e.Press('z');
  EXPECT_EQ(e.commands.size(), 1u) << "the echoed characters are dropped";
  e.Press('w');
  EXPECT_EQ(e.commands.size(), 2u);
  e.edit.ImeResult(std::string(3000, 'a'));
  EXPECT_EQ(e.commands.back().data.size(), 2048u);
}

TEST(CodeEditKeyboard, DialogCodes) {
  TCodeEdit edit;
  EXPECT_EQ(edit.DialogCodes(), dlgcWantArrows | dlgcWantChars | dlgcWantAllKeys);
  edit.SetWantTabs(true);
  edit.SetWantReturns(false);
  EXPECT_EQ(edit.DialogCodes(), dlgcWantArrows | dlgcWantChars | dlgcWantTab);
}

TEST(CodeEditKeyboard, CommandPipelineEvents) {
  TCodeEdit edit;
  std::vector<std::string> log;
  edit.OnProcessCommand = [&](TCustomCodeEdit&, TCodeEditorCommand& command, char&, void*) {
    log.push_back("process " + EditorCommandToCodeString(command));
    if (command == ecCopy) command = ecNone;
  };
  edit.OnProcessUserCommand = [&](TCustomCodeEdit&, TCodeEditorCommand& command, char&, void*) {
    log.push_back("user " + EditorCommandToCodeString(command));
  };
  edit.OnCommandProcessed = [&](TCustomCodeEdit&, TCodeEditorCommand& command, char&, void*) {
    log.push_back("done " + EditorCommandToCodeString(command));
  };
  int owner = 0;
  edit.AddHookedCommandHandler(&owner, [&](TCustomCodeEdit&, bool after, bool& handled,
                                           TCodeEditorCommand& command, char&, void*) {
    log.push_back(std::string(after ? "after " : "before ") + EditorCommandToCodeString(command));
    if (command == ecPaste && !after) handled = true;
  });
  edit.HandleCommand(ecLeft, 0, nullptr);
  edit.HandleCommand(ecCopy, 0, nullptr);
  edit.HandleCommand(ecPaste, 0, nullptr);
  edit.HandleCommand(ecUserFirst + 2, 0, nullptr);
  edit.RemoveHookedCommandHandler(&owner);
  edit.HandleCommand(ecRight, 0, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{
                     "process ecLeft", "before ecLeft", "after ecLeft", "done ecLeft",
                     "process ecCopy", "done ecNone",
                     "process ecPaste", "before ecPaste", "done ecNone",
                     "user 1003", "before 1003", "after 1003", "done 1003",
                     "process ecRight", "done ecRight"}));
}

}  // namespace
}  // namespace vantrel
