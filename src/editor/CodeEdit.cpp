// The editor model: construction, caret and anchors, coordinates, scrolling,
// window metrics, batches and status, invalidation and property setters.
// Tested by tests/editor/CodeEditModelTest.cpp
#include "editor/CodeEdit.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "highlight/CodeEditHighlighter.h"
#include "platform/Assert.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

TWordWrapPluginFactory& WordWrapFactory() {
  static TWordWrapPluginFactory factory;
  return factory;
}

TRect UnionRect(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

int MulDiv(int a, int b, int c) { return c == 0 ? 0 : static_cast<int>(int64_t{a} * b / c); }

}  // namespace

TCustomCodeEdit::TCustomCodeEdit(EditorHost* host)
    : lines_(std::make_unique<TCodeEditStringList>()),
      undoList_(std::make_unique<TCodeEditUndoList>()),
      redoList_(std::make_unique<TCodeEditUndoList>()) {
  lines_->OnChanging = [this](TCodeEditStringList&) { LinesChanging(); };
  lines_->OnChange = [this](TCodeEditStringList&) { LinesChanged(); };
  lines_->OnLinesCleared = [this](TCodeEditStringList&) { LinesCleared(); };
  lines_->OnLinesDeleted = [this](TCodeEditStringList&, int index, int count) { LinesDeleted(index, count); };
  lines_->OnLinesInserted = [this](TCodeEditStringList&, int index, int count) {
    LinesInserted(index, count);
  };
  lines_->OnLineReplaced = [this](TCodeEditStringList&, int index, int) { LineReplaced(index); };
  lines_->SetTabWidth(tabWidth_);
  undoList_->OnItemAdded = [this](TCodeEditUndoList& list) { UndoRedoAdded(list); };
  redoList_->OnItemAdded = [this](TCodeEditUndoList& list) { UndoRedoAdded(list); };

  gutter_.OnChange = [this] { GutterChanged(); };
  selectedColor_.OnChange = [this] { InvalidateSelection(); };
  bookMarkOptions_.OnChange = [this] { InvalidateGutterRows(-1, -1); };
  wordWrapGlyph_.OnChange = [this] {
    if (WordWrapActive()) InvalidateGutterRows(-1, -1);
  };
  marks_.OnChange = [this] { InvalidateGutterRows(-1, -1); };
  keystrokes_.LoadDefaultBindings();

  GutterChanged();
  SetHost(host);
}

TCustomCodeEdit::~TCustomCodeEdit() {
  destroying_ = true;
  if (highlighter_) highlighter_->UnhookAttrChange(this);
  if (host_) host_->StopTimer(kScrollTimerId);
  undoList_->OnItemAdded = nullptr;
  redoList_->OnItemAdded = nullptr;
  lines_->OnChanging = nullptr;
  lines_->OnChange = nullptr;
  lines_->OnLinesCleared = nullptr;
  lines_->OnLinesDeleted = nullptr;
  lines_->OnLinesInserted = nullptr;
  lines_->OnLineReplaced = nullptr;
  gutter_.OnChange = nullptr;
  marks_.OnChange = nullptr;
}

void TCustomCodeEdit::SetHost(EditorHost* host) {
  host_ = host;
  if (host_) SetFont(font_);
}

void TCustomCodeEdit::Resized() { SizeOrFontChanged(false); }

void TCustomCodeEdit::SetLines(const TCodeEditStringList& source) {
  if (&source == lines_.get()) return;
  lines_->BeginUpdate();
  lines_->Clear();
  lines_->AddStrings(source);
  lines_->LineBreakStyle = source.LineBreakStyle;
  lines_->EndUpdate();
}

// ---------------------------------------------------------------- caret

void TCustomCodeEdit::SetCaretPos(TBufferCoord value) {
  BeginUpdateBatch();
  StatusChanged(scSelection);
  bool hadSelection = HasSelection();
  if (hadSelection) InvalidateSelection();
  MoveCaretTo(value, true);
  anchorStart_ = CaretPos();
  anchorEnd_ = CaretPos();
  EndUpdateBatch();
}

void TCustomCodeEdit::MoveCaretTo(TBufferCoord value, bool makeVisible) {
  caretAtRowEnd_ = false;
  if (HandleAllocated()) DoOnPaintTransient(ttBefore);
  int maxX = WordWrapActive() ? INT_MAX : maxScrollWidth_ + 1;
  const bool pastEol = HasOption(eoScrollPastEol);
  value.Y = std::min(value.Y, LineCount());
  if (value.Y < 1) {
    value.Y = 1;
    if (!pastEol) maxX = 1;
  } else if (!pastEol) {
    maxX = static_cast<int>(LineText(value.Y).size()) + 1;
  } else {
    // A line longer than MaxScrollWidth must still be reachable to its end,
    // or typing there would put the caret before the typed text.
    maxX = std::max(maxX, static_cast<int>(LineText(value.Y).size()) + 1);
  }
  if (value.X > maxX && !(pastEol && HasOption(eoAutoSizeMaxScrollWidth))) value.X = maxX;
  value.X = std::max(value.X, 1);

  if (value.X == caretX_ && value.Y == caretY_) {
    preferredColumn_ = CaretDisplayColumn();
  } else {
    BeginUpdateBatch();
    if (value.X != caretX_) {
      caretX_ = value.X;
      StatusChanged(scCaretX);
    }
    if (value.Y != caretY_) {
      if (activeLineColor_ != clNone) {
        InvalidateTextRow(value.Y);
        InvalidateTextRow(caretY_);
      }
      caretY_ = value.Y;
      StatusChanged(scCaretY);
    }
    preferredColumn_ = CaretDisplayColumn();
    caretSteppedBack_ = false;
    if (makeVisible) ScrollCaretIntoView();
    caretChanged_ = true;
    scrollBarsChanged_ = true;
    EndUpdateBatch();
  }
  if (HandleAllocated()) DoOnPaintTransient(ttAfter);
}

