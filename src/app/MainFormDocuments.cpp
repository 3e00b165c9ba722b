// The main window's documents and tabs: new, open, save, close, read-only,
// the modified marker, switching and re-ordering tabs.
// Tested by tests/ui/MainFormTest.cpp and tests/e2e/documents.sh
#include <QAction>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>

#include "app/FileLoader.h"
#include "app/MainForm.h"
#include "app/TabSheet.h"

namespace vantrel {

namespace {

constexpr TColor kActiveLineColor = 14671839;  // 0xDFDFDF

// Qt reports programmatic tab changes too; only those the user makes (or the
// handlers ask for explicitly) run the change handler.
class TSignalBlock {
 public:
  explicit TSignalBlock(QObject* object) : object_(object), was_(object->blockSignals(true)) {}
  ~TSignalBlock() { object_->blockSignals(was_); }
  TSignalBlock(const TSignalBlock&) = delete;  // restores one object's state once
  TSignalBlock& operator=(const TSignalBlock&) = delete;

 private:
  QObject* object_;
  bool was_;
};

}  // namespace

QStringList FileDialogFilters() {
  // Shown with their details hidden: the text before the last parentheses is
  // what the user reads, the patterns inside them are what Qt matches.
  return {
      "All files (*.*) (*)",
      "Text files (*.txt, *.asc, *.ini) (*.txt *.asc *.ini)",
      "Source files (*.pas, *.c, *.cpp, *.asm, *.cc, *.java) (*.pas *.c *.cc *.cpp *.asm *.java)",
      "Batch files (*.bat) (*.bat)",
      "Include files (*.pas, *.h) (*.pas *.h)",
  };
}

void TForm1::CreateNewEditor() {
  auto* sheet = new TTabSheet;
  {
    TSignalBlock block(PageControl1);
    const int index = PageControl1->addTab(sheet, QString());
    PageControl1->setTabText(index, QString("Untitled%1").arg(PageControl1->count()));
  }
  TCodeEdit& editor = sheet->Editor();
  TFont font = editor.Font();
  font.Name = EditorFontName.toStdString();
  font.Size = EditorFontSize;
  editor.SetFont(font);
  QWidget* view = sheet->View();
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view, &QWidget::customContextMenuRequested, this,
          [this, view](const QPoint& pos) { PopupMenu1->popup(view->mapToGlobal(pos)); });
  editor.SetWordWrap(Checked("Wordwrap1"));
  editor.OnChange = [this](TCustomCodeEdit& sender) { Guard([&] { REChange(sender); }); };
  editor.OnKeyDown = [this](TCustomCodeEdit& sender, TVirtualKey& key, TShiftState shift) {
    EditorKeyDown(sender, key, shift);
  };
  editor.OnKeyUp = [this](TCustomCodeEdit& sender, TVirtualKey& key, TShiftState shift) {
    EditorKeyUp(sender, key, shift);
  };
  editor.OnKeyPress = [this](TCustomCodeEdit& sender, char& key) { EditorKeyPress(sender, key); };
  editor.SetHideSelection(false);
  editor.SetWantTabs(true);
  editor.SetTabWidth(4);
  editor.SetOptions((editor.Options() | OptionBit(eoTabIndent) | OptionBit(eoEnhanceHomeKey)) &
                    ~(OptionBit(eoSmartTabs) | OptionBit(eoTabsToSpaces)));
  editor.Gutter().SetGradient(true);
  editor.SetRightEdge(RightEdgeOn ? 80 : 0);

  {
    TSignalBlock block(PageControl1);
    PageControl1->setCurrentWidget(sheet);
  }
  CurrentEditor = &editor;
  ApplyLineNumbers(editor);
  editor.SetActiveLineColor(Checked("ViewCurrentLine1") ? kActiveLineColor : clNone);
  StatusPanel1->clear();
  view->setFocus();
  Normal1Click();
  SetTitleFromCaption(TabCaption());
  Panel1->hide();
}

void TForm1::ApplyLineNumbers(TCodeEdit& editor) {
  TGutter& gutter = editor.Gutter();
  if (Checked("Addlinenumbers1")) {
    gutter.SetLeftOffset(0);
    gutter.SetVisible(true);
    gutter.FitDigitCount(editor.LineCount());
    gutter.SetAutoSize(true);
    gutter.SetShowLineNumbers(true);
  } else {
    gutter.SetVisible(false);
    gutter.SetShowLineNumbers(false);
  }
}

void TForm1::New1Click() {
  CreateNewEditor();
  CurrentFileName = "Untitled.txt";
}

bool TForm1::LoadIntoCurrentEditor(const QString& fileName) {
  if (!CurrentEditor) return false;
  TCodeEdit& editor = *CurrentEditor;
  bool loaded = false;
  loading_ = true;
  try {
    loaded = LoadLinesWithProgress(editor.Lines(), fileName.toStdString());
  } catch (const std::exception& error) {
    loading_ = false;
    if (ShowError) ShowError(QString::fromLocal8Bit(error.what()));
    return false;
  }
  loading_ = false;
  editor.UndoList().Clear();
  editor.RedoList().Clear();
  editor.SetModified(false);
  if (TTabSheet* sheet = CurrentSheet()) sheet->View()->update();
  return loaded;
}

void TForm1::Open1Click() {
  QString initialDir;
  if (!CurrentFileName.isEmpty()) {
    initialDir = QFileInfo(CurrentFileName).absolutePath();
    QDir::setCurrent(initialDir);  // where possible
  }
  const QString fileName = AskOpenFileName ? AskOpenFileName(initialDir) : QString();
  if (!fileName.isEmpty()) {
    CreateNewEditor();
    SetTabCaption(fileName);
    SetTitleFromCaption(fileName);
    SelectSyntax(fileName);
    LoadIntoCurrentEditor(fileName);
    CurrentFileName = fileName;
  }
  StatusPanel1->clear();
  Panel1->hide();
}

