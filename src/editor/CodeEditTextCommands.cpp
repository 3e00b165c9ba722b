// Text-changing commands at the caret: Backspace and Delete with their word,
// line-start, line-end and whole-line variants, clearing everything, line
// breaks with automatic indentation, typing and input-method strings.
// Tested by tests/editor/TextCommandsTest.cpp and UndoRedoCommandsTest.cpp
#include <algorithm>

#include "editor/CodeEdit.h"

namespace vantrel {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Indentation of a line for smart backspace: characters, or widths with tabs
// counting a whole tab width.
int LeadingWidth(std::string_view line, int tabWidth, bool tabsAsWidth) {
  int width = 0;
  for (char c : line) {
    if (c == '\t') {
      width += tabsAsWidth ? tabWidth : 1;
    } else if (c == ' ') {
      width += 1;
    } else {
      break;
    }
  }
  return width;
}

// Fires the transient painting pair once around a command.
class TransientScope {
 public:
  explicit TransientScope(TCustomCodeEdit& edit) : edit_(edit) { edit_.DoOnPaintTransientEx(ttBefore, true); }
  ~TransientScope() { edit_.DoOnPaintTransientEx(ttAfter, true); }
  TransientScope(const TransientScope&) = delete;  // one pair per scope
  TransientScope& operator=(const TransientScope&) = delete;

 private:
  TCustomCodeEdit& edit_;
};

// Keeps one undo block open for the life of the scope.
class UndoBlock {
 public:
  explicit UndoBlock(TCodeEditUndoList& list) : list_(list) { list_.OpenBlock(); }
  ~UndoBlock() { list_.CloseBlock(); }
  UndoBlock(const UndoBlock&) = delete;  // one block per scope
  UndoBlock& operator=(const UndoBlock&) = delete;

 private:
  TCodeEditUndoList& list_;
};

}  // namespace

int TCustomCodeEdit::IndentWidth(std::string_view line, bool width) const {
  if (!HasOption(eoAutoIndent)) return 0;
  int result = 0;
  for (char c : line) {
    if (static_cast<uint8_t>(c) > 32) break;
    result += (c == '\t' && width) ? tabWidth_ : 1;
  }
  return result;
}

TBufferCoord TCustomCodeEdit::ClampToLineEnd(TBufferCoord position) const {
  if (position.Y >= 1 && position.Y <= LineCount()) {
    position.X = std::min(position.X, static_cast<int>(LineText(position.Y).size()) + 1);
  }
  return position;
}

TBufferCoord TCustomCodeEdit::NormalInsertStart(std::string_view text, std::string& replaced) const {
  replaced.clear();
  if (caretY_ < 1 || caretY_ > LineCount()) return CaretPos();
  std::string_view line = LineText(caretY_);
  const int length = static_cast<int>(line.size());
  const int leftLength = std::min(caretX_ - 1, length);
  if (HasOption(eoTrimTrailingSpaces)) {
    // The caret line is stored trimmed. When all that follows the left
    // part there is blank, the trim reaches into the blanks before the
    // caret, and the change starts where they do.
    const size_t lineBreak = text.find_first_of("\r\n");
    std::string_view tail = text.substr(0, lineBreak);
    const bool blankTail = std::all_of(tail.begin(), tail.end(), IsBlank) &&
                           (lineBreak != std::string_view::npos ||
                            std::all_of(line.begin() + leftLength, line.end(), IsBlank));
    if (blankTail) {
      int x = leftLength;
      while (x > 0 && IsBlank(line[x - 1])) --x;
      replaced = std::string(line.substr(static_cast<size_t>(x), static_cast<size_t>(leftLength - x)));
      return {x + 1, caretY_};
    }
  }
  if (caretX_ <= length + 1) return CaretPos();
  const bool blank = std::all_of(line.begin(), line.end(), IsBlank);
  if (!HasOption(eoTabsToSpaces) && blank && length > 0) {
    replaced = std::string(line);
    return {1, caretY_};
  }
  return {length + 1, caretY_};
}

void TCustomCodeEdit::SetCaretPastEol(TBufferCoord position) {
  const TCodeEditorOptions saved = options_;
  BeginUpdateBatch();
  options_ |= OptionBit(eoScrollPastEol);
  MoveCaretTo(position, true);
  SetAnchorStart(CaretPos());
  options_ = saved;
  EndUpdateBatch();
}

