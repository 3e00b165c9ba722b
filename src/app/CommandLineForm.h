// The dialog that asks for a command line to run.
// Created once at start-up, hidden until a command shows it.
// Tested by tests/ui/ToolFormsTest.cpp
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel {

class TForm3 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);

  QLabel* Label1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* Button1 = nullptr;  // OK
  QPushButton* Button2 = nullptr;  // Cancel

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace vantrel
