// The editor widget offscreen: key mapping, typing and input-method commits,
// the clipboard formats, window metrics, pixels on screen and the time of a
// full-window repaint.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QtTest>
#include <algorithm>

#include "app/CodeEditWidget.h"
#include "app/QtCanvas.h"
#include "app/QtClipboard.h"
#include "app/QtFontFace.h"
#include "highlight/HighlighterCpp.h"
#include "platform/CodePage.h"

using namespace vantrel;

class CodeEditWidgetTest : public QObject {
  Q_OBJECT

 private slots:
  void KeysMapToVirtualKeys_data();
  void KeysMapToVirtualKeys();
  void ModifiersMapToShiftState();
  void TypingGoesThroughTheCodePage();
  void InputMethodCommitIsOneString();
  void ClipboardCarriesTextAndBlockFormat();
  void ResizeChangesWindowMetrics();
  void PaintsTextGutterAndRightEdge();
  void PaintErrorsAreReportedNotThrown();
  void DoubleBytePairsDrawAsOneGlyph_data();
  void DoubleBytePairsDrawAsOneGlyph();
  void ARepaintLooksUpNoFont();
  void FullWindowRepaintTime();
  void MouseSelectsText_data();
  void MouseSelectsText();
  void WheelScrolls_data();
  void WheelScrolls();
  void ScrollBarActionsGoThroughTheControl_data();
  void ScrollBarActionsGoThroughTheControl();
  void ScrollHintWhileDraggingTheThumb();
  void TextDropsBetweenWidgets_data();
  void TextDropsBetweenWidgets();
  void FileDropsGoOnToTheWindow();
  void WheelStepTime();
};

void CodeEditWidgetTest::KeysMapToVirtualKeys_data() {
  QTest::addColumn<int>("qtKey");
  QTest::addColumn<int>("vk");
  QTest::newRow("letter") << int(Qt::Key_A) << int('A');
  QTest::newRow("digit") << int(Qt::Key_7) << int('7');
  QTest::newRow("F1") << int(Qt::Key_F1) << int(VK_F1);
  QTest::newRow("F12") << int(Qt::Key_F12) << int(VK_F12);
  QTest::newRow("left") << int(Qt::Key_Left) << int(VK_LEFT);
  QTest::newRow("page down") << int(Qt::Key_PageDown) << int(VK_NEXT);
  QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(VK_RETURN);
  QTest::newRow("back tab is tab") << int(Qt::Key_Backtab) << int(VK_TAB);
  QTest::newRow("delete") << int(Qt::Key_Delete) << int(VK_DELETE);
  QTest::newRow("shifted 9 is the 9 key") << int(Qt::Key_ParenLeft) << int('9');
  QTest::newRow("brace is the bracket key") << int(Qt::Key_BraceRight) << 0xDD;
  QTest::newRow("no virtual key") << int(Qt::Key_MediaPlay) << 0;
}

void CodeEditWidgetTest::KeysMapToVirtualKeys() {
  QFETCH(int, qtKey);
  QFETCH(int, vk);
  QCOMPARE(int(CodeEditWidget::VirtualKeyOf(qtKey)), vk);
}

void CodeEditWidgetTest::ModifiersMapToShiftState() {
  QCOMPARE(CodeEditWidget::ShiftStateOf(Qt::NoModifier), TShiftState(0));
  QCOMPARE(CodeEditWidget::ShiftStateOf(Qt::ShiftModifier | Qt::ControlModifier), TShiftState(ssShift | ssCtrl));
  QCOMPARE(CodeEditWidget::ShiftStateOf(Qt::AltModifier), TShiftState(ssAlt));
}

