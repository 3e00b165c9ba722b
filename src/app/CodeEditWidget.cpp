// The editor widget: Qt events to control calls, control painting to pixels.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#include "app/CodeEditWidget.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "app/QtCanvas.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

struct KeyPair {
  int Qt;
  TVirtualKey Vk;
};

// Keys whose virtual code is not their character.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB}, {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN}, {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU}, {Qt::Key_Pause, 0x13},
    {Qt::Key_CapsLock, 0x14}, {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR}, {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME}, {Qt::Key_Left, VK_LEFT}, {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT}, {Qt::Key_Down, VK_DOWN}, {Qt::Key_Print, 0x2C},
    {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Delete, VK_DELETE}, {Qt::Key_Help, 0x2F},
    {Qt::Key_Menu, 0x5D}, {Qt::Key_NumLock, 0x90}, {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0xBB}, {Qt::Key_Equal, 0xBB},
    {Qt::Key_Comma, 0xBC}, {Qt::Key_Less, 0xBC}, {Qt::Key_Minus, 0xBD},
    {Qt::Key_Underscore, 0xBD}, {Qt::Key_Period, 0xBE}, {Qt::Key_Greater, 0xBE},
    {Qt::Key_Slash, 0xBF}, {Qt::Key_Question, 0xBF}, {Qt::Key_Semicolon, 0xBA},
    {Qt::Key_Colon, 0xBA}, {Qt::Key_QuoteLeft, 0xC0}, {Qt::Key_AsciiTilde, 0xC0},
    {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_BraceLeft, 0xDB}, {Qt::Key_Backslash, 0xDC},
    {Qt::Key_Bar, 0xDC}, {Qt::Key_BracketRight, 0xDD}, {Qt::Key_BraceRight, 0xDD},
    {Qt::Key_Apostrophe, 0xDE}, {Qt::Key_QuoteDbl, 0xDE},
    // Shifted digits on a US layout come as their symbols.
    {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'}, {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'}, {Qt::Key_ParenLeft, '9'}, {Qt::Key_ParenRight, '0'},
};

TRect ToTRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace

CodeEditWidget::CodeEditWidget(QWidget* parent) : QAbstractScrollArea(parent), host_(*this) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled, true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent, true);
  viewport()->setCursor(Qt::IBeamCursor);
  // Whoever focuses the viewport (the window's tab code does) focuses the editor.
  viewport()->setFocusProxy(this);
  setFrameShape(QFrame::NoFrame);
  edit_ = std::make_unique<TCodeEdit>(&host_);
  host_.SetEditor(edit_.get());
  edit_->SetClipboard(&clipboard_);
  edit_->SetWantTabs(true);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
          [this](int value) { ScrollBarMoved(sbVertical, value); });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
          [this](int value) { ScrollBarMoved(sbHorizontal, value); });
}

CodeEditWidget::~CodeEditWidget() {
  host_.SetEditor(nullptr);
  edit_->SetClipboard(nullptr);
  edit_.reset();
}

template <typename F>
void CodeEditWidget::Guarded(F&& call) {
  try {
    call();
  } catch (const std::exception& error) {
    ShowError(QString::fromStdString(CodePage::Active().ToUtf8(error.what())));
  }
}

void CodeEditWidget::ShowError(const QString& message) {
  if (OnError) {
    OnError(message);
    return;
  }
  // Not from inside the event (a paint, a key) that failed.
  QTimer::singleShot(0, this, [this, message] { QMessageBox::critical(this, "Vantrel Editor", message); });
}

void CodeEditWidget::SetEditorFont(const QFont& font) {
  TFont value = edit_->Font();
  value.Name = font.family().toStdString();
  if (font.pointSize() > 0) value.Size = font.pointSize();
  value.Style = static_cast<TFontStyles>((font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
                                         (font.underline() ? fsUnderline : 0) |
                                         (font.strikeOut() ? fsStrikeOut : 0));
  Guarded([&] { edit_->SetFont(value); });
}

TVirtualKey CodeEditWidget::VirtualKeyOf(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return static_cast<TVirtualKey>(qtKey);  // Qt uses the upper-case ASCII codes too
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<TVirtualKey>(VK_F1 + (qtKey - Qt::Key_F1));
  for (const KeyPair& pair : kKeys) {
    if (pair.Qt == qtKey) return pair.Vk;
  }
  return 0;
}

TShiftState CodeEditWidget::ShiftStateOf(Qt::KeyboardModifiers modifiers) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  return shift;
}

