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

 protected:
  // Notes each painting of the current editor's view, so a reader can wait
  // for the text to be on screen.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Refresh();

  TForm1& form_;
  QString path_;
  QString written_;
  int paintedLines_ = -1;  // line count of the current editor at its view's last painting
  bool refreshQueued_ = false;
};

}  // namespace vantrel