TDisplayPos TCustomCodeEdit::CaretDisplayPos() const {
  TDisplayPos pos = BufferToDisplay(CaretPos());
  // Under word wrap a position at a row boundary may be shown at the end of
  // the row above.
  if (WordWrapActive() && caretAtRowEnd_ && pos.Column == 1 && pos.Row > 1) {
    pos.Row -= 1;
    pos.Column = RowCellCount(pos.Row) + 1;
  }
  return pos;
}

std::string TCustomCodeEdit::CaretLineText() const {
  if (caretY_ < 1 || caretY_ > LineCount()) return {};
  return std::string(LineText(caretY_));
}

void TCustomCodeEdit::SetCaretLineText(std::string_view text) {
  if (caretY_ >= 1 && caretY_ <= LineCount()) lines_->Put(caretY_ - 1, text);
}

// ---------------------------------------------------------------- anchors

TBufferCoord TCustomCodeEdit::AnchorStart() const {
  return anchorEnd_ < anchorStart_ ? anchorEnd_ : anchorStart_;
}

TBufferCoord TCustomCodeEdit::AnchorEnd() const {
  return anchorEnd_ < anchorStart_ ? anchorStart_ : anchorEnd_;
}

bool TCustomCodeEdit::HasSelection() const {
  return anchorStart_.X != anchorEnd_.X ||
         (anchorStart_.Y != anchorEnd_.Y && effectiveSelectionMode_ != smColumn);
}

TBufferCoord TCustomCodeEdit::ClampAnchor(TBufferCoord value) const {
  value.X = std::max(value.X, 1);
  value.Y = std::clamp(value.Y, 1, std::max(LineCount(), 1));
  // Also without eoScrollPastEol: a column block reaching any further would
  // only pad its text with blanks up to an arbitrary width.
  if (!WordWrapActive()) {
    const int lineEnd = static_cast<int>(LineText(value.Y).size()) + 1;
    value.X = std::min(value.X, std::max(maxScrollWidth_ + 1, lineEnd));
  }
  if (effectiveSelectionMode_ == smNormal) {
    if (value.Y <= LineCount()) {
      value.X = std::min(value.X, static_cast<int>(LineText(value.Y).size()) + 1);
    } else {
      value.X = 1;
    }
  }
  return value;
}

void TCustomCodeEdit::SetAnchorStart(TBufferCoord value) {
  effectiveSelectionMode_ = selectionMode_;
  value = ClampAnchor(value);
  bool changed = false;
  if (HasSelection()) {
    int first = std::min({anchorStart_.Y, anchorEnd_.Y, value.Y});
    int last = std::max({anchorStart_.Y, anchorEnd_.Y, value.Y});
    anchorStart_ = value;
    anchorEnd_ = value;
    InvalidateTextRows(first, last);
    changed = true;
  } else {
    changed = anchorStart_ != value || anchorEnd_ != value;
    anchorStart_ = value;
    anchorEnd_ = value;
  }
  if (changed) StatusChanged(scSelection);
}

void TCustomCodeEdit::SetAnchorEnd(TBufferCoord value) {
  effectiveSelectionMode_ = selectionMode_;
  if (HasOption(eoNoSelection)) return;
  value = ClampAnchor(value);
  if (value != anchorEnd_ && value.Y <= LineCount() && IsTrailByte(LineText(value.Y), value.X)) {
    value.X -= 1;
  }
  if (value == anchorEnd_) return;
  if (effectiveSelectionMode_ != smColumn || value.X == anchorEnd_.X) {
    TBufferCoord old = anchorEnd_;
    anchorEnd_ = value;
    if (effectiveSelectionMode_ != smColumn || anchorStart_.X != value.X) {
      InvalidateTextRows(old.Y, value.Y);
    }
  } else {
    int first = std::min({anchorStart_.Y, anchorEnd_.Y, value.Y});
    int last = std::max({anchorStart_.Y, anchorEnd_.Y, value.Y});
    InvalidateTextRows(first, last);
    anchorEnd_ = value;
  }
  StatusChanged(scSelection);
}

void TCustomCodeEdit::SetSelectionMode(TSelectionMode value) {
  if (selectionMode_ != value) {
    selectionMode_ = value;
    SetEffectiveSelectionMode(value);
  }
}

