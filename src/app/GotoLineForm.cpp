#include "app/GotoLineForm.h"

#include <QLineEdit>
#include <QPushButton>

#include "app/KeyFilter.h"

namespace vantrel {

TForm2::TForm2(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName("Form2");
  setWindowTitle(tr("跳转行号:"));
  setFixedSize(207, 93);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(16, 16, 175, 24);
  Button1 = new QPushButton(tr("&确定"), this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(16, 56, 80, 26);
  Button1->setDefault(true);
  Button1->setEnabled(false);
  Button2 = new QPushButton(tr("&取消"), this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(111, 56, 80, 26);
  new TKeyFilter(Edit1, [](char c) { return (c >= '0' && c <= '9') || c == '\b'; });
  connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm2::FormShow() {
  Edit1->clear();
  Edit1->setFocus();
}

void TForm2::Edit1Change() { Button1->setEnabled(!Edit1->text().isEmpty()); }

void TForm2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

}  // namespace vantrel
