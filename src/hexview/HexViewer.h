// THexViewer: a read-only hex view of a file of any size. It keeps three
// pages of the file around the screen, lays rows out in hex with the
// character column in a chosen encoding, and offers selection, copying,
// scrolling, keys, wheel and font zoom. Toolkit-free: the Qt widget feeds it
// sizes and events and paints it through a Canvas.
// Tested by tests/hexview/HexViewerTest.cpp
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "hexview/HexBuffer.h"
#include "hexview/HexLayout.h"
#include "hexview/StreamSearch.h"
#include "hexview/TextEncoding.h"
#include "platform/Canvas.h"

namespace vantrel {

class Clipboard;

// Only vbmodeHex is laid out here: nothing in this program shows the others.
enum THexViewerMode : uint8_t { vbmodeText, vbmodeBinary, vbmodeHex, vbmodeUnicode, vbmodeUHex };

enum TPopupCommand : uint8_t { vpCmdCopy, vpCmdCopyHex, vpCmdCopyLink, vpCmdSelectLine, vpCmdSelectAll, vpCmdEncMenu };
constexpr int kPopupCommandCount = vpCmdEncMenu + 1;
using TPopupCommands = uint8_t;  // bit (1 << command)
constexpr TPopupCommands kAllPopupCommands = 63;

// Drawing of wide characters on the cell grid, for the character column in
// encodings the active code page cannot show. Optional: without it the
// column is drawn through Canvas in the active code page.
class THexWideText {
 public:
  virtual ~THexWideText() = default;
  virtual void DrawWideText(const TRect& bounds, int x, int y, std::u32string_view text, int cellWidth,
                            const TFont& font, TColor fore, TColor back) = 0;
};

struct THexScrollBar {
  int Max = 0;
  int Position = 0;
  int Page = 0;
};

enum THexScrollAction : uint8_t { hsLineUp, hsLineDown, hsPageUp, hsPageDown, hsTop, hsBottom, hsThumb };

enum THexMessageKind : uint8_t { hmError, hmRetryCancel };

struct THexPopupState {
  std::array<bool, kPopupCommandCount> Visible{};
  std::array<bool, kPopupCommandCount> Enabled{};
};

class THexViewer {
 public:
  static constexpr int kMaxRows = 150;
  static constexpr int kLeftMargin = 2;
  static constexpr int kHorzStep = 200;
  static constexpr int64_t kMaxCopy = 16 * 1024 * 1024;

  explicit THexViewer(Clipboard* clipboard = nullptr);
  THexViewer(const THexViewer&) = delete;  // owns the open file
  THexViewer& operator=(const THexViewer&) = delete;

  // ---- Properties.
  THexViewerMode Mode() const { return vbmodeHex; }
  TTextEncoding TextEncoding() const { return encoding_; }
  void SetTextEncoding(TTextEncoding encoding);
  int TextWidthHex() const { return textWidthHex_; }
  void SetTextWidthHex(int width);
  bool TextWidthFitHex() const { return fitHex_; }
  void SetTextWidthFitHex(bool fit);
  TColor TextColorHex = 8388608;
  TColor TextColorHex2 = 16711680;
  TColor TextColorHexBack = 15527148;
  TColor TextColorLines = 8421504;
  TColor TextColorError = 255;
  TColor Color = clWindow;
  int TextSearchIndentVert = 5;
  int TextSearchIndentHorz = 5;
  TPopupCommands TextPopupCommands = kAllPopupCommands;
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);

  // ---- Events.
  std::function<void()> OnRepaint;
  std::function<void()> OnSelectionChange;
  std::function<void()> OnOptionsChange;
  std::function<void()> OnScroll;
  // A "Viewer" message box; for hmRetryCancel true means Retry.
  std::function<bool(const std::string& text, THexMessageKind kind)> OnMessage;
  // Measures a font for zooming; without it the cell size stays.
  std::function<TFontMetrics(const TFont& font)> MeasureFont;

  // ---- The file.
  bool OpenFile(const std::string& name, bool redraw);
  // Shows a stream (tests, pipes already read); the name is for messages.
  bool OpenSource(std::unique_ptr<THexSource> source, const std::string& name, bool redraw);
  void Close();
  const std::string& FileName() const { return fileName_; }
  bool IsOpen() const { return buffer_.HasSource(); }
  int64_t FileSize() const { return buffer_.FileSize(); }
  int OffsetDigits() const { return offsetDigits_; }
  const THexBuffer& Buffer() const { return buffer_; }
  TStreamSearch& StreamSearch() { return streamSearch_; }

  // ---- Geometry.
  void SetClientSize(int width, int height);
  void SetCellSize(int width, int height);
  int CellWidth() const { return cellWidth_; }
  int CellHeight() const { return cellHeight_; }
  int LinesInWindow() const;
  int CharsInWindow() const;
  // Bytes per row in effect (TextWidthHex, or derived from the window).
  int RowWidth() const;
  THexLayout Layout() const { return {offsetDigits_, RowWidth()}; }

