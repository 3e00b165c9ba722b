// Main window logic: tab captions and closing, Save As, read-only commands,
// the position panel, syntax choice, settings round trip, menus.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QSettings>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "../support/FakeClipboard.h"
#include "app/MainForm.h"

using namespace vantrel;

namespace {

// A window whose dialogs answer from scripts instead of a person.
struct TTestForm {
  QTemporaryDir dir;
  std::unique_ptr<TForm1> form;
  QStringList presets;  // names the Save As dialog was opened with
  QString saveAnswer;   // "" cancels
  QMessageBox::StandardButton answer = QMessageBox::No;
  QStringList questions;
  QStringList errors;

  explicit TTestForm(QStringList files = {}, QString ini = {}) {
    form = std::make_unique<TForm1>(files, ini.isEmpty() ? dir.filePath("vantrel.ini") : ini);
    form->AskSaveFileName = [this](const QString& preset) {
      presets << preset;
      return saveAnswer;
    };
    form->AskYesNoCancel = [this](const QString& question) {
      questions << question;
      return answer;
    };
    form->ShowError = [this](const QString& message) { errors << message; };
    form->FormShow();
  }
  TForm1& operator*() { return *form; }
  TForm1* operator->() { return form.get(); }
  QString Path(const QString& name) const { return dir.filePath(name); }
};

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QStringList Captions(TForm1& form) {
  QStringList captions;
  for (int i = 0; i < form.TabCount(); ++i) captions << form.TabCaption(i);
  return captions;
}

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithOneUntitledTab() {
    TTestForm t;
    QCOMPARE(Captions(*t), QStringList{"Untitled1"});
    QCOMPARE(t->windowTitle(), QString("Untitled1 - Vantrel Editor"));
    QCOMPARE(t->CurrentFileName, QString("Untitled.txt"));
    QCOMPARE(t->geometry().size(), QSize(640, 501));
    QVERIFY(t->CurrentEditor);
    QCOMPARE(t->CurrentEditor->Font().Name, std::string("Courier New"));
    QCOMPARE(t->CurrentEditor->RightEdge(), 80);
    QCOMPARE(t->CurrentEditor->TabWidth(), 4);
    QCOMPARE(t->CurrentEditor->ActiveLineColor(), TColor(0xDFDFDF));
  }

