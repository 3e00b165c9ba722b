// Selected text in normal, line and column mode, selection replacement, and
// the editor's reaction to line buffer changes (collected repainting, range
// re-scan, word-wrap rows, marks).
// Tested by tests/editor/CodeEditSelectionTest.cpp and CodeEditPropertyTest.cpp
#include <algorithm>
#include <climits>

#include "editor/CodeEdit.h"
#include "editor/LineBreaks.h"
#include "highlight/CodeEditHighlighter.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

std::string_view TrimRight(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.substr(0, end);
}

// Bytes [x1, x2) of a line, 1-based, cut to the line.
std::string_view Slice(std::string_view line, int x1, int x2) {
  const int length = static_cast<int>(line.size());
  x1 = std::clamp(x1, 1, length + 1);
  x2 = std::clamp(x2, x1, length + 1);
  return line.substr(x1 - 1, x2 - x1);
}

bool HasNonBlank(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c != ' ' && c != '\t'; });
}

}  // namespace

// ---------------------------------------------------------------- reading

std::string TCustomCodeEdit::SelectedText() const {
  if (!HasSelection()) return {};
  const TBufferCoord begin = AnchorStart();
  const TBufferCoord end = AnchorEnd();
  const int count = LineCount();
  std::string result;
  switch (effectiveSelectionMode_) {
    case smNormal: {
      if (begin.Y == end.Y) return std::string(Slice(LineText(begin.Y), begin.X, end.X));
      size_t size = 0;
      for (int y = begin.Y; y <= end.Y && y <= count; ++y) size += LineText(y).size() + 2;
      result.reserve(size);
      std::string_view first = LineText(begin.Y);
      result.append(Slice(first, begin.X, static_cast<int>(first.size()) + 1));
      result.append(kLineBreak);
      for (int y = begin.Y + 1; y < end.Y; ++y) {
        result.append(LineText(y));
        result.append(kLineBreak);
      }
      result.append(Slice(LineText(end.Y), 1, end.X));
      break;
    }
    case smLine: {
      size_t size = 0;
      for (int y = begin.Y; y <= end.Y && y <= count; ++y) size += LineText(y).size() + 2;
      result.reserve(size);
      for (int y = begin.Y; y <= end.Y && y <= count; ++y) {
        result.append(LineText(y));
        if (y < count) result.append(kLineBreak);
      }
      break;
    }
    case smColumn: {
      const bool trim = HasOption(eoTrimTrailingSpaces);
      const std::vector<TColumnPiece> pieces = ColumnPieces(ColumnBlock(begin, end));
      size_t size = 0;
      for (const TColumnPiece& piece : pieces) size += static_cast<size_t>(piece.Last - piece.First + piece.Fill) + 2;
      result.reserve(size);
      for (size_t i = 0; i < pieces.size(); ++i) {
        const TColumnPiece& piece = pieces[i];
        if (i > 0) result.append(kLineBreak);
        result.append(Slice(LineText(piece.Line), piece.First, piece.Last));
        if (!trim) result.append(static_cast<size_t>(piece.Fill), ' ');
      }
      break;
    }
  }
  return result;
}

// ---------------------------------------------------------------- column blocks

TCustomCodeEdit::TColumnBlock TCustomCodeEdit::ColumnBlock(TBufferCoord begin, TBufferCoord end) const {
  const TDisplayPos a = BufferToDisplay(begin);
  const TDisplayPos b = BufferToDisplay(end);
  return {std::min(a.Column, b.Column), std::max(a.Column, b.Column), std::min(a.Row, b.Row),
          std::max(a.Row, b.Row)};
}