  // ---- Vertical position.
  int64_t ViewPos() const { return viewPos_; }
  void SetViewPos(int64_t pos);
  int64_t LastBytePos() const;
  int64_t MaxViewPos() const;
  void ScrollUp(int rows);
  void ScrollDown(int rows);
  void ScrollToStart();
  void ScrollToEnd();
  void GoToOffset(int64_t offset);
  THexScrollBar VertScrollBar() const;
  void VertScrollBarAction(THexScrollAction action, int thumb = 0);

  // ---- Horizontal position, in pixels.
  int HorzScroll() const { return horzScroll_; }
  int MaxHorzScroll() const;
  void SetHorzScroll(int pixels);

  // ---- Rows on screen.
  int RowCount() const;
  // The text of screen row i (0-based), one character per cell.
  void RowText(int row, std::u32string& out) const;
  // Scrolls the view to the row at offset (a multiple of RowWidth) and gives
  // its text; false past the end.
  bool RowTextAt(int64_t offset, std::u32string& out);
  void Paint(Canvas& canvas, THexWideText* wide = nullptr) const;

  // ---- Selection.
  int64_t SelStart() const { return selStart_; }
  int64_t SelLength() const { return selLength_; }
  void SetSelection(int64_t start, int64_t length, bool scrollIntoView = true);
  void SelectAll() { SetSelection(0, FileSize()); }
  void SelectWordAt(int64_t offset);
  void SelectLineAt(int64_t offset);
  // The selected bytes (at most kMaxCopy), read from the file as needed.
  std::string SelectedBytes();
  // Plain: 0 bytes become spaces. Hex: "4A 00 FF".
  static std::string BytesAsText(std::string bytes);
  static std::string BytesAsHex(std::string_view bytes);
  bool CopySelection(bool asHex);

  // ---- Mouse. clicks: 1 single, 2 double, 3 a click soon after a double.
  int64_t OffsetAt(TPoint point) const;
  void MouseDown(TPoint point, bool shift, int clicks);
  void MouseMove(TPoint point);
  void MouseUp();
  // While dragging outside the rows the host's 50 ms timer calls this.
  bool WantsAutoScroll() const { return dragging_ && (dragDirY_ != 0 || dragDirX_ != 0); }
  void AutoScrollTick();
  // Middle button: while held, the host's 100 ms timer scrolls by how far
  // the mouse has moved from where it was pressed.
  void MiddleDown(TPoint point);
  void MiddleMove(TPoint point);
  void MiddleUp() { middleScrolling_ = false; }
  bool WantsMiddleScroll() const { return middleScrolling_; }
  void MiddleScrollTick();

  // ---- Keys and wheel. Virtual key codes; true when handled.
  bool KeyDown(int key, bool shift, bool ctrl, bool alt);
  void MouseWheel(int steps, bool shift, bool ctrl, bool alt, int wheelLines = 3);
  bool FontZoom(bool up);

  // ---- Context menu.
  THexPopupState PopupState(TPoint point) const;
  void PopupSelectLine(TPoint point) { SelectLineAt(OffsetAt(point)); }
  void ChooseEncoding(TTextEncoding encoding);

 private:
  void Reset();
  void FormatRow(int64_t offset, int count, std::u32string& out) const;
  void Repaint() const;
  void ReadAround(int64_t pos);
  // After a read found the file shorter: keep view and selection inside it.
  void FollowSize();
  void SelectUnit(int64_t offset, bool (*delimiter)(uint8_t));
  int64_t BoundaryOffset(TPoint point) const;
  void ExtendTo(TPoint point);
  bool Message(const std::string& text, THexMessageKind kind) const;

  Clipboard* clipboard_;
  THexBuffer buffer_;
  TStreamSearch streamSearch_;
  std::string fileName_;
  TTextEncoding encoding_ = vEncANSI;
  THexCharTable chars_{};
  int textWidthHex_ = 16;
  bool fitHex_ = false;
  TFont font_{"Courier New", 10, 0, clWindowText, true};
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  int cellWidth_ = 8;
  int cellHeight_ = 16;
  int offsetDigits_ = 0;
  int64_t viewPos_ = 0;
  int horzScroll_ = 0;
  int64_t selStart_ = 0;
  int64_t selLength_ = 0;
  int64_t anchor_ = 0;
  bool dragging_ = false;
  TPoint lastMouse_;
  int dragDirX_ = 0;
  int dragDirY_ = 0;
  bool middleScrolling_ = false;
  TPoint middleAnchor_;
  TPoint middleLast_;
};

}  // namespace vantrel
