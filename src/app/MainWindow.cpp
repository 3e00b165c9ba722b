#include "app/MainWindow.h"

namespace vantrel {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle("Vantrel Editor");
  resize(800, 600);
}

}  // namespace vantrel