bool CodeEditWidget::event(QEvent* event) {
  // Tab and Shift+Tab belong to the editor when it wants tabs; the dialog
  // navigation would take them first.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && edit_->WantTabs()) {
      keyPressEvent(key);
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

bool CodeEditWidget::focusNextPrevChild(bool next) {
  if (edit_ && edit_->WantTabs()) return false;
  return QAbstractScrollArea::focusNextPrevChild(next);
}

void CodeEditWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect area = event->rect();
  QtCanvas canvas(painter, ToTRect(area), palette());
  host_.SetPainting(true);
  try {
    edit_->Paint(canvas, ToTRect(area));
  } catch (const std::exception& error) {
    // The rest of the area gets the background; the message comes later.
    host_.SetPainting(false);
    ShowError(QString::fromStdString(CodePage::Active().ToUtf8(error.what())));
  }
  host_.SetPainting(false);
  const QRect caret = host_.CaretRect();
  if (caret.isValid() && caret.intersects(area)) {
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(caret, Qt::white);
  }
}

void CodeEditWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Guarded([&] { edit_->Resized(); });
}

void CodeEditWidget::keyPressEvent(QKeyEvent* event) {
  const TShiftState shift = ShiftStateOf(event->modifiers());
  TVirtualKey key = VirtualKeyOf(event->key());
  Guarded([&] {
    if (key != 0) edit_->KeyDown(key, shift);
    // Characters as a Windows message loop would send them: not for Alt
    // combinations (menu keys) unless AltGr (Ctrl+Alt) made them.
    const QString text = event->text();
    const bool menuKey = (shift & ssAlt) && !(shift & ssCtrl);
    if (text.isEmpty() || menuKey) return;
    const std::u32string wide = text.toStdU32String();
    const std::string bytes = CodePage::Active().Encode(wide);
    for (char c : bytes) {
      char ch = c;
      edit_->KeyPress(ch);
    }
  });
  event->accept();
}

void CodeEditWidget::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  TVirtualKey key = VirtualKeyOf(event->key());
  if (key != 0) Guarded([&] { edit_->KeyUp(key, ShiftStateOf(event->modifiers())); });
  event->accept();
}

void CodeEditWidget::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  if (!commit.isEmpty()) {
    const std::string bytes = CodePage::Active().Encode(commit.toStdU32String());
    Guarded([&] {
      edit_->ImeResult(bytes);
      // The control expects each committed byte to follow as a character
      // message, and drops exactly that many; send them.
      for (char c : bytes) {
        char ch = c;
        edit_->KeyPress(ch);
      }
    });
  }
  event->accept();
}

QVariant CodeEditWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImCursorRectangle: {
      const QPoint p = host_.ImePosition();
      return QRect(p, QSize(1, std::max(edit_->LineHeight(), 1)));
    }
    case Qt::ImFont: return QtCanvas::ToQFont(edit_->EffectiveFont(), edit_->EffectiveFont().Style);
    case Qt::ImEnabled: return !edit_->ReadOnly();
    default: return QAbstractScrollArea::inputMethodQuery(query);
  }
}

void CodeEditWidget::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  Guarded([&] {
    edit_->InitializeCaret();
    if (edit_->HideSelection()) edit_->InvalidateSelection();
  });
}

void CodeEditWidget::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  Guarded([&] {
    host_.HideCaret();
    host_.DestroyCaret();
    if (edit_->HideSelection()) edit_->InvalidateSelection();
  });
}

// Pointer handling belongs to the control's mouse logic; until then a click
// only focuses the editor.
void CodeEditWidget::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  event->accept();
}

// A context menu asked of the viewport arrives here; its own custom-menu
// signal is what the window listens to.
void CodeEditWidget::contextMenuEvent(QContextMenuEvent* event) {
  if (viewport()->contextMenuPolicy() == Qt::CustomContextMenu) {
    emit viewport()->customContextMenuRequested(event->pos());
    event->accept();
    return;
  }
  QAbstractScrollArea::contextMenuEvent(event);
}

void CodeEditWidget::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches != 0) Guarded([&] { edit_->SetTopLine(edit_->TopLine() - 3 * notches); });
  event->accept();
}

void CodeEditWidget::scrollContentsBy(int, int) {
  // The control scrolls the pixels itself (ScrollWindow); the bars only report.
}

void CodeEditWidget::ScrollBarMoved(TScrollBarKind bar, int value) {
  const TScrollBarState& state = host_.ScrollBarState(bar);
  Guarded([&] {
    if (bar == sbVertical) {
      const int rows = edit_->DisplayRowCount();
      const bool scaled = state.Max == 32767 && rows > 32767;
      edit_->SetTopLine(scaled ? static_cast<int>(int64_t{value} * rows / 32767) : value);
    } else {
      edit_->SetLeftChar(value);
    }
  });
}

}  // namespace vantrel
