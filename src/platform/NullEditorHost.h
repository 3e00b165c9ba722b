// A window that shows nothing, for running the editor headless (benchmarks,
// fuzzing): the editor still computes every rectangle, scroll bar and caret
// position it would send to a real one.
#pragma once

#include "platform/EditorHost.h"

namespace vantrel {

class NullEditorHost : public EditorHost {
 public:
  NullEditorHost(int width = 800, int height = 600, TFontMetrics metrics = {8, 16, 8, 8})
      : Width(width), Height(height), Metrics(metrics) {}

  int Width;
  int Height;
  TFontMetrics Metrics;
  // The mouse as the editor left it, so that its pointer logic can run.
  bool Captured = false;
  TPoint Pointer;

  int ClientWidth() const override { return Width; }
  int ClientHeight() const override { return Height; }
  void InvalidateRect(const TRect&) override {}
  void ScrollWindow(int, int, const TRect&) override {}
  void UpdateNow() override {}
  void RecreateWindow() override {}
  void SetScrollBar(TScrollBarKind, const TScrollBarState&) override {}
  void CreateCaret(int, int) override {}
  void DestroyCaret() override {}
  void SetCaretPos(int, int) override {}
  void ShowCaret() override {}
  void HideCaret() override {}
  void StartTimer(int, int) override {}
  void StopTimer(int) override {}
  void SetCapture() override { Captured = true; }
  void ReleaseCapture() override { Captured = false; }
  bool HasCapture() const override { return Captured; }
  TPoint DragThreshold() const override { return {4, 4}; }
  void BeginDrag() override {}
  void SetCursor(TCursor) override {}
  TPoint CursorPos() const override { return Pointer; }
  bool Focused() const override { return true; }
  void SetFocus() override {}
  bool IsKeyDown(TVirtualKey) const override { return false; }
  void AcceptDroppedFiles(bool) override {}
  void ShowScrollHint(const std::string&, TColor, int, int, bool) override {}
  void HideScrollHint() override {}
  void SetImeComposition(TPoint, const TFont&) override {}
  TFontMetrics MeasureFont(const TFont&, TFontStyles) override { return Metrics; }
};

}  // namespace vantrel
