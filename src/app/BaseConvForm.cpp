#include "app/BaseConvForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "app/KeyFilter.h"
#include "text/BaseConversion.h"

namespace vantrel {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

Tbaseconv::Tbaseconv(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
  setObjectName("baseconv");
  setWindowTitle(tr("基本转换"));
  setFixedSize(290, 122);
  Edit1 = AddRow(8, "Dec:", Button1);
  Edit2 = AddRow(36, "Bin:", Button3);
  Edit3 = AddRow(64, "Hex:", Button4);
  Edit1->setObjectName("Edit1");
  Edit2->setObjectName("Edit2");
  Edit3->setObjectName("Edit3");
  Button1->setObjectName("Button1");
  Button3->setObjectName("Button3");
  Button4->setObjectName("Button4");
  Button2 = new QPushButton(tr("&退出"), this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(214, 93, 68, 24);

  new TKeyFilter(Edit1, DecimalFieldAccepts);
  new TKeyFilter(Edit2, BinaryFieldAccepts);
  new TKeyFilter(Edit3, HexFieldAccepts);
  // The hexadecimal field shows and keeps its letters in upper case.
  connect(Edit3, &QLineEdit::textEdited, this, [this](const QString& text) {
    const int at = Edit3->cursorPosition();
    Edit3->setText(text.toUpper());
    Edit3->setCursorPosition(at);
  });

  ShowError = [this](const QString& message) { QMessageBox::critical(this, windowTitle(), message); };
  connect(Button1, &QPushButton::clicked, this, [this] {
    try {
      Button1Click();
    } catch (const EConvertError& error) {
      ShowError(QString::fromStdString(error.what()));
    }
  });
  connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
  connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
  connect(Button2, &QPushButton::clicked, this, &QDialog::hide);
}

QLineEdit* Tbaseconv::AddRow(int top, const char* caption, QPushButton*& button) {
  auto* label = new QLabel(caption, this);
  label->setGeometry(8, top + 3, 32, 18);
  auto* edit = new QLineEdit("0", this);
  edit->setGeometry(42, top, 164, 24);
  button = new QPushButton(tr("&转换"), this);
  button->setGeometry(214, top, 68, 24);
  return edit;
}

void Tbaseconv::Button1Click() {
  const int32_t value = DecimalTextValue(Edit1->text().toStdString());
  Edit2->setText(Text(ToBinaryText(value)));
  Edit3->setText(Text(ToHexText(value)));
}

void Tbaseconv::Button3Click() {
  const int32_t value = BinaryTextValue(Edit2->text().toStdString());
  Edit3->setText(Text(ToHexText(value)));
  Edit1->setText(QString::number(value));
}

void Tbaseconv::Button4Click() {
  const int32_t value = HexTextValue(Edit3->text().toUpper().toStdString());
  Edit1->setText(QString::number(value));
  Edit2->setText(Text(ToBinaryText(DecimalTextValue(Edit1->text().toStdString()))));
}

}  // namespace vantrel