void TCustomCodeEdit::SetEffectiveSelectionMode(TSelectionMode value) {
  if (effectiveSelectionMode_ == value) return;
  if (HasSelection()) InvalidateSelection();
  effectiveSelectionMode_ = value;
  if (HasSelection()) InvalidateSelection();
  StatusChanged(scSelection);
}

bool TCustomCodeEdit::IsTrailByte(std::string_view line, int x) const {
  const CodePage& cp = CodePage::Active();
  if (!cp.IsDoubleByte()) return false;
  int index = x - 1;
  if (index <= 0 || index >= static_cast<int>(line.size())) return false;
  int p = 0;
  while (p < index) p += cp.IsLeadByte(static_cast<uint8_t>(line[p])) ? 2 : 1;
  return p > index;
}

int TCustomCodeEdit::CharLengthAt(std::string_view line, int x) const {
  const int length = static_cast<int>(line.size());
  if (x < 1 || x >= length || !CodePage::Active().IsDoubleByte()) return 1;
  const bool lead = CodePage::Active().IsLeadByte(static_cast<uint8_t>(line[x - 1])) && !IsTrailByte(line, x);
  return lead ? 2 : 1;
}

// ---------------------------------------------------------------- coordinates

int TCustomCodeEdit::ExpandedColumn(std::string_view line, int x) const {
  const int length = static_cast<int>(line.size());
  const int walk = std::max(std::min(x - 1, length), 0);
  // Runs without tabs count one column a byte; finding the tabs with memchr
  // keeps this cheap on very long lines, where it runs several times a
  // keystroke.
  int column = 0;
  int i = 0;
  while (i < walk) {
    const void* tab = std::memchr(line.data() + i, '\t', static_cast<size_t>(walk - i));
    const int next = tab ? static_cast<int>(static_cast<const char*>(tab) - line.data()) : walk;
    column += next - i;
    if (next == walk) break;
    column += tabWidth_ - column % tabWidth_;
    i = next + 1;
  }
  if (x - 1 > length) column += x - 1 - length;
  return column + 1;
}

int TCustomCodeEdit::BufferColumn(std::string_view line, int column) const {
  const int length = static_cast<int>(line.size());
  int width = 0;
  int x = 0;
  while (width < column) {
    if (x >= length) {
      x += column - width;
      break;
    }
    width += line[x] == '\t' ? tabWidth_ - width % tabWidth_ : 1;
    ++x;
  }
  if (IsTrailByte(line, x)) ++x;
  return std::max(x, 1);
}

TDisplayPos TCustomCodeEdit::BufferToDisplay(TBufferCoord position) const {
  int column = position.X;
  if (position.Y >= 1 && position.Y <= LineCount()) {
    column = ExpandedColumn(LineText(position.Y), position.X);
  }
  if (wordWrapPlugin_ && column > 0 && position.Y > 0) {
    return wordWrapPlugin_->BufferToDisplay({column, position.Y});
  }
  return {column, position.Y};
}

TBufferCoord TCustomCodeEdit::DisplayToBuffer(TDisplayPos position) const {
  int column = position.Column;
  int line = position.Row;
  if (wordWrapPlugin_ && column > 0 && line > 0) {
    TDisplayPos mapped = wordWrapPlugin_->DisplayToBuffer(position);
    column = mapped.Column;
    line = mapped.Row;
  }
  if (line >= 1 && line <= LineCount()) return {BufferColumn(LineText(line), column), line};
  return {column, line};
}

int TCustomCodeEdit::PositionToIndex(TBufferCoord position) const {
  int64_t index = 0;
  const int before = std::min(position.Y - 1, LineCount());
  for (int i = 0; i < before; ++i) index += static_cast<int64_t>(lines_->Get(i).size()) + 2;
  index += position.X - 1;
  return static_cast<int>(std::clamp<int64_t>(index, 0, INT_MAX));
}

TBufferCoord TCustomCodeEdit::IndexToPosition(int index) const {
  index = std::max(index, 0);
  int64_t start = 0;
  const int count = LineCount();
  for (int i = 0; i < count; ++i) {
    int64_t end = start + static_cast<int64_t>(lines_->Get(i).size()) + 2;
    if (index < end) return {static_cast<int>(index - start) + 1, i + 1};
    start = end;
  }
  return {1, count + 1};
}

int TCustomCodeEdit::DisplayRowCount() const {
  if (wordWrapPlugin_) return LineCount() == 0 ? 0 : wordWrapPlugin_->TotalRows();
  return LineCount();
}

int TCustomCodeEdit::LineToRow(int line) const {
  if (!wordWrapPlugin_ || line < 1) return line;
  return BufferToDisplay({1, line}).Row;
}

int TCustomCodeEdit::RowToLine(int row) const {
  if (!wordWrapPlugin_ || row < 1) return row;
  return DisplayToBuffer({1, row}).Y;
}

