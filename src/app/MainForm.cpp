#include "app/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

#include "app/TabSheet.h"

namespace vantrel {

namespace {

constexpr int kPanel1Width = 113;
constexpr int kPanel1Height = 16;
constexpr int kWidePositionPanel = 200;

QString ColorStyle(const char* property, TColor c) {
  return QString("%1: #%2%3%4;")
      .arg(property)
      .arg(c & 0xFF, 2, 16, QChar('0'))
      .arg((c >> 8) & 0xFF, 2, 16, QChar('0'))
      .arg((c >> 16) & 0xFF, 2, 16, QChar('0'));
}

QString FileNamePart(const QString& caption) {
  const int slash = caption.lastIndexOf('/');
  return slash < 0 ? caption : caption.mid(slash + 1);
}

}  // namespace

TForm1::TForm1(QStringList commandLineFiles, QString settingsPath, QWidget* parent)
    : QMainWindow(parent), commandLineFiles_(std::move(commandLineFiles)), settingsPath_(std::move(settingsPath)) {
  setObjectName("Form1");
  setWindowTitle("Vantrel Editor");
  setGeometry(556, 196, 640, 501);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  PageControl1->setDocumentMode(true);  // pages fill the control without a frame margin
  PageControl1->tabBar()->setMouseTracking(true);
  setCentralWidget(PageControl1);
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int) {
    if (!closing_) Guard([this] { PageControl1Change(); });
  });

  StatusPanel0 = new QLabel("  ln 1 col 1", this);
  StatusPanel0->setFixedWidth(100);
  StatusPanel1 = new QLabel("ready...", this);
  StatusPanel1->setMinimumWidth(50);
  statusBar()->setObjectName("StatusBar1");
  statusBar()->addWidget(StatusPanel0);
  statusBar()->addWidget(StatusPanel1, 1);

  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameShape(QFrame::NoFrame);
  Panel1->resize(kPanel1Width, kPanel1Height);
  Panel1->setAutoFillBackground(true);
  Label1 = new QLabel("Ready...", Panel1);
  Label1->setObjectName("Label1");
  Label1->setFont(QFont("Tahoma"));
  Panel1->hide();

  AskOpenFileName = [this](const QString& initialDir) {
    QFileDialog dialog(this, "Open", initialDir);
    dialog.setNameFilters(FileDialogFilters());
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::AnyFile);  // no existence check: a missing file fails on loading
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                  : QString();
  };
  AskSaveFileName = [this](const QString& presetName) {
    QString preset = presetName;
    for (;;) {
      QFileDialog dialog(this, "Save As");
      dialog.setNameFilters(FileDialogFilters());
      dialog.setOption(QFileDialog::HideNameFilterDetails);
      dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before overwriting
      dialog.setFileMode(QFileDialog::AnyFile);
      if (!preset.isEmpty()) dialog.selectFile(preset);
      if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
      const QString chosen = dialog.selectedFiles().front();
      const QFileInfo info(chosen);
      if (!info.exists() || info.isWritable()) return chosen;
      QMessageBox::warning(this, "Save As", QString("%1 is read-only.\nUse a different name.").arg(chosen));
      preset = chosen;
    }
  };
  AskYesNoCancel = [this](const QString& question) {
    return QMessageBox::question(this, "Confirm", question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                 QMessageBox::Yes);
  };
  AskFont = [this](TFont& font) {
    bool ok = false;
    QFont initial(QString::fromStdString(font.Name), font.Size);
    initial.setBold(font.Style & fsBold);
    initial.setItalic(font.Style & fsItalic);
    initial.setUnderline(font.Style & fsUnderline);
    initial.setStrikeOut(font.Style & fsStrikeOut);
    const QFont chosen = QFontDialog::getFont(&ok, initial, this);
    if (!ok) return false;
    font.Name = chosen.family().toStdString();
    font.Size = chosen.pointSize() > 0 ? chosen.pointSize() : font.Size;
    font.Style = TFontStyles((chosen.bold() ? fsBold : 0) | (chosen.italic() ? fsItalic : 0) |
                             (chosen.underline() ? fsUnderline : 0) | (chosen.strikeOut() ? fsStrikeOut : 0));
    return true;
  };
  ShowError = [this](const QString& message) { QMessageBox::critical(this, "Vantrel Editor", message); };

  CreateMenus();
  qApp->installEventFilter(this);
  FormCreate();
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  // Editors hook the highlighters, so they go first.
  closing_ = true;
  while (PageControl1->count() > 0) delete PageControl1->widget(0);
}

