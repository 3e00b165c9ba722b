// The number base converter window: a 32-bit value in decimal, binary and
// hexadecimal, each field with its own Convert button.
// Created once at start-up, hidden until a command shows it.
// Tested by tests/ui/ToolFormsTest.cpp
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel {

class Tbaseconv : public QDialog {
  Q_OBJECT

 public:
  explicit Tbaseconv(QWidget* parent = nullptr);

  QLineEdit* Edit1 = nullptr;  // decimal
  QLineEdit* Edit2 = nullptr;  // binary
  QLineEdit* Edit3 = nullptr;  // hexadecimal
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;  // Exit
  QPushButton* Button3 = nullptr;
  QPushButton* Button4 = nullptr;

  // Throws EConvertError for a decimal field that holds no 32-bit number.
  void Button1Click();
  void Button3Click();
  void Button4Click();

  // Replaceable so tests run without a person at the screen.
  std::function<void(const QString& message)> ShowError;

 private:
  QLineEdit* AddRow(int top, const char* caption, QPushButton*& button);
};

}  // namespace vantrel
