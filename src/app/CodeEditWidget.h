// The editor widget: hosts one editor control on screen. It turns Qt key,
// input-method, focus, resize, mouse, wheel, scroll bar and drag-and-drop
// events into calls on the control and its painting into pixels; all editing
// logic stays in the control.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QMimeData>
#include <QPointer>
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
  // Modifiers and held buttons of a mouse event.
  static TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
  // A scroll bar action as the control's scroll request; false when it has none.
  static bool ScrollCodeOf(int sliderAction, TScrollCode& code);
  // The editor whose widget started a drag (null for other sources).
  static TCustomCodeEdit* DragSourceEditor(QObject* source);
  // The MIME data a drag of this text carries: plain text and the block format.
  static QMimeData* DragData(const std::string& text, TSelectionMode mode);

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
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
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
  void ScrollBarAction(TScrollBarKind bar, int action);
  void ScrollBarReleased(TScrollBarKind bar);
  // Runs the drag the control asked for, once the event that asked is done.
  void StartTextDrag();
  // Accepts or refuses a drag entering or moving over the editor.
  void DragOverEditor(QDropEvent* event, TDragState state);

  QtEditorHost host_;
  QtClipboard clipboard_;
  std::unique_ptr<TCodeEdit> edit_;
  // The thumb position of the last drag step, per bar.
  int thumbPosition_[2] = {0, 0};
  // Touchpad pixels not yet a wheel unit.
  int wheelPixels_ = 0;
  // Sideways wheel units not yet a notch.
  int sidewaysWheel_ = 0;
  // The editor a drag over this one comes from, for the leave event.
  QPointer<CodeEditWidget> dragOverSource_;
};

}  // namespace vantrel