void TForm1::Guard(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    if (ShowError) ShowError(QString::fromLocal8Bit(error.what()));
  }
}

// ---------------------------------------------------------------- helpers

QAction* TForm1::Item(const QString& name) const {
  auto found = items_.find(name);
  return found == items_.end() ? nullptr : found->second;
}

bool TForm1::Checked(const QString& name) const {
  QAction* action = Item(name);
  return action && action->isChecked();
}

void TForm1::SetChecked(const QString& name, bool checked) {
  if (QAction* action = Item(name)) action->setChecked(checked);
}

bool TForm1::StatusBarVisible() const { return !statusBar()->isHidden(); }

void TForm1::ShowNotice(const QString& text) {
  StatusPanel1->setText(text);
  if (!StatusBarVisible()) {
    Label1->setText(text);
    Label1->adjustSize();
    Panel1->resize(Label1->width() + 2, kPanel1Height);
    PlaceNoticePanel();
    Panel1->show();
    Panel1->raise();
  }
}

void TForm1::PlaceNoticePanel() {
  // Where the status bar would be: the bottom of the window.
  Panel1->move(0, height() - Panel1->height());
}

void TForm1::UpdatePositionPanel(bool widen) {
  if (!CurrentEditor) return;
  if (widen && CurrentEditor->CaretY() > 999 && !positionPanelWidened_) {
    positionPanelWidened_ = true;
    StatusPanel0->setFixedWidth(kWidePositionPanel);
  }
  StatusPanel0->setText(QString("  ln %1 col %2").arg(CurrentEditor->CaretY()).arg(CurrentEditor->CaretX()));
}

QString TForm1::TabCaption(int index) const {
  if (index < 0) index = PageControl1->currentIndex();
  return index < 0 ? QString() : PageControl1->tabText(index);
}

QString TForm1::DocumentName() const {
  QString caption = TabCaption();
  if (caption.startsWith('*')) caption.remove(0, 1);
  return caption;
}

int TForm1::TabCount() const { return PageControl1->count(); }

TCodeEdit* TForm1::EditorAt(int index) const {
  auto* sheet = qobject_cast<TTabSheet*>(PageControl1->widget(index));
  return sheet ? &sheet->Editor() : nullptr;
}

QWidget* TForm1::CurrentView() const {
  TTabSheet* sheet = CurrentSheet();
  return sheet ? sheet->View() : nullptr;
}

TTabSheet* TForm1::CurrentSheet() const { return qobject_cast<TTabSheet*>(PageControl1->currentWidget()); }

int TForm1::StatusPanelWidth(int panel) const { return panel == 0 ? StatusPanel0->width() : StatusPanel1->width(); }

QString TForm1::StatusPanelText(int panel) const { return panel == 0 ? StatusPanel0->text() : StatusPanel1->text(); }

void TForm1::SetTitleFromCaption(const QString& caption) {
  ApplicationTitle = FileNamePart(caption) + " - Vantrel Editor";
  setWindowTitle(ApplicationTitle);
}

void TForm1::SetTabCaption(const QString& caption) {
  const int index = PageControl1->currentIndex();
  if (index < 0) return;
  PageControl1->setTabText(index, caption);
  PageControl1->setTabToolTip(index, caption);
}

// ---------------------------------------------------------------- start and close

