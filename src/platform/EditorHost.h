// What the editor control needs from the window that shows it: repainting,
// scrolling, scroll bars, caret, timers, mouse capture, drag start, focus,
// key state, client size and font metrics. The Qt widget implements it; tests
// use tests/support/FakeEditorHost.
// Tested by tests/editor/CodeEditModelTest.cpp
#pragma once

#include <cstdint>
#include <string>

#include "platform/Graphics.h"

namespace vantrel {

// Windows-style virtual key codes: the core's key tables are written in them
// and the UI maps toolkit keys onto them.
using TVirtualKey = uint16_t;
constexpr TVirtualKey VK_BACK = 0x08;
constexpr TVirtualKey VK_TAB = 0x09;
constexpr TVirtualKey VK_RETURN = 0x0D;
constexpr TVirtualKey VK_SHIFT = 0x10;
constexpr TVirtualKey VK_CONTROL = 0x11;
constexpr TVirtualKey VK_MENU = 0x12;
constexpr TVirtualKey VK_ESCAPE = 0x1B;
constexpr TVirtualKey VK_ACCEPT = 0x1E;
constexpr TVirtualKey VK_SPACE = 0x20;
constexpr TVirtualKey VK_PRIOR = 0x21;
constexpr TVirtualKey VK_NEXT = 0x22;
constexpr TVirtualKey VK_END = 0x23;
constexpr TVirtualKey VK_HOME = 0x24;
constexpr TVirtualKey VK_LEFT = 0x25;
constexpr TVirtualKey VK_UP = 0x26;
constexpr TVirtualKey VK_RIGHT = 0x27;
constexpr TVirtualKey VK_DOWN = 0x28;
constexpr TVirtualKey VK_INSERT = 0x2D;
constexpr TVirtualKey VK_DELETE = 0x2E;
constexpr TVirtualKey VK_F1 = 0x70;
constexpr TVirtualKey VK_F12 = 0x7B;
constexpr TVirtualKey VK_SCROLL = 0x91;
// Letters and digits are their upper-case ASCII codes ('A', '0').

// Modifier and button set of a key or mouse event.
using TShiftState = uint8_t;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;
constexpr TShiftState ssDouble = 64;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// Mouse cursor shapes (the desktop's numbering).
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crIBeam = -4;
constexpr TCursor crDrag = -12;
constexpr TCursor crMultiDrag = -16;

// A font request: the platform picks the nearest installed face.
struct TFont {
  std::string Name = "Courier New";
  int Size = 10;
  TFontStyles Style = 0;
  TColor Color = clWindowText;
  bool FixedPitch = false;
  friend bool operator==(const TFont&, const TFont&) = default;
};

struct TFontMetrics {
  int CharWidth = 0;   // cell advance of "M"
  int CharHeight = 0;  // line height of the font
  int AverageCharWidth = 0;
  int MaximumCharWidth = 0;
};

enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };

// What the user did to a scroll bar: arrows, track clicks, the ends, the
// thumb (dragging: scTrack, let go: scPosition) and the end of it all.
enum TScrollCode : uint8_t {
  scLineUp,
  scLineDown,
  scPageUp,
  scPageDown,
  scPosition,
  scTrack,
  scTop,
  scBottom,
  scEndScroll,
};

// A drag passing over a window.
enum TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

struct TScrollBarState {
  bool Visible = false;
  int Max = 0;
  int Page = 0;
  int Position = 0;
  bool LowArrowEnabled = true;   // left or up arrow
  bool HighArrowEnabled = true;  // right or down arrow
  friend bool operator==(const TScrollBarState&, const TScrollBarState&) = default;
};

class EditorHost {
 public:
  virtual ~EditorHost() = default;

  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  virtual void InvalidateRect(const TRect& rect) = 0;
  // Moves the pixels of area by (dx, dy) and invalidates the uncovered band.
  virtual void ScrollWindow(int dx, int dy, const TRect& area) = 0;
  // Paints invalid areas at once instead of at the next idle moment.
  virtual void UpdateNow() = 0;
  virtual void RecreateWindow() = 0;

  virtual void SetScrollBar(TScrollBarKind bar, const TScrollBarState& state) = 0;

  virtual void CreateCaret(int width, int height) = 0;
  virtual void DestroyCaret() = 0;
  virtual void SetCaretPos(int x, int y) = 0;
  virtual void ShowCaret() = 0;
  virtual void HideCaret() = 0;

  // Periodic timers identified by the editor's own ids; the host calls the
  // editor's TimerTick(id) on the UI thread.
  virtual void StartTimer(int id, int intervalMs) = 0;
  virtual void StopTimer(int id) = 0;

  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  virtual bool HasCapture() const = 0;
  virtual TPoint DragThreshold() const = 0;
  virtual void BeginDrag() = 0;
  virtual void SetCursor(TCursor cursor) = 0;
  // Pointer position in client coordinates.
  virtual TPoint CursorPos() const = 0;

  virtual bool Focused() const = 0;
  virtual void SetFocus() = 0;
  virtual bool IsKeyDown(TVirtualKey key) const = 0;

  virtual void AcceptDroppedFiles(bool accept) = 0;

  // The one scroll hint window of the process, showing text on color. Its
  // right edge is at client x `right`; its top at client y `top`, or, with
  // followThumb, level with the middle of the vertical scroll bar's thumb.
  virtual void ShowScrollHint(const std::string& text, TColor color, int right, int top, bool followThumb) = 0;
  virtual void HideScrollHint() = 0;
  // Places the input method's composition window and gives it the font.
  virtual void SetImeComposition(TPoint position, const TFont& font) = 0;

  virtual TFontMetrics MeasureFont(const TFont& font, TFontStyles style) = 0;
};

}  // namespace vantrel
