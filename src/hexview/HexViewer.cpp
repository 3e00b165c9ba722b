#include "hexview/HexViewer.h"

#include <algorithm>

#include "hexview/Codepages.h"
#include "platform/Assert.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

constexpr int kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25, kVkUp = 0x26,
              kVkRight = 0x27, kVkDown = 0x28, kVkInsert = 0x2D;
constexpr int kUnitSteps = 8192;

bool IsWordDelimiter(uint8_t c) {
  return c == 9 || c == 10 || c == 13 || (c >= 32 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 94) ||
         c == 96 || (c >= 123 && c <= 127);
}
bool IsLineDelimiter(uint8_t c) { return c == 10 || c == 13; }

}  // namespace

THexViewer::THexViewer(Clipboard* clipboard) : clipboard_(clipboard) {
  chars_ = HexDisplayTable(EncodingByteTable(encoding_));
  buffer_.OnReadError = [this](const std::string& text) { return Message(text, hmRetryCancel); };
}

bool THexViewer::Message(const std::string& text, THexMessageKind kind) const {
  return OnMessage ? OnMessage(text, kind) : false;
}

void THexViewer::Repaint() const {
  if (OnRepaint) OnRepaint();
}

// ---- Properties.

void THexViewer::SetTextEncoding(TTextEncoding encoding) {
  if (IsUnicodeEncoding(encoding) || encoding >= kTextEncodingCount || encoding == encoding_) return;
  encoding_ = encoding;
  chars_ = HexDisplayTable(EncodingByteTable(encoding));
  Repaint();
}

void THexViewer::ChooseEncoding(TTextEncoding encoding) {
  SetTextEncoding(encoding);
  if (OnOptionsChange) OnOptionsChange();
}

void THexViewer::SetTextWidthHex(int width) {
  textWidthHex_ = NormalizeTextWidthHex(width);
  ReadAround(viewPos_ - viewPos_ % RowWidth());
  Repaint();
}

void THexViewer::SetTextWidthFitHex(bool fit) {
  fitHex_ = fit;
  SetTextWidthHex(textWidthHex_);
}

void THexViewer::SetFont(const TFont& font) {
  font_ = font;
  if (MeasureFont) {
    const TFontMetrics metrics = MeasureFont(font_);
    SetCellSize(metrics.CharWidth, metrics.CharHeight);
  }
  Repaint();
}

// ---- The file.

void THexViewer::Reset() {
  middleScrolling_ = false;
  streamSearch_.SetStream(nullptr);
  buffer_.Detach();
  fileName_.clear();
  offsetDigits_ = 0;
  viewPos_ = 0;
  horzScroll_ = 0;
  selStart_ = selLength_ = anchor_ = 0;
  dragging_ = false;
  dragDirX_ = dragDirY_ = 0;
}

void THexViewer::Close() {
  Reset();
  Repaint();
}

bool THexViewer::OpenFile(const std::string& name, bool redraw) {
  if (name == fileName_) return true;
  std::unique_ptr<THexSource> source;
  Reset();
  if (name.empty()) {
    if (redraw) Repaint();
    return true;
  }
  try {
    source = OpenHexFile(name);
  } catch (const EHexOpenError& e) {
    // The name is not kept: the next attempt with it tries the disk again.
    if (redraw) Repaint();
    Message(e.what(), hmError);
    return false;
  }
  const bool opened = OpenSource(std::move(source), name, redraw);
  if (opened) {
    try {
      streamSearch_.SetFileName(name);
    } catch (const EHexOpenError&) {
      // Searching is never started here; the view works without it.
    }
  }
  return opened;
}

bool THexViewer::OpenSource(std::unique_ptr<THexSource> source, const std::string& name, bool redraw) {
  Reset();
  if (!buffer_.Attach(std::move(source))) {
    if (redraw) Repaint();
    return false;
  }
  fileName_ = name;
  offsetDigits_ = vantrel::OffsetDigits(FileSize());
  if (redraw) Repaint();
  return true;
}

// ---- Geometry.

void THexViewer::SetClientSize(int width, int height) {
  clientWidth_ = std::max(0, width);
  clientHeight_ = std::max(0, height);
  if (fitHex_) SetTextWidthHex(textWidthHex_);
  SetHorzScroll(horzScroll_);
}