void CodeEditWidgetTest::TypingGoesThroughTheCodePage() {
  CodeEditWidget widget;
  widget.resize(400, 300);
  widget.show();
  QVERIFY(QTest::qWaitForWindowExposed(&widget));
  widget.setFocus();
  QTest::keyClicks(&widget, "ab");
  // The text "é" is byte 0xE9 in Windows-1252.
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));
  QApplication::sendEvent(&widget, &press);
  QTest::keyClick(&widget, Qt::Key_Return);
  QTest::keyClick(&widget, Qt::Key_Tab);
  QTest::keyClicks(&widget, "c");
  QTest::keyClick(&widget, Qt::Key_Left);
  QTest::keyClick(&widget, Qt::Key_Backspace);
  QCOMPARE(QByteArray::fromStdString(widget.Editor().Text()), QByteArray("ab\xE9\r\nc"));
  QCOMPARE(widget.Editor().CaretPos(), (TBufferCoord{1, 2}));
}

void CodeEditWidgetTest::InputMethodCommitIsOneString() {
  CodeEditWidget widget;
  widget.resize(400, 300);
  widget.show();
  QVERIFY(QTest::qWaitForWindowExposed(&widget));
  widget.setFocus();
  std::vector<TCodeEditorCommand> commands;
  widget.Editor().OnProcessCommand = [&](TCustomCodeEdit&, TCodeEditorCommand& command, char&, void*) {
    commands.push_back(command);
  };
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("x\xC3\xBCz"));  // "xüz"
  QApplication::sendEvent(&widget, &commit);
  QCOMPARE(commands, std::vector<TCodeEditorCommand>{ecImeStr});
  // Typing after the commit must not be swallowed.
  QTest::keyClicks(&widget, "k");
  QCOMPARE(QByteArray::fromStdString(widget.Editor().Text()), QByteArray("x\xFCzk"));
}

void CodeEditWidgetTest::ClipboardCarriesTextAndBlockFormat() {
  QtClipboard clipboard;
  const int block = clipboard.RegisterFormat("CodeEdit Control Block Type");
  QCOMPARE(clipboard.RegisterFormat("CodeEdit Control Block Type"), block);
  QVERIFY(clipboard.RegisterFormat("Other") != block);
  QVERIFY(clipboard.Open());
  QVERIFY2(!clipboard.Open(), "one session at a time");
  QVERIFY(clipboard.Clear());
  QVERIFY(clipboard.SetText("caf\xE9"));
  QVERIFY(clipboard.SetData(block, std::string("\x02\x00", 2)));
  clipboard.Close();
  const QMimeData* data = QApplication::clipboard()->mimeData();
  QVERIFY(data);
  QCOMPARE(data->text(), QString::fromUtf8("caf\xC3\xA9"));
  QVERIFY(data->hasFormat(QtClipboard::MimeTypeOf("CodeEdit Control Block Type")));
  QVERIFY(clipboard.HasText());
  QCOMPARE(QByteArray::fromStdString(clipboard.GetText()), QByteArray("caf\xE9"));
  QVERIFY(clipboard.HasFormat(block));
  QCOMPARE(clipboard.GetData(block).value(), std::string("\x02\x00", 2));

  // Another program's plain text replaces the whole content.
  QApplication::clipboard()->setText("plain");
  QVERIFY(!clipboard.HasFormat(block));
  QVERIFY(!clipboard.GetData(block).has_value());
  QCOMPARE(QByteArray::fromStdString(clipboard.GetText()), QByteArray("plain"));
}

void CodeEditWidgetTest::ResizeChangesWindowMetrics() {
  CodeEditWidget widget;
  widget.resize(600, 400);
  widget.show();
  QVERIFY(QTest::qWaitForWindowExposed(&widget));
  TCodeEdit& edit = widget.Editor();
  QVERIFY(edit.CharWidth() > 0);
  QVERIFY(edit.LineHeight() > 0);
  const int columns = edit.VisibleColumns();
  QCOMPARE(columns, (widget.viewport()->width() - edit.GutterWidth() - 2) / edit.CharWidth());
  widget.resize(900, 400);
  QCoreApplication::processEvents();
  QVERIFY(edit.VisibleColumns() > columns);
  const int width = edit.CharWidth();
  widget.SetEditorFont(QFont("Courier New", 20));
  QVERIFY(edit.CharWidth() > width);
  QCOMPARE(edit.VisibleRows(), widget.viewport()->height() / edit.LineHeight());
}