void TForm1::FormCreate() {
  FirstShow = true;
  setAcceptDrops(true);
  EditorFontName = "Courier New";
  EditorFontSize = 10;
  RightEdgeOn = true;
  statusBar()->show();
  PlaceNoticePanel();
  QPalette palette = Panel1->palette();
  palette.setColor(QPalette::Window, QColor(0xDF, 0xDF, 0xDF));
  Panel1->setPalette(palette);
  Label1->setStyleSheet(ColorStyle("color", 0x555555) + " background: transparent;");

  TAppSettings s;
  s.Left = x();
  s.Top = y();
  s.Width = width();
  s.Height = height();
  if (!ReadSettings(settingsPath_, s, FixedPitchFamily())) return;
  EditorFontName = EditorFontFamily(s.FontName);
  EditorFontSize = s.FontSize;
  setGeometry(s.Left, s.Top, s.Width, s.Height);
  move(s.Left, s.Top);
  if (s.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
  SetChecked("Addlinenumbers1", s.LineNum);
  SetChecked("ViewCurrentLine1", s.CurrentLine);
  SetChecked("Wordwrap1", s.WordWrap);
  statusBar()->setVisible(s.StatusBar);
  SetChecked("ShowStatusBar1", s.StatusBar);
  RightEdgeOn = s.RightEdge;
  SetChecked("ShowRightEdge1", s.RightEdge);
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  Guard([this] { FormShow(); });
}

void TForm1::FormShow() {
  if (FirstShow) {
    FirstShow = false;
    if (!commandLineFiles_.isEmpty()) {
      for (const QString& file : commandLineFiles_) {
        CreateNewEditor();
        SetTabCaption(file);
        LoadIntoCurrentEditor(file);
        StatusPanel1->clear();
        SelectSyntax(file);
        // The start-up title has a blank and no dash.
        ApplicationTitle = file + " Vantrel Editor";
        setWindowTitle(ApplicationTitle);
        CurrentFileName = file;
      }
    } else {
      New1Click();
    }
  }
  PlaceNoticePanel();
  if (TTabSheet* sheet = CurrentSheet()) sheet->View()->setFocus();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (Panel1->isVisible()) PlaceNoticePanel();
}

TAppSettings TForm1::CollectSettings() const {
  TAppSettings s;
  const TFont font = CurrentEditor ? CurrentEditor->Font() : TFont{EditorFontName.toStdString(), EditorFontSize};
  s.FontName = QString::fromStdString(font.Name);
  s.FontSize = font.Size;
  s.FontColor = font.Color;
  s.FontStyle = font.Style;
  s.Maximized = isMaximized();
  s.Left = x();
  s.Top = y();
  s.Width = width();
  s.Height = height();
  s.LineNum = Checked("Addlinenumbers1");
  s.CurrentLine = Checked("ViewCurrentLine1");
  s.WordWrap = Checked("Wordwrap1");
  s.StatusBar = StatusBarVisible();
  s.RightEdge = RightEdgeOn;
  return s;
}

bool TForm1::FormCloseQuery() {
  if (Checked("FullScreen1")) {
    SetChecked("FullScreen1", false);
    ShowFullScreen(false);
  }
  // A settings file that cannot be written must not keep the program open.
  WriteSettings(settingsPath_, CollectSettings());
  while (TabCount() > 0) {
    if (CurrentEditor && CurrentEditor->Modified()) {
      const auto answer = AskYesNoCancel(QString("Save changes to %1?").arg(DocumentName()));
      if (answer == QMessageBox::Cancel) return false;
      if (answer == QMessageBox::Yes) {
        bool saved = false;
        Guard([&] {
          if (DocumentName().startsWith("Untitled")) {
            saved = Saveas1Click();
          } else {
            Save1Click();
            saved = !CurrentEditor->Modified();
          }
        });
        // A cancelled Save As or a failed save keeps the document and the window.
        if (!saved) return false;
      }
    }
    DestroyCurrentTab();
  }
  return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  Guard([&] { mayClose = FormCloseQuery(); });
  if (!mayClose) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void TForm1::FormClose() { setAcceptDrops(false); }

void TForm1::Exit1Click() { close(); }

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  event->acceptProposedAction();
  Guard([&] { OpenDroppedFiles(paths); });
}

void TForm1::OpenDroppedFiles(const QStringList& paths) {
  for (const QString& path : paths) {
    CreateNewEditor();
    SetTabCaption(path);
    SetTitleFromCaption(path);
    CurrentFileName = path;
    SelectSyntax(path);
    LoadIntoCurrentEditor(path);
    StatusPanel1->clear();
  }
  activateWindow();
  raise();
}

void TForm1::ShowFullScreen(bool on) {
  if (on) {
    SavedBounds = QRect(x(), y(), width(), height());
    showFullScreen();
    if (!StatusBarVisible()) PlaceNoticePanel();
  } else {
    showNormal();
    setGeometry(SavedBounds);
    move(SavedBounds.topLeft());
    setAcceptDrops(true);
  }
}

void TForm1::FullScreen1Click() {
  SetChecked("FullScreen1", !Checked("FullScreen1"));
  ShowFullScreen(Checked("FullScreen1"));
}

// ---------------------------------------------------------------- keys

bool TForm1::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  UpdatePositionPanel(false);
  const Qt::KeyboardModifiers mods = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (mods == Qt::ControlModifier && key == Qt::Key_Tab) {
    if (TabCount() > 0) PageControl1->setCurrentIndex((PageControl1->currentIndex() + 1) % TabCount());
    return true;
  }
  if (mods == Qt::ControlModifier && key == Qt::Key_T) {
    New1Click();
    return true;
  }
  if (CurrentEditor && CurrentEditor->ReadOnly() && key == Qt::Key_Space) {
    // A page down as by the scroll bar: the caret stays where it is.
    CurrentEditor->SetTopLine(CurrentEditor->TopLine() + std::max(1, CurrentEditor->VisibleRows()));
    if (TTabSheet* sheet = CurrentSheet()) sheet->View()->update();
    return true;
  }
  if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) UpdatePositionPanel(false);
  return false;
}