void THexViewer::SetCellSize(int width, int height) {
  cellWidth_ = std::max(1, width);
  cellHeight_ = std::max(1, height);
  SetClientSize(clientWidth_, clientHeight_);
}

int THexViewer::LinesInWindow() const { return std::clamp((clientHeight_ - 2) / cellHeight_, 0, kMaxRows); }

int THexViewer::CharsInWindow() const { return std::clamp((clientWidth_ - kLeftMargin) / cellWidth_, 2, 300); }

int THexViewer::RowWidth() const {
  if (!fitHex_) return textWidthHex_;
  return NormalizeTextWidthHex((CharsInWindow() - offsetDigits_ - 5) / 4);
}

// ---- Vertical position.

void THexViewer::ReadAround(int64_t pos) {
  viewPos_ = std::max<int64_t>(0, pos);
  if (!IsOpen()) return;
  buffer_.ReadFor(viewPos_);
  FollowSize();
}

void THexViewer::FollowSize() {
  const int64_t size = FileSize();
  if (selStart_ + selLength_ > size) {
    selStart_ = std::min(selStart_, size);
    selLength_ = size - selStart_;
  }
  const int64_t last = LastBytePos();
  if (viewPos_ > last) {
    viewPos_ = last - last % RowWidth();
    buffer_.ReadFor(viewPos_);
  }
  offsetDigits_ = vantrel::OffsetDigits(size);
}

int64_t THexViewer::LastBytePos() const { return std::max<int64_t>(0, FileSize() - 1); }

int64_t THexViewer::MaxViewPos() const {
  const int64_t w = RowWidth();
  const int64_t size = FileSize();
  int64_t last = size - size % w;
  if (size % w == 0) last -= w;
  return std::max<int64_t>(0, last - (LinesInWindow() - 1) * w);
}

void THexViewer::SetViewPos(int64_t pos) {
  if (pos < 0 || !IsOpen()) return;
  pos = std::min(pos, LastBytePos());
  pos -= pos % RowWidth();
  if (pos == viewPos_) return;
  ReadAround(pos);
  if (OnScroll) OnScroll();
  Repaint();
}

void THexViewer::ScrollUp(int rows) {
  const int64_t target = viewPos_ - int64_t(rows) * RowWidth();
  if (target < 0) {
    ScrollToStart();
  } else {
    SetViewPos(target);
  }
}

void THexViewer::ScrollDown(int rows) {
  if (viewPos_ < MaxViewPos()) SetViewPos(viewPos_ + int64_t(rows) * RowWidth());
}

void THexViewer::ScrollToStart() {
  if (viewPos_ == 0) return;
  ReadAround(0);
  if (OnScroll) OnScroll();
  Repaint();
}

void THexViewer::ScrollToEnd() { SetViewPos(MaxViewPos()); }

void THexViewer::GoToOffset(int64_t offset) {
  if (offset <= 0) {
    ScrollToStart();
  } else if (offset >= LastBytePos()) {
    ScrollToEnd();
  } else {
    SetViewPos(offset);
  }
}

THexScrollBar THexViewer::VertScrollBar() const {
  const int64_t size = FileSize();
  if (!IsOpen() || buffer_.LastReadFailed() || size < 1) return {};
  const int64_t w = RowWidth();
  const int64_t range = std::clamp<int64_t>(size / w, 4, 32767);
  THexScrollBar bar;
  bar.Max = static_cast<int>(range);
  bar.Position = static_cast<int>(std::min(range, range * viewPos_ / size));
  int64_t page = std::max<int64_t>(1, range * (LinesInWindow() * w) / size);
  if (page >= range) page = range + 1;
  bar.Page = static_cast<int>(std::min<int64_t>(page, 32767));
  return bar;
}

