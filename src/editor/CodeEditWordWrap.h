// The word-wrap layout: how many display rows each buffer line takes and how
// many cells each row holds, with the coordinate mapping between buffer
// columns and rows built on it.
// Tested by tests/editor/CodeEditWordWrapTest.cpp
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/CodeEditTypes.h"
#include "platform/Exception.h"

namespace vantrel {

class EWordWrapError : public Exception {
 public:
  using Exception::Exception;
};

class TWordWrapPlugin : public ICodeEditBufferPlugin {
 public:
  // Rows are stored as 16-bit cell counts: a window wider than this many
  // cells still wraps at this width.
  static constexpr int kMaxRowWidth = 65535;

  // Lays out every line at once. Fails without an owner.
  explicit TWordWrapPlugin(TCustomCodeEdit* owner);
  TWordWrapPlugin(const TWordWrapPlugin&) = delete;  // bound to its editor
  TWordWrapPlugin& operator=(const TWordWrapPlugin&) = delete;

  // Makes every editor create this layout when its WordWrap is switched on.
  static void Install();

  TDisplayPos BufferToDisplay(const TDisplayPos& expandedColumnAndLine) override;
  TDisplayPos DisplayToBuffer(const TDisplayPos& columnAndRow) override;
  int TotalRows() const override { return laidOutLines_ == 0 ? 0 : rowEndOfLine_[laidOutLines_ - 1]; }
  int RowCellCount(int row) const override;
  int LinesAdded(int index, int count) override;
  int LinesRemoved(int index, int count) override;
  int LinesReplaced(int index, int count) override;
  void WidthChanged() override;
  void Relayout() override;

  int LaidOutLines() const { return laidOutLines_; }
  int RowWidth() const { return rowWidth_; }
  int ShortestBreakRow() const { return shortestBreakRow_; }
  // Lines broken into rows since creation (a measure of the work done).
  int64_t LinesBroken() const { return linesBroken_; }

 private:
  // Appends the rows of line `index` to `rows`; returns how many.
  int BreakLine(int index, std::vector<uint16_t>& rows);
  // Re-breaks lines [index, index + count) whose rows are in place now;
  // returns the change in rows.
  int ReWrapLines(int index, int count);
  int FirstRowOf(int index) const { return index == 0 ? 0 : rowEndOfLine_[index - 1]; }

  TCustomCodeEdit& owner_;
  // For each line, the rows of it and all lines before it together.
  std::vector<int32_t> rowEndOfLine_;
  std::vector<uint16_t> rowCells_;
  int laidOutLines_ = 0;
  int rowWidth_ = 0;
  int shortestBreakRow_ = 1;
  std::bitset<256> wrapChars_;
  int64_t linesBroken_ = 0;
  std::vector<uint16_t> newRows_;
  std::vector<int32_t> newEnds_;
};

}  // namespace vantrel
