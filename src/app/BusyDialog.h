// Waits for a running command with the interface alive: for a moment with
// user input held back, then behind a small modal dialog whose Cancel (or
// Esc) ends the command.
// Tested by tests/ui/ToolFormsTest.cpp and tests/e2e/tools.sh
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace vantrel {

class TCommandRunner;

class TBusyDialog : public QDialog {
  Q_OBJECT

 public:
  // Commands that end within this time never show the dialog.
  static constexpr int kQuietMs = 300;

  TBusyDialog(TCommandRunner& runner, const QString& commandLine, QWidget* parent);

  // Returns once the command has ended; false when it was cancelled.
  bool Wait();

  QLabel* Label1 = nullptr;
  QPushButton* CancelButton = nullptr;

 private:
  TCommandRunner& runner_;
  bool cancelled_ = false;
};

}  // namespace vantrel
