// A plain-text report of the main window's state (tabs, title, status bar,
// syntax), kept up to date in a file for the end-to-end tests, which drive
// the program from outside and cannot read its widgets.
// Tested by tests/e2e/*.sh
#pragma once

#include <QObject>
#include <QString>

namespace vantrel {

class TForm1;

class TStateReport : public QObject {
  Q_OBJECT

 public:
  // Reports into the file VANTREL_STATE_FILE names; nullptr when it is not set.
  static TStateReport* FromEnvironment(TForm1& form);
  TStateReport(TForm1& form, QString path);

  // The report as it would be written now.
  QString Text() const;

 private:
  void Refresh();

  TForm1& form_;
  QString path_;
  QString written_;
};

}  // namespace vantrel
