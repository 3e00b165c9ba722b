// The window that shows the current file in hexadecimal ("16进制查看").
// Created once at start-up; its view keeps the file open between showings.
// Tested by tests/ui/HexViewWidgetTest.cpp and tests/e2e/hexview.sh
#pragma once

#include <QDialog>

namespace vantrel {

class THexViewWidget;

class TForm4 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* parent = nullptr);

  THexViewWidget* HexViewer1 = nullptr;

  void FormShow();
  void FormClose();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace vantrel
