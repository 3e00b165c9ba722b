// The main window of the editor.
#pragma once

#include <QMainWindow>

namespace vantrel {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
};

}  // namespace vantrel
