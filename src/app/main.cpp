// Process entry: command-line options, then the application and its windows.
#include <QApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QTranslator>
#include <csignal>
#include <cstdio>
#include <exception>

#include "app/AboutForm.h"
#include "app/AsciiForm.h"
#include "app/BaseConvForm.h"
#include "app/CommandLine.h"
#include "app/CommandLineForm.h"
#include "app/DocumentPrint.h"
#include "app/GotoLineForm.h"
#include "app/HexViewForm.h"
#include "app/MainForm.h"
#include "app/SettingsFile.h"
#include "app/StateReport.h"
#include "app/UiLanguage.h"

namespace {

vantrel::TLanguageEnvironment LanguageEnvironmentFromSystem() {
  const QStringList uiLanguages = QLocale::system().uiLanguages();
  return {qEnvironmentVariable("VANTREL_LANG").toStdString(), qEnvironmentVariable("LC_ALL").toStdString(),
          qEnvironmentVariable("LC_MESSAGES").toStdString(), qEnvironmentVariable("LANG").toStdString(),
          uiLanguages.isEmpty() ? std::string() : uiLanguages.front().toStdString()};
}

}  // namespace

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
  if (!commandLine.PrintPdf.empty()) {
    // Printing needs fonts but no window: the offscreen platform works
    // without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
      vantrel::PrintFileToPdf({commandLine.Files.front(), commandLine.PrintPdf, commandLine.PrintColors});
    } catch (const std::exception& error) {
      std::fprintf(stderr, "vantrel: %s\n", error.what());
      return 1;
    }
    return 0;
  }
  // A save beyond the file size limit must fail with an error message, not
  // kill the editor with every unsaved document.
  std::signal(SIGXFSZ, SIG_IGN);

  QApplication app(argc, argv);
  QApplication::setApplicationName("Vantrel Editor");
  // Installed before any window exists: captions are translated when set.
  QTranslator english;
  if (vantrel::UseEnglishCaptions(LanguageEnvironmentFromSystem())) {
    if (english.load(":/i18n/vantrel_en.qm"))
      QApplication::installTranslator(&english);
    else
      std::fputs("vantrel: the English captions are missing; showing the Chinese ones\n", stderr);
  }

  QStringList files;
  for (const std::string& file : commandLine.Files) files << QString::fromLocal8Bit(file.c_str());
  // Each window is created once and lives as long as the process; all but
  // the main window stay hidden until a command shows them.
  vantrel::TForm1 form1(files, vantrel::SettingsFilePath());
  vantrel::TForm2 form2(&form1);
  vantrel::Tbaseconv baseconv(&form1);
  vantrel::Tasciiform asciiform(&form1);
  vantrel::TForm3 form3(&form1);
  vantrel::TForm7 form7(&form1);
  vantrel::TForm4 form4(&form1);
  vantrel::TStateReport::FromEnvironment(form1);
  form1.show();
  return app.exec();
}