TCustomCodeEdit::TColumnPiece TCustomCodeEdit::ColumnPiece(int row, int left, int right) const {
  int line = row;
  int rowStart = 1;       // the row's first cell in its line
  int rowEnd = INT_MAX;   // one past its last cell, unless it ends the line
  if (wordWrapPlugin_ && row >= 1) {
    line = wordWrapPlugin_->DisplayToBuffer({1, row}).Row;
    const int rows = LineCount() == 0 ? 0 : wordWrapPlugin_->TotalRows();
    if (row <= rows) {
      rowStart = wordWrapPlugin_->DisplayToBuffer({1, row}).Column;
      const bool endsLine = row == rows || wordWrapPlugin_->DisplayToBuffer({1, row + 1}).Row != line;
      if (!endsLine) rowEnd = rowStart + wordWrapPlugin_->RowCellCount(row);
    }
  }
  std::string_view text = LineText(line);
  const int lineEnd = static_cast<int>(text.size()) + 1;
  const int first = BufferColumn(text, std::min(rowStart + left - 1, rowEnd));
  const int last = std::max(BufferColumn(text, std::min(rowStart + right - 1, rowEnd)), first);
  const int fill = (last - first) - (std::min(last, lineEnd) - std::min(first, lineEnd));
  return {line, first, last, fill};
}

std::vector<TCustomCodeEdit::TColumnPiece> TCustomCodeEdit::ColumnPieces(const TColumnBlock& block) const {
  std::vector<TColumnPiece> pieces;
  pieces.reserve(static_cast<size_t>(std::max(block.LastRow - block.FirstRow + 1, 0)));
  for (int row = block.FirstRow; row <= block.LastRow; ++row) pieces.push_back(ColumnPiece(row, block.Left, block.Right));
  return pieces;
}

std::vector<TBufferCoord> TCustomCodeEdit::SelectionColumnStarts() const {
  std::vector<TBufferCoord> starts;
  if (!HasSelection() || effectiveSelectionMode_ != smColumn) return starts;
  for (const TColumnPiece& piece : ColumnPieces(ColumnBlock(AnchorStart(), AnchorEnd()))) {
    starts.push_back({piece.First, piece.Line});
  }
  return starts;
}

int TCustomCodeEdit::SelectionLength() const {
  if (!HasSelection()) return 0;
  return PositionToIndex(AnchorEnd()) - PositionToIndex(AnchorStart());
}

// ---------------------------------------------------------------- replacing

void TCustomCodeEdit::SetSelectedText(std::string_view text) { ReplaceSelectionRecorded(text); }

int TCustomCodeEdit::ReplaceSelectionInMode(TSelectionMode mode, std::string_view text, bool addToUndo,
                                            const std::vector<TBufferCoord>* columnStarts) {
  const std::string value(text);
  int added = 0;
  lines_->BeginUpdate();
  BeginUpdateBatch();
  try {
    const TBufferCoord begin = AnchorStart();
    const TBufferCoord end = AnchorEnd();
    if (HasSelection()) {
      DeleteSelection(begin, end);
    }
    if (!value.empty()) {
      const TBufferCoord insertAt = CaretPos();
      const int oldCount = LineCount();
      int first = insertAt.Y;
      switch (mode) {
        case smNormal:
          added = InsertNormal(value);
          if (insertAt.X > 1) first = insertAt.Y + 1;
          break;
        case smColumn:
          // Column pieces never push lines down: new lines go after the end.
          added = InsertColumn(value, addToUndo, columnStarts);
          first = oldCount + 1;
          break;
        case smLine:
          added = InsertLines(value);
          break;
      }
      if (added > 0) NotifyLinesInserted(std::max(first, 1), added);
      ScrollCaretIntoView();
    }
    if (caretY_ < 1) SetCaretYField(1);
    // A text ending in a line break may leave the caret below the last line,
    // and a column block past the line ends beyond the end of its line.
    if (caretY_ > std::max(LineCount(), 1)) SetCaretYField(std::max(LineCount(), 1));
    SettleCaretAfterInsert();
  } catch (...) {
    EndUpdateBatch();
    lines_->EndUpdate();
    throw;
  }
  EndUpdateBatch();
  lines_->EndUpdate();
  return added;
}

