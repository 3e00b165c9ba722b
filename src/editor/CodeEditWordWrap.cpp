// The word-wrap layout and its coordinate mapping.
// Tested by tests/editor/CodeEditWordWrapTest.cpp
#include "editor/CodeEditWordWrap.h"

#include <algorithm>
#include <cstring>

#include "editor/CodeEdit.h"
#include "highlight/CodeEditHighlighter.h"
#include "platform/Assert.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

// Whether byte `index` of text (walked from `from`, a character start) is
// the second byte of a double-byte character.
bool IsTrailByte(const CodePage& cp, std::string_view text, int from, int index) {
  int p = from;
  while (p < index) p += cp.IsLeadByte(static_cast<uint8_t>(text[p])) ? 2 : 1;
  return p > index;
}

}  // namespace

TWordWrapPlugin::TWordWrapPlugin(TCustomCodeEdit* owner)
    : owner_(owner ? *owner : throw EWordWrapError("Owner of TWordWrapPlugin must be a TCustomCodeEdit")) {
  Relayout();
}

void TWordWrapPlugin::Install() {
  TCustomCodeEdit::SetWordWrapPluginFactory(
      [](TCustomCodeEdit& edit) -> std::unique_ptr<ICodeEditBufferPlugin> {
        return std::make_unique<TWordWrapPlugin>(&edit);
      });
}

int TWordWrapPlugin::RowCellCount(int row) const {
  if (row < 1 || row > TotalRows()) throw EWordWrapError("List index out of bounds (" + std::to_string(row) + ")");
  return rowCells_[row - 1];
}

// ---------------------------------------------------------------- breaking

int TWordWrapPlugin::BreakLine(int index, std::vector<uint16_t>& rows) {
  ++linesBroken_;
  TCodeEditStringList& lines = owner_.Lines();
  std::string expanded;
  std::string_view text = lines.Get(index);
  if (std::memchr(text.data(), '\t', text.size()) != nullptr) {
    expanded = lines.ExpandedLine(index);
    text = expanded;
  }
  const int length = static_cast<int>(text.size());
  const int width = rowWidth_;
  if (length <= width) {
    rows.push_back(static_cast<uint16_t>(length));
    return 1;
  }
  const CodePage& cp = CodePage::Active();
  const bool doubleByte = cp.IsDoubleByte();
  int added = 0;
  int rowStart = 0;
  while (rowStart + width < length) {
    const int rowEnd = rowStart + width;
    int breakAt = rowEnd;
    for (int p = rowEnd; p > rowStart + shortestBreakRow_; --p) {
      if (wrapChars_.test(static_cast<uint8_t>(text[p]))) {
        breakAt = p;
        break;
      }
    }
    if (doubleByte && IsTrailByte(cp, text, rowStart, breakAt)) --breakAt;
    // Only a one-cell row can meet a double-byte character whole; it then
    // holds both bytes rather than making no progress.
    if (breakAt <= rowStart) breakAt = std::min(rowStart + 2, length);
    rows.push_back(static_cast<uint16_t>(breakAt - rowStart));
    ++added;
    rowStart = breakAt;
  }
  if (rowStart < length) {
    rows.push_back(static_cast<uint16_t>(length - rowStart));
    ++added;
  }
  return added;
}

void TWordWrapPlugin::Relayout() {
  const int visible = owner_.VisibleColumns();
  VANTREL_ASSERT(visible >= 0, "CodeEditWordWrap");
  rowWidth_ = std::min(visible, kMaxRowWidth);
  shortestBreakRow_ = std::max(rowWidth_ - rowWidth_ / 3, 1);
  if (TCustomHighlighter* highlighter = owner_.Highlighter()) {
    wrapChars_ = ~highlighter->IdentifierChars();
  } else {
    wrapChars_.reset();
    for (int c = 0; c < 33; ++c) wrapChars_.set(c);
  }
  const int count = owner_.LineCount();
  rowEndOfLine_.clear();
  rowCells_.clear();
  laidOutLines_ = 0;
  if (count == 0 || rowWidth_ == 0) {
    rowEndOfLine_.shrink_to_fit();
    rowCells_.shrink_to_fit();
    return;
  }
  rowEndOfLine_.reserve(count);
  rowCells_.reserve(count);
  int32_t rows = 0;
  for (int i = 0; i < count; ++i) {
    rows += BreakLine(i, rowCells_);
    rowEndOfLine_.push_back(rows);
  }
  laidOutLines_ = count;
}

void TWordWrapPlugin::WidthChanged() {
  if (std::min(owner_.VisibleColumns(), kMaxRowWidth) != rowWidth_) Relayout();
}

