// The main window: menus, document tabs with one editor each, status bar and
// notice overlay, settings at start and exit, dropped files, full screen.
// The handlers are split over MainForm*.cpp by concern.
// Tested by tests/ui/MainFormTest.cpp and tests/e2e/*.sh
#pragma once

#include <QKeySequence>
#include <QMainWindow>
#include <QMessageBox>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <array>
#include <functional>
#include <map>
#include <memory>

#include "app/HighlighterSet.h"
#include "app/QtPrinter.h"
#include "app/SettingsFile.h"
#include "app/SyntaxTable.h"
#include "editor/CodeEdit.h"
#include "monitor/FileNotification.h"
#include "print/CodeEditPrint.h"
#include "search/CodeEditRegexSearch.h"
#include "search/CodeEditSearch.h"

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QTabWidget;

namespace vantrel {

class TTabSheet;

// File dialog filters as the dialogs show them ("All files (*.*)" lists files
// without a dot too).
QStringList FileDialogFilters();

// A stored shortcut value (key code + 0x2000 Shift + 0x4000 Ctrl + 0x8000 Alt)
// as a key sequence; empty for 0.
QKeySequence ShortCutToKeySequence(int shortCut);

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Runs FormCreate: reads the settings file at settingsPath. The files are
  // opened at the first showing.
  TForm1(QStringList commandLineFiles, QString settingsPath, QWidget* parent = nullptr);
  ~TForm1() override;

  // ---- Application-wide state.
  TCodeEdit* CurrentEditor = nullptr;
  QString CurrentFileName;
  QString EditorFontName = "Courier New";
  int EditorFontSize = 10;
  bool RightEdgeOn = true;
  bool FirstShow = true;
  QRect SavedBounds;
  // The task bar text; the window caption is kept equal to it except at start.
  QString ApplicationTitle = "Vantrel Editor";

  // ---- Components.
  QTabWidget* PageControl1 = nullptr;
  QLabel* StatusPanel0 = nullptr;  // caret position
  QLabel* StatusPanel1 = nullptr;  // notices
  QFrame* Panel1 = nullptr;        // notice overlay while the status bar is hidden
  QLabel* Label1 = nullptr;
  QMenu* PopupMenu1 = nullptr;  // editor pop-up
  QMenu* PopupMenu2 = nullptr;  // tab pop-up
  THighlighterSet Highlighters;
  std::unique_ptr<TFileNotification> FileNotification1 = CreateFileNotification1();

  // A menu item by its component name ("New1"); nullptr when there is none.
  QAction* Item(const QString& name) const;
  bool Checked(const QString& name) const;
  void SetChecked(const QString& name, bool checked);

  // ---- Dialogs, replaceable so tests run without a person at the screen.
  std::function<QString(const QString& initialDir)> AskOpenFileName;
  std::function<QString(const QString& presetName)> AskSaveFileName;
  std::function<QMessageBox::StandardButton(const QString& question)> AskYesNoCancel;
  std::function<bool(TFont& font)> AskFont;
  std::function<void(const QString& message)> ShowError;

  // ---- Shared helpers.
  void ShowNotice(const QString& text);
  // widen: the first time the caret is below line 999 the panel grows to 200 pixels.
  void UpdatePositionPanel(bool widen = true);
  QString DocumentName() const;
  QString TabCaption(int index = -1) const;
  int TabCount() const;
  TCodeEdit* EditorAt(int index) const;
  // The widget showing the current editor.
  QWidget* CurrentView() const;
  int StatusPanelWidth(int panel) const;
  QString StatusPanelText(int panel) const;
  bool StatusBarVisible() const;

  // ---- Start-up and close.
  void FormCreate();
  void FormShow();
  // True when the window may close.
  bool FormCloseQuery();
  void FormClose();
  void OpenDroppedFiles(const QStringList& paths);
  void ShowFullScreen(bool on);
  // Form-level keys; true when the key was consumed.
  bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
  void FormKeyUp(int key);
  // The settings as they would be written now.
  TAppSettings CollectSettings() const;

  // ---- Documents and tabs.
  void CreateNewEditor();
  void New1Click();
  void Open1Click();
  void OpenReadonly1Click();
  void Save1Click();
  // False when the dialog was cancelled or the save failed.
  bool Saveas1Click();
  void Close3Click();
  void ToggleReadonly1Click();
  void Exit1Click();
  void REChange(TCustomCodeEdit& sender);
  void PageControl1Change();
  void PageControl1MouseDown(Qt::MouseButton button, QPoint pos);
  bool PageControl1DragOver(QObject* source) const;
  void PageControl1DragDrop(QPoint pos);
  // Loads a file into the current editor (a failure leaves it empty and is
  // reported); false when it failed or was cancelled.
  bool LoadIntoCurrentEditor(const QString& fileName);

  // ---- Printing (MainFormPrint.cpp). Both are made on first use: asking
  // the desktop for its printers can take a while.
  std::unique_ptr<TCodeEditPrint> fPrintOut;
  std::unique_ptr<QtDialogPrinter> Printer1;
  TCodeEditPrint& PrintOut();
  QtDialogPrinter& PrinterOf();
  void Print1Click();
  void Printersetup1Click();

