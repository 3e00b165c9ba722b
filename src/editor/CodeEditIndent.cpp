// Tab and Shift+Tab (smart tabs, tabs to spaces, back-unindent) and block
// indentation and unindentation.
// Tested by tests/editor/IndentCommandsTest.cpp
#include <algorithm>
#include <climits>

#include "editor/CodeEdit.h"

namespace vantrel {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The lines a block command works on: a block ending at column 1 leaves
// its last line alone.
void BlockLines(TBufferCoord begin, TBufferCoord end, int& first, int& last) {
  first = begin.Y;
  last = end.Y;
  if (end.X == 1 && last > first) --last;
}

// What Shift+Tab on a block removes from one line: a tab, up to a tab
// width of spaces, or fewer spaces followed by a tab.
size_t RemovablePrefix(std::string_view text, int tabWidth) {
  if (text.empty()) return 0;
  if (text[0] == '\t') return 1;
  size_t spaces = 0;
  while (spaces < text.size() && spaces < static_cast<size_t>(tabWidth) && text[spaces] == ' ') ++spaces;
  if (spaces < static_cast<size_t>(tabWidth) && spaces < text.size() && text[spaces] == '\t') return spaces + 1;
  return spaces;
}

// Where block indentation works on each line: column 1, or in column mode
// where the block's left edge first crosses the line.
std::vector<TBufferCoord> BlockLineStarts(const TCustomCodeEdit& edit, int first, int last, bool columnMode) {
  std::vector<TBufferCoord> starts;
  starts.reserve(static_cast<size_t>(last - first + 1));
  for (int y = first; y <= last; ++y) starts.push_back({1, y});
  if (!columnMode) return starts;
  std::vector<bool> found(starts.size(), false);
  for (const auto& piece : edit.ColumnPieces(edit.ColumnBlock(edit.AnchorStart(), edit.AnchorEnd()))) {
    const int i = piece.Line - first;
    if (i < 0 || i >= static_cast<int>(starts.size()) || found[static_cast<size_t>(i)]) continue;
    found[static_cast<size_t>(i)] = true;
    starts[static_cast<size_t>(i)].X = piece.First;
  }
  return starts;
}

}  // namespace

void TCustomCodeEdit::TabCommand() {
  const bool multiLine = HasSelection() && AnchorStart().Y != AnchorEnd().Y && effectiveSelectionMode_ != smColumn;
  const bool wholeLine = HasSelection() && AnchorStart().X == 1 &&
                         AnchorEnd().X > static_cast<int>(LineText(caretY_).size());
  if (HasOption(eoTabIndent) && (multiLine || wholeLine)) {
    IndentBlock();
    if (!multiLine) {
      // Keep the whole line selected after it moved right.
      const TBufferCoord start = anchorStart_;
      const TBufferCoord end = anchorEnd_;
      if (start.X <= end.X) {
        PlaceCaretAndBlock(CaretPos(), {1, start.Y}, end);
      } else {
        PlaceCaretAndBlock(CaretPos(), start, {1, end.Y});
      }
    }
    return;
  }
  // Smart width: up to the next word of the nearest longer line above.
  int smartWidth = 0;
  int smartTarget = 0;  // screen column the smart width reaches in that line
  if (HasOption(eoSmartTabs) && caretY_ > 1) {
    const int column = CaretLineColumn();
    for (int y = caretY_ - 1; y >= 1; --y) {
      std::string_view above = LineText(y);
      const int x = BufferColumn(above, column);
      if (x > static_cast<int>(above.size())) continue;
      size_t i = static_cast<size_t>(x - 1);
      while (i < above.size() && !IsBlank(above[i])) ++i;
      while (i < above.size() && IsBlank(above[i])) ++i;
      smartWidth = static_cast<int>(i) - (x - 1);
      smartTarget = ExpandedColumn(above, static_cast<int>(i) + 1);
      break;
    }
  }
  undoList_->OpenBlock();
  try {
    if (HasSelection()) RemoveSelectionRecorded(ckRemovedSelection, *undoList_);
    const TBufferCoord caret = CaretPos();
    std::string_view line = LineText(caret.Y);
    const int length = static_cast<int>(line.size());
    const bool toSpaces = HasOption(eoTabsToSpaces);
    int width = smartWidth > 0 ? smartWidth : tabWidth_;
    if (toSpaces && smartWidth == 0) width = tabWidth_ - (caret.X - 1) % tabWidth_;
    std::string text;
    int newX;
    if (toSpaces) {
      text.assign(static_cast<size_t>(width), ' ');
      newX = caret.X + width;
    } else if (HasOption(eoTrimTrailingSpaces) && caret.X > length) {
      // Blanks past the end would be trimmed at once: just move.
      const int column = CaretLineColumn();
      newX = caret.X + (smartWidth > 0 ? smartWidth : tabWidth_ - (column - 1) % tabWidth_);
    } else {
      bool textBefore = false;
      for (int i = 0; i < std::min(caret.X - 1, length); ++i) textBefore = textBefore || !IsBlank(line[i]);
      if (smartWidth > 0 && !textBefore) {
        const int column = CaretLineColumn();
        const int target = std::max(smartTarget, column);
        int at = column;
        const int nextStop = ((at - 1) / tabWidth_ + 1) * tabWidth_ + 1;
        if (target >= nextStop) {
          text.push_back('\t');
          at = nextStop;
          while (target - at >= tabWidth_) {
            text.push_back('\t');
            at += tabWidth_;
          }
        }
        text.append(static_cast<size_t>(target - at), ' ');
      } else {
        text = "\t";
      }
      newX = caret.X + static_cast<int>(text.size());
      const bool trimmedAway = HasOption(eoTrimTrailingSpaces) && caret.X > length;
      if (trimmedAway) newX = caret.X + ExpandedColumn(text, static_cast<int>(text.size()) + 1) - 1;
    }
    if (!text.empty()) {
      SetEffectiveSelectionMode(smNormal);
      PlaceCaretAndBlock(caret, caret, caret);
      std::string replaced;
      const TBufferCoord start = NormalInsertStart(text, replaced);
      ReplaceSelectionInMode(smNormal, text, false);
      undoList_->RecordChange(ckInserted, start, CaretPos(), std::move(replaced), smNormal);
    }
    SetCaretPastEol({newX, caret.Y});
  } catch (...) {
    undoList_->CloseBlock();
    throw;
  }
  undoList_->CloseBlock();
}

