// The window that shows the current file in hexadecimal.
// Created once at start-up, hidden until a command shows it.
#pragma once

#include <QWidget>

namespace vantrel {

class TForm4 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm4(QWidget* parent = nullptr);
};

}  // namespace vantrel
