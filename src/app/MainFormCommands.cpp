// The main window's Edit, View and Syntax commands and the editor events it
// handles; each acts on the current editor.
// Tested by tests/ui/MainFormTest.cpp
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QStatusBar>
#include <QTabWidget>

#include "app/MainForm.h"
#include "app/TabSheet.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

constexpr TColor kActiveLineColor = 14671839;  // 0xDFDFDF

std::string ClipboardText(TCodeEdit& editor) {
  if (Clipboard* clipboard = editor.GetClipboard()) {
    std::string text;
    if (clipboard->Open()) {
      if (clipboard->HasText()) text = clipboard->GetText();
      clipboard->Close();
    }
    return text;
  }
  return CodePage::Active().FromUtf8(QApplication::clipboard()->text().toStdString());
}

}  // namespace

// ---------------------------------------------------------------- syntax

void TForm1::SetHighlighter(TSyntaxItem item) {
  if (CurrentEditor) CurrentEditor->SetHighlighter(Highlighters.Instance(SyntaxItems()[size_t(item)].Highlighter));
  if (TTabSheet* sheet = CurrentSheet()) sheet->View()->update();
}

void TForm1::SyntaxItemClick(TSyntaxItem item) {
  if (item == siNormal1) {
    Normal1Click();
    return;
  }
  const TSyntaxItem checks = SyntaxItems()[size_t(item)].Checks;
  syntaxChecked_ = checks;
  SetChecked(SyntaxItems()[size_t(checks)].Name, true);
  SetHighlighter(item);
}

void TForm1::Normal1Click() {
  if (syntaxChecked_ == siNormal1) return;
  syntaxChecked_ = siNormal1;
  SetChecked("Normal1", true);
  SetHighlighter(siNormal1);
}

TSyntaxItem TForm1::CheckedSyntaxItem() const { return syntaxChecked_; }

void TForm1::SelectSyntax(const QString& fileName) {
  const TSyntaxItem item = SyntaxItemForFileName(fileName.toStdString());
  if (item == siNone) return;
  SyntaxItemClick(item);
}

// ---------------------------------------------------------------- Edit

void TForm1::Cut1Click() {
  if (!CurrentEditor || CurrentEditor->ReadOnly()) return;
  CurrentEditor->HandleCommand(ecCut, '\0', nullptr);
  UpdatePositionPanel();
}

void TForm1::Copy1Click() {
  if (CurrentEditor) CurrentEditor->HandleCommand(ecCopy, '\0', nullptr);
}

void TForm1::Paste1Click() {
  if (!CurrentEditor || CurrentEditor->ReadOnly()) return;
  CurrentEditor->SetSelectedText(ClipboardText(*CurrentEditor));
  UpdatePositionPanel();
}

void TForm1::Undo1Click() {
  if (!CurrentEditor) return;
  if (!CurrentEditor->ReadOnly()) CurrentEditor->HandleCommand(ecUndo, '\0', nullptr);
  UpdatePositionPanel();
}

void TForm1::Redo1Click() {
  if (!CurrentEditor) return;
  if (!CurrentEditor->ReadOnly()) CurrentEditor->HandleCommand(ecRedo, '\0', nullptr);
  UpdatePositionPanel();
}

void TForm1::Delete1Click() {
  if (!CurrentEditor || CurrentEditor->ReadOnly()) return;
  if (CurrentEditor->HasSelection()) CurrentEditor->SetSelectedText("");
  UpdatePositionPanel();
}

void TForm1::Selectall1Click() {
  if (!CurrentEditor) return;
  CurrentEditor->SelectAll();
  UpdatePositionPanel();
}

void TForm1::SelectNormal1Click() {
  if (CurrentEditor) CurrentEditor->SetSelectionMode(smNormal);
}

void TForm1::SelectColumn1Click() {
  if (CurrentEditor) CurrentEditor->SetSelectionMode(smColumn);
}

void TForm1::SelectLine1Click() {
  if (CurrentEditor) CurrentEditor->SetSelectionMode(smLine);
}

void TForm1::Font1Click() {
  if (!CurrentEditor) return;
  TFont font = CurrentEditor->Font();
  if (AskFont && AskFont(font)) {
    CurrentEditor->SetFont(font);
    EditorFontName = QString::fromStdString(font.Name);
    EditorFontSize = font.Size;
  }
  if (TTabSheet* sheet = CurrentSheet()) sheet->View()->setFocus();
}

void TForm1::Wordwrap1Click() {
  SetChecked("Wordwrap1", !Checked("Wordwrap1"));
  if (CurrentEditor) CurrentEditor->SetWordWrap(Checked("Wordwrap1"));
}

// ---------------------------------------------------------------- View

void TForm1::Addlinenumbers1Click() {
  if (!CurrentEditor) return;
  CurrentEditor->Gutter().SetFont(CurrentEditor->Font());
  ApplyLineNumbers(*CurrentEditor);
}

void TForm1::ViewCurrentLine1Click() {
  if (CurrentEditor) CurrentEditor->SetActiveLineColor(Checked("ViewCurrentLine1") ? kActiveLineColor : clNone);
}

void TForm1::ShowStatusBar1Click() {
  SetChecked("ShowStatusBar1", !Checked("ShowStatusBar1"));
  statusBar()->setVisible(!StatusBarVisible());
  Panel1->hide();
}

void TForm1::ShowRightEdge1Click() {
  SetChecked("ShowRightEdge1", !Checked("ShowRightEdge1"));
  RightEdgeOn = Checked("ShowRightEdge1");
  if (CurrentEditor) CurrentEditor->SetRightEdge(RightEdgeOn ? 80 : 0);
}

// ---------------------------------------------------------------- editor events

void TForm1::EditorKeyDown(TCustomCodeEdit&, TVirtualKey&, TShiftState) {
  UpdatePositionPanel();
  Panel1->hide();
}

void TForm1::EditorKeyUp(TCustomCodeEdit&, TVirtualKey& key, TShiftState) {
  switch (key) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_RETURN:
    case VK_HOME:
    case VK_END:
    case VK_TAB:
    case VK_BACK:
      UpdatePositionPanel();
      break;
    default:
      break;
  }
}

void TForm1::EditorKeyPress(TCustomCodeEdit& sender, char& key) {
  if (key == '\r') {
    // A carriage return the key bindings did not take: a line break that
    // keeps the caret line's indentation.
    key = '\0';
    if (!sender.ReadOnly()) {
      const std::string line = sender.CaretLineText();
      const size_t before = std::min(line.size(), size_t(std::max(0, sender.CaretX() - 1)));
      size_t indent = 0;
      while (indent < before && (line[indent] == ' ' || line[indent] == '\t')) ++indent;
      sender.SetSelectedText("\r\n" + line.substr(0, indent));
    }
  }
  UpdatePositionPanel();
}

void TForm1::EditorMouseDown() { UpdatePositionPanel(); }

}  // namespace vantrel