namespace {

// Whether any pixel of a column of the image, in a row range, has this colour.
bool ColumnHas(const QImage& image, int x, int top, int bottom, QColor color) {
  for (int y = top; y < bottom; ++y) {
    if (image.pixelColor(x, y) == color) return true;
  }
  return false;
}

}  // namespace

void CodeEditWidgetTest::PaintsTextGutterAndRightEdge() {
  TCppHighlighter cpp;  // outlives the editor
  CodeEditWidget widget;
  widget.resize(1000, 300);
  widget.show();
  QVERIFY(QTest::qWaitForWindowExposed(&widget));
  TCodeEdit& edit = widget.Editor();
  cpp.KeyAttri().SetForeground(0x800000);  // navy keywords
  edit.SetHighlighter(&cpp);
  edit.SetText("int main() { return 0; }\n// comment\n");
  edit.Gutter().SetShowLineNumbers(true);
  edit.Gutter().SetColor(0x00C0FFC0);
  QCoreApplication::processEvents();
  const QImage image = widget.viewport()->grab().toImage();
  const int charWidth = edit.CharWidth();
  const int lineHeight = edit.LineHeight();
  // Gutter colour at its left edge, the right edge line where column 80 ends.
  QCOMPARE(image.pixelColor(2, 2), QColor(0xC0, 0xFF, 0xC0));
  const int edge = edit.TextOriginX() + 80 * charWidth;
  QVERIFY(ColumnHas(image, edge, lineHeight * 4, lineHeight * 6, QColor(0xC0, 0xC0, 0xC0)));
  QVERIFY(!ColumnHas(image, edge + 3, lineHeight * 4, lineHeight * 6, QColor(0xC0, 0xC0, 0xC0)));
  // The keyword's cells hold navy ink; the text after it does not.
  bool navy = false;
  for (int x = edit.TextOriginX(); x < edit.TextOriginX() + 3 * charWidth; ++x) {
    navy = navy || ColumnHas(image, x, 0, lineHeight, QColor(0, 0, 0x80));
  }
  QVERIFY(navy);
  edit.SetHighlighter(nullptr);
}

void CodeEditWidgetTest::PaintErrorsAreReportedNotThrown() {
  // A highlighter that never reaches the line end makes the paint fail.
  class Stuck : public TCppHighlighter {
   public:
    void NextToken() override {
      if (stuck) {
        tokenPos_ = run_;
      } else {
        TCppHighlighter::NextToken();
      }
    }
    bool AtLineEnd() const override { return !stuck && TCppHighlighter::AtLineEnd(); }
    bool stuck = false;
  } highlighter;
  CodeEditWidget widget;
  QStringList errors;
  widget.OnError = [&](const QString& message) { errors << message; };
  widget.resize(300, 200);
  widget.Editor().SetText("int x;");
  widget.Editor().SetHighlighter(&highlighter);
  highlighter.stuck = true;
  widget.show();
  QVERIFY(QTest::qWaitForWindowExposed(&widget));
  widget.viewport()->repaint();
  QVERIFY(!errors.isEmpty());
  QCOMPARE(errors.first(), QString("The highlighter seems to be in an infinite loop"));
  highlighter.stuck = false;
  widget.Editor().SetHighlighter(nullptr);
}

namespace {

// Switches the active code page for one scope.
struct CodePageScope {
  explicit CodePageScope(int number) : previous(CodePage::Active().Number()) { CodePage::SetActive(number); }
  ~CodePageScope() { CodePage::SetActive(previous); }
  int previous;
};

}  // namespace

void CodeEditWidgetTest::DoubleBytePairsDrawAsOneGlyph_data() {
  QTest::addColumn<QByteArray>("pair");  // GBK
  QTest::addColumn<uint>("code");
  QTest::newRow("CJK ideograph") << QByteArray("\xD6\xD0") << uint(0x4E2D);
  QTest::newRow("another ideograph") << QByteArray("\xCE\xC4") << uint(0x6587);
  QTest::newRow("full-width letter") << QByteArray("\xA3\xC1") << uint(0xFF21);
}

