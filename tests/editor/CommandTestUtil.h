// Shared set-up for the command tests: an editor on a fake host and clipboard
// driven through the command pipeline.
#pragma once

#include <string>
#include <string_view>

#include "EditorTestUtil.h"
#include "support/FakeClipboard.h"

namespace vantrel {

struct CommandEditor {
  explicit CommandEditor(std::string_view text = {}, int width = 800, int height = 600) : e(text, width, height) {
    e.edit.SetClipboard(&clipboard);
  }
  CommandEditor& Options(TCodeEditorOptions on, TCodeEditorOptions off = 0) {
    e.edit.SetOptions((e.edit.Options() | on) & ~off);
    return *this;
  }
  void Run(TCodeEditorCommand command, char ch = 0, void* data = nullptr) { e.edit.HandleCommand(command, ch, data); }
  void Type(std::string_view text) {
    for (char c : text) Run(ecChar, c);
  }
  void Go(int x, int y) {
    TBufferCoord at{x, y};
    Run(ecGotoXY, 0, &at);
  }
  void Select(TBufferCoord from, TBufferCoord to, TSelectionMode mode = smNormal) {
    e.edit.SetSelectionMode(mode);
    Go(from.X, from.Y);
    TBufferCoord at = to;
    Run(ecSelGotoXY, 0, &at);
  }
  std::string Text() const { return Lines(e.edit); }
  TBufferCoord Caret() const { return e.edit.CaretPos(); }
  TCustomCodeEdit& Edit() { return e.edit; }

  EditorOnHost e;
  FakeClipboard clipboard;
};

constexpr TCodeEditorOptions Opt(TCodeEditorOption o) { return OptionBit(o); }

}  // namespace vantrel
