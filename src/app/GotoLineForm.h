// The go-to-line dialog: a line number of digits only, OK enabled once one
// is typed.
// Created once at start-up, hidden until a command shows it.
// Tested by tests/ui/ToolFormsTest.cpp
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vantrel {

class TForm2 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

  QLineEdit* Edit1 = nullptr;
  QPushButton* Button1 = nullptr;  // OK
  QPushButton* Button2 = nullptr;  // Cancel

  void FormShow();
  void Edit1Change();

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace vantrel