void CodeEditWidgetTest::DoubleBytePairsDrawAsOneGlyph() {
  QFETCH(QByteArray, pair);
  QFETCH(uint, code);
  CodePageScope gbk(936);
  TFont font;
  font.Name = "Courier New";
  font.Size = 10;
  QtFontFace& face = QtFontFace::For(font, 0);
  const QtFontFace::Glyph& glyph = face.OfPair(uint8_t(pair[0]), uint8_t(pair[1]));
  QVERIFY(glyph.Index != 0);
  QVERIFY2(face.Faces()[glyph.Face].supportsCharacter(char32_t(code)), "the glyph comes from a face that has it");

  // On screen the pair's two cells differ from two question marks.
  CodeEditWidget widget;
  widget.resize(400, 200);
  widget.show();
  QVERIFY(QTest::qWaitForWindowExposed(&widget));
  TCodeEdit& edit = widget.Editor();
  edit.SetText((pair + "\n??\n").toStdString());
  widget.viewport()->repaint();
  const QImage image = widget.viewport()->grab().toImage();
  const int left = edit.TextOriginX();
  const QRect cells(left, 0, 2 * edit.CharWidth(), edit.LineHeight());
  const QImage drawn = image.copy(cells);
  const QImage marks = image.copy(cells.translated(0, edit.LineHeight()));
  QVERIFY2(drawn != marks, "the pair is drawn as its character, not as two question marks");
  auto inkIn = [&](int from, int to) {
    for (int x = from; x < to; ++x) {
      if (ColumnHas(drawn, x, 0, drawn.height(), QColor(Qt::black))) return true;
    }
    return false;
  };
  QVERIFY2(inkIn(0, drawn.width()), "the character has ink");
}

void CodeEditWidgetTest::ARepaintLooksUpNoFont() {
  TCppHighlighter cpp;  // bold keywords, italic comments
  CodeEditWidget widget;
  widget.resize(600, 300);
  widget.show();
  QVERIFY(QTest::qWaitForWindowExposed(&widget));
  TCodeEdit& edit = widget.Editor();
  edit.SetHighlighter(&cpp);
  edit.SetText("int main() { return 0; }  // done\n");
  edit.Gutter().SetShowLineNumbers(true);
  edit.SetWordWrap(true);
  widget.viewport()->repaint();
  const int64_t before = QtFontFace::LookUps();
  widget.viewport()->repaint();
  widget.viewport()->repaint();
  QCOMPARE(QtFontFace::LookUps(), before);
  edit.SetHighlighter(nullptr);
}

void CodeEditWidgetTest::FullWindowRepaintTime() {
  TCppHighlighter cpp;  // outlives the editor
  CodeEditWidget widget;
  widget.resize(1920, 1080);
  widget.show();
  QVERIFY(QTest::qWaitForWindowExposed(&widget));
  TCodeEdit& edit = widget.Editor();
  cpp.CommentAttri().SetForeground(0x008000);
  cpp.KeyAttri().SetForeground(0x800000);
  cpp.StringAttri().SetForeground(0x0000C0);
  cpp.NumberAttri().SetForeground(0x808000);
  cpp.DirecAttri().SetForeground(0x008080);
  cpp.SymbolAttri().SetForeground(0x404040);
  edit.SetHighlighter(&cpp);
  std::string text;
  const char* const sample[] = {
      "#include <vector>  // the container",
      "static int Count(const std::vector<int>& values, int wanted) {",
      "  int n = 0; /* a comment in the middle */ const char* s = \"string literal\";",
      "  for (int v : values) if (v == wanted) ++n;  // counts 0x1F and 42u too",
      "  return n + 3.25e1 - 'c';",
      "}",
  };
  for (int i = 0; i < 120; ++i) {
    std::string line = sample[i % 6];
    while (line.size() < 260) line += " x = y + 1; // more";
    text += line + "\n";
  }
  edit.SetText(text);
  edit.Gutter().SetShowLineNumbers(true);
  QVERIFY(edit.VisibleColumns() * edit.CharWidth() > 1700);
  QVERIFY(edit.VisibleRows() >= 50);
  std::vector<qint64> times;
  for (int i = 0; i < 15; ++i) {
    QElapsedTimer timer;
    timer.start();
    widget.viewport()->repaint();
    times.push_back(timer.nsecsElapsed());
  }
  std::sort(times.begin(), times.end());
  const double medianMs = times[times.size() / 2] / 1e6;
  qInfo("full 1920x1080 repaint of highlighted C++: median %.2f ms, best %.2f ms", medianMs, times.front() / 1e6);
  // The goal is 8 ms; a loaded test machine gets room before this fails.
  QVERIFY2(times.front() / 1e6 < 40.0, "a full repaint is far too slow");
  edit.SetHighlighter(nullptr);
}