int TCustomCodeEdit::RowCellCount(int row) const {
  if (!wordWrapPlugin_) return row >= 1 && row <= LineCount() ? lines_->ExpandedLength(row - 1) : 0;
  return row >= 1 && row <= wordWrapPlugin_->TotalRows() ? wordWrapPlugin_->RowCellCount(row) : 0;
}

// ---------------------------------------------------------------- scrolling

TRect TCustomCodeEdit::ClientRect() const {
  if (!host_) return {};
  return {0, 0, host_->ClientWidth(), host_->ClientHeight()};
}

void TCustomCodeEdit::SetTopLine(int value) {
  const int rows = DisplayRowCount();
  int maxTop = HasOption(eoScrollPastEof) ? rows : rows - visibleRows_ + 1;
  value = std::clamp(value, 1, std::max(maxTop, 1));
  if (value == topLine_) return;
  const int delta = topLine_ - value;
  topLine_ = value;
  if (HandleAllocated()) {
    if (std::abs(delta) < visibleRows_ && !linesChanging_) {
      host_->ScrollWindow(0, lineHeight_ * delta, ClientRect());
    } else {
      InvalidateAll();
    }
  }
  UpdateScrollBars();
  StatusChanged(scTopLine);
}

void TCustomCodeEdit::SetLeftChar(int value) {
  if (WordWrapActive()) value = 1;
  int maxValue;
  if (HasOption(eoScrollPastEol)) {
    // The caret line may be wider than MaxScrollWidth; its end stays reachable.
    int width = maxScrollWidth_;
    if (caretY_ >= 1 && caretY_ <= LineCount()) width = std::max(width, lines_->ExpandedLength(caretY_ - 1) + 1);
    maxValue = HasOption(eoAutoSizeMaxScrollWidth) ? INT_MAX - visibleColumns_ : width - visibleColumns_ + 1;
  } else {
    maxValue = LongestLineLength() - visibleColumns_ + 1;
  }
  value = std::clamp(value, 1, std::max(maxValue, 1));
  if (value == leftChar_) return;
  const int delta = leftChar_ - value;
  leftChar_ = value;
  textOriginX_ = gutterWidth_ + 2 - (leftChar_ - 1) * charWidth_;
  if (HandleAllocated()) {
    if (std::abs(delta) < visibleColumns_ && !linesChanging_) {
      TRect area = ClientRect();
      area.Left = gutterWidth_ + 2;
      host_->ScrollWindow(delta * charWidth_, 0, area);
    } else {
      InvalidateTextRows(-1, -1);
    }
  }
  if (HasOption(eoScrollPastEol) && HasOption(eoAutoSizeMaxScrollWidth) &&
      maxScrollWidth_ < leftChar_ + visibleColumns_) {
    SetMaxScrollWidth(leftChar_ + visibleColumns_);
  } else {
    UpdateScrollBars();
  }
  StatusChanged(scLeftChar);
}

void TCustomCodeEdit::ScrollCaretIntoView() {
  BeginUpdateBatch();
  const TDisplayPos caret = CaretDisplayPos();
  if (caret.Column < leftChar_) {
    SetLeftChar(caret.Column);
  } else if (caret.Column >= leftChar_ + visibleColumns_ && visibleColumns_ > 0) {
    SetLeftChar(caret.Column - visibleColumns_ + 1);
  } else {
    SetLeftChar(leftChar_);
  }
  if (caret.Row < topLine_) {
    SetTopLine(caret.Row);
  } else if (caret.Row > topLine_ + visibleRows_ - 1) {
    SetTopLine(caret.Row - (visibleRows_ - 1));
  } else {
    SetTopLine(topLine_);
  }
  EndUpdateBatch();
}

void TCustomCodeEdit::ScrollCaretIntoViewCentred() {
  const int row = CaretDisplayRow();
  if (row >= topLine_ && row <= topLine_ + visibleRows_ - 1) {
    ScrollCaretIntoView();
    return;
  }
  BeginUpdateBatch();
  SetTopLine(row - (visibleRows_ - 1) / 2);
  ScrollCaretIntoView();
  EndUpdateBatch();
}

// ---------------------------------------------------------------- metrics

void TCustomCodeEdit::RecalcCharExtent() {
  if (!host_) return;
  std::bitset<4> used;
  if (highlighter_) {
    for (int i = 0; i < highlighter_->AttributeCount(); ++i) {
      if (auto* attribute = highlighter_->AttributeAt(i)) used.set(attribute->Style() & (fsBold | fsItalic));
    }
  }
  if (used.none()) used.set(font_.Style & (fsBold | fsItalic));
  int width = 0;
  int height = 0;
  for (int style = 0; style < 4; ++style) {
    if (!used.test(style)) continue;
    TFontMetrics metrics = host_->MeasureFont(EffectiveFont(), static_cast<TFontStyles>(style));
    width = std::max(width, metrics.CharWidth);
    height = std::max(height, metrics.CharHeight);
  }
  charWidth_ = width;
  lineHeight_ = height + extraLineSpacing_;
  textOriginX_ = gutterWidth_ + 2 - (leftChar_ - 1) * charWidth_;
}

