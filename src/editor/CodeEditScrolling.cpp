// Scrolling by the user: the mouse wheel with its accumulator, the scroll
// bar requests (scaled above 32767 rows or columns) and the scroll hint
// shown while the vertical thumb is dragged.
// Tested by tests/editor/MouseTest.cpp
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "editor/CodeEdit.h"

namespace vantrel {

namespace {

constexpr int kWheelDelta = 120;
constexpr int kScrollBarScale = 32767;

int MulDiv(int a, int b, int c) { return c == 0 ? 0 : static_cast<int>(int64_t{a} * b / c); }

}  // namespace

void TCustomCodeEdit::MouseWheel(TShiftState shift, int wheelDelta) {
  int rowsPerNotch = 3;
  if (shift & ssCtrl) rowsPerNotch = HasOption(eoHalfPageScroll) ? visibleRows_ / 2 : visibleRows_;
  // Fine-grained wheels and touchpads send parts of a notch; they add up.
  const int64_t total = int64_t{wheelAccumulator_} + wheelDelta;
  const int64_t notches = total / kWheelDelta;
  wheelAccumulator_ = static_cast<int>(total % kWheelDelta);
  if (notches != 0) {
    const int64_t top = int64_t{topLine_} - int64_t{rowsPerNotch} * notches;
    SetTopLine(static_cast<int>(std::clamp<int64_t>(top, INT32_MIN + 1, INT32_MAX)));
  }
  UpdateNow();
  if (OnScroll) OnScroll(*this, sbVertical);
}

void TCustomCodeEdit::ScrollBarMessage(TScrollBarKind bar, TScrollCode code, int position) {
  if (bar == sbVertical) {
    VerticalScrollBarMessage(code, position);
  } else {
    HorizontalScrollBarMessage(code, position);
  }
  UpdateNow();
  if (OnScroll) OnScroll(*this, bar);
}

void TCustomCodeEdit::VerticalScrollBarMessage(TScrollCode code, int position) {
  const int page = HasOption(eoScrollByOneLess) ? visibleRows_ - 1 : visibleRows_;
  switch (code) {
    case scLineUp: SetTopLine(topLine_ - 1); break;
    case scLineDown: SetTopLine(topLine_ + 1); break;
    case scPageUp: SetTopLine(topLine_ - page); break;
    case scPageDown: SetTopLine(topLine_ + page); break;
    case scTop: SetTopLine(1); break;
    case scBottom: SetTopLine(DisplayRowCount()); break;
    case scPosition:
    case scTrack: {
      const int rows = DisplayRowCount();
      scrolling_ = true;
      SetTopLine(rows > kScrollBarScale ? MulDiv(rows + visibleRows_ - 1, position, kScrollBarScale) : position);
      if (HasOption(eoShowScrollHint)) ShowScrollHint();
      break;
    }
    case scEndScroll:
      scrolling_ = false;
      if (HasOption(eoShowScrollHint) && host_) host_->HideScrollHint();
      break;
  }
}

void TCustomCodeEdit::HorizontalScrollBarMessage(TScrollCode code, int position) {
  const int page = HasOption(eoScrollByOneLess) ? visibleColumns_ - 1 : visibleColumns_;
  const bool pastEol = HasOption(eoScrollPastEol);
  switch (code) {
    case scLineUp: SetLeftChar(leftChar_ - 1); break;
    case scLineDown: SetLeftChar(leftChar_ + 1); break;
    case scPageUp: SetLeftChar(leftChar_ - page); break;
    case scPageDown: SetLeftChar(leftChar_ + page); break;
    case scTop: SetLeftChar(1); break;
    case scBottom: SetLeftChar(pastEol ? maxScrollWidth_ - visibleColumns_ + 1 : LongestLineLength()); break;
    case scPosition:
    case scTrack: {
      const int range = pastEol ? maxScrollWidth_ : std::max(LongestLineLength(), 1);
      SetLeftChar(range > kScrollBarScale ? MulDiv(range, position, kScrollBarScale) : position);
      break;
    }
    case scEndScroll:
      scrolling_ = false;
      break;
  }
}

std::string TCustomCodeEdit::ScrollHintText() const {
  char text[64];
  if (scrollHintFormat_ == shfTopToBottom) {
    const int bottom = topLine_ + std::min(visibleRows_, DisplayRowCount() - topLine_);
    std::snprintf(text, sizeof text, "%d - %d", RowToLine(topLine_), RowToLine(bottom));
  } else {
    std::snprintf(text, sizeof text, "Top Line: %d", RowToLine(topLine_));
  }
  return text;
}

void TCustomCodeEdit::ShowScrollHint() {
  if (!host_) return;
  constexpr int kRightMargin = 4;
  constexpr int kTop = 10;
  host_->ShowScrollHint(ScrollHintText(), scrollHintColor_, host_->ClientWidth() - kRightMargin, kTop,
                        HasOption(eoScrollHintFollows));
}

}  // namespace vantrel
