// The main window's text tools (case, capitalising, date and time, sort,
// word count, file information, command output), go to line, matching
// bracket, and the utility windows.
// Tested by tests/ui/ToolFormsTest.cpp and tests/e2e/tools.sh
#include <QDateTime>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QRegularExpression>

#include "app/AboutForm.h"
#include "app/AsciiForm.h"
#include "app/BaseConvForm.h"
#include "app/BusyDialog.h"
#include "app/CommandLineForm.h"
#include "app/CommandRunner.h"
#include "app/GotoLineForm.h"
#include "app/MainForm.h"
#include "platform/CodePage.h"
#include "text/BaseConversion.h"
#include "text/FileReport.h"
#include "text/LineSort.h"
#include "text/TextTools.h"

namespace vantrel {

namespace {

// The windows are created once at start-up as children of the main window;
// a main window on its own (in tests) makes its own on first use.
template <class TWindow>
TWindow& Window(TForm1& form) {
  if (auto* window = form.findChild<TWindow*>(QString(), Qt::FindDirectChildrenOnly)) return *window;
  return *new TWindow(&form);
}

void ShowNotModal(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

// The text of a dialog confirmed with OK, or "".
template <class TDialog>
QString AskInDialog(TForm1& form) {
  TDialog& dialog = Window<TDialog>(form);
  dialog.Edit1->clear();
  return dialog.exec() == QDialog::Accepted ? dialog.Edit1->text() : QString();
}

// Short date, a blank, long time; only the date at exactly midnight.
QString DateTimeText(const QDateTime& now) {
  const QLocale locale = QLocale::system();
  QString text = locale.toString(now.date(), QLocale::ShortFormat);
  if (now.time() == QTime(0, 0)) return text;
  // Qt's long time format names the time zone, which a time of day does not need.
  QString timeFormat = locale.timeFormat(QLocale::LongFormat);
  timeFormat.remove(QRegularExpression("\\s*\\bt+\\b"));
  return text + " " + locale.toString(now.time(), timeFormat.trimmed());
}

}  // namespace

void TForm1::Baseconverter1Click() { ShowNotModal(Window<Tbaseconv>(*this)); }

void TForm1::ASCIITable1Click() { ShowNotModal(Window<Tasciiform>(*this)); }

void TForm1::About1Click() { Window<TForm7>(*this).exec(); }

// ---------------------------------------------------------------- case

void TForm1::ToLowercase1Click() {
  if (!CurrentEditor || CurrentEditor->ReadOnly() || !CurrentEditor->HasSelection()) return;
  CurrentEditor->ConvertSelection(AsciiLowerCase);
  REChange(*CurrentEditor);
}

void TForm1::ToUppercase1Click() {
  if (!CurrentEditor || CurrentEditor->ReadOnly() || !CurrentEditor->HasSelection()) return;
  CurrentEditor->ConvertSelection(AsciiUpperCase);
  REChange(*CurrentEditor);
}

void TForm1::Capitalize1Click() {
  if (!CurrentEditor || CurrentEditor->ReadOnly() || !CurrentEditor->HasSelection()) return;
  CurrentEditor->ConvertSelection(CapitalizeWords);
  REChange(*CurrentEditor);
}

// ---------------------------------------------------------------- inserting and sorting

void TForm1::Insertdateandtime1Click() {
  if (!CurrentEditor || CurrentEditor->ReadOnly()) return;
  // Goes in as a paste does, but the clipboard keeps what the user copied.
  CurrentEditor->SetSelectedText(CodePage::Active().FromUtf8(DateTimeText(QDateTime::currentDateTime()).toStdString()));
  UpdatePositionPanel();
  REChange(*CurrentEditor);
}

void TForm1::Sort1Click() {
  if (!CurrentEditor) return;
  const TCodeEditStringList& lines = CurrentEditor->Lines();
  std::vector<std::string_view> views(size_t(lines.Count()));
  for (int i = 0; i < lines.Count(); ++i) views[size_t(i)] = lines.Get(i);
  // One recorded change, so that a single Undo brings the old order back.
  CurrentEditor->ReplaceAllText(SortedLinesText(views, CodePage::Active()));
  UpdatePositionPanel();
  REChange(*CurrentEditor);
}

// ---------------------------------------------------------------- reports

void TForm1::WordCount1Click() {
  if (!CurrentEditor) return;
  QString message;
  if (CurrentEditor->HasSelection()) {
    message = QString("Words in selected text: %1").arg(CountWords(CurrentEditor->SelectedText()));
  } else {
    const TCodeEditStringList& lines = CurrentEditor->Lines();
    int64_t words = 0;
    for (int i = 0; i < lines.Count(); ++i) words += CountWords(lines.Get(i));
    message = QString("Words: %1  (in %2 lines)").arg(words).arg(lines.Count());
  }
  if (ShowMessage) {
    ShowMessage(message);
  } else {
    QMessageBox::information(this, ApplicationTitle, message);
  }
}

void TForm1::Fileinfo1Click() {
  const std::string fileName = CurrentFileName.toLocal8Bit().toStdString();
  QString report = QString::fromLocal8Bit(FileReport(fileName, ReadFileRecord(fileName)).c_str());
  report.replace("\r\n", "\n");
  if (ShowMessage) {
    ShowMessage(report);
  } else {
    QMessageBox::information(this, ApplicationTitle, report);
  }
}

// ---------------------------------------------------------------- command line

void TForm1::ExecuteCommandLine1Click() {
  if (!CurrentEditor) return;
  const QString commandLine = AskCommandLine ? AskCommandLine() : AskInDialog<TForm3>(*this);
  if (commandLine.isEmpty()) return;
  RunCommandCapture(commandLine, *CurrentEditor);
  REChange(*CurrentEditor);
}

void TForm1::RunCommandCapture(const QString& commandLine, TCodeEdit& editor) {
  TCommandRunner runner;
  bool first = true;
  runner.OnOutput = [&](std::string_view text) {
    // The first piece starts a new insertion; the rest grow it.
    editor.AppendText(text, !first);
    first = false;
  };
  if (!runner.Start(commandLine.toLocal8Bit().toStdString())) return;
  TBusyDialog busy(runner, commandLine, this);
  busy.Wait();
  UpdatePositionPanel();
}

// ---------------------------------------------------------------- go to line, bracket

void TForm1::GototoLine1Click() {
  if (!CurrentEditor) return;
  const QString text = AskLineNumber ? AskLineNumber() : AskInDialog<TForm2>(*this);
  if (text.isEmpty()) return;
  bool valid = false;
  const int line = text.toInt(&valid);
  if (!valid) throw EConvertError("'" + text.toStdString() + "' is not a valid integer value");
  TCodeEdit& editor = *CurrentEditor;
  const TBufferCoord caret{1, std::clamp(line, 1, std::max(1, editor.LineCount()))};
  editor.BeginUpdateBatch();
  editor.MoveCaretTo(caret, false);
  editor.PlaceCaretAndBlock(caret, caret, caret);
  editor.ScrollCaretIntoViewCentred();
  editor.EndUpdateBatch();
  UpdatePositionPanel(false);
}

void TForm1::FindMatchingBracket1Click() {
  if (!CurrentEditor) return;
  CurrentEditor->HandleCommand(ecMatchBracket, '\0', nullptr);
  UpdatePositionPanel();
}

}  // namespace vantrel
