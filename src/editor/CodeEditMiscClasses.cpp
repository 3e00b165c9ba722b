// Settings objects and marks of the editor control.
// Tested by tests/editor/CodeEditMiscClassesTest.cpp
#include "editor/CodeEditMiscClasses.h"

#include <algorithm>

namespace vantrel {

void TSelectedColor::SetBackground(TColor value) {
  if (background_ != value) {
    background_ = value;
    Changed();
  }
}

void TSelectedColor::SetForeground(TColor value) {
  if (foreground_ != value) {
    foreground_ = value;
    Changed();
  }
}

void TSelectedColor::Assign(const TSelectedColor& source) {
  background_ = source.background_;
  foreground_ = source.foreground_;
  Changed();
}

TGutter::TGutter() {
  font_.Name = "Courier New";
  font_.Size = 8;
  font_.Style = 0;
}

void TGutter::SetAutoSize(bool value) { Set(autoSize_, value); }
void TGutter::SetBorderStyle(TGutterBorderStyle value) { Set(borderStyle_, value); }
void TGutter::SetColor(TColor value) { Set(color_, value); }
void TGutter::SetBorderColor(TColor value) { Set(borderColor_, value); }
void TGutter::SetCursor(TCursor value) { Set(cursor_, value); }

void TGutter::SetDigitCount(int value) {
  value = std::clamp(value, 2, 12);
  if (digitCount_ != value) {
    digitCount_ = value;
    autoSizeDigitCount_ = value;
    Changed();
  }
}

void TGutter::SetFont(const TFont& value) { Set(font_, value); }
void TGutter::SetLeadingZeros(bool value) { Set(leadingZeros_, value); }
void TGutter::SetLeftOffset(int value) { Set(leftOffset_, std::max(0, value)); }
void TGutter::SetRightOffset(int value) { Set(rightOffset_, std::max(0, value)); }
void TGutter::SetShowLineNumbers(bool value) { Set(showLineNumbers_, value); }
void TGutter::SetUseFontStyle(bool value) { Set(useFontStyle_, value); }
void TGutter::SetVisible(bool value) { Set(visible_, value); }
void TGutter::SetWidth(int value) { Set(width_, std::max(0, value)); }
void TGutter::SetZeroStart(bool value) { Set(zeroStart_, value); }

void TGutter::SetLineNumberStart(int value) {
  value = std::max(0, value);
  if (lineNumberStart_ != value) {
    lineNumberStart_ = value;
    zeroStart_ = value == 0;
    Changed();
  }
}

void TGutter::SetGradient(bool value) { Set(gradient_, value); }
void TGutter::SetGradientStartColor(TColor value) { Set(gradientStartColor_, value); }
void TGutter::SetGradientEndColor(TColor value) { Set(gradientEndColor_, value); }
void TGutter::SetGradientSteps(int value) { Set(gradientSteps_, std::max(2, value)); }

void TGutter::Assign(const TGutter& source) {
  TChangeEvent keep = std::move(OnChange);
  *this = source;
  OnChange = std::move(keep);
  Changed();
}

int TGutter::GutterPixelWidth(int charWidth) const {
  if (!visible_) return 0;
  if (showLineNumbers_) return leftOffset_ + rightOffset_ + charWidth * autoSizeDigitCount_ + 2;
  return width_;
}

void TGutter::FitDigitCount(int lineCount) {
  if (visible_ && autoSize_ && showLineNumbers_) {
    int largest = lineCount;
    if (zeroStart_) {
      largest = lineCount - 1;
    } else if (lineNumberStart_ > 1) {
      largest = lineCount + lineNumberStart_ - 1;
    }
    int digits = static_cast<int>(std::to_string(largest).size());
    digits = std::max(digits, digitCount_);
    if (digits != autoSizeDigitCount_) {
      autoSizeDigitCount_ = digits;
      Changed();
    }
  } else {
    autoSizeDigitCount_ = digitCount_;
  }
}

std::string TGutter::LineNumberText(int line) const {
  int number = line;
  if (zeroStart_) {
    number = line - 1;
  } else if (lineNumberStart_ > 1) {
    number = line + lineNumberStart_ - 1;
  }
  std::string digits = std::to_string(number);
  std::string text;
  if (static_cast<int>(digits.size()) < autoSizeDigitCount_) {
    text.assign(autoSizeDigitCount_ - digits.size(), leadingZeros_ ? '0' : ' ');
  }
  return text + digits;
}

void TBookMarkOpt::SetBookmarkImages(bool assigned, int imageCount) {
  hasBookmarkImages_ = assigned;
  bookmarkImageCount_ = assigned ? std::max(0, imageCount) : 0;
  Changed();
}

void TBookMarkOpt::SetDrawBookmarksFirst(bool value) {
  if (drawBookmarksFirst_ != value) {
    drawBookmarksFirst_ = value;
    Changed();
  }
}

void TBookMarkOpt::SetEnableKeys(bool value) {
  if (enableKeys_ != value) {
    enableKeys_ = value;
    Changed();
  }
}

void TBookMarkOpt::SetGlyphsVisible(bool value) {
  if (glyphsVisible_ != value) {
    glyphsVisible_ = value;
    Changed();
  }
}

void TBookMarkOpt::SetLeftMargin(int value) {
  if (leftMargin_ != value) {
    leftMargin_ = value;
    Changed();
  }
}

void TBookMarkOpt::SetXoffset(int value) {
  if (xoffset_ != value) {
    xoffset_ = value;
    Changed();
  }
}

void TBookMarkOpt::Assign(const TBookMarkOpt& source) {
  TChangeEvent keep = std::move(OnChange);
  *this = source;
  OnChange = std::move(keep);
  Changed();
}

void TGlyph::SetGlyphResource(const std::string& value) {
  if (glyphResource_ != value) {
    glyphResource_ = value;
    Changed();
  }
}

void TGlyph::SetMaskColor(TColor value) {
  if (maskColor_ != value) {
    maskColor_ = value;
    Changed();
  }
}

void TGlyph::SetVisible(bool value) {
  if (visible_ != value) {
    visible_ = value;
    Changed();
  }
}

void TGlyph::Assign(const TGlyph& source) {
  glyphResource_ = source.glyphResource_;
  maskColor_ = source.maskColor_;
  visible_ = source.visible_;
  Changed();
}

TCodeEditMark* TCodeEditMarkList::Add(std::unique_ptr<TCodeEditMark> mark) {
  marks_.push_back(std::move(mark));
  Changed();
  return marks_.back().get();
}

void TCodeEditMarkList::Remove(TCodeEditMark* mark) {
  auto it = std::find_if(marks_.begin(), marks_.end(), [&](const auto& m) { return m.get() == mark; });
  if (it != marks_.end()) {
    marks_.erase(it);
    Changed();
  }
}

void TCodeEditMarkList::Clear() {
  marks_.clear();
  Changed();
}

std::vector<TCodeEditMark*> TCodeEditMarkList::MarksForLine(int line, int maxCount) const {
  std::vector<TCodeEditMark*> result;
  for (const auto& mark : marks_) {
    if (static_cast<int>(result.size()) >= maxCount) break;
    if (mark->Line == line) result.push_back(mark.get());
  }
  return result;
}

void TCodeEditMarkList::LinesInserted(int firstLine, int count) {
  for (auto& mark : marks_) {
    if (mark->Line >= firstLine) mark->Line += count;
  }
}

void TCodeEditMarkList::LinesDeleted(int firstLine, int count) {
  for (auto& mark : marks_) {
    if (mark->Line >= firstLine + count) {
      mark->Line -= count;
    } else if (mark->Line > firstLine) {
      mark->Line = firstLine;
    }
  }
}

}  // namespace vantrel