void TCustomCodeEdit::ShiftTabCommand() {
  const bool multiLine = HasSelection() && AnchorStart().Y != AnchorEnd().Y && effectiveSelectionMode_ != smColumn;
  const bool wholeLine = HasSelection() && AnchorStart().X == 1 &&
                         AnchorEnd().X > static_cast<int>(LineText(caretY_).size());
  if (HasOption(eoTabIndent) && (multiLine || wholeLine)) {
    UnindentBlock();
    return;
  }
  const TBufferCoord caret = CaretPos();
  std::string_view line = LineText(caret.Y);
  const int length = static_cast<int>(line.size());
  int newX = caret.X;
  if (HasOption(eoSmartTabs) && caret.X > 1 && caret.Y > 1) {
    // The start of the word left of the caret in the nearest line above
    // that reaches that far.
    for (int y = caret.Y - 1; y >= 1; --y) {
      std::string_view above = LineText(y);
      if (static_cast<int>(above.size()) < caret.X - 1) continue;
      int x = caret.X - 1;
      while (x > 1 && above[x - 1] == ' ') --x;
      while (x > 1 && above[x - 2] != ' ') --x;
      newX = x;
      break;
    }
  }
  if (newX == caret.X) {
    const int stop = tabWidth_ * ((caret.X - 2) / tabWidth_) + 1;
    if (length < caret.X - 1) {
      // Past the end only the empty columns go; the text stays.
      newX = std::max(stop, length + 1);
    } else if (caret.X > 1 && line[caret.X - 2] == '\t') {
      newX = caret.X - 1;
    } else {
      while (newX > stop && newX > 1 && line[newX - 2] == ' ') --newX;
    }
  }
  // Shift+Tab takes back white space, never the text in front of it.
  int blankFrom = std::min(caret.X, length + 1);
  while (blankFrom > 1 && IsBlank(line[blankFrom - 2])) --blankFrom;
  if (newX < caret.X && newX < blankFrom) newX = std::min(blankFrom, caret.X);
  if (newX >= caret.X) return;
  const TBufferCoord from{newX, caret.Y};
  if (newX > length) {
    // Only empty columns: nothing to record.
    SetCaretPastEol(from);
    return;
  }
  SetEffectiveSelectionMode(smNormal);
  PlaceCaretAndBlock(from, from, caret);
  const std::string removed = SelectedText();
  ReplaceSelectionInMode(smNormal, {}, false);
  undoList_->RecordChange(ckBackspaced, from, caret, removed, smNormal);
  SetCaretPastEol(from);
}

