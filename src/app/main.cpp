// Process entry: creates the application and its main window.
#include <QApplication>

#include "app/MainWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Vantrel Editor");
  vantrel::MainWindow window;
  window.show();
  return app.exec();
}
