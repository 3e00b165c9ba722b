// Highlighter range bookkeeping: the range state each line ends in, kept
// equal to a scan from the top. Lines below the known front are scanned at
// idle time or when something reads them, so a huge file opens without
// waiting for a scan of all of it.
#include <algorithm>
#include <chrono>

#include "editor/CodeEdit.h"
#include "highlight/CodeEditHighlighter.h"

namespace vantrel {

namespace {

// Short enough that a key or a scroll waiting behind a slice is not felt.
constexpr auto kRangeScanSlice = std::chrono::milliseconds(2);
// The clock is read once per this many lines, not per line.
constexpr int kLinesPerClockCheck = 256;

}  // namespace

int TCustomCodeEdit::RescanFrom(int index) {
  if (!highlighter_ || index >= LineCount()) return index;
  index = std::max(index, 0);
  // Below the known front there is nothing to compare with: the idle scan
  // will reach those lines from the front.
  if (index >= rangesKnown_) return index;
  highlighter_->SetRangeForLine(*lines_, index);
  for (;;) {
    const TLineRange range = highlighter_->ScanLineRange(lines_->Get(index), index);
    if (range == lines_->GetLineRange(index)) break;
    lines_->SetLineRange(index, range);
    if (index + 1 >= LineCount() || index + 1 >= rangesKnown_) break;
    ++index;
  }
  return index;
}

void TCustomCodeEdit::RescanAll() {
  rangesKnown_ = 0;
  if (!highlighter_) return;
  if (host_ && LineCount() > deferredScanLines_) {
    DeferRangeScan();
    return;
  }
  ScanUnknownRanges(LineCount() - 1, nullptr);
}

bool TCustomCodeEdit::KnownRangesInserted(int index, int count) {
  if (index > rangesKnown_) return false;
  // Lines appended right at the front of a long text (a file being read in)
  // are left to idle time.
  if (index == rangesKnown_ && host_ && index + count > deferredScanLines_) {
    DeferRangeScan();
    return false;
  }
  rangesKnown_ += count;
  return true;
}

void TCustomCodeEdit::KnownRangesDeleted(int index, int count) {
  if (index + count <= rangesKnown_) {
    rangesKnown_ -= count;
  } else if (index < rangesKnown_) {
    rangesKnown_ = index;
  }
}

void TCustomCodeEdit::DeferRangeScan() {
  if (rangeScanTimerOn_ || !host_) return;
  rangeScanTimerOn_ = true;
  host_->StartTimer(kRangeScanTimerId, 0);
}

void TCustomCodeEdit::RangeScanTick() {
  if (highlighter_ && rangesKnown_ < LineCount()) {
    const auto deadline = std::chrono::steady_clock::now() + kRangeScanSlice;
    ScanUnknownRanges(LineCount() - 1, &deadline);
    if (rangesKnown_ < LineCount()) return;
  }
  rangeScanTimerOn_ = false;
  if (host_) host_->StopTimer(kRangeScanTimerId);
}

void TCustomCodeEdit::EnsureRangesUpTo(int index) const {
  if (index >= rangesKnown_) ScanUnknownRanges(index, nullptr);
}

void TCustomCodeEdit::ScanUnknownRanges(int index, const std::chrono::steady_clock::time_point* deadline) const {
  if (!highlighter_) return;
  const int last = std::min(index, LineCount() - 1);
  if (rangesKnown_ > last) return;
  int line = rangesKnown_;
  highlighter_->SetRangeForLine(*lines_, line);
  for (; line <= last; ++line) {
    const TLineRange range = highlighter_->ScanLineRange(lines_->Get(line), line);
    lines_->StoreLineRange(line, range);
    if (deadline && (line - rangesKnown_) % kLinesPerClockCheck == kLinesPerClockCheck - 1 &&
        std::chrono::steady_clock::now() >= *deadline) {
      ++line;
      break;
    }
  }
  rangesKnown_ = line;
}

}  // namespace vantrel
