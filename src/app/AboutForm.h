// The About box: the program's picture, name, version and credits.
// Created once at start-up, hidden until a command shows it.
// Tested by tests/ui/ToolFormsTest.cpp
#pragma once

#include <QDialog>

class QLabel;
class QPixmap;
class QPushButton;

namespace vantrel {

class TForm7 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm7(QWidget* parent = nullptr);

  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;  // the version line
  QLabel* Label4 = nullptr;
  QPushButton* Button2 = nullptr;  // OK

  void FormCreate();
};

// The program's 32 x 32 picture.
QPixmap ProgramPicture();

}  // namespace vantrel
