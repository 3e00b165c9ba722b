// The editor's search method: walks the range line by line through the
// search engine, selects hits, asks before replacing when told to, and
// replaces hits with the engine's replacement text.
// Tested by tests/editor/SearchReplaceTest.cpp
#include <algorithm>
#include <string>
#include <vector>

#include "editor/CodeEdit.h"

namespace vantrel {

namespace {

// Where the caret stands after inserting text at a position: replacement
// texts may hold line breaks (CR, LF or CR LF).
TBufferCoord AfterInsert(TBufferCoord at, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      ++at.X;
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    at = {1, at.Y + 1};
  }
  return at;
}

// Replacements of one line made without questions are collected and written
// as one change per line: writing each hit on its own would copy the line
// per hit, quadratic on a long line. Columns are those of the line as it
// stood when collecting began.
class TPendingLine {
 public:
  bool Empty() const { return edits_.empty(); }
  int Line() const { return line_; }

  void Begin(int line, std::string_view text) {
    line_ = line;
    text_ = std::string(text);
    edits_.clear();
  }
  std::string_view Found(int column, int length) const {
    return std::string_view(text_).substr(static_cast<size_t>(column - 1), static_cast<size_t>(length));
  }
  void Add(int column, int length, std::string replacement) {
    edits_.push_back({column, length, std::move(replacement)});
  }

  struct TFlushed {
    int addedLines = 0;
    TBufferCoord firstEnd;  // after the leftmost replacement
    TBufferCoord lastEnd;   // after the rightmost one
  };
  // One recorded replacement of the span from the first to the last hit.
  TFlushed Flush(TCustomCodeEdit& edit) {
    TFlushed result;
    if (edits_.empty()) return result;
    // A backward search collects from the right.
    if (edits_.size() > 1 && edits_.front().column > edits_.back().column) std::reverse(edits_.begin(), edits_.end());
    const int first = edits_.front().column;
    const int end = edits_.back().column + edits_.back().length;
    std::string span;
    int copied = first;
    for (const Edit& e : edits_) {
      span.append(text_, static_cast<size_t>(copied - 1), static_cast<size_t>(e.column - copied));
      span += e.replacement;
      copied = e.column + e.length;
    }
    result.firstEnd = AfterInsert({first, line_}, edits_.front().replacement);
    result.lastEnd = AfterInsert({first, line_}, span);
    edits_.clear();
    const int lines = edit.LineCount();
    edit.SetEffectiveSelectionMode(smNormal);
    edit.PlaceCaretAndBlock({end, line_}, {first, line_}, {end, line_});
    edit.SetSelectedText(span);
    result.addedLines = edit.LineCount() - lines;
    return result;
  }

 private:
  struct Edit {
    int column;
    int length;
    std::string replacement;
  };
  int line_ = 0;
  std::string text_;
  std::vector<Edit> edits_;
};

// Which hits a column block with "selected only" takes: those inside the
// block's piece of their row, in bytes of the line as it was. A block
// narrower than one column takes every hit on its lines.
class TColumnRange {
 public:
  TColumnRange(const TCustomCodeEdit& edit, TBufferCoord begin, TBufferCoord end) {
    const TCustomCodeEdit::TColumnBlock block = edit.ColumnBlock(begin, end);
    narrow_ = block.Right - block.Left < 1;
    if (!narrow_) pieces_ = edit.ColumnPieces(block);
  }
  bool Accepts(int line, int first, int last) const {
    if (narrow_) return true;
    auto lower = std::lower_bound(pieces_.begin(), pieces_.end(), line,
                                  [](const TCustomCodeEdit::TColumnPiece& p, int l) { return p.Line < l; });
    for (auto it = lower; it != pieces_.end() && it->Line == line; ++it) {
      if (first >= it->First && last <= it->Last) return true;
    }
    return false;
  }

 private:
  bool narrow_ = false;
  std::vector<TCustomCodeEdit::TColumnPiece> pieces_;
};

}  // namespace