void TForm1::OpenReadonly1Click() {
  Open1Click();
  if (CurrentEditor) CurrentEditor->SetReadOnly(true);
}

bool TForm1::SaveTo(const QString& fileName) {
  CurrentEditor->Lines().SaveToFile(fileName.toStdString());
  return true;
}

void TForm1::Save1Click() {
  if (!CurrentEditor) return;
  const QString name = DocumentName();
  if (name.left(8) == "Untitled") {
    Saveas1Click();
    return;
  }
  SaveTo(name);
  ShowNotice("Wrote " + name);
  CurrentEditor->SetModified(false);
  SetTabCaption(name);
  SelectSyntax(name);
}

bool TForm1::Saveas1Click() {
  if (!CurrentEditor) return false;
  const QString fileName = AskSaveFileName ? AskSaveFileName(DocumentName()) : QString();
  if (fileName.isEmpty()) return false;
  SaveTo(fileName);
  SetTabCaption(fileName);
  ShowNotice("Wrote " + fileName);
  SetTitleFromCaption(fileName);
  CurrentEditor->SetModified(false);
  SelectSyntax(fileName);
  CurrentFileName = fileName;
  return true;
}

void TForm1::REChange(TCustomCodeEdit& /*sender*/) {
  if (loading_ || !CurrentEditor) return;
  const QString caption = TabCaption();
  if (!caption.startsWith('*')) SetTabCaption("*" + caption);
  StatusPanel1->setText("Modified");
  CurrentEditor->SetModified(true);
}

void TForm1::ClearEditor(TCodeEdit& editor) {
  editor.Lines().Clear();
  editor.UndoList().Clear();
  editor.RedoList().Clear();
  editor.SetModified(false);
}

void TForm1::DestroyCurrentTab() {
  TTabSheet* sheet = CurrentSheet();
  if (!sheet) return;
  {
    TSignalBlock block(PageControl1);
    CurrentEditor = nullptr;
    delete sheet;
  }
  if (TabCount() > 0) CurrentEditor = EditorAt(PageControl1->currentIndex());
}

void TForm1::Close3Click() {
  if (!CurrentEditor) return;
  if (CurrentEditor->Modified()) {
    const auto answer = AskYesNoCancel(QString("Save changes to %1?").arg(DocumentName()));
    if (answer == QMessageBox::Cancel) return;
    if (answer == QMessageBox::Yes) {
      Save1Click();
      // A cancelled Save As keeps the document instead of losing its text.
      if (CurrentEditor->Modified()) return;
    }
  }
  // A closed document no longer follows its file (an emptied last tab
  // would otherwise be refilled from it).
  EndMonitoring(*CurrentEditor);
  StatusPanel1->clear();
  if (TabCount() >= 2) {
    const int index = PageControl1->currentIndex();
    DestroyCurrentTab();
    // The tab to the left of the closed one; closing the first activates the last.
    const int target = index == 0 ? TabCount() - 1 : index - 1;
    {
      TSignalBlock block(PageControl1);
      PageControl1->setCurrentIndex(target);
    }
    PageControl1Change();
    CurrentEditor = EditorAt(PageControl1->currentIndex());
    SetTitleFromCaption(TabCaption());
  } else {
    ClearEditor(*CurrentEditor);
    SetTabCaption(QString("Untitled%1").arg(TabCount()));
    SetTitleFromCaption(TabCaption());
    StatusPanel1->clear();
    if (TTabSheet* sheet = CurrentSheet()) sheet->View()->update();
  }
}

void TForm1::ToggleReadonly1Click() {
  if (!CurrentEditor) return;
  if (Checked("ToggleReadonly1")) {
    CurrentEditor->SetReadOnly(false);
    ShowNotice("Read-Only is OFF");
    SetChecked("ToggleReadonly1", false);
  } else {
    CurrentEditor->SetReadOnly(true);
    ShowNotice("Read-Only is ON");
    SetChecked("ToggleReadonly1", true);
  }
}

void TForm1::PageControl1Change() {
  if (TabCount() > 0) {
    CurrentEditor = EditorAt(PageControl1->currentIndex());
    if (CurrentEditor) SetChecked("Wordwrap1", CurrentEditor->WordWrap());
    SetTitleFromCaption(TabCaption());
    StatusPanel1->setText(CurrentEditor && CurrentEditor->Modified() ? "Modified" : "");
    CurrentFileName = DocumentName();
    FileNotification1Changed();
    if (TTabSheet* sheet = CurrentSheet()) sheet->View()->setFocus();
  }
  Panel1->hide();
}

void TForm1::PageControl1MouseDown(Qt::MouseButton button, QPoint pos) {
  if (button == Qt::RightButton) {
    PopupMenu2->popup(QCursor::pos());
    return;
  }
  // Dragging starts once the mouse has moved by the drag threshold.
  tabPressed_ = true;
  tabDragging_ = false;
  tabPressPos_ = pos;
}

bool TForm1::PageControl1DragOver(QObject* source) const { return source == PageControl1; }

void TForm1::PageControl1DragDrop(QPoint pos) {
  QTabBar* bar = PageControl1->tabBar();
  for (int i = 0; i < bar->count(); ++i) {
    if (bar->tabRect(i).contains(pos)) {
      if (i != PageControl1->currentIndex()) {
        TSignalBlock block(PageControl1);
        bar->moveTab(PageControl1->currentIndex(), i);
      }
      return;
    }
  }
}

}  // namespace vantrel
