// Process entry: command-line options, then the application and its windows.
#include <QApplication>
#include <csignal>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/MainWindow.h"

int main(int argc, char** argv) {
  const vantrel::TCommandLine commandLine = vantrel::ParseCommandLine(argc, argv);
  if (!commandLine.Error.empty()) {
    std::fprintf(stderr, "vantrel: %s\nTry 'vantrel --help' for more information.\n", commandLine.Error.c_str());
    return 2;
  }
  if (commandLine.ShowHelp) {
    std::fputs(vantrel::UsageText("vantrel").c_str(), stdout);
    return 0;
  }
  if (commandLine.ShowVersion) {
    std::fputs(vantrel::VersionText().c_str(), stdout);
    return 0;
  }
  // A save beyond the file size limit must fail with an error message, not
  // kill the editor with every unsaved document.
  std::signal(SIGXFSZ, SIG_IGN);

  QApplication app(argc, argv);
  QApplication::setApplicationName("Vantrel Editor");
  vantrel::MainWindow window;
  window.show();
  return app.exec();
}