void TCustomCodeEdit::IndentBlock() {
  if (!HasSelection()) return;
  const TSelectionMode mode = effectiveSelectionMode_;
  const TBufferCoord oldStart = anchorStart_;
  const TBufferCoord oldEnd = anchorEnd_;
  const TBufferCoord caret = CaretPos();
  int first;
  int last;
  BlockLines(AnchorStart(), AnchorEnd(), first, last);
  const std::string unit = HasOption(eoTabsToSpaces) ? std::string(static_cast<size_t>(tabWidth_), ' ') : "\t";
  const int unitLength = static_cast<int>(unit.size());
  std::string text;
  for (int y = first; y <= last; ++y) {
    if (y > first) text.append(kLineBreak);
    text.append(unit);
  }
  const std::vector<TBufferCoord> starts = BlockLineStarts(*this, first, last, mode == smColumn);
  const bool endsAtColumnOne = AnchorEnd().X == 1;
  undoList_->OpenBlock();
  try {
    SetEffectiveSelectionMode(smColumn);
    PlaceCaretAndBlock(starts.front(), starts.front(), starts.front());
    ReplaceSelectionInMode(smColumn, text, true, &starts);
    SetEffectiveSelectionMode(mode);
    auto shifted = [&](TBufferCoord p) {
      if (p.Y < first || p.Y > last || p.X < starts[static_cast<size_t>(p.Y - first)].X) return p;
      if (p.X == 1 && endsAtColumnOne && p == std::max(oldStart, oldEnd)) return p;
      return TBufferCoord{p.X + unitLength, p.Y};
    };
    const TBufferCoord newStart = shifted(oldStart);
    const TBufferCoord newEnd = shifted(oldEnd);
    TBufferCoord newCaret{1, caret.Y};
    if (!endsAtColumnOne) newCaret.X = caret.X + (HasOption(eoTabsToSpaces) ? tabWidth_ : 1);
    undoList_->RecordChange(ckIndented, oldStart, oldEnd, {}, mode);
    undoList_->RecordChange(ckIndented, newStart, newEnd, {}, mode);
    const TCodeEditorOptions saved = options_;
    options_ |= OptionBit(eoScrollPastEol);
    PlaceCaretAndBlock(newCaret, newStart, newEnd);
    options_ = saved;
  } catch (...) {
    undoList_->CloseBlock();
    throw;
  }
  undoList_->CloseBlock();
}

void TCustomCodeEdit::UnindentBlock() {
  if (!HasSelection()) return;
  const TSelectionMode mode = effectiveSelectionMode_;
  const TBufferCoord begin = AnchorStart();
  const TBufferCoord end = AnchorEnd();
  const TBufferCoord rawStart = anchorStart_;
  const TBufferCoord rawEnd = anchorEnd_;
  const TBufferCoord caret = CaretPos();
  int first;
  int last;
  BlockLines(begin, end, first, last);
  const std::vector<TBufferCoord> starts = BlockLineStarts(*this, first, last, mode == smColumn);
  std::vector<size_t> cuts;
  bool any = false;
  for (const TBufferCoord start : starts) {
    std::string_view line = LineText(start.Y);
    const size_t from = std::min(static_cast<size_t>(start.X - 1), line.size());
    cuts.push_back(RemovablePrefix(line.substr(from), tabWidth_));
    any = any || cuts.back() > 0;
  }
  if (!any) return;
  std::string removed;
  lines_->BeginUpdate();
  try {
    for (int y = first; y <= last; ++y) {
      std::string line(LineText(y));
      const size_t cut = cuts[static_cast<size_t>(y - first)];
      const size_t from = static_cast<size_t>(starts[static_cast<size_t>(y - first)].X - 1);
      if (y > first) removed.append(kLineBreak);
      if (cut > 0) {
        removed.append(line, from, cut);
        line.erase(from, cut);
        StoreLine(y - 1, line);
      }
    }
  } catch (...) {
    lines_->EndUpdate();
    throw;
  }
  lines_->EndUpdate();
  undoList_->RecordChange(ckUnindented, begin, end, std::move(removed), mode, starts);
  SetEffectiveSelectionMode(mode);
  if (mode == smColumn) {
    PlaceCaretAndBlock(caret, rawStart, rawEnd);
    return;
  }
  auto cutAt = [&](int y) -> int {
    return y >= first && y <= last ? static_cast<int>(cuts[static_cast<size_t>(y - first)]) : 0;
  };
  auto moved = [&](TBufferCoord p) { return TBufferCoord{std::max(p.X - cutAt(p.Y), 1), p.Y}; };
  TBufferCoord newCaret = caret;
  if (caret.X > 1) newCaret = moved(caret);
  const TCodeEditorOptions saved = options_;
  options_ |= OptionBit(eoScrollPastEol);
  PlaceCaretAndBlock(newCaret, moved(rawStart), moved(rawEnd));
  options_ = saved;
}

}  // namespace vantrel