void TCustomCodeEdit::PadLineTo(int x, int y) {
  if (y < 1 || y > LineCount()) return;
  std::string line(LineText(y));
  const int length = static_cast<int>(line.size());
  if (length >= x - 1) return;
  line.append(static_cast<size_t>(x - 1 - length), ' ');
  StoreLine(y - 1, line);
  // Trimming trailing blanks may have taken the filling away again.
  const int stored = static_cast<int>(LineText(y).size());
  if (stored == length) return;
  // Recorded on its own, so that undo also takes the filling away.
  undoList_->RecordChange(ckInserted, {length + 1, y}, {stored + 1, y}, {}, smNormal);
}

void TCustomCodeEdit::DeleteSelectionRecorded() {
  RemoveSelectionRecorded(anchorStart_ < anchorEnd_ ? ckRemovedSelection : ckRemovedBackward, *undoList_);
  ScrollCaretIntoView();
}

void TCustomCodeEdit::ReplaceSelectionRecorded(std::string_view text) {
  const std::string value(text);  // the text may be a view of our own lines
  UndoBlock block(*undoList_);
  std::vector<TBufferCoord> columnStarts;
  if (HasSelection()) {
    const TSelectionMode mode = effectiveSelectionMode_;
    columnStarts = SelectionColumnStarts();
    RemoveSelectionRecorded(ckRemovedSelection, *undoList_);
    SetEffectiveSelectionMode(mode);
  } else {
    SetEffectiveSelectionMode(selectionMode_);
  }
  // Anchors left past the line end by another mode must not count now.
  PlaceCaretAndBlock(CaretPos(), CaretPos(), CaretPos());
  if (value.empty()) return;
  const TSelectionMode mode = effectiveSelectionMode_;
  if (mode == smNormal) {
    std::string replaced;
    const TBufferCoord start = NormalInsertStart(value, replaced);
    ReplaceSelectionInMode(smNormal, value, false);
    undoList_->RecordChange(ckInserted, start, CaretPos(), std::move(replaced), smNormal);
  } else {
    const TBufferCoord start{mode == smLine ? 1 : caretX_, caretY_};  // whole lines start at column 1
    if (mode == smLine) {
      InsertLinesRecorded(value);
      undoList_->RecordChange(ckInserted, start, CaretPos(), {}, smLine);
    } else {
      // A text of the block's shape (a case change) goes back where the
      // block was, byte for byte, though removing it may have re-wrapped
      // the rows. Column pieces record themselves.
      ReplaceSelectionInMode(mode, value, true, &columnStarts);
    }
  }
}

// ---------------------------------------------------------------- deleting