namespace {

// A shown editor widget with text, its font measured.
struct ShownEditor {
  explicit ShownEditor(const std::string& text, QSize size = QSize(600, 400)) {
    widget.resize(size);
    widget.show();
    widget.Editor().SetText(text);
  }
  // The viewport pixel in the middle of the left edge of a display cell.
  QPoint At(int column, int row) {
    TCodeEdit& edit = widget.Editor();
    return QPoint(edit.TextOriginX() + (column - 1) * edit.CharWidth(),
                  (row - edit.TopLine()) * edit.LineHeight() + edit.LineHeight() / 2);
  }
  CodeEditWidget widget;
};

std::string NumberedLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\n";
  return text;
}

}  // namespace

void CodeEditWidgetTest::MouseSelectsText_data() {
  QTest::addColumn<QPoint>("from");  // (column, row)
  QTest::addColumn<QPoint>("to");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<bool>("doubleClick");
  QTest::addColumn<QByteArray>("selected");
  QTest::newRow("drag over three lines") << QPoint(1, 1) << QPoint(1, 4) << 0 << false
                                          << QByteArray("alpha beta\r\ngamma delta\r\nepsilon\r\n");
  QTest::newRow("drag within a line") << QPoint(2, 2) << QPoint(6, 2) << 0 << false << QByteArray("amma");
  QTest::newRow("alt drag: column block") << QPoint(2, 1) << QPoint(4, 3) << int(Qt::AltModifier) << false
                                          << QByteArray("lp\r\nam\r\nps");
  QTest::newRow("double click a word") << QPoint(8, 2) << QPoint(8, 2) << 0 << true << QByteArray("delta");
}

void CodeEditWidgetTest::MouseSelectsText() {
  QFETCH(QPoint, from);
  QFETCH(QPoint, to);
  QFETCH(int, modifiers);
  QFETCH(bool, doubleClick);
  QFETCH(QByteArray, selected);
  ShownEditor e("alpha beta\ngamma delta\nepsilon\nzeta");
  QVERIFY(QTest::qWaitForWindowExposed(&e.widget));
  TCodeEdit& edit = e.widget.Editor();
  edit.SetOptions(edit.Options() | OptionBit(eoAltSetsColumnMode));
  QWidget* viewport = e.widget.viewport();
  const auto keys = Qt::KeyboardModifiers(modifiers);
  if (doubleClick) {
    // The first click places the caret; the second comes as the double click.
    QTest::mouseClick(viewport, Qt::LeftButton, keys, e.At(from.x(), from.y()));
    QTest::mouseDClick(viewport, Qt::LeftButton, keys, e.At(from.x(), from.y()));
  } else {
    QTest::mousePress(viewport, Qt::LeftButton, keys, e.At(from.x(), from.y()));
    QMouseEvent move(QEvent::MouseMove, e.At(to.x(), to.y()), viewport->mapToGlobal(e.At(to.x(), to.y())),
                     Qt::NoButton, Qt::LeftButton, keys);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, keys, e.At(to.x(), to.y()));
  }
  QCOMPARE(QByteArray::fromStdString(edit.SelectedText()), selected);
  QVERIFY(e.widget.hasFocus());
}

