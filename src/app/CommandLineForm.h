// The dialog that runs a command line.
// Created once at start-up, hidden until a command shows it.
#pragma once

#include <QDialog>

namespace vantrel {

class TForm3 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);
};

}  // namespace vantrel