void TCustomCodeEdit::DeleteLastChar() {
  TransientScope transient(*this);
  if (HasSelection()) {
    DeleteSelectionRecorded();
    return;
  }
  const TBufferCoord caret = CaretPos();
  const std::string line(LineText(caret.Y));
  const int length = static_cast<int>(line.size());
  if (caret.X > length + 1) {
    // Past the end there is nothing to delete; only the caret moves.
    int x = caret.X - 1;
    if (HasOption(eoSmartTabDelete)) {
      if (length == 0) {
        x = 1;
        const bool tabsAsWidth = HasOption(eoTrimTrailingSpaces);
        for (int y = caret.Y - 1; y >= 1; --y) {
          const int indent = LeadingWidth(LineText(y), tabWidth_, tabsAsWidth);
          if (indent < caret.X - 1) {
            x = indent + 1;
            break;
          }
        }
      } else {
        x = length + 1;
      }
    }
    SetCaretPastEol({x, caret.Y});
    ScrollCaretIntoView();
    return;
  }
  if (caret.X == 1) {
    if (caret.Y == 1) return;
    // Join with the line above.
    const int above = static_cast<int>(LineText(caret.Y - 1).size());
    const TBufferCoord joint{above + 1, caret.Y - 1};
    SetEffectiveSelectionMode(smNormal);
    PlaceCaretAndBlock(joint, joint, caret);
    ReplaceSelectionInMode(smNormal, {}, false);
    if (HasOption(eoTrimTrailingSpaces)) StoreLine(joint.Y - 1, LineText(joint.Y));
    undoList_->RecordChange(ckBackspaced, joint, caret, std::string(kLineBreak), smNormal);
    ScrollCaretIntoView();
    return;
  }
  int removeFrom = caret.X - 1;  // 1-based column of the first byte removed
  const int leading = IndentWidth(line, false);
  if (!IsBlank(line[caret.X - 2]) || caret.X - 1 != leading) {
    if (IsTrailByte(line, caret.X - 1)) removeFrom -= 1;
  } else if (HasOption(eoSmartTabDelete)) {
    // Unindent to the nearest line above that is indented less.
    int target = 0;
    for (int y = caret.Y - 1; y >= 1; --y) {
      const int indent = IndentWidth(LineText(y), false);
      if (indent < leading) {
        target = indent;
        break;
      }
    }
    removeFrom = target + 1;
  } else {
    // Back to the previous tab stop, over spaces only; a tab goes alone.
    if (line[caret.X - 2] == '\t') {
      removeFrom = caret.X - 1;
    } else {
      const int column = ExpandedColumn(line, caret.X);
      const int stop = tabWidth_ * ((column - 2) / tabWidth_) + 1;
      int x = caret.X;
      while (x > 1 && line[x - 2] == ' ' && ExpandedColumn(line, x) > stop && caret.X - x < tabWidth_) --x;
      removeFrom = std::min(x, caret.X - 1);
    }
  }
  const TBufferCoord from{removeFrom, caret.Y};
  const std::string deleted = line.substr(static_cast<size_t>(removeFrom - 1),
                                          static_cast<size_t>(caret.X - removeFrom));
  SetEffectiveSelectionMode(smNormal);
  PlaceCaretAndBlock(from, from, caret);
  ReplaceSelectionInMode(smNormal, {}, false);
  undoList_->RecordChange(ckBackspaced, from, caret, deleted, smNormal);
  if (HasOption(eoTrimTrailingSpaces)) {
    // Trimming may have shortened the line; keep the caret's screen column.
    std::string untrimmed = line;
    untrimmed.erase(static_cast<size_t>(removeFrom - 1), static_cast<size_t>(caret.X - removeFrom));
    const int column = ExpandedColumn(untrimmed, removeFrom);
    const std::string_view stored = LineText(caret.Y);
    if (stored.size() != untrimmed.size()) SetCaretPastEol({BufferColumn(stored, column), caret.Y});
  }
  ScrollCaretIntoView();
}

void TCustomCodeEdit::DeleteChar() {
  TransientScope transient(*this);
  if (HasSelection()) {
    DeleteSelectionRecorded();
    return;
  }
  const TBufferCoord caret = CaretPos();
  if (caret.Y > LineCount()) return;
  const std::string line(LineText(caret.Y));
  const int length = static_cast<int>(line.size());
  TBufferCoord end = caret;
  if (caret.X > length) {
    if (caret.Y >= LineCount()) return;
    end = {1, caret.Y + 1};
  } else {
    end.X = caret.X + CharLengthAt(line, caret.X);
  }
  DeleteForwardTo(caret, end);
}

void TCustomCodeEdit::DeleteWordOrToEnd(bool toLineEnd) {
  TransientScope transient(*this);
  const TBufferCoord caret = CaretPos();
  if (caret.Y < 1 || caret.Y > LineCount()) return;
  std::string_view line = LineText(caret.Y);
  const int length = static_cast<int>(line.size());
  TBufferCoord end;
  if (toLineEnd) {
    end = {length + 1, caret.Y};
  } else {
    end = WordFinish(caret);
    if (end < caret || (end == caret && caret.Y < LineCount())) {
      if (end.X > length) {
        end = caret.Y < LineCount() ? TBufferCoord{1, caret.Y + 1} : caret;
      } else if (line[end.X - 1] != ' ') {
        end.X += CharLengthAt(line, end.X);
      }
    }
    std::string_view endLine = LineText(end.Y);
    while (end.X <= static_cast<int>(endLine.size()) && endLine[end.X - 1] == ' ') ++end.X;
  }
  if (end <= caret) return;
  DeleteForwardTo(caret, end);
}

void TCustomCodeEdit::DeleteForwardTo(TBufferCoord caret, TBufferCoord end) {
  UndoBlock block(*undoList_);
  // A caret past the end joins the next line at the caret: fill the gap.
  PadLineTo(caret.X, caret.Y);
  // Where trimming took the filling away, the deletion starts at the line end.
  const TBufferCoord from{std::min(caret.X, static_cast<int>(LineText(caret.Y).size()) + 1), caret.Y};
  SetEffectiveSelectionMode(smNormal);
  PlaceCaretAndBlock(from, from, end);
  const std::string deleted = SelectedText();
  ReplaceSelectionInMode(smNormal, {}, false);
  SetCaretPastEol(caret);
  undoList_->RecordChange(ckDeletedForward, from, end, deleted, smNormal);
}