void CodeEditWidgetTest::WheelScrolls_data() {
  QTest::addColumn<QList<int>>("angles");
  QTest::addColumn<QList<int>>("pixels");
  QTest::addColumn<bool>("sideways");
  QTest::addColumn<int>("rows");  // or columns sideways
  QTest::newRow("a notch down: 3 rows") << QList<int>{-120} << QList<int>{0} << false << 3;
  QTest::newRow("two half notches of a fine wheel") << QList<int>{-60, -60} << QList<int>{0, 0} << false << 3;
  // Three rows of pixels make a notch.
  QTest::newRow("touchpad: pixels, two rows") << QList<int>{-30, -30} << QList<int>{-1, -1} << false << 0;
  QTest::newRow("touchpad: pixels, three rows") << QList<int>{-30, -30, -30} << QList<int>{-1, -1, -1} << false
                                                << 3;
  QTest::newRow("sideways: 3 columns a notch") << QList<int>{-120, -60} << QList<int>{0, 0} << true << 3;
}

void CodeEditWidgetTest::WheelScrolls() {
  QFETCH(QList<int>, angles);
  QFETCH(QList<int>, pixels);
  QFETCH(bool, sideways);
  QFETCH(int, rows);
  ShownEditor e(NumberedLines(500) + std::string(300, 'x'));
  QVERIFY(QTest::qWaitForWindowExposed(&e.widget));
  TCodeEdit& edit = e.widget.Editor();
  edit.SetTopLine(100);
  edit.SetLeftChar(10);
  const QPoint at = e.At(3, 102);
  for (int i = 0; i < angles.size(); ++i) {
    // A touchpad step here is one row of pixels.
    const QPoint pixel(0, pixels[i] * edit.LineHeight());
    const QPoint angle = sideways ? QPoint(angles[i], 0) : QPoint(0, angles[i]);
    QWheelEvent wheel(at, e.widget.viewport()->mapToGlobal(at), pixel, angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(e.widget.viewport(), &wheel);
  }
  QCOMPARE(edit.TopLine(), sideways ? 100 : 100 + rows);
  QCOMPARE(edit.LeftChar(), sideways ? 10 + rows : 10);
  QCOMPARE(edit.CaretPos(), (TBufferCoord{1, 1}));
}

void CodeEditWidgetTest::ScrollBarActionsGoThroughTheControl_data() {
  QTest::addColumn<int>("lines");
  QTest::addColumn<int>("action");
  QTest::addColumn<int>("thumb");  // slider position for a move, else unused
  QTest::addColumn<int>("topLine");
  QTest::newRow("arrow down") << 500 << int(QAbstractSlider::SliderSingleStepAdd) << 0 << 101;
  QTest::newRow("track click up") << 500 << int(QAbstractSlider::SliderPageStepSub) << 0 << -1;
  QTest::newRow("thumb dragged") << 500 << int(QAbstractSlider::SliderMove) << 250 << 250;
  QTest::newRow("thumb on a scaled bar") << 100000 << int(QAbstractSlider::SliderMove) << 16384 << -2;
}

void CodeEditWidgetTest::ScrollBarActionsGoThroughTheControl() {
  QFETCH(int, lines);
  QFETCH(int, action);
  QFETCH(int, thumb);
  QFETCH(int, topLine);
  ShownEditor e(NumberedLines(lines));
  QVERIFY(QTest::qWaitForWindowExposed(&e.widget));
  TCodeEdit& edit = e.widget.Editor();
  edit.SetOptions(edit.Options() & ~OptionBit(eoShowScrollHint));
  edit.SetTopLine(100);
  const int visible = edit.VisibleRows();
  if (topLine == -1) topLine = 100 - visible;
  if (topLine == -2) topLine = int((int64_t{lines} + visible - 1) * thumb / 32767);
  QScrollBar* bar = e.widget.verticalScrollBar();
  if (action == QAbstractSlider::SliderMove) {
    bar->setSliderDown(true);
    bar->setSliderPosition(thumb);
    bar->setSliderDown(false);
  } else {
    bar->triggerAction(QAbstractSlider::SliderAction(action));
  }
  QCOMPARE(edit.TopLine(), topLine);
  QCOMPARE(bar->value(), e.widget.Host().ScrollBarState(sbVertical).Position);
}

void CodeEditWidgetTest::ScrollHintWhileDraggingTheThumb() {
  ShownEditor e(NumberedLines(500));
  QVERIFY(QTest::qWaitForWindowExposed(&e.widget));
  QScrollBar* bar = e.widget.verticalScrollBar();
  bar->setSliderDown(true);
  bar->setSliderPosition(200);
  QLabel* shown = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == "ScrollHint" && w->isVisible()) shown = qobject_cast<QLabel*>(w);
  }
  QVERIFY(shown);
  QCOMPARE(shown->text(), QString("Top Line: 200"));
  // Right-aligned 4 pixels from the text area's right edge.
  const QPoint right = e.widget.viewport()->mapToGlobal(QPoint(e.widget.viewport()->width() - 4, 10));
  QCOMPARE(shown->geometry().right() + 1, right.x());
  bar->setSliderDown(false);
  QVERIFY(!shown->isVisible());
}