void TCustomCodeEdit::SettleCaretAfterInsert() {
  const int lineEnd = static_cast<int>(LineText(caretY_).size()) + 1;
  int maxX = INT_MAX;
  if (!HasOption(eoScrollPastEol)) {
    if (!HasOption(eoTrimTrailingSpaces)) maxX = lineEnd;
  } else if (!HasOption(eoAutoSizeMaxScrollWidth) && !WordWrapActive()) {
    maxX = std::max(maxScrollWidth_ + 1, lineEnd);
  }
  if (caretX_ > maxX) {
    caretX_ = maxX;
    StatusChanged(scCaretX);
  }
  // The old anchors are meaningless now; collapse them as the buffer's
  // change event would, also when an outer buffer update is still open.
  const TSelectionMode published = selectionMode_;
  selectionMode_ = effectiveSelectionMode_;
  SetAnchorStart(CaretPos());
  selectionMode_ = published;
}

void TCustomCodeEdit::DeleteSelection(TBufferCoord begin, TBufferCoord end) {
  const int count = LineCount();
  TBufferCoord caret = begin;
  switch (effectiveSelectionMode_) {
    case smNormal: {
      if (count == 0) break;
      std::string joined(Slice(LineText(begin.Y), 1, begin.X));
      joined.append(Slice(LineText(end.Y), end.X, INT_MAX));
      const int removed = std::min(end.Y, count) - begin.Y;
      if (removed > 0) lines_->RemoveLineSpan(begin.Y, removed);
      std::string_view stored = joined;
      if (HasOption(eoScrollPastEol) && HasOption(eoTrimTrailingSpaces)) stored = TrimRight(stored);
      lines_->Put(begin.Y - 1, stored);
      if (removed > 0) NotifyLinesDeleted(begin.Y, removed);
      break;
    }
    case smLine: {
      if (count == 0) break;
      const int last = std::min(end.Y, count);
      int removed;
      if (last == count) {
        lines_->Put(last - 1, "");
        removed = last - begin.Y;
        if (removed > 0) lines_->RemoveLineSpan(begin.Y - 1, removed);
      } else {
        removed = last - begin.Y + 1;
        lines_->RemoveLineSpan(begin.Y - 1, removed);
      }
      if (removed > 0) NotifyLinesDeleted(begin.Y, removed);
      caret = {1, begin.Y};
      break;
    }
    case smColumn: {
      // Exactly what SelectedText returned goes. All pieces are found before
      // any is removed, as removing re-wraps the rows; from the bottom up,
      // so that pieces sharing a line keep their places.
      const std::vector<TColumnPiece> pieces = ColumnPieces(ColumnBlock(begin, end));
      for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) {
        if (piece->Line < 1 || piece->Line > count) continue;
        std::string line(LineText(piece->Line));
        const int length = static_cast<int>(line.size());
        const int last = std::min(piece->Last, length + 1);
        if (piece->First < last) {
          line.erase(static_cast<size_t>(piece->First - 1), static_cast<size_t>(last - piece->First));
          lines_->Put(piece->Line - 1, line);
        }
      }
      if (!pieces.empty()) caret = {pieces.front().First, pieces.front().Line};
      break;
    }
  }
  // Without eoScrollPastEol the caret may sit at most one past the line end;
  // force it where the selection began.
  const TCodeEditorOptions saved = options_;
  options_ |= OptionBit(eoScrollPastEol);
  MoveCaretTo(caret, false);
  options_ = saved;
}

void TCustomCodeEdit::SetCaretYField(int y) {
  if (caretY_ != y) {
    caretY_ = y;
    StatusChanged(scCaretY);
  }
}