void TCustomCodeEdit::DeleteLastWordOrToStart(bool toLineStart) {
  TransientScope transient(*this);
  const TBufferCoord caret = CaretPos();
  const TBufferCoord start = toLineStart ? TBufferCoord{1, caret.Y} : PreviousWordStart(caret);
  if (start == caret) return;
  SetEffectiveSelectionMode(smNormal);
  PlaceCaretAndBlock(start, start, caret);
  const std::string deleted = SelectedText();
  ReplaceSelectionInMode(smNormal, {}, false);
  undoList_->RecordChange(ckBackspaced, start, caret, deleted, smNormal);
  SetCaretPastEol(start);
}

void TCustomCodeEdit::DeleteLine() {
  TransientScope transient(*this);
  const int y = caretY_;
  if (LineCount() == 0 || y < 1 || y > LineCount()) return;
  const std::string line(LineText(y));
  if (y == LineCount() && line.empty()) return;
  SetAnchorStart(CaretPos());
  const bool lastLine = y == LineCount();
  lines_->BeginUpdate();
  try {
    if (lastLine) {
      StoreLine(y - 1, "");
    } else {
      lines_->Delete(y - 1);
    }
  } catch (...) {
    lines_->EndUpdate();
    throw;
  }
  lines_->EndUpdate();
  if (lastLine) {
    undoList_->RecordChange(ckDeletedForward, {1, y}, {static_cast<int>(line.size()) + 1, y}, line, smNormal);
  } else {
    NotifyLinesDeleted(y, 1);
    undoList_->RecordChange(ckDeletedForward, {1, y}, {1, y + 1}, line + std::string(kLineBreak), smNormal);
  }
  SetCaretPastEol({1, y});
}

void TCustomCodeEdit::ClearAll() {
  lines_->Clear();
  marks_.Clear();
  bookmarks_.fill(nullptr);
  undoList_->Clear();
  redoList_->Clear();
  SetModified(false);
  // The empty history is the saved state, even when Modified was already
  // false and the setter had nothing to do.
  undoList_->MarkSaved(true);
}

// ---------------------------------------------------------------- line breaks

void TCustomCodeEdit::LineBreak(bool moveCaret) {
  UndoBlock block(*undoList_);
  if (HasSelection()) RemoveSelectionRecorded(ckRemovedSelection, *undoList_);
  if (LineCount() == 0) lines_->Add("");
  const TBufferCoord caret = CaretPos();
  const int y = caret.Y;
  const std::string line(LineText(y));
  const int length = static_cast<int>(line.size());
  TBufferCoord target = caret;
  int insertedAt = y + 1;
  std::string recorded;
  lines_->BeginUpdate();
  try {
    if (length == 0) {
      int width = 0;
      for (int above = y; above >= 1; --above) {
        if (!LineText(above).empty()) {
          width = IndentWidth(LineText(above), true);
          break;
        }
      }
      lines_->Insert(y - 1, "");
      insertedAt = y;
      target = {width + 1, y + 1};
    } else if (caret.X > length) {
      const std::string indent = moveCaret ? line.substr(0, static_cast<size_t>(IndentWidth(line, false))) : "";
      lines_->Insert(y, "");
      StoreLine(y, indent);
      target = {static_cast<int>(indent.size()) + 1, y + 1};
    } else if (caret.X == 1) {
      lines_->Insert(y - 1, "");
      insertedAt = y;
      recorded = line;
      target = {1, y + 1};
    } else {
      const std::string left = line.substr(0, static_cast<size_t>(caret.X - 1));
      recorded = line.substr(static_cast<size_t>(caret.X - 1));
      const int leading = IndentWidth(left, false);
      const std::string indent = MakeIndent(leading > 0 ? ExpandedColumn(left, leading + 1) - 1 : 0);
      StoreLine(y - 1, left);
      lines_->Insert(y, "");
      StoreLine(y, indent + recorded);
      target = {static_cast<int>(indent.size()) + 1, y + 1};
    }
  } catch (...) {
    lines_->EndUpdate();
    throw;
  }
  lines_->EndUpdate();
  undoList_->RecordChange(ckLineSplit, caret, caret, std::move(recorded), smNormal);
  NotifyLinesInserted(insertedAt, 1);
  BeginUpdateBatch();
  MoveCaretTo(moveCaret ? target : caret, true);
  SetAnchorStart(CaretPos());
  EndUpdateBatch();
}

