// Tools > Monitor file on the main window, with real files and the real
// watcher thread and timer.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/MainForm.h"
#include "app/QtUiTimer.h"

using namespace vantrel;

namespace {

constexpr int kDelivered = 2000;  // ms to wait for a change to arrive

void WriteFile(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode = QIODevice::WriteOnly) {
  QFile file(path);
  QVERIFY(file.open(mode));
  file.write(bytes);
}

struct TMonitoredForm {
  QTemporaryDir dir;
  QString log = dir.filePath("app.log");
  std::unique_ptr<TForm1> form;
  QStringList questions;
  QStringList errors;
  QMessageBox::StandardButton answer = QMessageBox::Cancel;

  TMonitoredForm() {
    WriteFile(log, "one\ntwo\n");
    form = std::make_unique<TForm1>(QStringList{log}, dir.filePath("vantrel.ini"));
    form->AskYesNoCancel = [this](const QString& question) {
      questions << question;
      return answer;
    };
    form->ShowError = [this](const QString& message) { errors << message; };
    form->FormShow();
    form->show();
  }
  TCodeEdit& Editor() { return *form->CurrentEditor; }
  QString Status() { return form->StatusPanelText(1); }
  void Toggle() { form->Item("MonitorFile1")->trigger(); }
};

}  // namespace

class MonitorFileTest : public QObject {
  Q_OBJECT

 private slots:
  void togglesReadOnlyStatusAndTag() {
    TMonitoredForm t;
    QAction* item = t.form->Item("MonitorFile1");
    QVERIFY(item);
    QCOMPARE(item->text(), QString("&监视文件"));
    QCOMPARE(t.form->findChild<QMenu*>("ools1")->actions().last(), item);
    t.Toggle();
    QVERIFY(item->isChecked());
    QVERIFY(t.Editor().ReadOnly());
    QCOMPARE(t.Editor().Tag, 1);
    QCOMPARE(t.Status(), "Monitoring " + t.log);
    QVERIFY(t.form->FileNotification1->Active());
    t.Toggle();
    QVERIFY(!item->isChecked());
    QVERIFY(!t.Editor().ReadOnly());
    QCOMPARE(t.Editor().Tag, 0);
    QCOMPARE(t.Status(), QString("Stopped monitoring"));
    QVERIFY(!t.form->FileNotification1->Active());
  }

  void followsAppendsRotationAndDisappearance() {
    TMonitoredForm t;
    t.Toggle();
    WriteFile(t.log, "three\n", QIODevice::Append);
    // The line after the final line break is the last line.
    QTRY_COMPARE_WITH_TIMEOUT(t.Editor().LineCount(), 4, kDelivered);
    QCOMPARE(std::string(t.Editor().LineText(3)), std::string("three"));
    QCOMPARE(t.Editor().CaretPos(), (TBufferCoord{1, 4}));
    QVERIFY(!t.Editor().HasSelection());
    QVERIFY(!t.Editor().Modified());
    QCOMPARE(t.form->TabCaption(), t.log);  // no "*"
    QCOMPARE(t.Status(), "Monitoring " + t.log);

    // Gone: reported, the text stays.
    QVERIFY(QFile::rename(t.log, t.log + ".1"));
    QTRY_COMPARE_WITH_TIMEOUT(t.Status(), "Monitored file is missing: " + t.log, kDelivered);
    QCOMPARE(t.Editor().LineCount(), 4);
    // Back under the same name.
    WriteFile(t.log, "fresh");
    QTRY_COMPARE_WITH_TIMEOUT(t.Editor().LineCount(), 1, kDelivered);
    QCOMPARE(std::string(t.Editor().LineText(1)), std::string("fresh"));
    QVERIFY(t.errors.isEmpty());
  }

  void longFileEndsCentredOnItsLastLine() {
    TMonitoredForm t;
    t.Toggle();
    QByteArray text;
    for (int i = 1; i <= 2000; ++i) text += "line " + QByteArray::number(i) + "\n";
    WriteFile(t.log, text);
    QTRY_COMPARE_WITH_TIMEOUT(t.Editor().CaretY(), 2001, kDelivered);
    const int rows = t.Editor().VisibleRows();
    QVERIFY(rows > 2);
    // Centred as far as the end of the text allows.
    QCOMPARE(t.Editor().TopLine(), std::min(2001 - (rows - 1) / 2, 2001 - rows + 1));
  }

  void tabSwitchReloadsTheMonitoredTab() {
    TMonitoredForm t;
    t.Toggle();
    t.form->New1Click();
    WriteFile(t.log, "changed while away\n");
    QTest::qWait(400);  // delivered to the other tab: nothing happens there
    QCOMPARE(t.Editor().LineCount(), 0);
    t.form->PageControl1->setCurrentIndex(0);
    QCOMPARE(std::string(t.Editor().LineText(1)), std::string("changed while away"));
  }

  void ownSaveReloadsOnceWithoutLooping() {
    TMonitoredForm t;
    t.Toggle();
    t.form->Save1Click();
    QTRY_COMPARE_WITH_TIMEOUT(t.Status(), "Monitoring " + t.log, kDelivered);
    t.form->StatusPanel1->setText("probe");
    QTest::qWait(500);
    QCOMPARE(t.Status(), QString("probe"));
  }

  void unsavedChangesAreNotLost() {
    TMonitoredForm t;
    t.Editor().SetText("typed");
    t.form->REChange(t.Editor());
    t.Toggle();  // asked, answered Cancel
    QCOMPARE(t.questions.size(), 1);
    QVERIFY(!t.form->Checked("MonitorFile1"));
    t.answer = QMessageBox::No;
    t.Toggle();
    QVERIFY(t.form->Checked("MonitorFile1"));
    // Read-only switched off and typed into while monitoring: kept.
    t.Editor().SetReadOnly(false);
    t.form->REChange(t.Editor());
    WriteFile(t.log, "new\n", QIODevice::Append);
    QTRY_VERIFY_WITH_TIMEOUT(t.Status().contains("unsaved changes"), kDelivered);
    QCOMPARE(std::string(t.Editor().LineText(1)), std::string("typed"));
  }

  void closingTheMonitoredTabEndsMonitoring() {
    TMonitoredForm t;
    t.Toggle();
    t.form->Close3Click();
    QVERIFY(!t.form->Checked("MonitorFile1"));
    QVERIFY(!t.form->FileNotification1->Active());
    WriteFile(t.log, "after close\n");
    QTest::qWait(400);
    QCOMPARE(t.Editor().LineCount(), 0);
  }

  void timerArmedFromAnotherThreadTicksHereOnce() {
    QtUiTimer timer;
    timer.SetInterval(50);
    int ticks = 0;
    QThread* tickedOn = nullptr;
    timer.OnTimer = [&] {
      ++ticks;
      tickedOn = QThread::currentThread();
      timer.SetEnabled(false);
    };
    std::thread([&] {
      for (int i = 0; i < 100; ++i) timer.SetEnabled(true);
    }).join();
    QTRY_COMPARE_WITH_TIMEOUT(ticks, 1, 1000);
    QTest::qWait(150);
    QCOMPARE(ticks, 1);
    QCOMPARE(tickedOn, QThread::currentThread());
  }
};

QTEST_MAIN(MonitorFileTest)
#include "MonitorFileTest.moc"
