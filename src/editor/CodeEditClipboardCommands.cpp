// Copy, cut and paste through the platform clipboard: plain text for every
// program, and beside it the editor's block format, which also carries the
// selection mode so that column and line blocks paste as such.
// Tested by tests/editor/ClipboardCommandsTest.cpp
#include <algorithm>

#include "editor/CodeEdit.h"

namespace vantrel {

namespace {

constexpr const char* kCopyFailed = "Clipboard copy operation failed";
constexpr const char* kPasteFailed = "Clipboard paste operation failed.";

// Closes the clipboard however the scope is left.
class ClipboardSession {
 public:
  explicit ClipboardSession(Clipboard& clipboard) : clipboard_(clipboard), open_(clipboard.Open()) {}
  ~ClipboardSession() {
    if (open_) clipboard_.Close();
  }
  ClipboardSession(const ClipboardSession&) = delete;  // owns the open state
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool IsOpen() const { return open_; }

 private:
  Clipboard& clipboard_;
  bool open_;
};

// Lines of a line-mode block; a final line break ends the last line.
int BlockLineCount(std::string_view text) {
  int count = 1;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (text[i] == '\r' || text[i] == '\n') ++count;
  }
  if (!text.empty() && (text.back() == '\r' || text.back() == '\n')) --count;
  return count;
}

}  // namespace

void TCustomCodeEdit::InsertLinesRecorded(std::string_view text) {
  if (insertMode_) {
    ReplaceSelectionInMode(smLine, text, true);
    return;
  }
  // Overwriting replaces the lines below the caret (all but the last one).
  // Removing them first as a recorded change, then inserting, gives the same
  // text and lets undo bring the overwritten lines back.
  const TSelectionMode mode = effectiveSelectionMode_;
  const int y = caretY_;
  const int overwritten = std::max(0, std::min(BlockLineCount(text), LineCount() - y));
  if (overwritten > 0) {
    const TBufferCoord from{1, y};
    const TBufferCoord to{1, y + overwritten};
    SetEffectiveSelectionMode(smNormal);
    PlaceCaretAndBlock(from, from, to);
    RemoveSelectionRecorded(ckRemovedSelection, *undoList_);
  }
  insertMode_ = true;
  try {
    ReplaceSelectionInMode(smLine, text, true);
  } catch (...) {
    insertMode_ = false;
    SetEffectiveSelectionMode(mode);
    throw;
  }
  insertMode_ = false;
  SetEffectiveSelectionMode(mode);
}

bool TCustomCodeEdit::CanPaste() const {
  if (readOnly_ || !clipboard_) return false;
  ClipboardSession session(*clipboard_);
  if (!session.IsOpen()) return false;
  return clipboard_->HasText() || clipboard_->HasFormat(clipboard_->RegisterFormat(kBlockFormatName));
}

void TCustomCodeEdit::PutOnClipboard(const std::string& text, TSelectionMode mode) {
  if (text.empty()) return;
  if (!clipboard_) throw ECodeEditError(kCopyFailed);
  ClipboardSession session(*clipboard_);
  if (!session.IsOpen() || !clipboard_->Clear() || !clipboard_->SetText(text)) throw ECodeEditError(kCopyFailed);
  std::string block;
  block.reserve(text.size() + 2);
  block.push_back(static_cast<char>(mode));
  block.append(text);
  block.push_back('\0');
  if (!clipboard_->SetData(clipboard_->RegisterFormat(kBlockFormatName), block)) {
    throw ECodeEditError(kCopyFailed);
  }
}

void TCustomCodeEdit::CopyToClipboard() {
  if (!HasSelection()) return;
  std::string text;
  if (effectiveSelectionMode_ == smColumn) {
    // Short lines are padded, so that the block keeps its shape.
    const TCodeEditorOptions saved = options_;
    options_ &= ~OptionBit(eoTrimTrailingSpaces);
    text = SelectedText();
    options_ = saved;
  } else {
    text = SelectedText();
  }
  PutOnClipboard(text, effectiveSelectionMode_);
}

