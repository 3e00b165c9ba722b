// The go-to-line dialog.
// Created once at start-up, hidden until a command shows it.
#pragma once

#include <QDialog>

namespace vantrel {

class TForm2 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);
};

}  // namespace vantrel