void TCustomCodeEdit::SizeOrFontChanged(bool fontChanged) {
  if (!HandleAllocated() || charWidth_ == 0) return;
  visibleColumns_ = std::max(host_->ClientWidth() - gutterWidth_ - 2, 0) / charWidth_;
  visibleRows_ = lineHeight_ > 0 ? host_->ClientHeight() / lineHeight_ : 0;
  if (wordWrapPlugin_) wordWrapPlugin_->WidthChanged();
  if (fontChanged) {
    if (gutter_.ShowLineNumbers()) {
      GutterChanged();
    } else {
      UpdateScrollBars();
    }
    InitializeCaret();
    caretChanged_ = false;
    InvalidateAll();
  } else {
    UpdateScrollBars();
  }
  if (!HasOption(eoScrollPastEol)) SetLeftChar(leftChar_);
  if (!HasOption(eoScrollPastEof)) SetTopLine(topLine_);
}

void TCustomCodeEdit::SetFont(const TFont& font) {
  font_ = font;
  fixedFont_.reset();
  if (host_) {
    TFontMetrics metrics = host_->MeasureFont(font_, font_.Style);
    // A proportional font would break the cell grid: ask for a fixed-pitch
    // face of the same name instead.
    if (metrics.AverageCharWidth != metrics.MaximumCharWidth) {
      fixedFont_ = std::make_unique<TFont>(font_);
      fixedFont_->FixedPitch = true;
    }
  }
  RecalcCharExtent();
  SizeOrFontChanged(true);
}

void TCustomCodeEdit::GutterChanged() {
  if (gutter_.ShowLineNumbers() && gutter_.AutoSize()) gutter_.FitDigitCount(LineCount());
  int width = charWidth_;
  if (gutter_.UseFontStyle() && host_) width = host_->MeasureFont(gutter_.Font(), gutter_.Font().Style).CharWidth;
  const int pixels = gutter_.GutterPixelWidth(width);
  if (pixels == gutterWidth_) {
    InvalidateGutterRows(-1, -1);
  } else {
    SetGutterWidth(pixels);
  }
}

void TCustomCodeEdit::SetGutterWidth(int value) {
  value = std::max(value, 0);
  if (gutterWidth_ == value) return;
  gutterWidth_ = value;
  textOriginX_ = gutterWidth_ + 2 - (leftChar_ - 1) * charWidth_;
  if (HandleAllocated() && charWidth_ > 0) {
    visibleColumns_ = std::max(host_->ClientWidth() - gutterWidth_ - 2, 0) / charWidth_;
    if (wordWrapPlugin_) wordWrapPlugin_->WidthChanged();
    UpdateScrollBars();
    InvalidateAll();
  }
}

// ---------------------------------------------------------------- batches

void TCustomCodeEdit::EndUpdateBatch() {
  VANTREL_ASSERT(updateBatchDepth_ > 0, "CodeEdit");
  --updateBatchDepth_;
  if (updateBatchDepth_ != 0 || !HandleAllocated()) return;
  if (scrollBarsChanged_) UpdateScrollBars();
  if (WordWrapActive() && (pendingStatusChanges_ & (scCaretX | scCaretY)) && visibleColumns_ > 0) {
    TDisplayPos caret = CaretDisplayPos();
    if (caret.Column > visibleColumns_ + 1) {
      if (caretAtRowEnd_) {
        caretAtRowEnd_ = false;
      } else if (pendingStatusChanges_ & scCaretY) {
        caretX_ = DisplayToBuffer({visibleColumns_ + 1, caret.Row}).X;
        pendingStatusChanges_ |= scCaretX;
        preferredColumn_ = CaretDisplayColumn();
      }
      caretChanged_ = true;
    }
  }
  if (caretChanged_) UpdateCaret();
  if (pendingStatusChanges_ != 0 && OnStatusChange) {
    OnStatusChange(*this, pendingStatusChanges_);
    pendingStatusChanges_ = 0;
  }
}

void TCustomCodeEdit::NoteStatusChange(TStatusChanges changes) {
  pendingStatusChanges_ |= changes;
  if (updateBatchDepth_ == 0 && OnStatusChange) {
    OnStatusChange(*this, pendingStatusChanges_);
    pendingStatusChanges_ = 0;
  }
}

// ---------------------------------------------------------------- invalidation

void TCustomCodeEdit::InvalidateRect(const TRect& rect) {
  if (!HandleAllocated() || rect.IsEmpty()) return;
  if (linesChanging_) {
    collectedInvalidRect_ = UnionRect(collectedInvalidRect_, rect);
  } else {
    host_->InvalidateRect(rect);
  }
}

void TCustomCodeEdit::InvalidateAll() { InvalidateRect(ClientRect()); }

