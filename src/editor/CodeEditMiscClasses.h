// The editor's settings objects (selection colours, gutter, bookmark options,
// word-wrap glyph) and its marks. Each settings object tells its owner of a
// change through OnChange.
// Tested by tests/editor/CodeEditMiscClassesTest.cpp
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/EditorHost.h"
#include "platform/Graphics.h"

namespace vantrel {

using TChangeEvent = std::function<void()>;

class TSelectedColor {
 public:
  TColor Background() const { return background_; }
  TColor Foreground() const { return foreground_; }
  void SetBackground(TColor value);
  void SetForeground(TColor value);
  void Assign(const TSelectedColor& source);
  TChangeEvent OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange();
  }
  TColor background_ = clHighlight;
  TColor foreground_ = clHighlightText;
};

enum TGutterBorderStyle : uint8_t { gbsNone, gbsMiddle, gbsRight };

class TGutter {
 public:
  TGutter();

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TGutterBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TGutterBorderStyle value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);
  int DigitCount() const { return digitCount_; }
  void SetDigitCount(int value);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value);
  bool LeadingZeros() const { return leadingZeros_; }
  void SetLeadingZeros(bool value);
  int LeftOffset() const { return leftOffset_; }
  void SetLeftOffset(int value);
  int RightOffset() const { return rightOffset_; }
  void SetRightOffset(int value);
  bool ShowLineNumbers() const { return showLineNumbers_; }
  void SetShowLineNumbers(bool value);
  bool UseFontStyle() const { return useFontStyle_; }
  void SetUseFontStyle(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  int Width() const { return width_; }
  void SetWidth(int value);
  bool ZeroStart() const { return zeroStart_; }
  void SetZeroStart(bool value);
  int LineNumberStart() const { return lineNumberStart_; }
  void SetLineNumberStart(int value);
  bool Gradient() const { return gradient_; }
  void SetGradient(bool value);
  TColor GradientStartColor() const { return gradientStartColor_; }
  void SetGradientStartColor(TColor value);
  TColor GradientEndColor() const { return gradientEndColor_; }
  void SetGradientEndColor(TColor value);
  int GradientSteps() const { return gradientSteps_; }
  void SetGradientSteps(int value);
  int AutoSizeDigitCount() const { return autoSizeDigitCount_; }

  void Assign(const TGutter& source);
  // Pixels the gutter takes for a given character width; 0 when hidden.
  int GutterPixelWidth(int charWidth) const;
  // Widens the automatic digit count to the largest line number shown.
  void FitDigitCount(int lineCount);
  std::string LineNumberText(int line) const;

  TChangeEvent OnChange;

 private:
  template <typename T>
  void Set(T& field, T value) {
    if (field != value) {
      field = value;
      Changed();
    }
  }
  void Changed() {
    if (OnChange) OnChange();
  }

  bool autoSize_ = false;
  TGutterBorderStyle borderStyle_ = gbsMiddle;
  TColor color_ = clBtnFace;
  TColor borderColor_ = clWindow;
  TCursor cursor_ = crDefault;
  int digitCount_ = 4;
  TFont font_;
  bool leadingZeros_ = false;
  int leftOffset_ = 16;
  int rightOffset_ = 2;
  bool showLineNumbers_ = false;
  bool useFontStyle_ = true;
  bool visible_ = true;
  int width_ = 30;
  bool zeroStart_ = false;
  int lineNumberStart_ = 1;
  bool gradient_ = false;
  TColor gradientStartColor_ = clWindow;
  TColor gradientEndColor_ = clBtnFace;
  int gradientSteps_ = 48;
  int autoSizeDigitCount_ = 4;
};

class TBookMarkOpt {
 public:
  // The image list is the platform's; the core only knows whether one is set
  // and how many images it holds.
  int BookmarkImageCount() const { return bookmarkImageCount_; }
  bool HasBookmarkImages() const { return hasBookmarkImages_; }
  void SetBookmarkImages(bool assigned, int imageCount);
  bool DrawBookmarksFirst() const { return drawBookmarksFirst_; }
  void SetDrawBookmarksFirst(bool value);
  bool EnableKeys() const { return enableKeys_; }
  void SetEnableKeys(bool value);
  bool GlyphsVisible() const { return glyphsVisible_; }
  void SetGlyphsVisible(bool value);
  int LeftMargin() const { return leftMargin_; }
  void SetLeftMargin(int value);
  int Xoffset() const { return xoffset_; }
  void SetXoffset(int value);
  void Assign(const TBookMarkOpt& source);
  TChangeEvent OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange();
  }
  bool hasBookmarkImages_ = false;
  int bookmarkImageCount_ = 0;
  bool drawBookmarksFirst_ = true;
  bool enableKeys_ = true;
  bool glyphsVisible_ = true;
  int leftMargin_ = 2;
  int xoffset_ = 12;
};

// The mark drawn in the gutter beside continuation rows under word wrap. The
// pixels belong to the platform; an empty resource name means the built-in
// "CodeEditWrapped" image.
class TGlyph {
 public:
  const std::string& GlyphResource() const { return glyphResource_; }
  void SetGlyphResource(const std::string& value);
  TColor MaskColor() const { return maskColor_; }
  void SetMaskColor(TColor value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  void Assign(const TGlyph& source);
  TChangeEvent OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange();
  }
  std::string glyphResource_;
  TColor maskColor_ = clNone;
  bool visible_ = true;
};

struct TCodeEditMark {
  int Line = 0;
  int Column = 0;
  int ImageIndex = 0;
  int BookmarkSlot = -1;  // 0..9 for a bookmark
  bool Visible = true;
  bool UsesBuiltInImage = false;
  bool IsBookmark() const { return BookmarkSlot >= 0; }
};

// Owns the marks; removing or clearing tells the owner so that it repaints
// the gutter.
class TCodeEditMarkList {
 public:
  TCodeEditMarkList() = default;
  TCodeEditMarkList(const TCodeEditMarkList&) = delete;  // owns its marks
  TCodeEditMarkList& operator=(const TCodeEditMarkList&) = delete;

  int Count() const { return static_cast<int>(marks_.size()); }
  TCodeEditMark& Item(int index) { return *marks_.at(index); }
  const TCodeEditMark& Item(int index) const { return *marks_.at(index); }
  TCodeEditMark* Add(std::unique_ptr<TCodeEditMark> mark);
  void Remove(TCodeEditMark* mark);
  void Clear();
  // Up to maxCount marks of a line, in list order.
  std::vector<TCodeEditMark*> MarksForLine(int line, int maxCount = 16) const;

  // Marks follow edits: lines inserted at firstLine push marks at or below it
  // down; deleted lines pull the marks below up and move the marks inside the
  // deleted span to its first line.
  void LinesInserted(int firstLine, int count);
  void LinesDeleted(int firstLine, int count);

  TChangeEvent OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange();
  }
  std::vector<std::unique_ptr<TCodeEditMark>> marks_;
};

}  // namespace vantrel