void TCustomCodeEdit::CutToClipboard() {
  if (readOnly_ || !HasSelection()) return;
  undoList_->OpenBlock();
  try {
    CopyToClipboard();
    SetSelectedText({});
  } catch (...) {
    undoList_->CloseBlock();
    throw;
  }
  undoList_->CloseBlock();
}

void TCustomCodeEdit::RecordPastedRange(TBufferCoord start, TSelectionMode mode, std::string replaced) {
  if (mode == smColumn) return;  // column pieces were recorded line by line
  if (mode == smLine) {
    // Whole lines went in above the caret line: record them as lines, so
    // that undo removes those lines and no more.
    if (caretX_ == 1 && caretY_ > start.Y) {
      undoList_->RecordChange(ckPasted, {1, start.Y}, {std::max(visibleColumns_, 2), caretY_ - 1}, {}, smLine);
    } else {
      undoList_->RecordChange(ckPasted, {1, start.Y}, CaretPos(), {}, smNormal);
    }
    return;
  }
  undoList_->RecordChange(ckPasted, start, CaretPos(), std::move(replaced), smNormal);
}

void TCustomCodeEdit::PasteText(std::string_view text, TSelectionMode mode) {
  undoList_->RecordChange(ckPasteStart, CaretPos(), CaretPos(), {}, effectiveSelectionMode_);
  // Removing first leaves the caret where the text goes in.
  if (HasSelection()) RemoveSelectionRecorded(ckRemovedSelection, *undoList_);
  // Anchors that meant no selection in one mode may span lines in another.
  PlaceCaretAndBlock(CaretPos(), CaretPos(), CaretPos());
  std::string replaced;
  TBufferCoord start = CaretPos();
  if (mode == smNormal) start = NormalInsertStart(text, replaced);
  if (mode == smLine) {
    start.X = 1;
    InsertLinesRecorded(text);
  } else {
    SetEffectiveSelectionMode(mode);
    ReplaceSelectionInMode(mode, text, true);
  }
  RecordPastedRange(start, mode, std::move(replaced));
  undoList_->RecordChange(ckPasteStop, CaretPos(), CaretPos(), {}, effectiveSelectionMode_);
}

void TCustomCodeEdit::PasteFromClipboard() {
  if (!CanPaste()) return;
  DoOnPaintTransientEx(ttBefore, true);
  undoList_->OpenBlock();
  try {
    ClipboardSession session(*clipboard_);
    if (!session.IsOpen()) throw ECodeEditError(kPasteFailed);
    const int format = clipboard_->RegisterFormat(kBlockFormatName);
    if (clipboard_->HasFormat(format)) {
      const std::optional<std::string> data = clipboard_->GetData(format);
      if (!data || data->empty()) throw ECodeEditError(kPasteFailed);
      // A mode byte this editor does not know pastes as plain text.
      const uint8_t modeByte = static_cast<uint8_t>((*data)[0]);
      const TSelectionMode mode = modeByte <= smColumn ? static_cast<TSelectionMode>(modeByte) : smNormal;
      std::string_view text = std::string_view(*data).substr(1);
      PasteText(text.substr(0, text.find('\0')), mode);
    } else if (clipboard_->HasText()) {
      if (!HasSelection()) {
        SetEffectiveSelectionMode(selectionMode_);
        PlaceCaretAndBlock(CaretPos(), CaretPos(), CaretPos());
      }
      PasteText(clipboard_->GetText(), effectiveSelectionMode_);
    }
  } catch (...) {
    undoList_->CloseBlock();
    DoOnPaintTransientEx(ttAfter, true);
    throw;
  }
  undoList_->CloseBlock();
  if (HasOption(eoHideShowScrollbars)) UpdateScrollBars();
  ScrollCaretIntoView();
  StatusChanged(scSelection);
  DoOnPaintTransientEx(ttAfter, true);
}

}  // namespace vantrel
