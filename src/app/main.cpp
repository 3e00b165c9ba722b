// Process entry: creates the application and its main window.
#include <QApplication>

#include <csignal>

#include "app/MainWindow.h"

int main(int argc, char** argv) {
  // A save beyond the file size limit must fail with an error message, not
  // kill the editor with every unsaved document.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  QApplication::setApplicationName("Vantrel Editor");
  vantrel::MainWindow window;
  window.show();
  return app.exec();
}
