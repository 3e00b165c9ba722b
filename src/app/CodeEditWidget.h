// The editor widget: hosts one editor control on screen. It turns Qt key,
// input-method, focus, resize and paint events into calls on the control and
// its painting into pixels; all editing logic stays in the control.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <functional>
#include <memory>

#include "app/QtClipboard.h"
#include "app/QtEditorHost.h"
#include "editor/CodeEdit.h"

namespace vantrel {

class CodeEditWidget : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit CodeEditWidget(QWidget* parent = nullptr);
  ~CodeEditWidget() override;

  TCodeEdit& Editor() { return *edit_; }
  QtEditorHost& Host() { return host_; }
  // The editor font from a Qt font (family, point size, style).
  void SetEditorFont(const QFont& font);

  // Qt key to the Windows-style virtual key the control's tables use; 0 when
  // the key has none.
  static TVirtualKey VirtualKeyOf(int qtKey);
  static TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);

  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  // Where errors from the control go; by default a message box shown once
  // the current event is done.
  std::function<void(const QString& message)> OnError;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool focusNextPrevChild(bool next) override;

 private:
  // Runs a call into the control; an error a user caused is shown, never
  // thrown into the event loop.
  template <typename F>
  void Guarded(F&& call);
  void ShowError(const QString& message);
  void ScrollBarMoved(TScrollBarKind bar, int value);

  QtEditorHost host_;
  QtClipboard clipboard_;
  std::unique_ptr<TCodeEdit> edit_;
};

}  // namespace vantrel
