// Drives the editor model with operations decoded from the input: caret and
// anchor moves, selection modes, selection replacement in every mode, option
// changes, keys, word wrap in narrow windows and the double-byte code page,
// and the mouse: presses, moves, releases, double clicks, the wheel, scroll
// bars, auto-scroll ticks, drops from itself and from a second editor, and
// the matching bracket. The caret and anchors must stay inside the buffer.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/CodeEdit.h"
#include "highlight/HighlighterCpp.h"
#include "platform/CodePage.h"
#include "platform/NullEditorHost.h"
#include "support/FuzzReader.h"

namespace {

using namespace vantrel;

#define Check(ok)                                                                            \
  do {                                                                                       \
    if (!(ok)) {                                                                             \
      std::fprintf(stderr, "broken: %s caret %d,%d anchors %d,%d %d,%d lines %d\n", #ok,     \
                   edit.CaretX(), edit.CaretY(), edit.RawAnchorStart().X, edit.RawAnchorStart().Y, \
                   edit.RawAnchorEnd().X, edit.RawAnchorEnd().Y, edit.LineCount());          \
      std::abort();                                                                          \
    }                                                                                        \
  } while (0)

void CheckValid(const TCustomCodeEdit& edit) {
  const int maxY = edit.LineCount() < 1 ? 1 : edit.LineCount();
  Check(edit.CaretY() >= 1 && edit.CaretY() <= maxY);
  auto widest = [&](int y) {
    return std::max(edit.MaxScrollWidth() + 1, static_cast<int>(edit.LineText(y).size()) + 1);
  };
  // Trimming may leave the caret past the stored text by the trimmed blanks.
  const int slack = edit.HasOption(eoTrimTrailingSpaces) ? 64 : 0;
  // eoAutoSizeMaxScrollWidth lets the caret go anywhere to the right, and
  // so does word wrap, which has no scroll width; there the anchors too.
  const bool wrapped = edit.WordWrapActive();
  const bool unbounded = edit.HasOption(eoAutoSizeMaxScrollWidth) || wrapped;
  Check(edit.CaretX() >= 1 && (unbounded || edit.CaretX() <= widest(edit.CaretY()) + slack));
  for (TBufferCoord anchor : {edit.RawAnchorStart(), edit.RawAnchorEnd()}) {
    Check(anchor.Y >= 1 && anchor.Y <= maxY);
    Check(anchor.X >= 1 && (wrapped || anchor.X <= widest(anchor.Y)));
  }
  Check(edit.UpdateBatchDepth() == 0);
  Check(edit.TopLine() >= 1 && edit.LeftChar() >= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzReader in(data, size);
  // The code page is process-wide: every input starts on the same one.
  CodePage::SetActive(1252);
  NullEditorHost host{300, 160, {7, 13, 7, 7}};
  TCodeEdit edit(&host);
  edit.SetMaxScrollWidth(100);
  edit.SetText(in.Text());
  NullEditorHost otherHost{300, 160, {7, 13, 7, 7}};
  TCodeEdit other(&otherHost);
  other.SetText("other (text)\n\tsecond line");
  other.SelectAll();
  int steps = 0;
  while (!in.AtEnd() && steps++ < 200) {
    const int count = edit.LineCount();
    auto position = [&] { return TBufferCoord{in.Small(-2, 60), in.Small(-1, count + 2)}; };
    // Pixels around and beyond the window.
    auto pixel = [&] { return TPoint{in.Small(0, 255) * 2 - 100, in.Small(0, 255) * 2 - 100}; };
    switch (in.Byte() % 21) {
      case 0:
        edit.SetCaretPos(position());
        break;
      case 1:
        edit.SetAnchorStart(position());
        break;
      case 2:
        edit.SetAnchorEnd(position());
        break;
      case 3:
        edit.SetSelectionMode(static_cast<TSelectionMode>(in.Byte() % 3));
        break;
      case 4:
        edit.SetSelectedText(in.Text());
        break;
      case 5: {
        auto mode = static_cast<TSelectionMode>(in.Byte() % 3);
        edit.ReplaceSelectionInMode(mode, in.Text(), in.Byte() & 1);
        break;
      }
      case 6:
        edit.SetOptions(edit.Options() ^ OptionBit(static_cast<TCodeEditorOption>(in.Byte() % 27)));
        break;
      case 7:
        edit.SetTabWidth(in.Small(0, 12));
        break;
      case 8: {
        TVirtualKey key = in.Byte();
        const TShiftState shift = in.Byte() & 7;
        char ch = static_cast<char>(in.Byte());
        // Clipboard keys fail without a clipboard; the widget reports such
        // errors and carries on, and so must the editor's state.
        try {
          edit.KeyDown(key, shift);
          edit.KeyPress(ch);
        } catch (const ECodeEditError&) {
        }
        break;
      }
      case 9:
        edit.SetSelectionStart(in.Small(0, 255));
        edit.SetSelectionLength(in.Small(0, 255) - 128);
        break;
      case 10: {
        TBufferCoord p = position();
        (void)edit.NextWordStart(p);
        (void)edit.PreviousWordStart(p);
        (void)edit.WordBegin(p);
        (void)edit.WordFinish(p);
        (void)edit.SelectedText();
        (void)edit.DisplayToBuffer(edit.BufferToDisplay(p));
        edit.SetTopLine(in.Small(-3, count + 3));
        edit.SetLeftChar(in.Small(-3, 120));
        break;
      }
      case 11:
        // Rows of 4 to 35 cells: column blocks then span rows of one line.
        host.Width = 32 + 7 * in.Small(4, 35);
        edit.Resized();
        edit.SetWordWrap(!edit.WordWrap());
        break;
      case 12:
        CodePage::SetActive(in.Byte() & 1 ? 936 : 1252);
        break;
      case 13: {
        const TPoint p = pixel();
        const TShiftState shift = in.Byte() & (ssShift | ssAlt | ssCtrl);
        edit.MouseDown(static_cast<TMouseButton>(in.Byte() % 3), shift | ssLeft, p.X, p.Y);
        break;
      }
      case 14: {
        const TPoint p = pixel();
        host.Pointer = p;
        edit.MouseMove((in.Byte() & (ssShift | ssAlt | ssCtrl)) | ssLeft, p.X, p.Y);
        edit.UpdateMouseCursor(p.X, p.Y);
        break;
      }
      case 15: {
        const TPoint p = pixel();
        edit.MouseUp(static_cast<TMouseButton>(in.Byte() % 3), in.Byte() & ssShift, p.X, p.Y);
        break;
      }
      case 16: {
        const TPoint p = pixel();
        edit.DblClick(p.X, p.Y);
        edit.MouseDown(mbLeft, ssLeft | ssDouble, p.X, p.Y);
        break;
      }
      case 17:
        edit.MouseWheel(in.Byte() & ssCtrl, in.Small(0, 255) * 8 - 1024);
        edit.ScrollBarMessage(static_cast<TScrollBarKind>(in.Byte() & 1),
                              static_cast<TScrollCode>(in.Byte() % (scEndScroll + 1)), in.Small(0, 255) * 130);
        break;
      case 18:
        host.Pointer = pixel();
        edit.TimerTick(TCustomCodeEdit::kScrollTimerId);
        break;
      case 19: {
        // A drop from this editor (as a drag it started) or from the other.
        const TPoint p = pixel();
        TCustomCodeEdit* source = in.Byte() & 1 ? static_cast<TCustomCodeEdit*>(&edit) : &other;
        if (!other.HasSelection()) other.SelectAll();
        edit.DragOver(source, p.X, p.Y, static_cast<TDragState>(in.Byte() % 3));
        edit.DragDrop(source, p.X, p.Y, in.Byte() & (ssShift | ssCtrl));
        edit.DragEnded(in.Byte() & 1);
        CheckValid(other);
        break;
      }
      case 20: {
        // With the highlighter brackets in comments and strings drop out.
        static TCppHighlighter cpp;  // outlives every editor
        edit.SetHighlighter(in.Byte() & 1 ? &cpp : nullptr);
        const TBufferCoord match = edit.MatchingBracketAt(position());
        Check(match == (TBufferCoord{0, 0}) || (match.Y >= 1 && match.Y <= edit.LineCount() && match.X >= 1 &&
                                                 match.X <= static_cast<int>(edit.LineText(match.Y).size())));
        edit.GoToMatchingBracket();
        break;
      }
    }
    CheckValid(edit);
  }
  return 0;
}