int TWordWrapPlugin::ReWrapLines(int index, int count) {
  newRows_.clear();
  newEnds_.clear();
  for (int i = index; i < index + count; ++i) {
    BreakLine(i, newRows_);
    newEnds_.push_back(static_cast<int32_t>(newRows_.size()));
  }
  const int first = FirstRowOf(index);
  const int oldRows = rowEndOfLine_[index + count - 1] - first;
  const int newRows = static_cast<int>(newRows_.size());
  const int delta = newRows - oldRows;
  // One move of the rows after the span, then the new rows copied in.
  if (delta < 0) {
    rowCells_.erase(rowCells_.begin() + first + newRows, rowCells_.begin() + first + oldRows);
  } else if (delta > 0) {
    rowCells_.insert(rowCells_.begin() + first + oldRows, static_cast<size_t>(delta), uint16_t{0});
  }
  std::copy(newRows_.begin(), newRows_.end(), rowCells_.begin() + first);
  for (int i = 0; i < count; ++i) rowEndOfLine_[index + i] = first + newEnds_[i];
  if (delta != 0) {
    for (int i = index + count; i < laidOutLines_; ++i) rowEndOfLine_[i] += delta;
  }
  return delta;
}

// ---------------------------------------------------------------- buffer changes

int TWordWrapPlugin::LinesAdded(int index, int count) {
  if (rowWidth_ == 0) return 0;
  VANTREL_ASSERT(index >= 0 && index <= laidOutLines_, "CodeEditWordWrap");
  VANTREL_ASSERT(count > 0, "CodeEditWordWrap");
  const int32_t before = FirstRowOf(index);
  rowEndOfLine_.insert(rowEndOfLine_.begin() + index, static_cast<size_t>(count), before);
  laidOutLines_ += count;
  return ReWrapLines(index, count);
}

int TWordWrapPlugin::LinesRemoved(int index, int count) {
  if (rowWidth_ == 0) return 0;
  VANTREL_ASSERT(index >= 0 && index < laidOutLines_, "CodeEditWordWrap");
  VANTREL_ASSERT(count > 0, "CodeEditWordWrap");
  VANTREL_ASSERT(index + count <= laidOutLines_, "CodeEditWordWrap");
  const int first = FirstRowOf(index);
  const int removed = rowEndOfLine_[index + count - 1] - first;
  rowCells_.erase(rowCells_.begin() + first, rowCells_.begin() + first + removed);
  rowEndOfLine_.erase(rowEndOfLine_.begin() + index, rowEndOfLine_.begin() + index + count);
  laidOutLines_ -= count;
  for (int i = index; i < laidOutLines_; ++i) rowEndOfLine_[i] -= removed;
  return removed;
}

int TWordWrapPlugin::LinesReplaced(int index, int count) {
  if (rowWidth_ == 0) return 0;
  VANTREL_ASSERT(index >= 0 && index < laidOutLines_, "CodeEditWordWrap");
  VANTREL_ASSERT(count > 0, "CodeEditWordWrap");
  VANTREL_ASSERT(index + count <= laidOutLines_, "CodeEditWordWrap");
  return ReWrapLines(index, count);
}

// ---------------------------------------------------------------- mapping

TDisplayPos TWordWrapPlugin::BufferToDisplay(const TDisplayPos& position) {
  const int x = position.Column;
  const int y = position.Row;
  VANTREL_ASSERT(x > 0, "CodeEditWordWrap");
  VANTREL_ASSERT(y > 0, "CodeEditWordWrap");
  if (y > laidOutLines_) return {x, TotalRows() + y - laidOutLines_};
  const int first = FirstRowOf(y - 1);
  const int last = rowEndOfLine_[y - 1] - 1;
  int sum = 0;
  for (int r = first; r < last; ++r) {
    if (sum + rowCells_[r] >= x) return {x - sum, r + 1};
    sum += rowCells_[r];
  }
  return {x - sum, last + 1};
}

TDisplayPos TWordWrapPlugin::DisplayToBuffer(const TDisplayPos& position) {
  int column = position.Column;
  const int row = position.Row;
  VANTREL_ASSERT(column > 0, "CodeEditWordWrap");
  VANTREL_ASSERT(row > 0, "CodeEditWordWrap");
  const int total = TotalRows();
  if (row > total) return {column, row + laidOutLines_ - total};
  const int line = static_cast<int>(
      std::lower_bound(rowEndOfLine_.begin(), rowEndOfLine_.begin() + laidOutLines_, row) - rowEndOfLine_.begin());
  const int first = FirstRowOf(line);
  int sum = 0;
  for (int r = first; r < row - 1; ++r) sum += rowCells_[r];
  const bool lastRowOfLine = row == rowEndOfLine_[line];
  column = std::min(column, (lastRowOfLine ? rowWidth_ : rowCells_[row - 1]) + 1);
  return {column + sum, line + 1};
}

}  // namespace vantrel
