// The hex window from the main window's View in hex, its painting, context
// menu, encoding menu and messages, offscreen.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/HexViewForm.h"
#include "app/HexViewWidget.h"
#include "app/MainForm.h"

using namespace vantrel;

namespace {

struct THexForm {
  QTemporaryDir dir;
  QString file = dir.filePath("data.bin");
  std::unique_ptr<TForm1> form;
  QStringList messages;
  int shown = 0;

  explicit THexForm(const QByteArray& bytes) {
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(bytes);
    out.close();
    form = std::make_unique<TForm1>(QStringList{file}, dir.filePath("vantrel.ini"));
    form->ShowError = [this](const QString& message) { messages << message; };
    form->ShowHexForm = [this](TForm4& hex) {
      ++shown;
      hex.show();
    };
    form->FormShow();
    Hex().ShowMessage = [this](const QString& text, THexMessageKind) {
      messages << text;
      return false;
    };
  }
  THexViewWidget& Hex() { return *form->HexForm()->HexViewer1; }
};

}  // namespace

class HexViewWidgetTest : public QObject {
  Q_OBJECT

 private slots:
  void viewInHexOpensTheSavedFileAndPaints() {
    THexForm t("Hello, hex view!\x01\x02\xFF");
    t.form->Item("ViewinHex1")->trigger();
    QCOMPARE(t.shown, 1);
    TForm4& window = *t.form->HexForm();
    QCOMPARE(window.windowTitle(), QString("16进制查看"));
    QCOMPARE(t.Hex().Viewer().FileSize(), 19);
    QVERIFY(t.messages.isEmpty());
    // The hex background is drawn where the bytes are.
    window.resize(800, 582);
    QImage image = t.Hex().viewport()->grab().toImage();
    const THexViewer& viewer = t.Hex().Viewer();
    const int y = 1 + viewer.CellHeight() / 2;
    const int x = THexViewer::kLeftMargin + viewer.Layout().HexBackFirst() * viewer.CellWidth() + 2;
    QCOMPARE(image.pixelColor(x, y), QColor(0xEC, 0xEC, 0xEC));
  }

  void keysAndWheelReachTheViewer() {
    THexForm t(QByteArray(16 * 500, 'k'));
    t.form->Item("ViewinHex1")->trigger();
    THexViewWidget& hex = t.Hex();
    hex.window()->resize(800, 582);
    const THexViewer& viewer = hex.Viewer();
    const int64_t page = int64_t(viewer.LinesInWindow()) * 16;
    QVERIFY(page > 0);
    QTest::keyClick(&hex, Qt::Key_PageDown);
    QCOMPARE(viewer.ViewPos(), page);
    QTest::keyClick(&hex, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(viewer.ViewPos(), viewer.MaxViewPos());
    QCOMPARE(hex.verticalScrollBar()->value(), viewer.VertScrollBar().Position);
    QTest::keyClick(&hex, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(viewer.ViewPos(), 0);
    QWheelEvent down(QPointF(50, 50), hex.mapToGlobal(QPointF(50, 50)), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(hex.viewport(), &down);
    QCOMPARE(viewer.ViewPos(), int64_t(QApplication::wheelScrollLines()) * 16);
    QTest::keyClick(&hex, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(viewer.SelLength(), viewer.FileSize());
  }

  void emptyDocumentDoesNothingAndUnsavedNameReports() {
    THexForm t("abc");
    t.form->New1Click();  // an empty "Untitled" tab
    t.form->Item("ViewinHex1")->trigger();
    QCOMPARE(t.shown, 0);
    t.form->CurrentEditor->Lines().Add("text");
    t.form->Item("ViewinHex1")->trigger();
    QCOMPARE(t.shown, 1);
    QCOMPARE(t.messages.size(), 1);
    QVERIFY(t.messages[0].startsWith("Cannot open file: \"Untitled"));
  }

  void contextMenuAndEncodingMenu() {
    THexForm t(QByteArray("\x4A\x00\xFF", 3));
    t.form->Item("ViewinHex1")->trigger();
    QMenu* popup = t.Hex().PreparePopup({10, 10});
    QStringList captions;
    for (QAction* action : popup->actions()) captions << (action->isSeparator() ? "-" : action->text());
    QCOMPARE(captions.join("|"), QString("Copy|Copy as hex|Copy link|-|Select line|Select all|-|Encoding..."));
    QVERIFY(!t.Hex().PopupItem(vpCmdCopy)->isEnabled());
    t.Hex().PopupItem(vpCmdSelectAll)->trigger();
    t.Hex().PreparePopup({10, 10});
    QVERIFY(t.Hex().PopupItem(vpCmdCopyHex)->isEnabled());
    QVERIFY(!t.Hex().PopupItem(vpCmdSelectAll)->isEnabled());
    t.Hex().PopupItem(vpCmdCopyHex)->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("4A 00 FF"));

    t.Hex().EncodingMenu();
    const auto& items = t.Hex().EncodingItems();
    QCOMPARE(int(items.size()), 74);
    QCOMPARE(items[0]->text(), QString("ANSI (Windows)"));
    QVERIFY(items[0]->isChecked());
    items[21]->click();  // Cyrillic (KOI8-R)
    QCOMPARE(t.Hex().Viewer().TextEncoding(), vEncCyrKOI8R);
    t.Hex().EncodingMenu();
    QVERIFY(!items[0]->isChecked());
    QVERIFY(items[21]->isChecked());
  }
};

QTEST_MAIN(HexViewWidgetTest)
#include "HexViewWidgetTest.moc"
