#include "app/AboutForm.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>

namespace vantrel {

namespace {

QLabel* CentredLabel(QWidget* parent, const QString& text, const char* name, int top, int height) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  label->setGeometry(10, top, 260, height);
  return label;
}

}  // namespace

QPixmap ProgramPicture() {
  // The desktop icon's page with text lines and folded corner, at half size.
  QPixmap picture(32, 32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor("#3a4a5c"), 1.5));
  painter.setBrush(QColor("#f4f4f0"));
  painter.drawRoundedRect(QRectF(3, 2, 26, 28), 2.5, 2.5);
  painter.fillRect(QRectF(3.75, 2.75, 5, 26.5), QColor("#d8dee6"));
  painter.setPen(QPen(QColor("#2f6fb3"), 2, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(12, 8), QPointF(24, 8));
  painter.drawLine(QPointF(12, 13), QPointF(20, 13));
  painter.drawLine(QPointF(15, 18), QPointF(25, 18));
  painter.drawLine(QPointF(12, 23), QPointF(18, 23));
  QPainterPath corner;
  corner.moveTo(21, 22);
  corner.lineTo(25, 26);
  corner.lineTo(21, 26);
  corner.closeSubpath();
  painter.fillPath(corner, QColor("#c0392b"));
  return picture;
}

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
  setObjectName("Form7");
  setWindowTitle(tr("关于 Vantrel Editor"));
  setFixedSize(280, 229);
  QFont font("Arial");
  font.setPixelSize(12);
  setFont(font);

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setPixmap(ProgramPicture());
  Image1->setGeometry(124, 12, 32, 32);
  Label1 = CentredLabel(this, "Vantrel Editor", "Label1", 52, 24);
  QFont title("Arial");
  title.setPixelSize(16);
  title.setBold(true);
  Label1->setFont(title);
  Label3 = CentredLabel(this, "Version", "Label3", 80, 18);
  Label2 = CentredLabel(this, "A text editor for programmers, fast on huge files.", "Label2", 104, 36);
  Label4 = CentredLabel(this, "Built with C++20 and Qt 6 by the Vantrel team.", "Label4", 144, 36);
  Button2 = new QPushButton(tr("确定"), this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(100, 192, 80, 26);
  Button2->setDefault(true);
  // OK and Esc both just close the box.
  connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
  FormCreate();
}

void TForm7::FormCreate() { Label3->setText(QString("Version ") + VANTREL_VERSION); }

}  // namespace vantrel