void TCustomCodeEdit::InvalidateArea(int firstLine, int lastLine, bool gutter) {
  if (!HandleAllocated()) return;
  const TRect client = ClientRect();
  if (firstLine == -1 && lastLine == -1) {
    InvalidateRect(gutter ? TRect{0, 0, gutterWidth_, client.Bottom}
                          : TRect{gutterWidth_, 0, client.Right, client.Bottom});
    return;
  }
  if (lastLine < firstLine) std::swap(firstLine, lastLine);
  firstLine = std::max(firstLine, 1);
  lastLine = std::max(lastLine, 1);
  if (lastLine >= LineCount()) lastLine = INT_MAX;
  if (wordWrapPlugin_) {
    firstLine = LineToRow(firstLine);
    if (lastLine != INT_MAX) lastLine = LineToRow(lastLine + 1) - 1;
  }
  firstLine = std::max(firstLine, topLine_);
  lastLine = std::min(lastLine, topLine_ + visibleRows_);
  if (lastLine < firstLine) return;
  const int top = lineHeight_ * (firstLine - topLine_);
  const int bottom = lineHeight_ * (lastLine - topLine_ + 1);
  InvalidateRect(gutter ? TRect{0, top, gutterWidth_, bottom} : TRect{gutterWidth_, top, client.Right, bottom});
}

void TCustomCodeEdit::InvalidateTextRows(int firstLine, int lastLine) {
  InvalidateArea(firstLine, lastLine, false);
}

void TCustomCodeEdit::InvalidateGutterRows(int firstLine, int lastLine) {
  InvalidateArea(firstLine, lastLine, true);
}

void TCustomCodeEdit::InvalidateSelection() { InvalidateTextRows(AnchorStart().Y, AnchorEnd().Y); }

void TCustomCodeEdit::UpdateNow() {
  if (host_) host_->UpdateNow();
}

// ---------------------------------------------------------------- caret and scroll bars

void TCustomCodeEdit::ComputeCaretShape(int& width, int& height, TPoint& offset) const {
  switch (insertMode_ ? insertCaret_ : overwriteCaret_) {
    case ctHorizontalLine:
      width = charWidth_;
      height = 2;
      offset = {0, lineHeight_ - 2};
      break;
    case ctHalfBlock:
      width = charWidth_;
      height = (lineHeight_ - 2) / 2;
      offset = {0, height};
      break;
    case ctBlock:
      width = charWidth_;
      height = lineHeight_ - 2;
      offset = {0, 0};
      break;
    case ctVerticalLine:
    default:
      width = 2;
      height = lineHeight_ - 2;
      offset = {-1, 0};
      break;
  }
}

void TCustomCodeEdit::InitializeCaret() {
  if (!Focused()) return;
  int width = 0;
  int height = 0;
  TPoint offset;
  ComputeCaretShape(width, height, offset);
  host_->CreateCaret(width, height);
  UpdateCaret();
}

void TCustomCodeEdit::UpdateCaret() {
  if (updateBatchDepth_ > 0 || !Focused()) {
    caretChanged_ = true;
    return;
  }
  caretChanged_ = false;
  TDisplayPos caret = CaretDisplayPos();
  if (WordWrapActive() && caret.Column > visibleColumns_ + 1) caret.Column = visibleColumns_ + 1;
  int width = 0;
  int height = 0;
  TPoint offset;
  ComputeCaretShape(width, height, offset);
  const int x = textOriginX_ + (caret.Column - 1) * charWidth_ + offset.X;
  const int y = (caret.Row - topLine_) * lineHeight_ + offset.Y + 1;
  host_->SetCaretPos(x, y);
  if (x < gutterWidth_ || x > host_->ClientWidth() || y < 0 || y > host_->ClientHeight() ||
      HasOption(eoNoCaret)) {
    host_->HideCaret();
  } else {
    host_->ShowCaret();
  }
  host_->SetImeComposition({x, y}, EffectiveFont());
}

void TCustomCodeEdit::UpdateScrollBars() {
  if (!HandleAllocated()) return;
  if (updateBatchDepth_ > 0) {
    scrollBarsChanged_ = true;
    return;
  }
  scrollBarsChanged_ = false;
  const bool hideShow = HasOption(eoHideShowScrollbars);
  const bool disableArrows = HasOption(eoDisableScrollArrows);
  // Both bars share one rule: a range above 32767 is shown on a 0..32767 scale.
  auto compute = [&](int range, int page, int position, bool atStart, bool atEnd) {
    TScrollBarState state;
    bool scaled = range > 32767;
    if (scaled) {
      state.Max = 32767;
      state.Page = MulDiv(32767, page, range);
      state.Position = MulDiv(32767, position, range);
    } else {
      state.Max = range;
      state.Page = page;
      state.Position = position;
    }
    bool fits = !scaled && state.Page >= state.Max;
    state.Visible = !(hideShow && fits);
    if (disableArrows || fits) {
      state.LowArrowEnabled = !atStart;
      state.HighArrowEnabled = !atEnd;
    }
    return state;
  };
  const bool horizontal = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  const bool vertical = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  if (horizontal && !WordWrapActive()) {
    int range = HasOption(eoScrollPastEol) ? maxScrollWidth_ : std::max(LongestLineLength(), 1);
    host_->SetScrollBar(sbHorizontal, compute(range, visibleColumns_, leftChar_, leftChar_ <= 1,
                                              leftChar_ + visibleColumns_ > range));
  } else {
    host_->SetScrollBar(sbHorizontal, TScrollBarState{});
  }
  if (vertical) {
    int rows = DisplayRowCount();
    int range = rows + (HasOption(eoScrollPastEof) ? visibleRows_ - 1 : 0);
    range = std::max(range, 1);
    host_->SetScrollBar(sbVertical, compute(range, visibleRows_, topLine_, topLine_ <= 1,
                                            topLine_ + visibleRows_ - 1 >= rows));
  } else {
    host_->SetScrollBar(sbVertical, TScrollBarState{});
  }
}

