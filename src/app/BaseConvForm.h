// The number base converter window.
// Created once at start-up, hidden until a command shows it.
#pragma once

#include <QDialog>

namespace vantrel {

class Tbaseconv : public QDialog {
  Q_OBJECT

 public:
  explicit Tbaseconv(QWidget* parent = nullptr);
};

}  // namespace vantrel
