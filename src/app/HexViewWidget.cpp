#include "app/HexViewWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleHints>
#include <QVBoxLayout>
#include <QWidgetAction>
#include <map>

#include "app/QtCanvas.h"
#include "hexview/Codepages.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

// The desktop clipboard for the viewer's copies: the wide text, when given,
// is what the desktop gets; the code page text stands in otherwise.
class THexClipboard : public Clipboard {
 public:
  bool Open() override {
    if (open_) return false;
    open_ = true;
    text_.clear();
    unicode_.clear();
    return true;
  }
  void Close() override {
    if (!open_) return;
    open_ = false;
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
      clipboard->setText(unicode_.isEmpty() ? QString::fromStdString(CodePage::Active().ToUtf8(text_)) : unicode_);
    }
  }
  bool Clear() override { return open_; }
  bool HasText() const override { return QGuiApplication::clipboard() && !QGuiApplication::clipboard()->text().isEmpty(); }
  std::string GetText() const override {
    return CodePage::Active().FromUtf8(QGuiApplication::clipboard()->text().toStdString());
  }
  bool SetText(std::string_view text) override {
    text_ = std::string(text);
    return open_;
  }
  int RegisterFormat(std::string_view name) override {
    return formats_.try_emplace(std::string(name), 0xC000 + static_cast<int>(formats_.size())).first->second;
  }
  bool HasFormat(int) const override { return false; }
  std::optional<std::string> GetData(int) const override { return std::nullopt; }
  bool SetData(int format, std::string_view data) override {
    if (format == RegisterFormat(kUnicodeTextFormat)) unicode_ = QString::fromUtf8(data.data(), data.size());
    return open_;
  }

 private:
  bool open_ = false;
  std::string text_;
  QString unicode_;
  std::map<std::string, int> formats_;
};

// The canvas with the viewer's wide text: each character at its cell, so
// glyphs from fallback fonts keep the grid.
class THexCanvas : public QtCanvas, public THexWideText {
 public:
  THexCanvas(QPainter& painter, const TRect& clip, const QPalette& palette)
      : QtCanvas(painter, clip, palette), painter_(painter), palette_(palette) {}

  void DrawWideText(const TRect& bounds, int x, int y, std::u32string_view text, int cellWidth, const TFont& font,
                    TColor fore, TColor back) override {
    const QRect rect(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    if (back != clNone) painter_.fillRect(rect, ToQColor(back, palette_));
    const QFont qfont = ToQFont(font, font.Style);
    painter_.save();
    painter_.setClipRect(rect);
    painter_.setFont(qfont);
    painter_.setPen(ToQColor(fore, palette_));
    const int baseline = y + QFontMetrics(qfont).ascent();
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == U' ') continue;
      const char32_t ch = text[i];
      painter_.drawText(QPointF(x + static_cast<qreal>(i) * cellWidth, baseline), QString::fromUcs4(&ch, 1));
    }
    painter_.restore();
  }

 private:
  QPainter& painter_;
  const QPalette& palette_;
};

int VirtualKeyOf(int key) {
  switch (key) {
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Insert: return 0x2D;
    default: return key >= Qt::Key_A && key <= Qt::Key_Z ? key : 0;
  }
}

}  // namespace

THexViewWidget::THexViewWidget(QWidget* parent)
    : QAbstractScrollArea(parent), clipboard_(std::make_unique<THexClipboard>()),
      viewer_(std::make_unique<THexViewer>(clipboard_.get())) {
  setFrameShape(QFrame::Box);
  setFrameShadow(QFrame::Plain);
  setLineWidth(1);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  viewer_->OnRepaint = [this] {
    SyncScrollBars();
    viewport()->update();
  };
  viewer_->OnMessage = [this](const std::string& text, THexMessageKind kind) {
    const QString message = QString::fromLocal8Bit(text.c_str());
    return ShowMessage ? ShowMessage(message, kind) : DefaultMessage(this, message, kind);
  };
  viewer_->MeasureFont = [](const TFont& font) { return QtCanvas::Measure(font, font.Style); };
  SetViewerFont(viewer_->Font());

  autoScroll_.setInterval(50);
  connect(&autoScroll_, &QTimer::timeout, this, [this] {
    Guard([this] { viewer_->AutoScrollTick(); });
    UpdateAutoScroll();
  });
  middleScroll_.setInterval(100);
  connect(&middleScroll_, &QTimer::timeout, this, [this] { Guard([this] { viewer_->MiddleScrollTick(); }); });
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) { VerticalAction(action); });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) { HorizontalMoved(value); });
}

THexViewWidget::~THexViewWidget() = default;