int TCustomCodeEdit::InsertNormal(std::string_view text) {
  std::string_view line = LineText(caretY_);
  const int length = static_cast<int>(line.size());
  std::string left(Slice(line, 1, caretX_));
  if (caretX_ - 1 > length) {
    if (HasOption(eoTabsToSpaces) || HasNonBlank(left)) {
      left.append(static_cast<size_t>(caretX_ - 1 - length), ' ');
    } else {
      left = MakeIndent(CaretLineColumn() - 1);
    }
  }
  const std::string right(Slice(line, caretX_, INT_MAX));
  const std::vector<std::string_view> pieces = SplitAtLineBreaks(text);
  const int index = std::max(caretY_, 1) - 1;
  std::string last;
  if (pieces.size() == 1) {
    last = left + std::string(pieces[0]) + right;
    StoreLine(index, last);
  } else {
    StoreLine(index, left + std::string(pieces[0]));
    const int extra = static_cast<int>(pieces.size()) - 1;
    lines_->InsertEmptyLines(index + 1, extra);
    for (int i = 1; i <= extra; ++i) {
      std::string content(pieces[i]);
      if (i == extra) {
        content += right;
        last = content;
      }
      StoreLine(index + i, content);
      SetCaretYField(index + i + 1);
    }
  }
  int x;
  std::string_view stored = LineText(caretY_);
  if (HasOption(eoTrimTrailingSpaces) && right.empty()) {
    // Keep the caret where the typed blanks ended although they were trimmed.
    x = static_cast<int>(stored.size()) + (ExpandedColumn(last, static_cast<int>(last.size()) + 1) -
                                           ExpandedColumn(stored, static_cast<int>(stored.size()) + 1)) +
        1;
  } else {
    x = static_cast<int>(last.size()) - static_cast<int>(right.size()) + 1;
  }
  const TCodeEditorOptions saved = options_;
  options_ |= OptionBit(eoScrollPastEol);
  MoveCaretTo({x, caretY_}, false);
  options_ = saved;
  return static_cast<int>(pieces.size()) - 1;
}

int TCustomCodeEdit::InsertColumn(std::string_view text, bool addToUndo, const std::vector<TBufferCoord>* starts) {
  const std::vector<std::string_view> pieces = SplitAtLineBreaks(text);
  if (starts && starts->size() != pieces.size()) starts = nullptr;
  std::vector<TBufferCoord> targets;
  if (starts) {
    targets = *starts;
  } else {
    // The rows from the caret's down, at its display column: the same rule
    // as reading a block, so that a pasted block reads back as it was.
    const TDisplayPos caret = CaretDisplayPos();
    targets.reserve(pieces.size());
    for (size_t i = 0; i < pieces.size(); ++i) {
      const TColumnPiece at = ColumnPiece(caret.Row + static_cast<int>(i), caret.Column, caret.Column);
      targets.push_back({at.First, at.Line});
    }
  }
  int appended = 0;
  for (size_t i = 0; i < pieces.size(); ++i) {
    std::string_view piece = pieces[i];
    const TBufferCoord at = targets[i];
    if (piece.empty()) continue;
    // Past the end every line up to the piece's is appended, also those of
    // empty pieces before it, so that every piece lands on its own line.
    while (LineCount() < at.Y) {
      if (addToUndo && LineCount() > 0) {
        const TBufferCoord endOfPrevious{static_cast<int>(LineText(LineCount()).size()) + 1, LineCount()};
        undoList_->RecordChange(ckLineSplit, endOfPrevious, endOfPrevious, {}, smNormal);
      }
      StoreLine(LineCount(), "");
      ++appended;
    }
    std::string line(LineText(at.Y));
    const size_t oldSize = line.size();
    int recordX = at.X;
    if (static_cast<int>(line.size()) < at.X - 1) {
      // The filling is recorded with the piece, so that undo removes it.
      recordX = static_cast<int>(line.size()) + 1;
      line.append(static_cast<size_t>(at.X - 1) - line.size(), ' ');
    }
    line.insert(static_cast<size_t>(at.X - 1), piece);
    // Later pieces of the same line (wrapped rows) move with what went in.
    if (!starts) {
      const int growth = static_cast<int>(line.size() - oldSize);
      for (size_t j = i + 1; j < targets.size(); ++j) {
        if (targets[j].Y == at.Y) targets[j].X += growth;
      }
    }
    StoreLine(at.Y - 1, line);
    if (addToUndo) {
      undoList_->RecordChange(ckPasted, {recordX, at.Y}, {at.X + static_cast<int>(piece.size()), at.Y}, {},
                              effectiveSelectionMode_);
    }
  }
  SetCaretYField(targets.back().Y);
  caretX_ = targets.back().X + static_cast<int>(pieces.back().size());
  StatusChanged(scCaretX);
  return appended;
}

