// The editor widget: Qt events to control calls, control painting to pixels.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#include "app/CodeEditWidget.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

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
  // The cursor shape follows the pointer without a button held, and text
  // may be dropped on the editor.
  viewport()->setMouseTracking(true);
  viewport()->setAcceptDrops(true);
  // Whoever focuses the viewport (the window's tab code does) focuses the editor.
  viewport()->setFocusProxy(this);
  setFrameShape(QFrame::NoFrame);
  edit_ = std::make_unique<TCodeEdit>(&host_);
  host_.SetEditor(edit_.get());
  edit_->SetClipboard(&clipboard_);
  edit_->SetWantTabs(true);
  host_.OnBeginDrag = [this] { QTimer::singleShot(0, this, [this] { StartTextDrag(); }); };
  // The bars only report what the user did; the control decides where the
  // view goes and sets the bars back.
  for (const TScrollBarKind bar : {sbVertical, sbHorizontal}) {
    QScrollBar* scrollBar = bar == sbVertical ? verticalScrollBar() : horizontalScrollBar();
    connect(scrollBar, &QScrollBar::actionTriggered, this, [this, bar](int action) { ScrollBarAction(bar, action); });
    connect(scrollBar, &QScrollBar::sliderReleased, this, [this, bar] { ScrollBarReleased(bar); });
    // A wheel over a bar scrolls like one over the text.
    scrollBar->installEventFilter(this);
  }
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

TShiftState CodeEditWidget::ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift = ShiftStateOf(modifiers);
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
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
  host_.Painted(event->region());
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
  Guarded([&] { edit_->FocusGained(); });
}

void CodeEditWidget::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  Guarded([&] {
    // A press that was selecting loses the pointer with the focus.
    if (host_.HasCapture()) {
      host_.ReleaseCapture();
      edit_->CaptureLost();
    }
    edit_->FocusLost();
  });
}

namespace {

TMouseButton ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
  }
}

}  // namespace

void CodeEditWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
  Guarded([&] { edit_->MouseDown(ButtonOf(event->button()), shift, p.x(), p.y()); });
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
  event->accept();
}

// Qt sends the second press of a double click as this event alone.
void CodeEditWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
  Guarded([&] {
    if (event->button() == Qt::LeftButton) edit_->DblClick(p.x(), p.y());
    edit_->MouseDown(ButtonOf(event->button()), shift | ssDouble, p.x(), p.y());
  });
  event->accept();
}

void CodeEditWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
  Guarded([&] {
    edit_->MouseMove(shift, p.x(), p.y());
    edit_->UpdateMouseCursor(p.x(), p.y());
  });
  event->accept();
}

void CodeEditWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
  Guarded([&] {
    edit_->MouseUp(ButtonOf(event->button()), shift, p.x(), p.y());
    edit_->UpdateMouseCursor(p.x(), p.y());
  });
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
  int delta = event->angleDelta().y();
  const int lineHeight = edit_->LineHeight();
  if (!event->pixelDelta().isNull() && lineHeight > 0) {
    // Touchpads report pixels: three rows of them make a notch (120 units).
    const int perNotch = 3 * lineHeight;
    const int total = event->pixelDelta().y() * 120 + wheelPixels_;
    delta = total / perNotch;
    wheelPixels_ = total % perNotch;
  }
  if (delta != 0) Guarded([&] { edit_->MouseWheel(ShiftStateOf(event->modifiers()), delta); });
  // Sideways (tilt wheels, touchpads): three columns a notch.
  sidewaysWheel_ += event->angleDelta().x();
  const int columns = 3 * (sidewaysWheel_ / 120);
  sidewaysWheel_ %= 120;
  if (columns != 0) Guarded([&] { edit_->SetLeftChar(edit_->LeftChar() - columns); });
  event->accept();
}

bool CodeEditWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel && (watched == verticalScrollBar() || watched == horizontalScrollBar())) {
    wheelEvent(static_cast<QWheelEvent*>(event));
    return true;
  }
  return QAbstractScrollArea::eventFilter(watched, event);
}

void CodeEditWidget::scrollContentsBy(int, int) {
  // The control scrolls the pixels itself (ScrollWindow); the bars only report.
}

bool CodeEditWidget::ScrollCodeOf(int sliderAction, TScrollCode& code) {
  switch (sliderAction) {
    case QAbstractSlider::SliderSingleStepSub: code = scLineUp; return true;
    case QAbstractSlider::SliderSingleStepAdd: code = scLineDown; return true;
    case QAbstractSlider::SliderPageStepSub: code = scPageUp; return true;
    case QAbstractSlider::SliderPageStepAdd: code = scPageDown; return true;
    case QAbstractSlider::SliderToMinimum: code = scTop; return true;
    case QAbstractSlider::SliderToMaximum: code = scBottom; return true;
    case QAbstractSlider::SliderMove: code = scTrack; return true;
    default: return false;
  }
}