int TCustomCodeEdit::SearchReplaceText(const std::string& search, const std::string& replace, TSearchFlags flags) {
  if (!searchEngine_) throw ECodeEditError("No search engine has been assigned");
  if (search.empty()) return 0;
  if (!HasSelection()) flags.Exclude(srSelectedOnly);
  const bool backwards = flags.Contains(srBackwards);
  const bool replaceOne = flags.Contains(srReplace);
  bool replaceAll = flags.Contains(srReplaceAll);
  // Without a handler there is nobody to ask: every hit is replaced, and
  // the whole run is one undo step like a replace without confirmation.
  bool confirm = flags.Contains(srConfirm) && static_cast<bool>(OnReplaceText);
  const bool fromCaret = !flags.Contains(srEntireText);
  const bool selectedOnly = flags.Contains(srSelectedOnly);
  const TSelectionMode mode = effectiveSelectionMode_;

  TBufferCoord rangeStart;
  TBufferCoord rangeEnd;
  std::unique_ptr<TColumnRange> columnRange;
  if (selectedOnly) {
    rangeStart = AnchorStart();
    rangeEnd = AnchorEnd();
    if (mode == smLine) {
      rangeStart.X = 1;
      rangeEnd.X = static_cast<int>(LineText(rangeEnd.Y).size()) + 1;
    } else if (mode == smColumn) {
      if (rangeStart.X > rangeEnd.X) std::swap(rangeStart.X, rangeEnd.X);
      // Display columns: tabs and wrapped rows make byte columns differ
      // from line to line.
      columnRange = std::make_unique<TColumnRange>(*this, RawAnchorStart(), RawAnchorEnd());
    }
  } else {
    rangeStart = {1, 1};
    rangeEnd = {static_cast<int>(LineText(LineCount()).size()) + 1, LineCount()};
    if (fromCaret) {
      if (backwards) {
        rangeEnd = CaretPos();
      } else {
        rangeStart = CaretPos();
      }
    }
  }

  searchEngine_->SetSearchFlags(flags);
  searchEngine_->SetPattern(search);
  DoOnPaintTransient(ttBefore);

  int count = 0;
  bool locked = false;
  bool groupOpened = false;
  auto lockAndGroup = [&] {
    if (!locked) {
      BeginUpdateBatch();
      locked = true;
    }
    if (!groupOpened) {
      undoList_->OpenBlock();
      groupOpened = true;
    }
  };
  if (replaceAll && !confirm) lockAndGroup();

  TPendingLine pending;
  // Where the last replacement left things, for a locked run's final state.
  int lastReplacement = 0;
  bool replacedLocked = false;
  TBufferCoord finalCaret;
  bool selectToRangeEnd = false;
  // Writes the collected line; lines its replacements added push the rest
  // of the range down.
  auto flush = [&](int& line) {
    if (pending.Empty()) return;
    const bool onRangeEnd = pending.Line() == rangeEnd.Y;
    const TPendingLine::TFlushed flushed = pending.Flush(*this);
    const TBufferCoord end = backwards ? flushed.firstEnd : flushed.lastEnd;
    if (onRangeEnd && !backwards) rangeEnd = {rangeEnd.X + end.X - finalCaret.X, end.Y};
    finalCaret = end;
    if (flushed.addedLines != 0 && !backwards) {
      line += flushed.addedLines;
      if (!onRangeEnd) rangeEnd.Y += flushed.addedLines;
    }
  };
  auto settle = [&] {
    int line = 0;
    flush(line);
    if (!replacedLocked) return;
    replacedLocked = false;
    MoveCaretTo({1, finalCaret.Y}, false);
    ScrollCaretIntoViewCentred();
    PlaceCaretAndBlock(finalCaret, finalCaret, selectToRangeEnd ? rangeEnd : finalCaret);
  };
  auto finish = [&] {
    if (locked) EndUpdateBatch();
    if (groupOpened) undoList_->CloseBlock();
    DoOnPaintTransient(ttAfter);
  };

  try {
    const int step = backwards ? -1 : 1;
    bool stop = false;
    for (int line = backwards ? rangeEnd.Y : rangeStart.Y; !stop && line >= rangeStart.Y && line <= rangeEnd.Y;
         line += step) {
      int hitsLeft = searchEngine_->FindMatches(LineText(line));
      int offset = 0;
      int pendingShift = 0;  // what collected replacements will add in front
      int index = backwards ? searchEngine_->MatchCount() - 1 : 0;
      while (hitsLeft > 0) {
        const int hitIndex = index;
        const int found = searchEngine_->MatchPosition(hitIndex);
        const int column = found + offset;
        const int length = searchEngine_->MatchLength(hitIndex);
        index += step;
        --hitsLeft;

        const int first = column;
        const int last = column + length;
        bool accepted;
        if (columnRange) {
          accepted = columnRange->Accepts(line, found, found + length);
        } else if (selectedOnly && mode == smLine) {
          accepted = true;
        } else {
          accepted = !((line == rangeStart.Y && first < rangeStart.X) || (line == rangeEnd.Y && last > rangeEnd.X));
        }
        if (!accepted) continue;
        ++count;

        if (replaceAll && !confirm) {
          // A locked run shows only where it ends (see settle).
        } else {
          SetAnchorStart({column, line});
          MoveCaretTo({1, line}, false);
          ScrollCaretIntoViewCentred();
          SetAnchorEnd({last, line});
          MoveCaretTo({last, line}, true);
          if (backwards) MoveCaretTo({column, line}, true);
        }
        if (!replaceOne && !replaceAll) {
          stop = true;
          break;
        }

        TReplaceAction action = raReplace;
        if (confirm) {
          action = raCancel;
          OnReplaceText(*this, search, replace, line, column, action);
          if (action == raCancel) {
            stop = true;
            break;
          }
        }
        if (action == raReplaceAll) {
          replaceAll = true;
          confirm = false;
          lockAndGroup();
        }

        // From raReplaceAll on, this hit included, nothing is asked again.
        const bool collect = replaceAll && !confirm;
        int replacementLength = length;
        if (action != raSkip) {
          if (collect) {
            if (pending.Empty()) pending.Begin(line, LineText(line));
            const int at = column - pendingShift;
            std::string text = searchEngine_->ReplacementTextAt(hitIndex, pending.Found(at, length), replace);
            replacementLength = static_cast<int>(text.size());
            pending.Add(at, length, std::move(text));
            finalCaret = {column + replacementLength, line};  // as if on one line, until written
            replacedLocked = true;
            selectToRangeEnd = false;
            if (!backwards) pendingShift += replacementLength - length;
          } else {
            const std::string foundText(
                LineText(line).substr(static_cast<size_t>(column - 1), static_cast<size_t>(length)));
            const std::string text = searchEngine_->ReplacementTextAt(hitIndex, foundText, replace);
            // The hit is a span of one line whatever the selection mode.
            const int lines = LineCount();
            SetEffectiveSelectionMode(smNormal);
            SetSelectedText(text);
            replacementLength = caretX_ - column;
            // Line breaks in the text: the rest of the line now follows the
            // caret on a later line.
            // (The column difference then also carries the rest along.)
            const int added = LineCount() - lines;
            if (added != 0 && !backwards) {
              rangeEnd.Y += added;
              line += added;
            }
          }
          lastReplacement = replacementLength;
        }

        if (!backwards) {
          if (!collect) MoveCaretTo({column + lastReplacement, line}, true);
          if (action != raSkip && replacementLength != length) {
            offset += replacementLength - length;
            if (mode != smColumn && line == rangeEnd.Y) {
              rangeEnd.X += replacementLength - length;
              // The rest of a searched selection stays selected; without
              // one there is nothing to keep.
              if (!selectedOnly) {
              } else if (collect) {
                selectToRangeEnd = true;
              } else {
                SetAnchorEnd(rangeEnd);
              }
            }
          }
        }
        if (!replaceAll) {
          stop = true;
          break;
        }
      }
      flush(line);
    }
    settle();
  } catch (...) {
    // What was decided before the failing step stays done; the text of the
    // failing step is untouched.
    try {
      settle();
    } catch (...) {
    }
    finish();
    throw;
  }
  finish();
  return count;
}

}  // namespace vantrel