  // ---- Syntax.
  void SelectSyntax(const QString& fileName);
  void SyntaxItemClick(TSyntaxItem item);
  void Normal1Click();
  TSyntaxItem CheckedSyntaxItem() const;

  // ---- Edit and View commands.
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Undo1Click();
  void Redo1Click();
  void Delete1Click();
  void Selectall1Click();
  void SelectNormal1Click();
  void SelectColumn1Click();
  void SelectLine1Click();
  void Font1Click();
  void Wordwrap1Click();
  void Addlinenumbers1Click();
  void ViewCurrentLine1Click();
  void ShowStatusBar1Click();
  void ShowRightEdge1Click();
  void FullScreen1Click();

  // ---- View > View in hex (MainFormHex.cpp).
  void ViewinHex1Click();
  // The hex window (created with the application; made here when missing).
  class TForm4* HexForm();
  // Shows the hex window; modal by default, replaceable in tests.
  std::function<void(class TForm4& form)> ShowHexForm;

  // ---- Text tools, go to line and the utility windows (MainFormTools.cpp).
  void Baseconverter1Click();
  void ASCIITable1Click();
  void ToLowercase1Click();
  void ToUppercase1Click();
  void Capitalize1Click();
  void Insertdateandtime1Click();
  void ExecuteCommandLine1Click();
  void Sort1Click();
  void WordCount1Click();
  void Fileinfo1Click();
  void GototoLine1Click();
  void FindMatchingBracket1Click();
  void About1Click();
  // Runs commandLine and appends its output to editor as it arrives, as one
  // undoable insertion; a busy dialog with Cancel shows while it runs long.
  void RunCommandCapture(const QString& commandLine, TCodeEdit& editor);
  // Replaceable so tests run without a person at the screen: the text of
  // the go-to-line and command-line dialogs ("" cancels), and a message box.
  std::function<QString()> AskLineNumber;
  std::function<QString()> AskCommandLine;
  std::function<void(const QString& message)> ShowMessage;

  // ---- Tools > Monitor file.
  void MonitorFile1Click();
  // Reloads the current editor when it is the monitored one; runs on each
  // change and whenever the active tab changes.
  void FileNotification1Changed();

  // ---- Search and replace (MainFormSearch.cpp).
  // The last search, kept while the program runs (never written to disk).
  struct TSearchSettings {
    bool Backwards = false;
    bool CaseSensitive = false;
    bool FromCaret = false;
    bool SelectedOnly = false;
    bool WholeWords = false;
    bool RegularExpression = false;
    QString SearchText;
    QString SearchHistory;  // entries separated by CR LF
    QString ReplaceText;
    QString ReplaceHistory;
  };
  TSearchSettings SearchSettings;
  // Decides srEntireText: false until the first search from a dialog.
  bool SearchFromCaret = false;
  TCodeEditSearch CodeEditSearch1;
  TCodeEditRegexSearch CodeEditRegexSearch1;
  // Shows a search dialog modally; true on OK. Replaceable for tests.
  std::function<bool(QDialog& dialog)> ExecSearchDialog;
  void Search1Click();
  void SearchAgain1Click();
  void SearchBackwards1Click();
  void Replace1Click();
  void OpenSearchDialog(bool replaceMode);
  void RunSearch(bool replaceMode, bool backwards);

  // ---- Editor events.
  void EditorKeyDown(TCustomCodeEdit& sender, TVirtualKey& key, TShiftState shift);
  void EditorKeyUp(TCustomCodeEdit& sender, TVirtualKey& key, TShiftState shift);
  void EditorKeyPress(TCustomCodeEdit& sender, char& key);
  void EditorMouseDown();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenus();
  QMenu* AddMenu(QMenu* parent, const QString& name, const QString& caption);
  // Runs a handler; errors a user can cause end in a message box.
  void Guard(const std::function<void()>& action);
  void SetTitleFromCaption(const QString& caption);
  void SetTabCaption(const QString& caption);
  void ApplyLineNumbers(TCodeEdit& editor);
  void PlaceNoticePanel();
  void ClearEditor(TCodeEdit& editor);
  TTabSheet* CurrentSheet() const;
  void DestroyCurrentTab();
  bool SaveTo(const QString& fileName);
  void SetHighlighter(TSyntaxItem item);
  std::unique_ptr<TFileNotification> CreateFileNotification1();
  // Ends the monitoring of editor if it is the monitored one.
  void EndMonitoring(TCodeEdit& editor);
  void ReloadMonitoredEditor(TCodeEdit& editor, const QString& fileName);

  QStringList commandLineFiles_;
  QString settingsPath_;
  std::map<QString, QAction*> items_;
  QActionGroup* syntaxGroup_ = nullptr;
  TSyntaxItem syntaxChecked_ = siNormal1;
  bool positionPanelWidened_ = false;
  bool loading_ = false;
  // A reload runs a nested event loop once it takes long; changes arriving
  // meanwhile are reloaded after it instead of inside it.
  bool reloading_ = false;
  bool reloadAgain_ = false;
  bool closing_ = false;
  // Tab dragging: the press position until the drag threshold is passed.
  bool tabPressed_ = false;
  bool tabDragging_ = false;
  QPoint tabPressPos_;
};

}  // namespace vantrel