void THexViewer::VertScrollBarAction(THexScrollAction action, int thumb) {
  switch (action) {
    case hsLineUp: ScrollUp(1); break;
    case hsLineDown: ScrollDown(1); break;
    case hsPageUp: ScrollUp(LinesInWindow()); break;
    case hsPageDown: ScrollDown(LinesInWindow()); break;
    case hsTop: ScrollToStart(); break;
    case hsBottom: ScrollToEnd(); break;
    case hsThumb: {
      const int64_t size = FileSize();
      if (size < 1) return;
      const int64_t range = std::clamp<int64_t>(size / RowWidth(), 1, 32767);
      const int64_t offset = size * std::clamp<int64_t>(thumb, 0, range) / range;
      // With the end on screen, dragging further down has nowhere to go.
      if (viewPos_ >= MaxViewPos() && offset >= viewPos_) return;
      GoToOffset(offset);
      break;
    }
  }
}

// ---- Horizontal position.

int THexViewer::MaxHorzScroll() const {
  if (!IsOpen()) return 0;
  return std::max(0, kLeftMargin + Layout().RowCells() * cellWidth_ - clientWidth_);
}

void THexViewer::SetHorzScroll(int pixels) {
  const int clamped = std::clamp(pixels, 0, MaxHorzScroll());
  if (clamped == horzScroll_) return;
  horzScroll_ = clamped;
  if (OnScroll) OnScroll();
  Repaint();
}

// ---- Rows.

int THexViewer::RowCount() const {
  if (!IsOpen() || FileSize() <= viewPos_) return 0;
  const int64_t w = RowWidth();
  const int64_t rowsLeft = (FileSize() - viewPos_ + w - 1) / w;
  return static_cast<int>(std::min<int64_t>(rowsLeft, std::min(LinesInWindow() + 1, kMaxRows)));
}

void THexViewer::FormatRow(int64_t offset, int count, std::u32string& out) const {
  const THexLayout layout = Layout();
  const uint8_t* bytes = buffer_.At(offset, count);
  FormatHexRow(bytes, count, offset, layout, chars_, out);
  if (encoding_ == vEncUTF8) OverlayUtf8(bytes, count, out.data() + layout.CharColumn());
}

void THexViewer::RowText(int row, std::u32string& out) const {
  const THexLayout layout = Layout();
  const int64_t offset = viewPos_ + int64_t(row) * layout.Width;
  const int count = static_cast<int>(std::clamp<int64_t>(FileSize() - offset, 0, layout.Width));
  FormatRow(offset, count, out);
}

bool THexViewer::RowTextAt(int64_t offset, std::u32string& out) {
  const THexLayout layout = Layout();
  if (!IsOpen() || offset < 0 || offset >= FileSize() || offset % layout.Width != 0) return false;
  // The view goes there, so the buffer keeps holding what is on screen.
  if (offset != viewPos_) ReadAround(offset);
  if (offset >= FileSize()) return false;
  FormatRow(offset, static_cast<int>(std::min<int64_t>(FileSize() - offset, layout.Width)), out);
  return true;
}

