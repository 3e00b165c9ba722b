#include "app/AsciiForm.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include "text/AsciiTable.h"

namespace vantrel {

Tasciiform::Tasciiform(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("asciiform");
  setWindowTitle(tr("ASCII码表"));
  resize(588, 296);
  setMinimumSize(540, 100 + 37);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font("Courier New");
  font.setPixelSize(12);
  font.setStyleHint(QFont::Monospace);
  Memo1->setFont(font);
  QStringList lines;
  for (const std::string& line : AsciiTableLines()) lines << QString::fromLatin1(line.c_str());
  Memo1->setPlainText(lines.join('\n'));
  Memo1->installEventFilter(this);

  panel1 = new QFrame(this);
  panel1->setObjectName("panel1");
  panel1->setFixedHeight(37);
  Button1 = new QPushButton(tr("&关闭"), panel1);
  Button1->setObjectName("Button1");
  auto* panelLayout = new QHBoxLayout(panel1);
  panelLayout->setContentsMargins(0, 0, 8, 0);
  panelLayout->addStretch();
  panelLayout->addWidget(Button1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Memo1);
  layout->addWidget(panel1);
  connect(Button1, &QPushButton::clicked, this, &QDialog::hide);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void Tasciiform::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Memo1->setFocus();
}

bool Tasciiform::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Memo1 && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
    Memo1->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace vantrel
