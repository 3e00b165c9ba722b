// The editor control's window services on a Qt scroll area.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#include "app/QtEditorHost.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QInputMethod>
#include <QScrollBar>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionSlider>

#include "app/QtCanvas.h"
#include "app/ScrollHintWindow.h"
#include "editor/CodeEdit.h"
#include "platform/CodePage.h"

namespace vantrel {

QtEditorHost::QtEditorHost(QAbstractScrollArea& area) : area_(area) {
  const int flash = QGuiApplication::styleHints()->cursorFlashTime();
  blink_.setInterval(flash > 0 ? flash / 2 : 500);
  connect(&blink_, &QTimer::timeout, this, [this] {
    blinkOn_ = !blinkOn_;
    UpdateCaretArea();
  });
}

QRect QtEditorHost::CaretRect() const {
  if (!caretCreated_ || caretShown_ <= 0 || !blinkOn_) return {};
  return caret_;
}

void QtEditorHost::UpdateCaretArea() {
  if (!painting_ && caret_.isValid()) area_.viewport()->update(caret_);
}

int QtEditorHost::ClientWidth() const { return area_.viewport()->width(); }
int QtEditorHost::ClientHeight() const { return area_.viewport()->height(); }

void QtEditorHost::InvalidateRect(const TRect& rect) {
  const QRect area(rect.Left, rect.Top, rect.Width(), rect.Height());
  pending_ += area;
  area_.viewport()->update(area);
}

void QtEditorHost::ScrollWindow(int dx, int dy, const TRect& area) {
  const QRect moved(area.Left, area.Top, area.Width(), area.Height());
  // Waiting areas inside move with the pixels; the uncovered band waits too.
  QRegion inside = pending_ & moved;
  pending_ -= moved;
  pending_ += inside.translated(dx, dy) & moved;
  pending_ += QRegion(moved) - QRegion(moved.translated(dx, dy));
  area_.viewport()->scroll(dx, dy, moved);
}

void QtEditorHost::UpdateNow() {
  QWidget* viewport = area_.viewport();
  if (!viewport->isVisible() || pending_.isEmpty()) return;
  const QRegion region = pending_;
  viewport->repaint(region);
}

void QtEditorHost::RecreateWindow() {
  pending_ += area_.viewport()->rect();
  area_.viewport()->update();
}

void QtEditorHost::SetScrollBar(TScrollBarKind bar, const TScrollBarState& state) {
  bars_[bar] = state;
  QScrollBar* scrollBar = bar == sbVertical ? area_.verticalScrollBar() : area_.horizontalScrollBar();
  const QSignalBlocker block(scrollBar);
  // The core counts from 1 and its page may reach past the range.
  scrollBar->setRange(1, std::max(state.Max - state.Page + 1, 1));
  scrollBar->setPageStep(std::max(state.Page, 1));
  scrollBar->setValue(state.Position);
  scrollBar->setEnabled(state.LowArrowEnabled || state.HighArrowEnabled || state.Page < state.Max);
  const Qt::ScrollBarPolicy policy = state.Visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (bar == sbVertical && area_.verticalScrollBarPolicy() != policy) area_.setVerticalScrollBarPolicy(policy);
  if (bar == sbHorizontal && area_.horizontalScrollBarPolicy() != policy) {
    area_.setHorizontalScrollBarPolicy(policy);
  }
}

void QtEditorHost::CreateCaret(int width, int height) {
  UpdateCaretArea();
  caret_.setSize(QSize(std::max(width, 1), std::max(height, 1)));
  caretCreated_ = true;
  caretShown_ = 0;
  UpdateCaretArea();
}

void QtEditorHost::DestroyCaret() {
  UpdateCaretArea();
  caretCreated_ = false;
  caretShown_ = 0;
  blink_.stop();
}

void QtEditorHost::SetCaretPos(int x, int y) {
  if (caret_.topLeft() == QPoint(x, y)) return;
  // A move repaints both places even inside a paint: the old one may lie
  // outside the area being painted.
  if (caret_.isValid()) area_.viewport()->update(caret_);
  caret_.moveTopLeft(QPoint(x, y));
  blinkOn_ = true;
  if (caret_.isValid()) area_.viewport()->update(caret_);
}

void QtEditorHost::ShowCaret() {
  if (!caretCreated_ || caretShown_ > 0) return;
  caretShown_ = 1;
  blinkOn_ = true;
  if (!blink_.isActive()) blink_.start();
  UpdateCaretArea();
}

void QtEditorHost::HideCaret() {
  if (caretShown_ <= 0) return;
  caretShown_ = 0;
  UpdateCaretArea();
}

void QtEditorHost::StartTimer(int id, int intervalMs) {
  auto& timer = timers_[id];
  if (!timer) {
    timer = std::make_unique<QTimer>();
    connect(timer.get(), &QTimer::timeout, this, [this, id] {
      if (!edit_) return;
      try {
        edit_->TimerTick(id);
      } catch (const std::exception& error) {
        qWarning("vantrel: %s", error.what());
      }
    });
  }
  timer->start(intervalMs);
}

void QtEditorHost::StopTimer(int id) {
  auto found = timers_.find(id);
  if (found != timers_.end()) found->second->stop();
}

TPoint QtEditorHost::DragThreshold() const {
  const int distance = QApplication::startDragDistance();
  return {distance, distance};
}

void QtEditorHost::SetCursor(TCursor cursor) {
  Qt::CursorShape shape = Qt::ArrowCursor;
  switch (cursor) {
    case crIBeam: shape = Qt::IBeamCursor; break;
    case crDrag: shape = Qt::DragMoveCursor; break;
    case crMultiDrag: shape = Qt::DragCopyCursor; break;
    default: shape = Qt::ArrowCursor; break;
  }
  // Asked on every pointer move: only a change reaches the window system.
  if (area_.viewport()->cursor().shape() != shape) area_.viewport()->setCursor(shape);
}

TPoint QtEditorHost::CursorPos() const {
  const QPoint p = area_.viewport()->mapFromGlobal(QCursor::pos());
  return {p.x(), p.y()};
}

bool QtEditorHost::Focused() const { return area_.hasFocus(); }

void QtEditorHost::SetFocus() { area_.setFocus(Qt::OtherFocusReason); }

bool QtEditorHost::IsKeyDown(TVirtualKey key) const {
  const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
  switch (key) {
    case VK_SHIFT: return modifiers & Qt::ShiftModifier;
    case VK_CONTROL: return modifiers & Qt::ControlModifier;
    case VK_MENU: return modifiers & Qt::AltModifier;
    default: return false;
  }
}

void QtEditorHost::AcceptDroppedFiles(bool accept) { area_.setAcceptDrops(accept); }

void QtEditorHost::ShowScrollHint(const std::string& text, TColor color, int right, int top, bool followThumb) {
  QWidget* viewport = area_.viewport();
  const QString caption = QString::fromStdString(CodePage::Active().ToUtf8(text));
  const QColor background = QtCanvas::ToQColor(color, viewport->palette());
  ScrollHintWindow& hint = ScrollHintWindow::Instance();
  if (!followThumb) {
    const QPoint at = viewport->mapToGlobal(QPoint(right, top));
    hint.ShowAt(caption, background, at.x(), at.y());
    return;
  }
  // Level with the thumb as the style draws it.
  QScrollBar* bar = area_.verticalScrollBar();
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = Qt::Vertical;
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = bar->sliderPosition();
  option.sliderValue = bar->value();
  option.pageStep = bar->pageStep();
  option.singleStep = bar->singleStep();
  const QRect thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
  const int middle = bar->mapToGlobal(thumb.center()).y();
  hint.ShowCentredAt(caption, background, viewport->mapToGlobal(QPoint(right, 0)).x(), middle);
}

void QtEditorHost::HideScrollHint() { ScrollHintWindow::Instance().hide(); }

void QtEditorHost::SetImeComposition(TPoint position, const TFont&) {
  imePosition_ = QPoint(position.X, position.Y);
  if (area_.hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImFont);
}

TFontMetrics QtEditorHost::MeasureFont(const TFont& font, TFontStyles style) { return QtCanvas::Measure(font, style); }

}  // namespace vantrel