void THexViewer::Paint(Canvas& canvas, THexWideText* wide) const {
  const TRect client{0, 0, clientWidth_, clientHeight_};
  canvas.FillRect(client, Color);
  const int rows = RowCount();
  if (rows == 0) return;
  const THexLayout layout = Layout();
  const int cw = cellWidth_;
  const int ch = cellHeight_;
  const int x0 = kLeftMargin - horzScroll_;
  const int64_t selEnd = selStart_ + selLength_;
  std::u32string text;
  std::string bytes;
  for (int row = 0; row < rows; ++row) {
    RowText(row, text);
    const int y = 1 + row * ch;
    const int64_t rowStart = viewPos_ + int64_t(row) * layout.Width;
    const int count = static_cast<int>(std::min<int64_t>(FileSize() - rowStart, layout.Width));
    auto cells = [&](int first, int last) { return TRect{x0 + first * cw, y, x0 + (last + 1) * cw, y + ch}; };
    auto ascii = [&](int first, int length) {
      bytes.clear();
      for (int i = 0; i < length; ++i) bytes.push_back(static_cast<char>(text[first + i]));
      return std::string_view(bytes);
    };
    canvas.FillRect(cells(layout.HexBackFirst(), layout.HexBackLast()), TextColorHexBack);
    canvas.DrawText(cells(0, layout.Digits), x0, y, ascii(0, layout.Digits + 1), cw, font_, font_.Style, font_.Color,
                    clNone);
    for (int j = 0; j < count; ++j) {
      const int column = layout.ByteColumn(j);
      const bool selected = rowStart + j >= selStart_ && rowStart + j < selEnd;
      const TColor fore = selected ? clHighlightText : (j % 4 < 2 ? TextColorHex : TextColorHex2);
      // A selected pair takes the cell after it too, so a selection reads as one band.
      const int last = column + (selected && j + 1 < count && rowStart + j + 1 < selEnd ? 2 : 1);
      canvas.DrawText(cells(column, last), x0 + column * cw, y, ascii(column, 2), cw, font_, font_.Style, fore,
                      selected ? clHighlight : clNone);
    }
    const int charColumn = layout.CharColumn();
    const std::u32string_view chars(text.data() + charColumn, static_cast<size_t>(count));
    // The character column in up to three runs: before, inside and after the selection.
    const int64_t cut1 = std::clamp<int64_t>(selStart_ - rowStart, 0, count);
    const int64_t cut2 = std::clamp<int64_t>(selEnd - rowStart, cut1, count);
    const int64_t cuts[4] = {0, cut1, cut2, count};
    for (int part = 0; part < 3; ++part) {
      const int first = static_cast<int>(cuts[part]);
      const int length = static_cast<int>(cuts[part + 1] - cuts[part]);
      if (length == 0) continue;
      const bool selected = part == 1;
      const TRect bounds = cells(charColumn + first, charColumn + first + length - 1);
      const TColor fore = selected ? clHighlightText : font_.Color;
      const TColor back = selected ? clHighlight : clNone;
      const std::u32string_view run = chars.substr(first, length);
      if (wide) {
        wide->DrawWideText(bounds, bounds.Left, y, run, cw, font_, fore, back);
      } else {
        canvas.DrawText(bounds, bounds.Left, y, CodePage::Active().Encode(run), cw, font_, font_.Style, fore, back);
      }
    }
    for (int column : {layout.FirstLine(), layout.MiddleLine(), layout.LastLine()}) {
      const int x = x0 + column * cw;
      canvas.DrawLine({x, y}, {x, y + ch}, TextColorLines, 2);
    }
  }
}

// ---- Selection.

void THexViewer::SetSelection(int64_t start, int64_t length, bool scrollIntoView) {
  if (start < 0 || length < 0 || start > LastBytePos()) return;
  length = std::min(length, FileSize() - start);
  const bool changed = start != selStart_ || length != selLength_;
  selStart_ = start;
  selLength_ = length;
  if (scrollIntoView && length > 0) {
    const int64_t w = RowWidth();
    const int64_t lines = LinesInWindow();
    const int64_t indent = std::min<int64_t>(TextSearchIndentVert, std::max<int64_t>(0, (lines - 1) / 2));
    const int64_t row = start - start % w;
    if (row < viewPos_ + indent * w || row >= viewPos_ + (lines - indent) * w) {
      if (row < viewPos_ + indent * w) {
        GoToOffset(std::max<int64_t>(0, row - indent * w));
      } else {
        SetViewPos(std::max<int64_t>(0, row - std::max<int64_t>(0, lines - 1 - indent) * w));
      }
    }
    // Bring the pair of the first byte into view with a margin of characters.
    const int x = Layout().ByteColumn(static_cast<int>(start % w)) * cellWidth_;
    const int margin = TextSearchIndentHorz * cellWidth_;
    const int visible = clientWidth_ - kLeftMargin;
    if (x - margin < horzScroll_) {
      SetHorzScroll(x - margin);
    } else if (x + 2 * cellWidth_ + margin > horzScroll_ + visible) {
      SetHorzScroll(x + 2 * cellWidth_ + margin - visible);
    }
  }
  if (changed && OnSelectionChange) OnSelectionChange();
  Repaint();
}

void THexViewer::SelectUnit(int64_t offset, bool (*delimiter)(uint8_t)) {
  if (!IsOpen() || FileSize() == 0) return;
  offset = std::clamp<int64_t>(offset, 0, LastBytePos());
  int64_t start = offset;
  int64_t end = offset;
  if (!buffer_.Holds(offset, 1)) {
    buffer_.ReadFor(offset);
    FollowSize();
  }
  auto inside = [&](int64_t p) { return p >= 0 && p < FileSize() && buffer_.Holds(p, 1); };
  if (inside(offset)) {
    for (int steps = 0; steps < kUnitSteps && inside(start - 1) && !delimiter(*buffer_.At(start - 1, 1)); ++steps) {
      --start;
    }
    for (int steps = 0; steps < kUnitSteps && inside(end + 1) && !delimiter(*buffer_.At(end + 1, 1)); ++steps) {
      ++end;
    }
  }
  // The unit may lie far from the screen: the buffer goes back to the view.
  buffer_.ReadFor(viewPos_);
  FollowSize();
  if (start < FileSize()) SetSelection(start, std::min(end - start + 1, FileSize() - start), false);
}

