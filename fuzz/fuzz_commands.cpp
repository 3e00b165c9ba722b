// Drives the editor's commands with a sequence decoded from the input: caret
// moves and selections in every mode, every text-changing command, the
// clipboard, undo and redo, option changes, on a single- or double-byte code
// page, with or without word wrap. Afterwards undoing everything
// must give back the starting text and redoing everything the final text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/CodeEdit.h"
#include "platform/CodePage.h"
#include "platform/NullEditorHost.h"
#include "support/FakeClipboard.h"
#include "support/FuzzReader.h"

namespace {

using namespace vantrel;

constexpr TCodeEditorCommand kCommands[] = {
    ecLeft,         ecRight,          ecUp,          ecDown,          ecWordLeft,       ecWordRight,
    ecLineStart,    ecLineEnd,        ecPageUp,      ecPageDown,      ecEditorBottom,   ecSelLeft,
    ecSelRight,     ecSelUp,          ecSelDown,     ecSelLineEnd,    ecSelWord,        ecSelectAll,
    ecCopy,         ecCut,            ecPaste,       ecUndo,          ecRedo,           ecDeleteLastChar,
    ecDeleteChar,   ecDeleteWord,     ecDeleteLastWord, ecDeleteBOL,  ecDeleteEOL,      ecDeleteLine,
    ecLineBreak,    ecInsertLine,     ecTab,         ecShiftTab,      ecBlockIndent,    ecBlockUnindent,
    ecUpperCase,    ecLowerCase,      ecToggleCase,  ecTitleCase,     ecUpperCaseBlock, ecToggleCaseBlock,
    ecNormalSelect, ecLineSelect,     ecToggleMode,  ecScrollDown,    ecSetMarker0,     ecGotoMarker0,
    ecLowerCaseBlock, ecSelDown,      ecSelWordRight,
};

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_commands: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzReader in(data, size);
  const uint8_t flags = in.Byte();
  const uint8_t setting = in.Byte();
  // Half the inputs run on a double-byte code page, with lone lead bytes.
  const bool doubleByte = setting & 1;
  CodePage::SetActive(doubleByte ? 936 : 1252);
  // Half wrap their lines, in a window 4 to 32 cells wide, so that column
  // blocks span rows of one line.
  const bool wrap = setting & 2;
  const int width = wrap ? 32 + 7 * (4 + (setting >> 2) % 29) : 300;
  NullEditorHost host{width, 160, {7, 13, 7, 7}};
  FakeClipboard clipboard;
  TCodeEdit edit(&host);
  edit.SetClipboard(&clipboard);
  edit.SetMaxUndo(100000);
  edit.SetWordWrap(wrap);
  // Trimming trailing blanks loses them by design; it stays off so that the
  // round trip can be checked exactly.
  TCodeEditorOptions options = edit.Options() | OptionBit(eoTabIndent);
  if (flags & 1) options ^= OptionBit(eoGroupUndo);
  if (flags & 2) options ^= OptionBit(eoTabsToSpaces);
  if (flags & 4) options ^= OptionBit(eoScrollPastEol);
  if (flags & 8) options ^= OptionBit(eoSmartTabs);
  if (flags & 16) options ^= OptionBit(eoAutoIndent);
  edit.SetOptions(options);
  edit.SetTabWidth(1 + (flags >> 5));

  std::string text;
  for (int n = in.Small(0, 40); n > 0 && !in.AtEnd(); --n) {
    static const char alphabet[] = "ab C\t.\r\n_(x \xD6\xD0";
    text += alphabet[in.Byte() % (sizeof(alphabet) - 1)];
  }
  edit.SetText(text);
  const std::string original = edit.Lines().GetText();

  for (int step = 0; step < 200 && !in.AtEnd(); ++step) {
    const uint8_t op = in.Byte();
    if (op < 40) {
      TBufferCoord at{in.Small(1, 12), in.Small(1, 8)};
      edit.HandleCommand(op & 1 ? ecSelGotoXY : ecGotoXY, 0, &at);
    } else if (op < 60) {
      static const char chars[] = "aZ ._\t\xD6";
      edit.HandleCommand(ecChar, chars[op % (sizeof(chars) - 1)], nullptr);
    } else if (op < 64) {
      char ime[] = "a\xD6\xD0";
      edit.HandleCommand(ecImeStr, 0, ime);
    } else if (op < 68) {
      edit.HandleCommand(ecColumnSelect, 0, nullptr);
    } else {
      edit.HandleCommand(kCommands[op % (sizeof(kCommands) / sizeof(kCommands[0]))], 0, nullptr);
    }
    Check(edit.UpdateBatchDepth() == 0, "update batch left open");
    Check(edit.UndoList().BlockCount() == 0, "undo block left open");
  }
  // Records left on the redo list by undo steps are part of the history.
  while (edit.CanRedo()) edit.Redo();
  const std::string final = edit.Lines().GetText();
  while (edit.CanUndo()) edit.Undo();
  Check(edit.Lines().GetText() == original, "undo all did not restore the original text");
  while (edit.CanRedo()) edit.Redo();
  Check(edit.Lines().GetText() == final, "redo all did not restore the final text");
  return 0;
}
