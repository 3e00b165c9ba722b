// The text tools through the main window's handlers, and the tool windows'
// key filters and conversions.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/BaseConvForm.h"
#include "app/BusyDialog.h"
#include "app/GotoLineForm.h"
#include "app/MainForm.h"
#include "text/BaseConversion.h"

using namespace vantrel;

namespace {

struct TToolForm {
  QTemporaryDir dir;
  std::unique_ptr<TForm1> form;
  QStringList messages;
  explicit TToolForm(const char* text) {
    form = std::make_unique<TForm1>(QStringList{}, dir.filePath("vantrel.ini"));
    form->ShowMessage = [this](const QString& message) { messages << message; };
    form->FormShow();
    form->CurrentEditor->SetText(text);
  }
  TCodeEdit& Editor() { return *form->CurrentEditor; }
};

}  // namespace

class ToolFormsTest : public QObject {
  Q_OBJECT

 private slots:
  void SortIsOneUndoableChange() {
    TToolForm t("b\r\nA\r\n\r\na");
    t.Editor().Lines().LineBreakStyle = lbsLF;
    t.form->Sort1Click();
    QCOMPARE(QString::fromStdString(t.Editor().Text()).toLower(), QString("\r\na\r\na\r\nb"));
    QVERIFY(t.Editor().Modified());
    t.form->Undo1Click();
    QCOMPARE(t.Editor().Text(), std::string("b\r\nA\r\n\r\na"));
    QCOMPARE(t.Editor().Lines().LineBreakStyle, lbsLF);
  }

  void WordCountWithAndWithoutSelection() {
    TToolForm t("Hello, world!\r\n(again) a-b");
    t.form->WordCount1Click();
    t.Editor().SetSelectionStart(0);
    t.Editor().SetSelectionLength(5);
    t.form->WordCount1Click();
    QCOMPARE(t.messages, (QStringList{"Words: 4  (in 2 lines)", "Words in selected text: 1"}));
  }

  void FileInfoOfANewTab() {
    TToolForm t("");
    t.form->Fileinfo1Click();
    QCOMPARE(t.messages.size(), 1);
    QVERIFY2(t.messages[0].contains("File name - Untitled.txt\n"), qPrintable(t.messages[0]));
    QVERIFY(t.messages[0].contains("Time Creation - 1.1.1601  0:0\n"));
  }

  void CaseToolsNeedASelectionAndKeepIt() {
    TToolForm t("hello big world");
    t.form->ToUppercase1Click();
    QCOMPARE(t.Editor().Text(), std::string("hello big world"));
    t.Editor().SelectAll();
    t.form->Capitalize1Click();
    QCOMPARE(t.Editor().Text(), std::string("Hello Big World"));
    t.form->ToUppercase1Click();
    QCOMPARE(t.Editor().SelectedText(), std::string("HELLO BIG WORLD"));
  }

  void InsertDateAndTimeLeavesTheClipboard() {
    TToolForm t("[sel]");
    QApplication::clipboard()->setText("copied");
    t.Editor().SelectAll();
    t.form->Insertdateandtime1Click();
    QVERIFY(t.Editor().Text().find("[sel]") == std::string::npos);
    QVERIFY(!t.Editor().Text().empty());
    QCOMPARE(QApplication::clipboard()->text(), QString("copied"));
  }

  void GoToLineCentresAFarLine() {
    std::string text;
    for (int i = 1; i <= 5000; ++i) text += std::to_string(i) + "\r\n";
    TToolForm t(text.c_str());
    t.form->resize(800, 600);
    t.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.form.get()));
    t.Editor().SetCaretPos({3, 2});
    QString answer = "1234";
    t.form->AskLineNumber = [&] { return answer; };
    t.form->GototoLine1Click();
    QCOMPARE(t.Editor().CaretPos(), (TBufferCoord{1, 1234}));
    QVERIFY(!t.Editor().HasSelection());
    QVERIFY(t.Editor().VisibleRows() > 10);
    QVERIFY(std::abs(t.Editor().TopLine() + t.Editor().VisibleRows() / 2 - 1234) <= 1);  // in the middle
    answer = "99999";
    t.form->GototoLine1Click();
    QCOMPARE(t.Editor().CaretY(), t.Editor().LineCount());
    answer = "99999999999";
    QVERIFY_THROWS_EXCEPTION(EConvertError, t.form->GototoLine1Click());
  }

  void CommandOutputIsAppendedAndUndoneInOneStep() {
    TToolForm t("first\r\nlast");
    t.Editor().SetCaretPos({1, 1});
    t.form->RunCommandCapture("printf 'a\\nb'; printf 'c%.0s' $(seq 1 3000)", t.Editor());
    QCOMPARE(t.Editor().Text(), "first\r\nlasta\r\nb" + std::string(3000, 'c'));
    t.form->RunCommandCapture("true", t.Editor());  // nothing printed, nothing recorded
    t.form->Undo1Click();
    QCOMPARE(t.Editor().Text(), std::string("first\r\nlast"));
  }

  void CancelEndsAHangingCommandAtOnce() {
    TToolForm t("x");
    QTimer::singleShot(TBusyDialog::kQuietMs + 300, [] {
      if (auto* busy = qobject_cast<TBusyDialog*>(QApplication::activeModalWidget())) busy->CancelButton->click();
    });
    QElapsedTimer clock;
    clock.start();
    t.form->RunCommandCapture("printf out; sleep 100", t.Editor());
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(t.Editor().Text(), std::string("xout"));
  }

  void KeyFiltersAndConversions() {
    Tbaseconv conv;
    QStringList errors;
    conv.ShowError = [&](const QString& message) { errors << message; };
    conv.Edit1->clear();
    QTest::keyClicks(conv.Edit1, "-2a55");
    QCOMPARE(conv.Edit1->text(), QString("255"));
    conv.Button1->click();
    QCOMPARE(conv.Edit2->text(), QString("11111111"));
    QCOMPARE(conv.Edit3->text(), QString("FF"));
    conv.Edit3->clear();
    QTest::keyClicks(conv.Edit3, "fffgffffff");
    QCOMPARE(conv.Edit3->text(), QString(9, 'F'));  // g refused; a ninth digit wraps away
    conv.Button4->click();
    QCOMPARE(conv.Edit1->text(), QString("-1"));
    QCOMPARE(conv.Edit2->text(), QString(32, '1'));
    conv.Edit1->clear();
    conv.Button1->click();
    QCOMPARE(errors.size(), 1);
    QCOMPARE(conv.Edit2->text(), QString(32, '1'));  // left as it was

    TForm2 go;
    go.show();
    QVERIFY(!go.Button1->isEnabled());
    QTest::keyClicks(go.Edit1, "1x2");
    QCOMPARE(go.Edit1->text(), QString("12"));
    QVERIFY(go.Button1->isEnabled());
  }
};

QTEST_MAIN(ToolFormsTest)
#include "ToolFormsTest.moc"