void CodeEditWidgetTest::TextDropsBetweenWidgets_data() {
  QTest::addColumn<bool>("sameEditor");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<QByteArray>("source");
  QTest::addColumn<QByteArray>("target");
  QTest::newRow("between editors: copy") << false << 0 << QByteArray("one two") << QByteArray("[two]");
  QTest::newRow("between editors with shift: move") << false << int(Qt::ShiftModifier) << QByteArray("one ")
                                                    << QByteArray("[two]");
  QTest::newRow("within an editor: move") << true << 0 << QByteArray("one [two]") << QByteArray();
  QTest::newRow("within an editor with ctrl: copy") << true << int(Qt::ControlModifier)
                                                    << QByteArray("one two[two]") << QByteArray();
}

void CodeEditWidgetTest::TextDropsBetweenWidgets() {
  QFETCH(bool, sameEditor);
  QFETCH(int, modifiers);
  QFETCH(QByteArray, source);
  QFETCH(QByteArray, target);
  ShownEditor from(sameEditor ? "one two[]" : "one two");
  ShownEditor to("[]");
  QVERIFY(QTest::qWaitForWindowExposed(&from.widget));
  CodeEditWidget& dropOn = sameEditor ? from.widget : to.widget;
  from.widget.Editor().PlaceCaretAndBlock({8, 1}, {5, 1}, {8, 1});  // "two"
  // The press inside the selection and a move past the threshold start the drag.
  TCodeEdit& edit = from.widget.Editor();
  QTest::mousePress(from.widget.viewport(), Qt::LeftButton, {}, from.At(6, 1));
  QVERIFY(edit.HasSelection());
  edit.MouseMove(ssLeft, from.At(6, 1).x() + 20, from.At(6, 1).y());
  QVERIFY(edit.Dragging());
  // What the drag carries: the text and the block format beside it.
  std::unique_ptr<QMimeData> data(CodeEditWidget::DragData(edit.SelectedText(), edit.EffectiveSelectionMode()));
  QCOMPARE(data->text(), QString("two"));
  QCOMPARE(data->data(QtClipboard::MimeTypeOf("CodeEdit Control Block Type")), QByteArray("\0two\0", 5));
  const QPoint at = sameEditor ? from.At(9, 1) : to.At(2, 1);
  const auto keys = Qt::KeyboardModifiers(modifiers);
  // Only a real drag knows its source widget, from which the editor is found.
  QCOMPARE(CodeEditWidget::DragSourceEditor(from.widget.viewport()), &from.widget.Editor());
  QCOMPARE(CodeEditWidget::DragSourceEditor(&to.widget), &to.widget.Editor());
  QVERIFY(!CodeEditWidget::DragSourceEditor(nullptr));
  // Drag events from a real drag know their source; here the editor is told directly.
  TCustomCodeEdit* sourceEditor = &from.widget.Editor();
  QVERIFY(dropOn.Editor().DragOver(sourceEditor, at.x(), at.y(), dsDragEnter));
  dropOn.Editor().DragDrop(sourceEditor, at.x(), at.y(), CodeEditWidget::ShiftStateOf(keys));
  from.widget.Editor().DragEnded(false);
  QCOMPARE(QByteArray::fromStdString(from.widget.Editor().Text()), source);
  if (!sameEditor) QCOMPARE(QByteArray::fromStdString(to.widget.Editor().Text()), target);
  QCOMPARE(QByteArray::fromStdString(dropOn.Editor().SelectedText()), QByteArray("two"));
}