  // Script letters: N new, C close, 0-9 activate that tab (as the user does).
  void captionsAndActiveTabAfterCloses_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("active");
    QTest::newRow("numbers are tab counts and repeat") << "N0CN" << QStringList{"Untitled2", "Untitled2"} << 1;
    QTest::newRow("closing the first activates the last")
        << "NN0C" << QStringList{"Untitled2", "Untitled3"} << 1;
    QTest::newRow("closing a middle tab activates its left neighbour")
        << "NN1C" << QStringList{"Untitled1", "Untitled3"} << 0;
    QTest::newRow("closing the last tab activates its left neighbour")
        << "NNC" << QStringList{"Untitled1", "Untitled2"} << 1;
    QTest::newRow("the only tab is emptied and renumbered") << "NCC" << QStringList{"Untitled1"} << 0;
  }
  void captionsAndActiveTabAfterCloses() {
    QFETCH(QString, script);
    QFETCH(QStringList, captions);
    QFETCH(int, active);
    TTestForm t;
    for (QChar c : script) {
      if (c == 'N') t->New1Click();
      if (c == 'C') t->Close3Click();
      if (c.isDigit()) t->PageControl1->setCurrentIndex(c.digitValue());
    }
    QCOMPARE(Captions(*t), captions);
    QCOMPARE(t->PageControl1->currentIndex(), active);
    QCOMPARE(t->CurrentEditor, t->EditorAt(active));
    QCOMPARE(t->windowTitle(), captions[active] + " - Vantrel Editor");
  }

  void typingMarksTheTabAndSaveAsPresetsTheName() {
    TTestForm t;
    t->CurrentEditor->SetSelectedText("abc");
    QCOMPARE(t->TabCaption(), QString("*Untitled1"));
    QCOMPARE(t->StatusPanelText(1), QString("Modified"));
    QCOMPARE(t->DocumentName(), QString("Untitled1"));
    t->Save1Click();  // untitled: Save As, cancelled
    QCOMPARE(t.presets, QStringList{"Untitled1"});
    QVERIFY(t->CurrentEditor->Modified());

    t.saveAnswer = t.Path("out.py");
    t->Save1Click();
    QCOMPARE(t->TabCaption(), t.Path("out.py"));
    QCOMPARE(t->StatusPanelText(1), "Wrote " + t.Path("out.py"));
    QCOMPARE(t->windowTitle(), QString("out.py - Vantrel Editor"));
    QCOMPARE(t->CurrentFileName, t.Path("out.py"));
    QVERIFY(!t->CurrentEditor->Modified());
    QCOMPARE(t->CheckedSyntaxItem(), siPython1);
    QFile out(t.Path("out.py"));
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(out.readAll(), QByteArray("abc"));
  }

  void cancellingSaveAsKeepsTheDocument_data() {
    QTest::addColumn<bool>("closingWindow");
    QTest::newRow("Close") << false;
    QTest::newRow("closing the window") << true;
  }
  void cancellingSaveAsKeepsTheDocument() {
    QFETCH(bool, closingWindow);
    TTestForm t;
    t->CurrentEditor->SetSelectedText("keep me");
    t.answer = QMessageBox::Yes;
    t.saveAnswer = "";
    if (closingWindow)
      QVERIFY(!t->FormCloseQuery());
    else
      t->Close3Click();
    QCOMPARE(t.questions, QStringList{"Save changes to Untitled1?"});
    QCOMPARE(Captions(*t), QStringList{"*Untitled1"});
    QCOMPARE(t->CurrentEditor->Text(), std::string("keep me"));
  }

  void closeAnswers() {
    TTestForm t;
    t->New1Click();
    t->CurrentEditor->SetSelectedText("x");
    t.answer = QMessageBox::Cancel;
    t->Close3Click();
    QCOMPARE(Captions(*t), (QStringList{"Untitled1", "*Untitled2"}));
    t.answer = QMessageBox::No;
    t->Close3Click();
    QCOMPARE(Captions(*t), QStringList{"Untitled1"});
    // The window asks for each modified tab; Cancel keeps the rest open.
    t->CurrentEditor->SetSelectedText("y");
    t->New1Click();
    t->CurrentEditor->SetSelectedText("z");
    t.answer = QMessageBox::Cancel;
    QVERIFY(!t->FormCloseQuery());
    QCOMPARE(t->TabCount(), 2);
    t.answer = QMessageBox::No;
    QVERIFY(t->FormCloseQuery());
    QCOMPARE(t->TabCount(), 0);
  }

  // Once the undo history no longer reaches the file, nothing may look saved.
  void closeAsksOnceTheUndoLimitDroppedTheSave_data() {
    QTest::addColumn<int>("maxUndo");
    QTest::addColumn<QString>("edit");
    QTest::newRow("typing outgrew the limit, all undone") << 16 << "type";
    QTest::newRow("a cut with no undo at all") << 0 << "cut";
  }
  void closeAsksOnceTheUndoLimitDroppedTheSave() {
    QFETCH(int, maxUndo);
    QFETCH(QString, edit);
    QTemporaryDir dir;
    WriteFile(dir.filePath("f.txt"), "text");
    TTestForm t({dir.filePath("f.txt")});
    TCodeEdit& editor = *t->CurrentEditor;
    FakeClipboard clipboard;
    editor.SetClipboard(&clipboard);
    editor.SetMaxUndo(maxUndo);
    if (edit == "type") {
      for (int i = 0; i < 20; ++i) editor.HandleCommand(ecChar, 'x', nullptr);
      while (editor.UndoList().CanUndo()) editor.Undo();
    } else {
      editor.SelectAll();
      t->Cut1Click();
    }
    QVERIFY(editor.Text() != "text");
    QVERIFY(editor.Modified());
    QCOMPARE(t->TabCaption(), "*" + dir.filePath("f.txt"));
    t.answer = QMessageBox::Cancel;
    QVERIFY(!t->FormCloseQuery());
    QCOMPARE(t.questions, QStringList{"Save changes to " + dir.filePath("f.txt") + "?"});
    editor.SetClipboard(nullptr);
  }

  void commandLineFilesOpenInOrder() {
    QTemporaryDir dir;
    WriteFile(dir.filePath("a.c"), "int a;\r\nint b;");
    WriteFile(dir.filePath("README"), "text\n");
    TTestForm t({dir.filePath("a.c"), dir.filePath("README"), dir.filePath("missing.txt")});
    QCOMPARE(Captions(*t), (QStringList{dir.filePath("a.c"), dir.filePath("README"), dir.filePath("missing.txt")}));
    QCOMPARE(t->PageControl1->currentIndex(), 2);
    QCOMPARE(t->windowTitle(), dir.filePath("missing.txt") + " Vantrel Editor");
    QCOMPARE(t->EditorAt(0)->Text(), std::string("int a;\r\nint b;"));
    QVERIFY(!t->EditorAt(0)->Modified());
    QVERIFY(t->EditorAt(0)->Highlighter() == t->Highlighters.Instance(hiCpp));
    QVERIFY(t->EditorAt(1)->Highlighter() == nullptr);
    // The missing file: one message naming it and the reason; its tab stays, empty.
    QCOMPARE(t.errors.size(), 1);
    QVERIFY(t.errors[0].contains(dir.filePath("missing.txt")));
    QVERIFY(t.errors[0].contains("No such file"));
    QCOMPARE(t->EditorAt(2)->Text(), std::string());
  }

  void unreadableFilesAreReported_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("saves");
    QTest::newRow("missing") << "nothing-here" << "No such file" << true;
    QTest::newRow("directory") << "." << "Is a directory" << false;
  }
  void unreadableFilesAreReported() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QFETCH(bool, saves);
    TTestForm t;
    const QString path = t.Path(name);
    t->AskOpenFileName = [&](const QString&) { return path; };
    t->Open1Click();
    QCOMPARE(t->TabCount(), 2);
    QCOMPARE(t->TabCaption(), path);
    QCOMPARE(t.errors.size(), 1);
    QVERIFY2(t.errors[0].contains(path) && t.errors[0].contains(reason), qPrintable(t.errors[0]));
    // A save that fails is reported and leaves the document modified.
    t->CurrentEditor->SetSelectedText("typed");
    t->Item("Save1")->trigger();
    QCOMPARE(t.errors.size(), saves ? 1 : 2);
    if (!saves) QVERIFY2(t.errors[1].contains("Cannot save") && t.errors[1].contains(reason), qPrintable(t.errors[1]));
    QCOMPARE(t->CurrentEditor->Modified(), !saves);
    QCOMPARE(t->TabCaption(), saves ? path : "*" + path);
  }

  void readOnlyCommands_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("cut, read-only") << "Cut" << true << "hello" << "clip";
    QTest::newRow("cut") << "Cut" << false << "" << "hello";
    QTest::newRow("copy, read-only") << "Copy" << true << "hello" << "hello";
    QTest::newRow("paste, read-only") << "Paste" << true << "hello" << "clip";
    QTest::newRow("paste") << "Paste" << false << "clip" << "clip";
    QTest::newRow("delete, read-only") << "Delete" << true << "hello" << "clip";
    QTest::newRow("delete") << "Delete" << false << "" << "clip";
    QTest::newRow("undo, read-only") << "Undo" << true << "hello" << "clip";
    QTest::newRow("undo") << "Undo" << false << "" << "clip";
    QTest::newRow("undo then redo") << "UndoRedo" << false << "hello" << "clip";
  }
  void readOnlyCommands() {
    QFETCH(QString, command);
    QFETCH(bool, readOnly);
    QFETCH(QString, text);
    QFETCH(QString, clipboard);
    TTestForm t;
    FakeClipboard fake;
    fake.Open();
    fake.SetText("clip");
    fake.Close();
    TCodeEdit& editor = *t->CurrentEditor;
    editor.SetClipboard(&fake);
    editor.SetSelectedText("hello");
    editor.SelectAll();
    editor.SetReadOnly(readOnly);
    if (command == "Cut") t->Cut1Click();
    if (command == "Copy") t->Copy1Click();
    if (command == "Paste") t->Paste1Click();
    if (command == "Delete") t->Delete1Click();
    if (command.startsWith("Undo")) t->Undo1Click();
    if (command.endsWith("Redo")) t->Redo1Click();
    QCOMPARE(QString::fromStdString(editor.Text()), text);
    QCOMPARE(QString::fromStdString(fake.GetText()), clipboard);
    editor.SetClipboard(nullptr);
  }

  void toggleReadOnlyShowsNotices() {
    TTestForm t;
    t->ToggleReadonly1Click();
    QVERIFY(t->CurrentEditor->ReadOnly());
    QCOMPARE(t->StatusPanelText(1), QString("Read-Only is ON"));
    QVERIFY(t->Checked("ToggleReadonly1"));
    // With the status bar hidden the notice shows in the overlay.
    t->ShowStatusBar1Click();
    QVERIFY(!t->StatusBarVisible());
    t->ToggleReadonly1Click();
    QVERIFY(!t->CurrentEditor->ReadOnly());
    QCOMPARE(t->Label1->text(), QString("Read-Only is OFF"));
    QVERIFY(!t->Panel1->isHidden());
  }

  void positionPanelWidensOnceBeyondLine999() {
    TTestForm t;
    std::string text;
    for (int i = 0; i < 1500; ++i) text += "line\r\n";
    t->CurrentEditor->SetText(text);
    const int narrow = t->StatusPanel0->minimumWidth();
    QCOMPARE(narrow, 100);
    t->CurrentEditor->SetCaretPos({3, 1000});
    t->UpdatePositionPanel(false);  // the form's key handler never widens
    QCOMPARE(t->StatusPanel0->minimumWidth(), 100);
    QCOMPARE(t->StatusPanelText(0), QString("  ln 1000 col 3"));
    t->CurrentEditor->SetCaretPos({5, 1234});
    t->UpdatePositionPanel();
    QCOMPARE(t->StatusPanelText(0), QString("  ln 1234 col 5"));
    QCOMPARE(t->StatusPanel0->minimumWidth(), 200);
    t->CurrentEditor->SetCaretPos({1, 1});
    t->UpdatePositionPanel();
    QCOMPARE(t->StatusPanelText(0), QString("  ln 1 col 1"));
    QCOMPARE(t->StatusPanel0->minimumWidth(), 200);
  }

  void selectSyntax_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("checked");  // the item checked afterwards (C# before)
    QTest::newRow("no extension keeps the choice") << "/x/README" << int(siC1);
    QTest::newRow("upper-case C++") << "Main.CPP" << int(siCC1);
    QTest::newRow(".m is C/C++") << "a.m" << int(siCC1);
    QTest::newRow(".htm") << "a.htm" << int(siHTML1);
    QTest::newRow(".plist") << "a.plist" << int(siXML2);
    QTest::newRow("only the last extension") << "archive.tar.gz" << int(siC1);
    QTest::newRow("a dot in a folder is no extension") << "/src/v1.py/README" << int(siC1);
  }
  void selectSyntax() {
    QFETCH(QString, fileName);
    QFETCH(int, checked);
    TTestForm t;
    t->SyntaxItemClick(siC1);
    t->SelectSyntax(fileName);
    QCOMPARE(int(t->CheckedSyntaxItem()), checked);
    QVERIFY(t->Checked(SyntaxItems()[size_t(checked)].Name));
    const auto expected = t->Highlighters.Instance(SyntaxItems()[size_t(checked)].Highlighter);
    QVERIFY(t->CurrentEditor->Highlighter() == expected);
  }

  void syntaxMenuChecks() {
    TTestForm t;
    t->SyntaxItemClick(siObjectiveC1);
    QCOMPARE(t->CheckedSyntaxItem(), siCC1);
    QVERIFY(t->Checked("CC1") && !t->Checked("ObjectiveC1") && !t->Checked("Normal1"));
    QVERIFY(t->CurrentEditor->Highlighter() == t->Highlighters.Instance(hiCpp));
    t->Normal1Click();
    QVERIFY(t->Checked("Normal1") && !t->Checked("CC1"));
    QVERIFY(t->CurrentEditor->Highlighter() == nullptr);
    // Saving a .py document under a .txt name keeps its syntax.
    t->SyntaxItemClick(siPython1);
    t.saveAnswer = t.Path("n.txt");
    t->Saveas1Click();
    QCOMPARE(t->CheckedSyntaxItem(), siPython1);
    // A new tab starts plain.
    t->New1Click();
    QCOMPARE(t->CheckedSyntaxItem(), siNormal1);
    QVERIFY(t->CurrentEditor->Highlighter() == nullptr);
  }

  void settingsRoundTrip() {
    QTemporaryDir dir;
    const QString ini = dir.filePath("vantrel.ini");
    {
      TTestForm t({}, ini);
      t->move(20, 30);
      t->resize(700, 520);
      t->ShowStatusBar1Click();
      t->ShowRightEdge1Click();
      t->SetChecked("Addlinenumbers1", true);
      t->Wordwrap1Click();
      t->SetChecked("ViewCurrentLine1", false);
      QVERIFY(t->FormCloseQuery());
    }
    QSettings written(ini, QSettings::IniFormat);
    for (const char* key : {"Font/Name", "Font/CharSet", "Font/Color", "Font/Size", "Font/Style", "Options/MAX",
                            "Options/Lpos", "Options/Tpos", "Options/Width", "Options/Height", "Options/LineNum",
                            "Options/CurrentLine", "Options/WordWrap", "Options/StatusBar", "Options/RightEdge"})
      QVERIFY2(written.contains(key), key);
    TTestForm t({}, ini);
    QCOMPARE(t->size(), QSize(700, 520));
    QVERIFY(!t->StatusBarVisible() && !t->Checked("ShowStatusBar1"));
    QVERIFY(!t->RightEdgeOn && !t->Checked("ShowRightEdge1"));
    QVERIFY(t->Checked("Addlinenumbers1") && t->Checked("Wordwrap1") && !t->Checked("ViewCurrentLine1"));
    QCOMPARE(t->CurrentEditor->RightEdge(), 0);
    QVERIFY(t->CurrentEditor->Gutter().ShowLineNumbers());
    QCOMPARE(t->CurrentEditor->ActiveLineColor(), clNone);
  }

  void droppedFilesOpenInTabs() {
    TTestForm t;
    WriteFile(t.Path("d.py"), "x = 1\n");
    WriteFile(t.Path("e.txt"), "e\n");
    t->OpenDroppedFiles({t.Path("d.py"), t.Path("e.txt")});
    QCOMPARE(Captions(*t), (QStringList{"Untitled1", t.Path("d.py"), t.Path("e.txt")}));
    QCOMPARE(t->windowTitle(), QString("e.txt - Vantrel Editor"));
    QCOMPARE(t->CurrentFileName, t.Path("e.txt"));
    QCOMPARE(t->EditorAt(1)->Text(), std::string("x = 1\r\n"));
    QCOMPARE(t->CheckedSyntaxItem(), siNormal1);  // a new tab starts plain; e.txt matched nothing
    QVERIFY(t.errors.isEmpty());
  }

  void closingInFullScreenWritesTheNormalBounds() {
    QTemporaryDir dir;
    const QString ini = dir.filePath("vantrel.ini");
    {
      TTestForm t({}, ini);
      t->show();
      QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));
      t->setGeometry(40, 50, 600, 400);
      const QSize normal = t->size();
      t->FullScreen1Click();
      QVERIFY(t->Checked("FullScreen1"));
      QVERIFY(t->FormCloseQuery());
      QVERIFY(!t->Checked("FullScreen1"));
      QSettings written(ini, QSettings::IniFormat);
      QCOMPARE(written.value("Options/Width").toInt(), normal.width());
      QCOMPARE(written.value("Options/Height").toInt(), normal.height());
      QCOMPARE(written.value("Options/MAX").toInt(), 0);
    }
  }

  void unwritableSettingsDoNotBlockClosing() {
    TTestForm t({}, "/proc/no-such-dir/vantrel.ini");
    QVERIFY(t->FormCloseQuery());
  }

  void fontChangeGoesToNewTabsOnly() {
    TTestForm t;
    t->AskFont = [](TFont& font) {
      font.Name = "Liberation Mono";
      font.Size = 14;
      font.Style = fsBold;
      return true;
    };
    t->Font1Click();
    QCOMPARE(t->CurrentEditor->Font().Name, std::string("Liberation Mono"));
    t->New1Click();
    QCOMPARE(t->CurrentEditor->Font().Name, std::string("Liberation Mono"));
    QCOMPARE(t->CurrentEditor->Font().Size, 14);
    QCOMPARE(int(t->CurrentEditor->Font().Style), 0);
    QCOMPARE(t->EditorAt(0)->Font().Size, 14);
  }

  void draggingATabOntoAnotherMovesIt() {
    TTestForm t;
    t->New1Click();
    t->New1Click();
    t->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));
    QTabBar* bar = t->PageControl1->tabBar();
    t->PageControl1DragDrop(bar->tabRect(0).center());
    QCOMPARE(Captions(*t), (QStringList{"Untitled3", "Untitled1", "Untitled2"}));
    QCOMPARE(t->PageControl1->currentIndex(), 0);
    t->PageControl1DragDrop(QPoint(-50, -50));  // outside every tab
    QCOMPARE(Captions(*t), (QStringList{"Untitled3", "Untitled1", "Untitled2"}));
  }

  void menusAsStored_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("New1") << "New1" << "&新建" << QKeySequence("Ctrl+N");
    QTest::newRow("OpenReadonly1") << "OpenReadonly1" << "&只读打开" << QKeySequence("Ctrl+R");
    QTest::newRow("Close3") << "Close3" << "&关闭" << QKeySequence("Ctrl+W");
    QTest::newRow("Exit1") << "Exit1" << "&退出" << QKeySequence("Ctrl+Q");
    QTest::newRow("Printersetup1") << "Printersetup1" << "打印机设置..." << QKeySequence();
    QTest::newRow("Undo1") << "Undo1" << "&撤销" << QKeySequence("Ctrl+Z");
    QTest::newRow("Selectall1") << "Selectall1" << "&全选" << QKeySequence("Ctrl+A");
    QTest::newRow("ViewinHex1") << "ViewinHex1" << "&16进制查看" << QKeySequence("Ctrl+Alt+H");
    QTest::newRow("FullScreen1") << "FullScreen1" << "&全屏" << QKeySequence("F11");
    QTest::newRow("Python1") << "Python1" << "&P&ython" << QKeySequence();
    QTest::newRow("View1") << "View1" << "&查看" << QKeySequence();
  }
  void menusAsStored() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    TTestForm t;
    QAction* action = t->Item(name);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);
  }

  void shortCutValues_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QKeySequence>("sequence");
    QTest::newRow("Ctrl+N") << 16462 << QKeySequence("Ctrl+N");
    QTest::newRow("Ctrl+Alt+H") << 49224 << QKeySequence("Ctrl+Alt+H");
    QTest::newRow("F11") << 122 << QKeySequence("F11");
    QTest::newRow("Shift+F3") << (0x2000 + 114) << QKeySequence("Shift+F3");
    QTest::newRow("none") << 0 << QKeySequence();
  }
  void shortCutValues() {
    QFETCH(int, value);
    QFETCH(QKeySequence, sequence);
    QCOMPARE(ShortCutToKeySequence(value), sequence);
  }

  void allFilesFilterListsNamesWithoutADot() {
    const QStringList filters = FileDialogFilters();
    QCOMPARE(filters.size(), 5);
    // Qt matches the patterns of the last parentheses and shows the rest.
    const QRegularExpression split("^(.*) \\(([^()]*)\\)$");
    const auto all = split.match(filters[0]);
    QVERIFY(all.hasMatch());
    QCOMPARE(all.captured(1), QString("All files (*.*)"));
    QVERIFY(QDir::match(all.captured(2).split(' '), "Makefile"));
    const auto source = split.match(filters[2]);
    QCOMPARE(source.captured(1), QString("Source files (*.pas, *.c, *.cpp, *.asm, *.cc, *.java)"));
    QVERIFY(QDir::match(source.captured(2).split(' '), "x.cc"));
    QVERIFY(!QDir::match(source.captured(2).split(' '), "Makefile"));
  }
};

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
