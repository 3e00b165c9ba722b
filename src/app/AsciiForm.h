// The ASCII table window: a read-only list of the 128 codes, Space pages
// down, Esc or Close hides it.
// Created once at start-up, hidden until a command shows it.
// Tested by tests/ui/ToolFormsTest.cpp
#pragma once

#include <QDialog>

class QFrame;
class QPlainTextEdit;
class QPushButton;

namespace vantrel {

class Tasciiform : public QDialog {
  Q_OBJECT

 public:
  explicit Tasciiform(QWidget* parent = nullptr);

  QPlainTextEdit* Memo1 = nullptr;
  QFrame* panel1 = nullptr;
  QPushButton* Button1 = nullptr;  // Close

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace vantrel
