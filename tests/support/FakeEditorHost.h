// An editor host without a window: a fixed client size and cell metrics, and
// a record of every repaint, scroll, scroll bar and caret request.
#pragma once

#include <map>
#include <string>
#include <set>
#include <vector>

#include "ManualTimer.h"
#include "platform/EditorHost.h"

namespace vantrel {

class FakeEditorHost : public EditorHost {
 public:
  struct ScrollCall {
    int Dx;
    int Dy;
    TRect Area;
  };

  FakeEditorHost(int clientWidth = 800, int clientHeight = 600, int charWidth = 8, int charHeight = 16)
      : Width(clientWidth), Height(clientHeight), CellWidth(charWidth), CellHeight(charHeight) {}

  // Configuration.
  int Width;
  int Height;
  int CellWidth;
  int CellHeight;
  bool HasFocus = true;
  bool Proportional = false;  // report differing average and maximum widths
  std::set<TVirtualKey> KeysDown;
  TPoint Pointer;

  // Records.
  std::vector<TRect> Invalidated;
  std::vector<ScrollCall> Scrolls;
  std::map<TScrollBarKind, TScrollBarState> ScrollBars;
  int ScrollBarUpdates = 0;
  int CaretWidth = 0;
  int CaretHeight = 0;
  int CaretCreates = 0;
  TPoint CaretAt;
  bool CaretVisible = false;
  bool Captured = false;
  bool AcceptsFiles = false;
  int Recreations = 0;
  int DragsStarted = 0;
  TCursor Cursor = crDefault;
  bool HintVisible = false;
  std::string HintText;
  TColor HintColor = clNone;
  TPoint HintAt;  // right edge and top
  bool HintFollowsThumb = false;
  std::map<int, ManualTimer> Timers;
  std::vector<TFont> MeasuredFonts;

  void ClearRecords() {
    Invalidated.clear();
    Scrolls.clear();
    ScrollBarUpdates = 0;
  }
  // The union of everything invalidated since the last ClearRecords.
  TRect InvalidatedUnion() const;
  bool AnyInvalidated() const { return !Invalidated.empty() || !Scrolls.empty(); }

  int ClientWidth() const override { return Width; }
  int ClientHeight() const override { return Height; }
  void InvalidateRect(const TRect& rect) override { Invalidated.push_back(rect); }
  void ScrollWindow(int dx, int dy, const TRect& area) override { Scrolls.push_back({dx, dy, area}); }
  void UpdateNow() override {}
  void RecreateWindow() override { ++Recreations; }
  void SetScrollBar(TScrollBarKind bar, const TScrollBarState& state) override {
    ScrollBars[bar] = state;
    ++ScrollBarUpdates;
  }
  void CreateCaret(int width, int height) override {
    CaretWidth = width;
    CaretHeight = height;
    ++CaretCreates;
  }
  void DestroyCaret() override { CaretVisible = false; }
  void SetCaretPos(int x, int y) override { CaretAt = {x, y}; }
  void ShowCaret() override { CaretVisible = true; }
  void HideCaret() override { CaretVisible = false; }
  void StartTimer(int id, int intervalMs) override { Timers[id].Start(intervalMs); }
  void StopTimer(int id) override { Timers[id].Stop(); }
  void SetCapture() override { Captured = true; }
  void ReleaseCapture() override { Captured = false; }
  bool HasCapture() const override { return Captured; }
  TPoint DragThreshold() const override { return {4, 4}; }
  void BeginDrag() override { ++DragsStarted; }
  void SetCursor(TCursor cursor) override { Cursor = cursor; }
  TPoint CursorPos() const override { return Pointer; }
  bool Focused() const override { return HasFocus; }
  void SetFocus() override { HasFocus = true; }
  bool IsKeyDown(TVirtualKey key) const override { return KeysDown.count(key) > 0; }
  void AcceptDroppedFiles(bool accept) override { AcceptsFiles = accept; }
  void ShowScrollHint(const std::string& text, TColor color, int right, int top, bool followThumb) override {
    HintVisible = true;
    HintText = text;
    HintColor = color;
    HintAt = {right, top};
    HintFollowsThumb = followThumb;
  }
  void HideScrollHint() override { HintVisible = false; }
  void SetImeComposition(TPoint, const TFont&) override {}
  TFontMetrics MeasureFont(const TFont& font, TFontStyles) override {
    MeasuredFonts.push_back(font);
    int maxWidth = Proportional && !font.FixedPitch ? CellWidth * 2 : CellWidth;
    return {CellWidth, CellHeight, CellWidth, maxWidth};
  }
};

}  // namespace vantrel
