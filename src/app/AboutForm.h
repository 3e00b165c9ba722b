// The About box.
// Created once at start-up, hidden until a command shows it.
#pragma once

#include <QDialog>

namespace vantrel {

class TForm7 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm7(QWidget* parent = nullptr);
};

}  // namespace vantrel