// ---------------------------------------------------------------- properties

void TCustomCodeEdit::SetOptions(TCodeEditorOptions value) {
  if (value == options_) return;
  const TCodeEditorOptions old = options_;
  if (!(old & OptionBit(eoScrollPastEol))) SetLeftChar(leftChar_);
  if (!(old & OptionBit(eoScrollPastEof))) SetTopLine(topLine_);
  options_ = value;
  const TCodeEditorOptions changed = old ^ value;
  MoveCaretTo(CaretPos(), false);
  if (HasOption(eoScrollPastEol)) {
    TBufferCoord start = anchorStart_;
    TBufferCoord end = anchorEnd_;
    SetAnchorStart(start);
    SetAnchorEnd(end);
  }
  if ((changed & OptionBit(eoDropFiles)) && HandleAllocated()) {
    host_->AcceptDroppedFiles(HasOption(eoDropFiles));
  }
  if (changed & OptionBit(eoShowSpecialChars)) InvalidateAll();
  constexpr TCodeEditorOptions kScrollOptions = OptionBit(eoDisableScrollArrows) |
                                                OptionBit(eoHideShowScrollbars) |
                                                OptionBit(eoScrollPastEof) | OptionBit(eoScrollPastEol);
  if (changed & kScrollOptions) UpdateScrollBars();
}

void TCustomCodeEdit::SetTabWidth(int value) {
  value = std::clamp(value, 1, 256);
  if (value == tabWidth_) return;
  tabWidth_ = value;
  lines_->SetTabWidth(value);
  InvalidateAll();
  if (wordWrapPlugin_) wordWrapPlugin_->Relayout();
}

void TCustomCodeEdit::SetInsertMode(bool value) {
  if (insertMode_ == value) return;
  insertMode_ = value;
  InitializeCaret();
  StatusChanged(scInsertMode);
}

void TCustomCodeEdit::SetReadOnly(bool value) {
  if (readOnly_ == value) return;
  readOnly_ = value;
  StatusChanged(scReadOnly);
}

void TCustomCodeEdit::SetModified(bool value) {
  if (modified_ == value) return;
  if (!value && HasOption(eoGroupUndo) && undoList_->CanUndo()) undoList_->AddGroupEnd();
  undoList_->MarkSaved(!value);
  modified_ = value;
  StatusChanged(scModified);
}

void TCustomCodeEdit::UndoRedoAdded(TCodeEditUndoList& sender) {
  const bool modified = !undoList_->IsSavedState();
  if (modified != modified_) {
    modified_ = modified;
    StatusChanged(scModified);
  }
  if (&sender == undoList_.get() && !undoList_->ReplayingRedo && undoList_->NewestKind() != ckGroupEnd &&
      undoList_->Newest() != nullptr) {
    redoList_->Clear();
  }
  if (sender.BlockCount() == 0 && OnChange) OnChange(*this);
}

void TCustomCodeEdit::SetMaxScrollWidth(int value) {
  value = std::clamp(value, 1, INT_MAX - 1);
  if (value == maxScrollWidth_) return;
  maxScrollWidth_ = value;
  if (HasOption(eoScrollPastEol)) UpdateScrollBars();
}

void TCustomCodeEdit::SetMaxUndo(int value) {
  if (value < 0) return;
  undoList_->SetItemLimit(value);
  redoList_->SetItemLimit(value);
}

void TCustomCodeEdit::SetExtraLineSpacing(int value) {
  extraLineSpacing_ = value;
  RecalcCharExtent();
  SizeOrFontChanged(true);
}

void TCustomCodeEdit::SetScrollBars(TScrollStyle value) {
  if (scrollBars_ == value) return;
  scrollBars_ = value;
  UpdateScrollBars();
  InvalidateAll();
}

void TCustomCodeEdit::SetBorderStyle(TBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  if (host_) host_->RecreateWindow();
}

void TCustomCodeEdit::SetHideSelection(bool value) {
  if (hideSelection_ == value) return;
  hideSelection_ = value;
  InvalidateSelection();
}

void TCustomCodeEdit::SetRightEdge(int value) {
  if (rightEdge_ == value) return;
  rightEdge_ = value;
  InvalidateAll();
}

void TCustomCodeEdit::SetRightEdgeColor(TColor value) {
  if (rightEdgeColor_ == value) return;
  rightEdgeColor_ = value;
  if (HandleAllocated()) {
    const int x = textOriginX_ + rightEdge_ * charWidth_;
    InvalidateRect({x - 1, 0, x + 1, host_->ClientHeight()});
  }
}