int TCustomCodeEdit::InsertLines(std::string_view text) {
  std::vector<std::string_view> pieces = SplitAtLineBreaks(text);
  // Line-mode text holds whole lines: a final break ends the last line
  // rather than starting another.
  if (pieces.size() > 1 && pieces.back().empty()) pieces.pop_back();
  if (caretX_ != 1) {
    caretX_ = 1;
    StatusChanged(scCaretX);
  }
  int added = 0;
  for (std::string_view piece : pieces) {
    if (caretY_ >= LineCount() || insertMode_) {
      lines_->Insert(std::min(caretY_ - 1, LineCount()), "");
      ++added;
    }
    StoreLine(std::min(caretY_ - 1, LineCount()), piece);
    SetCaretYField(caretY_ + 1);
  }
  return added;
}

void TCustomCodeEdit::StoreLine(int index, std::string_view text) {
  if (HasOption(eoTrimTrailingSpaces)) text = TrimRight(text);
  lines_->Put(index, text);
}

void TCustomCodeEdit::SetSelectionStart(int index) {
  MoveCaretTo(IndexToPosition(index), true);
  SetAnchorStart(CaretPos());
}

void TCustomCodeEdit::SetSelectionLength(int length) {
  const TBufferCoord begin = AnchorStart();
  const int64_t endIndex = std::max<int64_t>(int64_t{PositionToIndex(begin)} + length, 0);
  const TBufferCoord end = IndexToPosition(static_cast<int>(std::min<int64_t>(endIndex, INT_MAX)));
  if (length >= 0) {
    PlaceCaretAndBlock(end, begin, end);
  } else {
    PlaceCaretAndBlock(end, end, begin);
  }
}

void TCustomCodeEdit::SelectAll() {
  TBufferCoord last{1, 1};
  if (LineCount() > 0) last = {static_cast<int>(LineText(LineCount()).size()) + 1, LineCount()};
  PlaceCaretAndBlock(last, {1, 1}, last);
  StatusChanged(scSelection);
}

void TCustomCodeEdit::PlaceCaretAndBlock(TBufferCoord caret, TBufferCoord blockBegin, TBufferCoord blockEnd) {
  // The anchor setters clamp in the published mode; run them in the active
  // one so that it survives.
  const TSelectionMode mode = effectiveSelectionMode_;
  const TSelectionMode published = selectionMode_;
  BeginUpdateBatch();
  MoveCaretTo(caret, true);
  selectionMode_ = mode;
  SetAnchorStart(blockBegin);
  SetAnchorEnd(blockEnd);
  selectionMode_ = published;
  // Callers name exact bytes (an edit's span, a history record). The end
  // may lie inside a double-byte character, and moving it off the trail
  // byte, as a user's selection is moved, would change what is taken.
  const TBufferCoord end = HasOption(eoNoSelection) ? anchorEnd_ : ClampAnchor(blockEnd);
  if (end != anchorEnd_) {
    anchorEnd_ = end;
    InvalidateTextRows(std::min(anchorStart_.Y, end.Y), std::max(anchorStart_.Y, end.Y));
    StatusChanged(scSelection);
  }
  EndUpdateBatch();
}