// ---------------------------------------------------------------- typing

void TCustomCodeEdit::TypeChar(char ch) {
  const uint8_t code = static_cast<uint8_t>(ch);
  if (code < 32 || code == 127) return;
  TransientScope transient(*this);
  if (!insertMode_ && !HasSelection()) {
    // Overwriting: the typed character replaces the one right of the caret.
    std::string_view line = LineText(caretY_);
    const int length = static_cast<int>(line.size());
    if (caretX_ <= length) {
      SetEffectiveSelectionMode(smNormal);
      PlaceCaretAndBlock(CaretPos(), CaretPos(), {caretX_ + CharLengthAt(line, caretX_), caretY_});
    }
  }
  if (HasSelection() || selectionMode_ != smNormal) {
    ReplaceSelectionRecorded(std::string_view(&ch, 1));
    return;
  }
  const int length = static_cast<int>(LineText(caretY_).size());
  if (caretY_ <= LineCount() && caretX_ <= length + 1 && !HasOption(eoTrimTrailingSpaces)) {
    // The common keystroke, inside a line: one copy of the line into a
    // buffer that is kept, so typing into a very long line allocates
    // nothing beyond the line itself.
    thread_local std::string scratch;
    scratch.assign(LineText(caretY_));
    scratch.insert(static_cast<size_t>(caretX_ - 1), 1, ch);
    const TBufferCoord start = CaretPos();
    SetEffectiveSelectionMode(smNormal);
    BeginUpdateBatch();
    lines_->BeginUpdate();
    try {
      lines_->Put(caretY_ - 1, scratch);
      MoveCaretTo({caretX_ + 1, caretY_}, true);
    } catch (...) {
      lines_->EndUpdate();
      EndUpdateBatch();
      throw;
    }
    lines_->EndUpdate();
    EndUpdateBatch();
    undoList_->RecordChange(ckInserted, start, CaretPos(), {}, smNormal);
    return;
  }
  // Typed past the end of the line, the filling in front of the character
  // is recorded with it, so that undo takes both away.
  std::string replaced;
  const TBufferCoord start = NormalInsertStart(std::string_view(&ch, 1), replaced);
  SetEffectiveSelectionMode(smNormal);
  if (HasSelection()) PlaceCaretAndBlock(CaretPos(), CaretPos(), CaretPos());
  undoList_->OpenBlock();
  try {
    ReplaceSelectionInMode(smNormal, std::string_view(&ch, 1), false);
    undoList_->RecordChange(ckInserted, start, CaretPos(), std::move(replaced), smNormal);
  } catch (...) {
    undoList_->CloseBlock();
    throw;
  }
  undoList_->CloseBlock();
}

void TCustomCodeEdit::InsertImeString(const char* data) {
  if (!data || !*data) return;
  const std::string text(data);
  if (HasSelection()) {
    ReplaceSelectionRecorded(text);
    InvalidateGutterRows(-1, -1);
    return;
  }
  const TBufferCoord caret = CaretPos();
  if (LineCount() == 0) lines_->Add("");
  std::string line(LineText(caret.Y));
  const int length = static_cast<int>(line.size());
  if (length < caret.X - 1) line.append(static_cast<size_t>(caret.X - 1 - length), ' ');
  const size_t at = static_cast<size_t>(caret.X - 1);
  std::string overwritten;
  if (!insertMode_) {
    size_t count = std::min(text.size(), line.size() - at);
    // Never leave half of a double-byte character behind.
    if (at + count < line.size() && IsTrailByte(line, static_cast<int>(at + count) + 1)) ++count;
    overwritten = line.substr(at, count);
    line.erase(at, count);
  }
  line.insert(at, text);
  StoreLine(caret.Y - 1, line);
  const TBufferCoord after{caret.X + static_cast<int>(text.size()), caret.Y};
  SetCaretPastEol(after);
  undoList_->RecordChange(ckInserted, {std::min(caret.X, length + 1), caret.Y}, after, std::move(overwritten),
                          smNormal);
  if (visibleColumns_ > 0 && CaretDisplayColumn() >= leftChar_ + visibleColumns_) {
    SetLeftChar(leftChar_ + std::min(25, visibleColumns_ - 1));
  }
}

}  // namespace vantrel