void THexViewer::SelectWordAt(int64_t offset) { SelectUnit(offset, IsWordDelimiter); }
void THexViewer::SelectLineAt(int64_t offset) { SelectUnit(offset, IsLineDelimiter); }

std::string THexViewer::SelectedBytes() {
  std::string bytes;
  if (!IsOpen() || selLength_ <= 0) return bytes;
  const int64_t length = std::min(selLength_, kMaxCopy);
  bytes.resize(static_cast<size_t>(length));
  if (buffer_.Holds(selStart_, length)) {
    std::copy_n(buffer_.At(selStart_, length), length, bytes.begin());
    return bytes;
  }
  // Larger than the buffer: read straight from the file.
  const int64_t got = buffer_.ReadDirect(selStart_, reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
  bytes.resize(static_cast<size_t>(std::max<int64_t>(0, got)));
  return bytes;
}

std::string THexViewer::BytesAsText(std::string bytes) {
  std::replace(bytes.begin(), bytes.end(), '\0', ' ');
  return bytes;
}

std::string THexViewer::BytesAsHex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(bytes.size() * 3);
  for (unsigned char b : bytes) {
    if (!hex.empty()) hex.push_back(' ');
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 15]);
  }
  return hex;
}

bool THexViewer::CopySelection(bool asHex) {
  const std::string bytes = SelectedBytes();
  bool ok = false;
  try {
    const std::string text = asHex ? BytesAsHex(bytes) : BytesAsText(bytes);
    ok = clipboard_ && CopyTextInEncoding(*clipboard_, text, encoding_);
  } catch (const std::exception&) {
    ok = false;
  }
  if (!ok) Message("Cannot copy data to Clipboard", hmError);
  return ok;
}

// ---- Mouse.

int64_t THexViewer::BoundaryOffset(TPoint point) const {
  if (!IsOpen()) return 0;
  const THexLayout layout = Layout();
  const int64_t row = point.Y < 1 ? -1 : (point.Y - 1) / cellHeight_;
  const int64_t rowStart = viewPos_ + row * layout.Width;
  if (rowStart < 0) return 0;
  if (rowStart >= FileSize()) return FileSize();
  const int count = static_cast<int>(std::min<int64_t>(FileSize() - rowStart, layout.Width));
  return rowStart + layout.BoundaryAt(point.X - kLeftMargin + horzScroll_, cellWidth_, count);
}

int64_t THexViewer::OffsetAt(TPoint point) const { return BoundaryOffset(point); }

void THexViewer::MouseDown(TPoint point, bool shift, int clicks) {
  if (!IsOpen()) return;
  const int64_t boundary = BoundaryOffset(point);
  if (clicks == 2) {
    SelectWordAt(std::max<int64_t>(0, boundary - 1));
    return;
  }
  if (clicks >= 3) {
    SelectLineAt(std::max<int64_t>(0, boundary - 1));
    return;
  }
  dragging_ = true;
  lastMouse_ = point;
  if (shift) {
    ExtendTo(point);
    return;
  }
  anchor_ = boundary;
  SetSelection(std::min(boundary, LastBytePos()), 0, false);
}

void THexViewer::ExtendTo(TPoint point) {
  const int64_t boundary = BoundaryOffset(point);
  const int64_t start = std::min(anchor_, boundary);
  SetSelection(start, std::max(anchor_, boundary) - start, false);
}

void THexViewer::MouseMove(TPoint point) {
  if (!dragging_) return;
  lastMouse_ = point;
  const int bottom = 1 + LinesInWindow() * cellHeight_;
  dragDirY_ = point.Y < 0 ? -1 : (point.Y >= bottom ? 1 : 0);
  dragDirX_ = point.X < 0 ? -1 : (point.X >= clientWidth_ ? 1 : 0);
  ExtendTo(point);
}