// ---------------------------------------------------------------- buffer events

void TCustomCodeEdit::LinesChanging() { linesChanging_ = true; }

void TCustomCodeEdit::LinesChanged() {
  linesChanging_ = false;
  if (HandleAllocated()) UpdateScrollBars();
  const TSelectionMode mode = effectiveSelectionMode_;
  const TSelectionMode published = selectionMode_;
  selectionMode_ = mode;
  SetAnchorStart(CaretPos());
  selectionMode_ = published;
  const TRect collected = collectedInvalidRect_;
  collectedInvalidRect_ = {};
  InvalidateRect(collected);
  if (gutter_.ShowLineNumbers() && gutter_.AutoSize()) gutter_.FitDigitCount(LineCount());
  if (!HasOption(eoScrollPastEof)) SetTopLine(topLine_);
}

void TCustomCodeEdit::LinesCleared() {
  if (wordWrapPlugin_) wordWrapPlugin_->Relayout();
  undoList_->Clear();
  redoList_->Clear();
  // The empty history is the saved state exactly when the text counts as
  // unmodified; an older saved group number would make a later undo back to
  // this point look modified.
  undoList_->SavedChangeNumber = modified_ ? -1 : 0;
  collectedInvalidRect_ = {};
  rangesKnown_ = 0;
  InvalidateAll();
  SetCaretPos({1, 1});
  SetTopLine(1);
  SetLeftChar(1);
  StatusChanged(scAll);
}

void TCustomCodeEdit::LinesDeleted(int index, int count) {
  if (highlighter_) {
    KnownRangesDeleted(index, count);
    if (LineCount() > 0) RescanFrom(index);
  }
  if (wordWrapPlugin_) wordWrapPlugin_->LinesRemoved(index, count);
  InvalidateTextRows(index + 1, INT_MAX);
  InvalidateGutterRows(index + 1, INT_MAX);
}

void TCustomCodeEdit::LinesInserted(int index, int count) {
  if (highlighter_ && KnownRangesInserted(index, count)) {
    int scanned = index;
    do {
      scanned = RescanFrom(scanned) + 1;
    } while (scanned < index + count);
  }
  if (wordWrapPlugin_) wordWrapPlugin_->LinesAdded(index, count);
  InvalidateTextRows(index + 1, INT_MAX);
  InvalidateGutterRows(index + 1, INT_MAX);
  GrowMaxScrollWidthTo(index, count);
}

void TCustomCodeEdit::LineReplaced(int index) {
  int lastLine = index + 1;
  if (wordWrapPlugin_ && wordWrapPlugin_->LinesReplaced(index, 1) != 0) {
    lastLine = INT_MAX;
    InvalidateGutterRows(index + 1, INT_MAX);
  }
  if (highlighter_) lastLine = std::max(lastLine, RescanFrom(index) + 1);
  InvalidateTextRows(index + 1, lastLine);
  GrowMaxScrollWidthTo(index, 1);
}

void TCustomCodeEdit::GrowMaxScrollWidthTo(int index, int count) {
  if (!HasOption(eoAutoSizeMaxScrollWidth)) return;
  for (int i = index; i < index + count && i < LineCount(); ++i) {
    const int width = lines_->ExpandedLength(i);
    if (width > maxScrollWidth_) SetMaxScrollWidth(width);
  }
}

void TCustomCodeEdit::NotifyLinesInserted(int firstLine, int count) {
  marks_.LinesInserted(firstLine, count);
  for (TCodeEditPlugin* plugin : plugins_) plugin->LinesInserted(firstLine, count);
}

void TCustomCodeEdit::NotifyLinesDeleted(int firstLine, int count) {
  marks_.LinesDeleted(firstLine, count);
  for (TCodeEditPlugin* plugin : plugins_) plugin->LinesDeleted(firstLine, count);
}

}  // namespace vantrel
