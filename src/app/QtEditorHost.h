// The editor control's window services on a Qt scroll area: repaint and
// scroll requests on its viewport, its scroll bars, a painted blinking caret,
// timers, focus, key state and font metrics.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#pragma once

#include <QAbstractScrollArea>
#include <QObject>
#include <QRect>
#include <QRegion>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "platform/EditorHost.h"

namespace vantrel {

class TCustomCodeEdit;

class QtEditorHost : public QObject, public EditorHost {
  Q_OBJECT

 public:
  explicit QtEditorHost(QAbstractScrollArea& area);
  // The control timer ticks go to; set once the control exists.
  void SetEditor(TCustomCodeEdit* edit) { edit_ = edit; }

  // The caret as the widget paints it (empty when hidden or off).
  QRect CaretRect() const;
  // Caret show/hide during a paint must not schedule another paint.
  void SetPainting(bool painting) { painting_ = painting; }
  // A paint covered this area: it is no longer waiting.
  void Painted(const QRegion& area) { pending_ -= area; }

  int ClientWidth() const override;
  int ClientHeight() const override;
  void InvalidateRect(const TRect& rect) override;
  void ScrollWindow(int dx, int dy, const TRect& area) override;
  void UpdateNow() override;
  void RecreateWindow() override;
  void SetScrollBar(TScrollBarKind bar, const TScrollBarState& state) override;
  void CreateCaret(int width, int height) override;
  void DestroyCaret() override;
  void SetCaretPos(int x, int y) override;
  void ShowCaret() override;
  void HideCaret() override;
  void StartTimer(int id, int intervalMs) override;
  void StopTimer(int id) override;
  void SetCapture() override { captured_ = true; }
  void ReleaseCapture() override { captured_ = false; }
  bool HasCapture() const override { return captured_; }
  TPoint DragThreshold() const override;
  // The widget starts the drag, after the event that asked for it.
  void BeginDrag() override {
    if (OnBeginDrag) OnBeginDrag();
  }
  void SetCursor(TCursor cursor) override;
  TPoint CursorPos() const override;
  bool Focused() const override;
  void SetFocus() override;
  bool IsKeyDown(TVirtualKey key) const override;
  void AcceptDroppedFiles(bool accept) override;
  void ShowScrollHint(const std::string& text, TColor color, int right, int top, bool followThumb) override;
  void HideScrollHint() override;
  void SetImeComposition(TPoint position, const TFont& font) override;
  TFontMetrics MeasureFont(const TFont& font, TFontStyles style) override;

  QPoint ImePosition() const { return imePosition_; }
  std::function<void()> OnBeginDrag;
  const TScrollBarState& ScrollBarState(TScrollBarKind bar) const { return bars_[bar]; }

 private:
  void UpdateCaretArea();

  QAbstractScrollArea& area_;
  TCustomCodeEdit* edit_ = nullptr;
  QRect caret_;
  bool caretCreated_ = false;
  int caretShown_ = 0;  // show and hide calls nest
  bool blinkOn_ = true;
  bool painting_ = false;
  bool captured_ = false;
  QTimer blink_;
  std::map<int, std::unique_ptr<QTimer>> timers_;
  TScrollBarState bars_[2];
  QPoint imePosition_;
  // What was invalidated or scrolled in and not painted yet: UpdateNow
  // paints just that.
  QRegion pending_;
};

}  // namespace vantrel
