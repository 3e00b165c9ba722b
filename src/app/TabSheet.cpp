#include "app/TabSheet.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QVBoxLayout>
#include <memory>

namespace vantrel {

namespace {

// A plain text view over the editor model: draws the lines and passes keys
// on, without caret or selection drawing.
class TPlainEditView : public QWidget {
 public:
  explicit TPlainEditView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  TCodeEdit& Editor() { return editor_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QFont font(QString::fromStdString(editor_.Font().Name), editor_.Font().Size);
    font.setStyleHint(QFont::TypeWriter);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    // Scrolls by itself to keep the caret line in view.
    const int rows = std::max(1, height() / metrics.height());
    const int caretY = editor_.CaretY();
    if (caretY < top_) top_ = caretY;
    if (caretY >= top_ + rows) top_ = caretY - rows + 1;
    const int last = std::min(editor_.LineCount(), top_ + rows);
    int y = metrics.ascent();
    for (int line = top_; line <= last; ++line, y += metrics.height()) {
      const std::string_view text = editor_.LineText(line);
      painter.drawText(2, y, QString::fromLatin1(text.data(), qsizetype(std::min<size_t>(text.size(), 1000))));
    }
    const int caretX = 2 + metrics.horizontalAdvance(QString(editor_.CaretX() - 1, 'x'));
    const int caretTop = (caretY - top_) * metrics.height();
    painter.fillRect(caretX, caretTop, 2, metrics.height(), Qt::black);
  }
  void keyPressEvent(QKeyEvent* event) override {
    try {
      KeyPressed(event);
    } catch (const std::exception& error) {
      QMessageBox::critical(this, "Vantrel Editor", QString::fromLocal8Bit(error.what()));
    }
    update();
  }
  void KeyPressed(QKeyEvent* event) {
    TVirtualKey key = VirtualKeyOf(event->key());
    const TShiftState shift = ShiftOf(event->modifiers());
    if (key) editor_.KeyDown(key, shift);
    const QByteArray text = event->text().toLatin1();
    for (char ch : text)
      if (static_cast<unsigned char>(ch) >= 32 || ch == '\r' || ch == '\t' || ch == '\b') editor_.KeyPress(ch);
  }
  void keyReleaseEvent(QKeyEvent* event) override {
    TVirtualKey key = VirtualKeyOf(event->key());
    if (key) editor_.KeyUp(key, ShiftOf(event->modifiers()));
  }
  bool focusNextPrevChild(bool) override { return false; }

 private:
  static TShiftState ShiftOf(Qt::KeyboardModifiers m) {
    return TShiftState((m & Qt::ShiftModifier ? ssShift : 0) | (m & Qt::ControlModifier ? ssCtrl : 0) |
                       (m & Qt::AltModifier ? ssAlt : 0));
  }
  static TVirtualKey VirtualKeyOf(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return TVirtualKey(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return TVirtualKey(VK_F1 + key - Qt::Key_F1);
    switch (key) {
      case Qt::Key_Left: return VK_LEFT;
      case Qt::Key_Right: return VK_RIGHT;
      case Qt::Key_Up: return VK_UP;
      case Qt::Key_Down: return VK_DOWN;
      case Qt::Key_Home: return VK_HOME;
      case Qt::Key_End: return VK_END;
      case Qt::Key_PageUp: return VK_PRIOR;
      case Qt::Key_PageDown: return VK_NEXT;
      case Qt::Key_Return:
      case Qt::Key_Enter: return VK_RETURN;
      case Qt::Key_Backspace: return VK_BACK;
      case Qt::Key_Delete: return VK_DELETE;
      case Qt::Key_Insert: return VK_INSERT;
      case Qt::Key_Tab: return VK_TAB;
      case Qt::Key_Escape: return VK_ESCAPE;
      case Qt::Key_Space: return VK_SPACE;
      default: return 0;
    }
  }

  TCodeEdit editor_;
  int top_ = 1;
};

}  // namespace

TTabSheet::TTabSheet(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);  // border width 0
  auto* view = new TPlainEditView(this);
  layout->addWidget(view);
  view_ = view;
  editor_ = &view->Editor();
}

TTabSheet::~TTabSheet() = default;

}  // namespace vantrel