bool THexViewWidget::DefaultMessage(QWidget* parent, const QString& text, THexMessageKind kind) {
  QMessageBox box(QMessageBox::Critical, "Viewer", text,
                  kind == hmRetryCancel ? QMessageBox::Retry | QMessageBox::Cancel : QMessageBox::Ok, parent);
  box.setWindowModality(Qt::ApplicationModal);
  box.raise();
  return box.exec() == QMessageBox::Retry;
}

void THexViewWidget::Guard(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    viewer_->OnMessage(error.what(), hmError);
  }
}

void THexViewWidget::SetViewerFont(const TFont& font) {
  Guard([&] { viewer_->SetFont(font); });
}

void THexViewWidget::SyncScrollBars() {
  if (syncing_) return;
  syncing_ = true;
  const THexScrollBar bar = viewer_->VertScrollBar();
  QScrollBar* vertical = verticalScrollBar();
  // The viewer's bar is 0..Max with a page; Qt's range ends where the last page starts.
  vertical->setRange(0, std::max(0, bar.Max - bar.Page + 1));
  vertical->setPageStep(std::max(1, bar.Page));
  vertical->setValue(bar.Position);
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setRange(0, viewer_->MaxHorzScroll());
  horizontal->setPageStep(std::max(1, viewport()->width()));
  horizontal->setSingleStep(std::max(1, viewer_->CellWidth()));
  horizontal->setValue(viewer_->HorzScroll());
  syncing_ = false;
}

void THexViewWidget::VerticalAction(int action) {
  Guard([&] {
    switch (action) {
      case QAbstractSlider::SliderSingleStepAdd: viewer_->VertScrollBarAction(hsLineDown); break;
      case QAbstractSlider::SliderSingleStepSub: viewer_->VertScrollBarAction(hsLineUp); break;
      case QAbstractSlider::SliderPageStepAdd: viewer_->VertScrollBarAction(hsPageDown); break;
      case QAbstractSlider::SliderPageStepSub: viewer_->VertScrollBarAction(hsPageUp); break;
      case QAbstractSlider::SliderToMinimum: viewer_->VertScrollBarAction(hsTop); break;
      case QAbstractSlider::SliderToMaximum: viewer_->VertScrollBarAction(hsBottom); break;
      case QAbstractSlider::SliderMove:
        viewer_->VertScrollBarAction(hsThumb, verticalScrollBar()->sliderPosition());
        return;  // the thumb stays where the mouse holds it
      default: return;
    }
  });
  // The viewer decides where the view went; the bar follows it.
  verticalScrollBar()->setSliderPosition(viewer_->VertScrollBar().Position);
}

void THexViewWidget::HorizontalMoved(int value) {
  if (syncing_) return;
  Guard([&] { viewer_->SetHorzScroll(value); });
}

void THexViewWidget::paintEvent(QPaintEvent*) {
  const QSize size = viewport()->size();
  const qreal ratio = devicePixelRatioF();
  if (image_.size() != size * ratio) {
    image_ = QImage(size * ratio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
  }
  {
    QPainter painter(&image_);
    THexCanvas canvas(painter, TRect{0, 0, size.width(), size.height()}, palette());
    Guard([&] { viewer_->Paint(canvas, &canvas); });
  }
  QPainter screen(viewport());
  screen.drawImage(0, 0, image_);
}

void THexViewWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Guard([this] { viewer_->SetClientSize(viewport()->width(), viewport()->height()); });
  SyncScrollBars();
}

void THexViewWidget::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers();
  const int key = VirtualKeyOf(event->key());
  bool handled = false;
  if (key != 0) {
    Guard([&] {
      handled = viewer_->KeyDown(key, mods & Qt::ShiftModifier, mods & Qt::ControlModifier, mods & Qt::AltModifier);
    });
  }
  if (!handled) QAbstractScrollArea::keyPressEvent(event);
}

void THexViewWidget::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  const Qt::KeyboardModifiers mods = event->modifiers();
  Guard([&] {
    viewer_->MouseWheel(steps, mods & Qt::ShiftModifier, mods & Qt::ControlModifier, mods & Qt::AltModifier,
                        QApplication::wheelScrollLines());
  });
  event->accept();
}

void THexViewWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::MiddleButton) {
    Guard([&] { viewer_->MiddleDown({pos.x(), pos.y()}); });
    if (viewer_->WantsMiddleScroll()) {
      viewport()->setCursor(Qt::SizeAllCursor);
      middleScroll_.start();
    }
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  // A click soon after a double click selects the line.
  const bool third = sinceDoubleClick_.isValid() &&
                     sinceDoubleClick_.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval();
  sinceDoubleClick_.invalidate();
  Guard([&] { viewer_->MouseDown({pos.x(), pos.y()}, event->modifiers() & Qt::ShiftModifier, third ? 3 : 1); });
}

void THexViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  sinceDoubleClick_.start();
  Guard([&] { viewer_->MouseDown({pos.x(), pos.y()}, false, 2); });
}

void THexViewWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (viewer_->WantsMiddleScroll()) viewer_->MiddleMove({pos.x(), pos.y()});
  if (!(event->buttons() & Qt::LeftButton)) return;
  Guard([&] { viewer_->MouseMove({pos.x(), pos.y()}); });
  UpdateAutoScroll();
}

void THexViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    viewer_->MiddleUp();
    middleScroll_.stop();
    viewport()->setCursor(Qt::IBeamCursor);
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  Guard([&] { viewer_->MouseUp(); });
  UpdateAutoScroll();
}

void THexViewWidget::UpdateAutoScroll() {
  if (viewer_->WantsAutoScroll()) {
    if (!autoScroll_.isActive()) autoScroll_.start();
  } else {
    autoScroll_.stop();
  }
}

QMenu* THexViewWidget::PreparePopup(QPoint pos) {
  popupPos_ = pos;
  if (!popup_) {
    popup_ = new QMenu(this);
    auto add = [this](TPopupCommand command, const char* caption, std::function<void()> run) {
      QAction* action = popup_->addAction(caption);
      connect(action, &QAction::triggered, this, [this, run] { Guard(run); });
      popupItems_[command] = action;
    };
    add(vpCmdCopy, "Copy", [this] { viewer_->CopySelection(false); });
    add(vpCmdCopyHex, "Copy as hex", [this] { viewer_->CopySelection(true); });
    add(vpCmdCopyLink, "Copy link", [] {});
    popup_->addSeparator();
    add(vpCmdSelectLine, "Select line", [this] { viewer_->PopupSelectLine({popupPos_.x(), popupPos_.y()}); });
    add(vpCmdSelectAll, "Select all", [this] { viewer_->SelectAll(); });
    popup_->addSeparator();
    add(vpCmdEncMenu, "Encoding...", [this] { EncodingMenu()->popup(viewport()->mapToGlobal(popupPos_)); });
  }
  const THexPopupState state = viewer_->PopupState({pos.x(), pos.y()});
  for (int i = 0; i < kPopupCommandCount; ++i) {
    popupItems_[i]->setVisible(state.Visible[i]);
    popupItems_[i]->setEnabled(state.Enabled[i]);
  }
  return popup_;
}

void THexViewWidget::contextMenuEvent(QContextMenuEvent* event) {
  const QPoint pos = viewport()->mapFromGlobal(event->globalPos());
  PreparePopup(pos)->popup(event->globalPos());
}

QMenu* THexViewWidget::EncodingMenu() {
  if (!encodingMenu_) {
    // Qt menus have no column breaks, so the columns are laid out in one panel.
    encodingMenu_ = new QMenu(this);
    auto* panel = new QWidget;
    auto* columns = new QHBoxLayout(panel);
    columns->setContentsMargins(4, 4, 4, 4);
    for (const TEncodingMenuColumn& column : EncodingMenuColumns()) {
      auto* items = new QVBoxLayout;
      items->setSpacing(0);
      for (const TEncodingMenuItem& item : column) {
        if (item.Separator) {
          auto* line = new QFrame;
          line->setFrameShape(QFrame::HLine);
          line->setFrameShadow(QFrame::Sunken);
          items->addWidget(line);
          continue;
        }
        auto* button = new QRadioButton(QString::fromStdString(EncodingCaption(item.Encoding)));
        button->setAutoExclusive(false);
        button->setEnabled(EncodingAvailable(item.Encoding));
        button->setProperty("encoding", int(item.Encoding));
        const TTextEncoding encoding = item.Encoding;
        connect(button, &QRadioButton::clicked, this, [this, encoding] {
          encodingMenu_->close();
          Guard([&] { viewer_->ChooseEncoding(encoding); });
        });
        items->addWidget(button);
        encodingItems_.push_back(button);
      }
      items->addStretch();
      columns->addLayout(items);
    }
    auto* action = new QWidgetAction(encodingMenu_);
    action->setDefaultWidget(panel);
    encodingMenu_->addAction(action);
  }
  for (QRadioButton* button : encodingItems_) {
    button->setChecked(button->property("encoding").toInt() == viewer_->TextEncoding());
  }
  return encodingMenu_;
}

}  // namespace vantrel