void TCustomCodeEdit::SetActiveLineColor(TColor value) {
  if (activeLineColor_ == value) return;
  activeLineColor_ = value;
  InvalidateTextRow(caretY_);
}

void TCustomCodeEdit::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  InvalidateAll();
}

void TCustomCodeEdit::SetInsertCaret(TCodeEditCaretType value) {
  if (insertCaret_ == value) return;
  insertCaret_ = value;
  InitializeCaret();
}

void TCustomCodeEdit::SetOverwriteCaret(TCodeEditCaretType value) {
  if (overwriteCaret_ == value) return;
  overwriteCaret_ = value;
  InitializeCaret();
}

void TCustomCodeEdit::SetWordWrapPluginFactory(TWordWrapPluginFactory factory) {
  WordWrapFactory() = std::move(factory);
}

void TCustomCodeEdit::SetWordWrap(bool value) {
  if (wordWrap_ == value) return;
  InvalidateAll();
  const TDisplayPos caret = CaretDisplayPos();
  const bool caretInView = caret.Row >= topLine_ && caret.Row < topLine_ + visibleRows_ &&
                           caret.Column >= leftChar_ && caret.Column < leftChar_ + visibleColumns_;
  const int oldTopLine = RowToLine(topLine_);
  wordWrap_ = value;
  if (value) {
    if (WordWrapFactory()) wordWrapPlugin_ = WordWrapFactory()(*this);
    SetLeftChar(1);
  } else {
    wordWrapPlugin_.reset();
  }
  SetTopLine(LineToRow(oldTopLine));
  UpdateScrollBars();
  if (HasOption(eoScrollPastEol)) {
    TBufferCoord start = anchorStart_;
    TBufferCoord end = anchorEnd_;
    MoveCaretTo(CaretPos(), false);
    SetAnchorStart(start);
    SetAnchorEnd(end);
  }
  if (caretInView) ScrollCaretIntoView();
}

void TCustomCodeEdit::SetHighlighter(TCustomHighlighter* value) {
  if (value == highlighter_) return;
  if (highlighter_) highlighter_->UnhookAttrChange(this);
  highlighter_ = value;
  if (highlighter_) {
    highlighter_->HookAttrChange(this, [this](TPersistent* sender) { HighlighterChanged(sender); });
  }
  if (!destroying_) HighlighterChanged(highlighter_);
}

void TCustomCodeEdit::HighlighterChanged(TPersistent* sender) {
  RecalcCharExtent();
  const bool fromHighlighter = sender && dynamic_cast<TCustomHighlighter*>(sender);
  if (fromHighlighter) {
    lines_->BeginUpdate();
    RescanAll();
    lines_->EndUpdate();
  } else {
    InvalidateAll();
  }
  // Rows break at characters that are no identifier characters of the
  // highlighter; a new (or no) highlighter brings another set.
  if (wordWrapPlugin_ && (fromHighlighter || !sender)) wordWrapPlugin_->Relayout();
  SizeOrFontChanged(true);
}

void TCustomCodeEdit::ComponentRemoved(const void* component) {
  if (component == nullptr) return;
  if (component == searchEngine_) searchEngine_ = nullptr;
  if (component == highlighter_) {
    // The highlighter is going away: no unhooking, it takes its hooks along.
    highlighter_ = nullptr;
    if (!destroying_) {
      if (wordWrapPlugin_) wordWrapPlugin_->Relayout();
      RecalcCharExtent();
      SizeOrFontChanged(true);
    }
  }
}

void TCustomCodeEdit::SetKeystrokes(const TCodeEditKeyStrokes* value) {
  if (value) {
    keystrokes_.Assign(*value);
  } else {
    keystrokes_.Clear();
  }
}

void TCustomCodeEdit::AddPlugin(TCodeEditPlugin* plugin) {
  if (plugin && std::find(plugins_.begin(), plugins_.end(), plugin) == plugins_.end()) {
    plugins_.push_back(plugin);
  }
}

void TCustomCodeEdit::RemovePlugin(TCodeEditPlugin* plugin) {
  plugins_.erase(std::remove(plugins_.begin(), plugins_.end(), plugin), plugins_.end());
}

// ---------------------------------------------------------------- painting

void TCustomCodeEdit::Paint(Canvas& canvas, const TRect& clip) {
  if (painter_) painter_->Paint(canvas, clip);
}

void TCustomCodeEdit::DoOnPaintTransientEx(TTransientType type, bool lock) {
  bool fire = paintTransientLock_ == 0;
  if (lock) {
    if (type == ttBefore) {
      ++paintTransientLock_;
    } else {
      --paintTransientLock_;
      fire = paintTransientLock_ == 0;
    }
  }
  if (!fire || !OnPaintTransient) return;
  Canvas* canvas = painter_ ? painter_->TransientCanvas() : nullptr;
  if (host_) host_->HideCaret();
  try {
    OnPaintTransient(*this, canvas, type);
  } catch (...) {
    if (host_) host_->ShowCaret();
    throw;
  }
  if (host_) host_->ShowCaret();
}

}  // namespace vantrel
