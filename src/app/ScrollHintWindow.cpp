// The scroll hint window.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#include "app/ScrollHintWindow.h"

#include <QFontMetrics>

namespace vantrel {

namespace {

constexpr int kMaxWidth = 200;
constexpr int kPadding = 3;

}  // namespace

ScrollHintWindow& ScrollHintWindow::Instance() {
  // Parentless and never deleted before exit: editors come and go, the hint stays.
  static ScrollHintWindow* window = new ScrollHintWindow();
  return *window;
}

ScrollHintWindow::ScrollHintWindow() : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
  setObjectName("ScrollHint");
  setAttribute(Qt::WA_ShowWithoutActivating, true);
  setAttribute(Qt::WA_TransparentForMouseEvents, true);
  setFrameShape(QFrame::Box);
  setMargin(kPadding);
  setAutoFillBackground(true);
}

void ScrollHintWindow::Fit(const QString& text, const QColor& background) {
  QPalette colours = palette();
  colours.setColor(QPalette::Window, background);
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
  setText(text);
  const QRect bounds = fontMetrics().boundingRect(QRect(0, 0, kMaxWidth, 1000), Qt::TextWordWrap, text);
  resize(bounds.width() + 2 * (kPadding + frameWidth()) + 2, bounds.height() + 2 * (kPadding + frameWidth()));
}

void ScrollHintWindow::ShowAt(const QString& text, const QColor& background, int globalRight, int globalTop) {
  Fit(text, background);
  move(globalRight - width(), globalTop);
  show();  // a tool tip window stays above the others
}

void ScrollHintWindow::ShowCentredAt(const QString& text, const QColor& background, int globalRight,
                                     int globalMiddle) {
  Fit(text, background);
  move(globalRight - width(), globalMiddle - height() / 2);
  show();  // a tool tip window stays above the others
}

}  // namespace vantrel
