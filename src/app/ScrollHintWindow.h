// The small tooltip-like window that shows the top line while the vertical
// thumb is dragged. One per process, shared by all editors.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#pragma once

#include <QLabel>

namespace vantrel {

class ScrollHintWindow : public QLabel {
  Q_OBJECT

 public:
  // Created on first use.
  static ScrollHintWindow& Instance();
  // Shows text with its right edge at globalRight, its top at globalTop.
  void ShowAt(const QString& text, const QColor& background, int globalRight, int globalTop);
  // As ShowAt, centred vertically on globalMiddle.
  void ShowCentredAt(const QString& text, const QColor& background, int globalRight, int globalMiddle);

 private:
  ScrollHintWindow();
  void Fit(const QString& text, const QColor& background);
};

}  // namespace vantrel