void THexViewer::MouseUp() {
  dragging_ = false;
  dragDirX_ = dragDirY_ = 0;
}

void THexViewer::AutoScrollTick() {
  if (!WantsAutoScroll()) return;
  if (dragDirY_ < 0) ScrollUp(1);
  if (dragDirY_ > 0) ScrollDown(1);
  if (dragDirX_ != 0) SetHorzScroll(horzScroll_ + dragDirX_ * cellWidth_ * 2);
  ExtendTo(lastMouse_);
}

void THexViewer::MiddleDown(TPoint point) {
  if (!IsOpen()) return;
  middleScrolling_ = true;
  middleAnchor_ = middleLast_ = point;
}

void THexViewer::MiddleMove(TPoint point) { middleLast_ = point; }

void THexViewer::MiddleScrollTick() {
  if (!middleScrolling_) return;
  const int rows = (middleLast_.Y - middleAnchor_.Y) / cellHeight_;
  if (rows > 0) ScrollDown(rows);
  if (rows < 0) ScrollUp(-rows);
  const int cells = (middleLast_.X - middleAnchor_.X) / cellWidth_;
  if (cells != 0) SetHorzScroll(horzScroll_ + cells * cellWidth_);
}

// ---- Keys and wheel.

bool THexViewer::KeyDown(int key, bool shift, bool ctrl, bool alt) {
  if (alt || shift) return false;
  if (ctrl) {
    switch (key) {
      case kVkHome: ScrollToStart(); return true;
      case kVkEnd: ScrollToEnd(); return true;
      case 'A': SelectAll(); return true;
      case 'C':
      case kVkInsert: CopySelection(false); return true;
      default: return false;
    }
  }
  switch (key) {
    case kVkPrior: ScrollUp(LinesInWindow()); return true;
    case kVkNext: ScrollDown(LinesInWindow()); return true;
    case kVkUp: ScrollUp(1); return true;
    case kVkDown: ScrollDown(1); return true;
    case kVkLeft: SetHorzScroll(horzScroll_ - kHorzStep); return true;
    case kVkRight: SetHorzScroll(horzScroll_ + kHorzStep); return true;
    case kVkHome: SetHorzScroll(0); return true;
    case kVkEnd: SetHorzScroll(MaxHorzScroll()); return true;
    default: return false;
  }
}

void THexViewer::MouseWheel(int steps, bool shift, bool ctrl, bool alt, int wheelLines) {
  if (steps == 0 || alt || (shift && ctrl)) return;
  const bool up = steps > 0;
  if (shift) {
    SetHorzScroll(horzScroll_ + (up ? -kHorzStep : kHorzStep));
  } else if (ctrl) {
    FontZoom(up);
  } else if (up) {
    ScrollUp(wheelLines * steps);
  } else {
    ScrollDown(wheelLines * -steps);
  }
}

bool THexViewer::FontZoom(bool up) {
  if (!MeasureFont) return false;
  const int before = MeasureFont(font_).CharHeight;
  TFont font = font_;
  for (;;) {
    font.Size += up ? 1 : -1;
    if (font.Size > 71 || font.Size < 2) return false;
    if (MeasureFont(font).CharHeight != before) break;
  }
  SetFont(font);
  return true;
}

// ---- Context menu.

THexPopupState THexViewer::PopupState(TPoint) const {
  THexPopupState state;
  for (int i = 0; i < kPopupCommandCount; ++i) state.Visible[i] = (TextPopupCommands >> i) & 1;
  if (!IsOpen() || FileSize() < 1) return state;
  state.Enabled[vpCmdCopy] = selLength_ > 0;
  state.Enabled[vpCmdCopyHex] = selLength_ > 0 && Mode() == vbmodeHex;
  state.Enabled[vpCmdCopyLink] = false;  // nothing fills the address list
  state.Enabled[vpCmdSelectLine] = true;
  state.Enabled[vpCmdSelectAll] = !(selStart_ == 0 && selLength_ == FileSize());
  state.Enabled[vpCmdEncMenu] = true;
  return state;
}

}  // namespace vantrel