void CodeEditWidget::ScrollBarAction(TScrollBarKind bar, int action) {
  TScrollCode code;
  if (!ScrollCodeOf(action, code)) return;
  QScrollBar* scrollBar = bar == sbVertical ? verticalScrollBar() : horizontalScrollBar();
  if (code == scTrack) thumbPosition_[bar] = scrollBar->sliderPosition();
  Guarded([&] {
    edit_->ScrollBarMessage(bar, code, scrollBar->sliderPosition());
    // Clicks on the arrows and the track end at once; the thumb ends when let go.
    if (code != scTrack) edit_->ScrollBarMessage(bar, scEndScroll, 0);
  });
  // Qt applies the slider position next: make it the control's. Quietly, or
  // the change would come back as another move.
  const QSignalBlocker quiet(scrollBar);
  scrollBar->setSliderPosition(host_.ScrollBarState(bar).Position);
}

void CodeEditWidget::ScrollBarReleased(TScrollBarKind bar) {
  // Where the user left the thumb, not where the control put it back: on a
  // scaled bar the two differ by rounding, and the view would jump.
  Guarded([&] {
    edit_->ScrollBarMessage(bar, scPosition, thumbPosition_[bar]);
    edit_->ScrollBarMessage(bar, scEndScroll, 0);
  });
}

// ---------------------------------------------------------------- drag and drop

TCustomCodeEdit* CodeEditWidget::DragSourceEditor(QObject* source) {
  for (QObject* object = source; object; object = object->parent()) {
    if (auto* widget = qobject_cast<CodeEditWidget*>(object)) return &widget->Editor();
  }
  return nullptr;
}

QMimeData* CodeEditWidget::DragData(const std::string& text, TSelectionMode mode) {
  auto* data = new QMimeData();
  data->setText(QString::fromStdString(CodePage::Active().ToUtf8(text)));
  // The block format as the clipboard carries it: mode byte, text, NUL.
  QByteArray block;
  block.append(static_cast<char>(mode));
  block.append(text.data(), static_cast<qsizetype>(text.size()));
  block.append('\0');
  data->setData(QtClipboard::MimeTypeOf(TCustomCodeEdit::kBlockFormatName), block);
  return data;
}

void CodeEditWidget::StartTextDrag() {
  if (!edit_->Dragging()) return;
  if (!edit_->HasSelection()) {
    Guarded([&] { edit_->DragEnded(true); });
    return;
  }
  QPointer<CodeEditWidget> self(this);
  auto* drag = new QDrag(this);
  drag->setMimeData(DragData(edit_->SelectedText(), edit_->EffectiveSelectionMode()));
  // Editors do the moving themselves when text is dropped on them; other
  // programs are offered a copy only, so a drop elsewhere never loses text.
  const Qt::DropAction result = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
  if (!self) return;
  Guarded([&] { edit_->DragEnded(result == Qt::IgnoreAction); });
}

void CodeEditWidget::DragOverEditor(QDropEvent* event, TDragState state) {
  const QPoint p = event->position().toPoint();
  TCustomCodeEdit* source = DragSourceEditor(event->source());
  if (source) {
    bool accept = false;
    Guarded([&] { accept = edit_->DragOver(source, p.x(), p.y(), state); });
    if (!accept) {
      event->ignore();
      return;
    }
    const TShiftState shift = ShiftStateOf(event->modifiers());
    const bool copy = source == edit_.get() ? (shift & ssCtrl) != 0 : (shift & ssShift) == 0;
    event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
    return;
  }
  // Files from a file manager: the editor's own when it takes dropped files,
  // else the window's (an ignored drag goes on to the parent).
  if (event->mimeData()->hasUrls() && edit_->HasOption(eoDropFiles) && edit_->OnDropFiles) {
    event->acceptProposedAction();
    return;
  }
  event->ignore();
}

void CodeEditWidget::dragEnterEvent(QDragEnterEvent* event) {
  dragOverSource_ = nullptr;
  for (QObject* object = event->source(); object; object = object->parent()) {
    if (auto* widget = qobject_cast<CodeEditWidget*>(object)) {
      dragOverSource_ = widget;
      break;
    }
  }
  DragOverEditor(event, dsDragEnter);
}

void CodeEditWidget::dragMoveEvent(QDragMoveEvent* event) { DragOverEditor(event, dsDragMove); }

void CodeEditWidget::dragLeaveEvent(QDragLeaveEvent* event) {
  if (dragOverSource_) {
    const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
    Guarded([&] { edit_->DragOver(&dragOverSource_->Editor(), p.x(), p.y(), dsDragLeave); });
  }
  dragOverSource_ = nullptr;
  event->accept();
}

void CodeEditWidget::dropEvent(QDropEvent* event) {
  const QPoint p = event->position().toPoint();
  dragOverSource_ = nullptr;
  TCustomCodeEdit* source = DragSourceEditor(event->source());
  if (source) {
    const TShiftState shift = ShiftStateOf(event->modifiers());
    const bool copy = source == edit_.get() ? (shift & ssCtrl) != 0 : (shift & ssShift) == 0;
    event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
    Guarded([&] { edit_->DragDrop(source, p.x(), p.y(), shift); });
    if (!hasFocus()) setFocus(Qt::OtherFocusReason);
    return;
  }
  if (event->mimeData()->hasUrls() && edit_->HasOption(eoDropFiles)) {
    std::vector<std::string> files;
    for (const QUrl& url : event->mimeData()->urls()) {
      if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
    }
    event->acceptProposedAction();
    Guarded([&] { edit_->DropFiles(p.x(), p.y(), files); });
    return;
  }
  event->ignore();
}

}  // namespace vantrel
