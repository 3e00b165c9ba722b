// The hex view on screen: hosts the THexViewer model, paints it into an
// off-screen image that is then copied to the window, maps keys, mouse and
// wheel to it, and offers its context menu, encoding menu and "Viewer"
// message boxes.
// Tested by tests/ui/HexViewWidgetTest.cpp
#pragma once

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QImage>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <memory>

#include <vector>

#include "hexview/HexViewer.h"
#include "platform/Clipboard.h"

class QMenu;
class QAction;
class QRadioButton;

namespace vantrel {

class THexViewWidget : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit THexViewWidget(QWidget* parent = nullptr);
  ~THexViewWidget() override;

  THexViewer& Viewer() { return *viewer_; }
  // The main font; the cell size follows it.
  void SetViewerFont(const TFont& font);

  // Replaceable so tests run without a person at the screen; returns true
  // for Retry.
  std::function<bool(const QString& text, THexMessageKind kind)> ShowMessage;

  // The context menu as it would open at a point (built and states set).
  QMenu* PreparePopup(QPoint pos);
  // The encoding menu with the current encoding checked.
  QMenu* EncodingMenu();
  QAction* PopupItem(TPopupCommand command) const { return popupItems_[command]; }
  // One per encoding menu item, in menu order (after EncodingMenu()).
  const std::vector<QRadioButton*>& EncodingItems() const { return encodingItems_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void scrollContentsBy(int, int) override {}

 private:
  void Guard(const std::function<void()>& action);
  void SyncScrollBars();
  void VerticalAction(int action);
  void HorizontalMoved(int value);
  void UpdateAutoScroll();
  static bool DefaultMessage(QWidget* parent, const QString& text, THexMessageKind kind);

  std::unique_ptr<Clipboard> clipboard_;
  std::unique_ptr<THexViewer> viewer_;
  QImage image_;
  QTimer autoScroll_;
  QTimer middleScroll_;
  QElapsedTimer sinceDoubleClick_;
  bool syncing_ = false;
  QMenu* popup_ = nullptr;
  QAction* popupItems_[kPopupCommandCount] = {};
  QMenu* encodingMenu_ = nullptr;
  std::vector<QRadioButton*> encodingItems_;
  QPoint popupPos_;
};

}  // namespace vantrel