void TForm1::FormKeyUp(int key) {
  UpdatePositionPanel(false);
  if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) UpdatePositionPanel(false);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    // Key events travel up the parent chain; the form sees each once, at the
    // widget that has the focus.
    auto* widget = qobject_cast<QWidget*>(watched);
    QWidget* focus = QApplication::focusWidget();
    if (widget && widget->window() == this && (widget == focus || (!focus && widget == this))) {
      auto* key = static_cast<QKeyEvent*>(event);
      bool consumed = false;
      Guard([&] {
        if (type == QEvent::KeyPress)
          consumed = FormKeyDown(key->key(), key->modifiers());
        else
          FormKeyUp(key->key());
      });
      if (consumed) return true;
    }
  } else if (watched == PageControl1->tabBar()) {
    auto* bar = PageControl1->tabBar();
    if (type == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      Guard([&] { PageControl1MouseDown(mouse->button(), mouse->position().toPoint()); });
      if (mouse->button() == Qt::RightButton) return true;
    } else if (type == QEvent::MouseMove && tabPressed_) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (!tabDragging_ &&
          (mouse->position().toPoint() - tabPressPos_).manhattanLength() >= QApplication::startDragDistance()) {
        tabDragging_ = true;
        bar->setCursor(PageControl1DragOver(PageControl1) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
      }
    } else if (type == QEvent::MouseButtonRelease && tabPressed_) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const bool dropped = tabDragging_;
      tabPressed_ = tabDragging_ = false;
      bar->unsetCursor();
      if (dropped) Guard([&] { PageControl1DragDrop(mouse->position().toPoint()); });
    }
  } else if (type == QEvent::MouseButtonPress) {
    if (TTabSheet* sheet = CurrentSheet(); sheet && watched == sheet->View()) Guard([this] { EditorMouseDown(); });
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace vantrel