void CodeEditWidgetTest::FileDropsGoOnToTheWindow() {
  // The window takes files; an editor without eoDropFiles leaves them to it.
  class Window : public QWidget {
   public:
    Window() { setAcceptDrops(true); }
    QStringList dropped;

   protected:
    void dragEnterEvent(QDragEnterEvent* event) override { event->acceptProposedAction(); }
    void dropEvent(QDropEvent* event) override {
      for (const QUrl& url : event->mimeData()->urls()) dropped << url.toLocalFile();
      event->acceptProposedAction();
    }
  } window;
  window.resize(500, 400);
  auto* editor = new CodeEditWidget(&window);
  editor->resize(500, 400);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile("/tmp/a.txt"), QUrl::fromLocalFile("/tmp/b c.cpp")});
  const QPoint at(100, 50);
  QDragEnterEvent enter(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(editor->viewport(), &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(editor->viewport(), &drop);
  QCOMPARE(window.dropped, (QStringList{"/tmp/a.txt", "/tmp/b c.cpp"}));

  // With eoDropFiles and a handler the editor takes them itself.
  std::vector<std::string> received;
  editor->Editor().SetOptions(editor->Editor().Options() | OptionBit(eoDropFiles));
  editor->Editor().OnDropFiles = [&](TCustomCodeEdit&, int, int, const std::vector<std::string>& names) {
    received = names;
  };
  window.dropped.clear();
  QDragEnterEvent enterOwn(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(editor->viewport(), &enterOwn);
  QVERIFY(enterOwn.isAccepted());
  QDropEvent own(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(editor->viewport(), &own);
  QCOMPARE(received, (std::vector<std::string>{"/tmp/a.txt", "/tmp/b c.cpp"}));
  QVERIFY(window.dropped.isEmpty());
}

void CodeEditWidgetTest::WheelStepTime() {
  ShownEditor e(NumberedLines(200000), QSize(1600, 1000));
  QVERIFY(QTest::qWaitForWindowExposed(&e.widget));
  TCodeEdit& edit = e.widget.Editor();
  edit.SetTopLine(100000);
  QWidget* viewport = e.widget.viewport();
  const QPoint at(200, 200);
  std::vector<qint64> times;
  for (int i = 0; i < 40; ++i) {
    QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, i % 2 ? 120 : -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    // The control repaints what scrolled in before the event returns.
    QElapsedTimer timer;
    timer.start();
    QApplication::sendEvent(viewport, &wheel);
    times.push_back(timer.nsecsElapsed());
  }
  std::sort(times.begin(), times.end());
  qInfo("one wheel step with repaint, 1600x1000: median %.3f ms, best %.3f ms", times[times.size() / 2] / 1e6,
        times.front() / 1e6);
  // The goal is 2 ms; a loaded test machine gets room before this fails.
  QVERIFY2(times.front() / 1e6 < 20.0, "a wheel step is far too slow");
}

QTEST_MAIN(CodeEditWidgetTest)
#include "CodeEditWidgetTest.moc"
