// The main window's Tools > Monitor file: the monitored document is made
// read-only and follows its file, reloaded and shown at its last line after
// every change, so that a growing log can be read as it grows.
// Tested by tests/ui/MonitorFileTest.cpp and tests/e2e/monitor.sh
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>

#include "app/FileLoader.h"
#include "app/MainForm.h"
#include "app/QtUiTimer.h"
#include "app/TabSheet.h"

namespace vantrel {

namespace {

constexpr int kMonitored = 1;

// The start of the last line, selection cleared; a caret outside the view
// ends up in its middle.
void ShowLastLine(TCodeEdit& editor) {
  const TBufferCoord last{1, std::max(1, editor.LineCount())};
  editor.BeginUpdateBatch();
  editor.MoveCaretTo(last, false);
  editor.SetAnchorStart(editor.CaretPos());
  editor.SetAnchorEnd(editor.CaretPos());
  editor.ScrollCaretIntoViewCentred();
  editor.EndUpdateBatch();
}

}  // namespace

std::unique_ptr<TFileNotification> TForm1::CreateFileNotification1() {
  auto notification = std::make_unique<TFileNotification>(std::make_unique<QtUiTimer>());
  notification->OnChanged = [this](TFileNotification&) { Guard([this] { FileNotification1Changed(); }); };
  notification->OnError = [this](const std::string& title, const std::string& message) {
    QMessageBox::critical(this, QString::fromStdString(title), QString::fromStdString(message));
  };
  return notification;
}

void TForm1::MonitorFile1Click() {
  if (!CurrentEditor) return;
  if (Checked("MonitorFile1")) {
    // The monitored document may be on another tab than the active one; it
    // stops following the file all the same.
    for (int i = 0; i < TabCount(); ++i) {
      if (TCodeEdit* editor = EditorAt(i)) EndMonitoring(*editor);
    }
    FileNotification1->Stop();
    SetChecked("MonitorFile1", false);
    CurrentEditor->SetReadOnly(false);
    StatusPanel1->setText("Stopped monitoring");
    CurrentEditor->Tag = 0;
    return;
  }
  // Every reload replaces the text: unsaved changes would be lost silently.
  if (CurrentEditor->Modified()) {
    const auto answer = AskYesNoCancel(QString("Save changes to %1?").arg(DocumentName()));
    if (answer == QMessageBox::Cancel) return;
    if (answer == QMessageBox::Yes) {
      Save1Click();
      if (CurrentEditor->Modified()) return;  // Save As cancelled
    }
  }
  FileNotification1->SetFileName(QFile::encodeName(CurrentFileName).toStdString());
  FileNotification1->Start();
  CurrentEditor->SetReadOnly(true);
  StatusPanel1->setText("Monitoring " + CurrentFileName);
  SetChecked("MonitorFile1", true);
  CurrentEditor->Tag = kMonitored;
}

void TForm1::EndMonitoring(TCodeEdit& editor) {
  if (editor.Tag != kMonitored) return;
  FileNotification1->Stop();
  SetChecked("MonitorFile1", false);
  editor.SetReadOnly(false);
  editor.Tag = 0;
}

void TForm1::FileNotification1Changed() {
  if (!CurrentEditor || CurrentEditor->Tag != kMonitored) return;
  if (reloading_) {
    reloadAgain_ = true;
    return;
  }
  StatusPanel1->setText("Monitoring " + CurrentFileName);
  // Read-only can be switched off while monitoring; typed text stays.
  if (CurrentEditor->Modified()) {
    StatusPanel1->setText("Monitoring " + CurrentFileName + " (not reloaded: the document has unsaved changes)");
    return;
  }
  // A deleted or rotated-away file is reported here, once per change, and
  // the document keeps the text it had.
  if (!QFileInfo::exists(CurrentFileName)) {
    StatusPanel1->setText("Monitored file is missing: " + CurrentFileName);
    return;
  }
  reloading_ = true;
  ReloadMonitoredEditor(*CurrentEditor, CurrentFileName);
  reloading_ = false;
  if (reloadAgain_) {
    reloadAgain_ = false;
    QTimer::singleShot(0, this, [this] { Guard([this] { FileNotification1Changed(); }); });
  }
}

void TForm1::ReloadMonitoredEditor(TCodeEdit& editor, const QString& fileName) {
  bool loaded = false;
  loading_ = true;
  try {
    // Fills the lines only once the whole file has been read, so a failed
    // read leaves the text as it was.
    loaded = LoadLinesWithProgress(editor.Lines(), QFile::encodeName(fileName).toStdString());
  } catch (const std::exception& error) {
    StatusPanel1->setText(QString("Cannot reload %1: %2").arg(fileName, QString::fromLocal8Bit(error.what())));
  }
  loading_ = false;
  if (!loaded) return;
  editor.UndoList().Clear();
  editor.RedoList().Clear();
  editor.SetModified(false);
  ShowLastLine(editor);
  UpdatePositionPanel();
  if (TTabSheet* sheet = CurrentSheet()) sheet->View()->update();
}

}  // namespace vantrel
