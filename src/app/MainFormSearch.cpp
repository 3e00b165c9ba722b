// The main window's Search menu: the remembered search, the dialogs, the
// choice of engine, and the not-found notice.
// Tested by tests/ui/SearchDialogsTest.cpp and tests/e2e/search.sh
#include <QLabel>

#include "app/MainForm.h"
#include "app/TextReplaceDialog.h"
#include "app/TextSearchDialog.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

// The editor's text is bytes of the active code page; the dialogs show Unicode.
std::string ToEditorText(const QString& text) { return CodePage::Active().FromUtf8(text.toStdString()); }
QString FromEditorText(const std::string& text) { return QString::fromStdString(CodePage::Active().ToUtf8(text)); }

}  // namespace

void TForm1::Search1Click() { OpenSearchDialog(false); }

void TForm1::SearchAgain1Click() {
  if (SearchSettings.SearchText.isEmpty()) {
    OpenSearchDialog(false);
  } else {
    RunSearch(false, false);
  }
}

void TForm1::SearchBackwards1Click() { RunSearch(false, true); }

void TForm1::Replace1Click() {
  if (CurrentEditor && !CurrentEditor->ReadOnly()) OpenSearchDialog(true);
}

void TForm1::OpenSearchDialog(bool replaceMode) {
  if (!CurrentEditor) return;
  std::unique_ptr<TTextSearchDialog> dialog;
  TTextReplaceDialog* replace = nullptr;
  if (replaceMode) {
    auto owned = std::make_unique<TTextReplaceDialog>(this);
    replace = owned.get();
    dialog = std::move(owned);
  } else {
    dialog = std::make_unique<TTextSearchDialog>(this);
  }
  TSearchSettings& s = SearchSettings;
  dialog->SetBackwards(s.Backwards);
  dialog->SetCaseSensitive(s.CaseSensitive);
  dialog->SetFromCaret(s.FromCaret);
  dialog->SetSelectedOnly(s.SelectedOnly);
  dialog->SetSearchText(s.SearchText);
  dialog->SetSearchHistory(s.SearchHistory);
  if (replace) {
    replace->SetReplaceText(s.ReplaceText);
    replace->SetReplaceHistory(s.ReplaceHistory);
  }
  // The field opens with the selection; the remembered text is in the history.
  dialog->SetSearchText(FromEditorText(CurrentEditor->SelectedText()));
  dialog->SetWholeWords(s.WholeWords);

  const bool ok = ExecSearchDialog ? ExecSearchDialog(*dialog) : dialog->exec() == QDialog::Accepted;
  if (!ok) return;
  s.Backwards = dialog->Backwards();
  s.CaseSensitive = dialog->CaseSensitive();
  s.FromCaret = dialog->FromCaret();
  s.SelectedOnly = dialog->SelectedOnly();
  s.WholeWords = dialog->WholeWords();
  s.RegularExpression = dialog->RegularExpression();
  s.SearchText = dialog->SearchText();
  s.SearchHistory = dialog->SearchHistory();
  if (replace) {
    s.ReplaceText = replace->ReplaceText();
    s.ReplaceHistory = replace->ReplaceHistory();
  }
  dialog.reset();
  SearchFromCaret = s.FromCaret;
  if (!s.SearchText.isEmpty()) {
    RunSearch(replaceMode, s.Backwards);
    SearchFromCaret = true;
  }
}

void TForm1::RunSearch(bool replaceMode, bool backwards) {
  if (!CurrentEditor) return;
  TSearchFlags flags;
  if (replaceMode) flags.Include(srReplace).Include(srReplaceAll).Include(srConfirm);
  if (backwards) flags.Include(srBackwards);
  if (SearchSettings.CaseSensitive) flags.Include(srCaseSensitive);
  if (!SearchFromCaret) flags.Include(srEntireText);
  if (SearchSettings.SelectedOnly) flags.Include(srSelectedOnly);
  if (SearchSettings.WholeWords) flags.Include(srWholeWords);
  TCodeEdit& editor = *CurrentEditor;
  if (SearchSettings.RegularExpression) {
    editor.SetSearchEngine(&CodeEditRegexSearch1);
  } else {
    editor.SetSearchEngine(&CodeEditSearch1);
  }
  // An engine error (a bad expression) passes to Guard's message box: it
  // is no "not found".
  const int found = editor.SearchReplaceText(ToEditorText(SearchSettings.SearchText),
                                             ToEditorText(SearchSettings.ReplaceText), flags);
  if (found != 0) {
    StatusPanel1->setText(QString());
    return;
  }
  ShowNotice("\"" + SearchSettings.SearchText + "\" not found.");
  if (backwards) {
    editor.SetAnchorEnd(editor.AnchorStart());
  } else {
    editor.SetAnchorStart(editor.AnchorEnd());
  }
  editor.SetCaretPos(editor.AnchorStart());
}

}  // namespace vantrel
