// The ASCII table window.
// Created once at start-up, hidden until a command shows it.
#pragma once

#include <QDialog>

namespace vantrel {

class Tasciiform : public QDialog {
  Q_OBJECT

 public:
  explicit Tasciiform(QWidget* parent = nullptr);
};

}  // namespace vantrel
