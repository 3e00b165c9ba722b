#include "app/CommandLineForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vantrel {

TForm3::TForm3(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName("Form3");
  setWindowTitle(tr("执行命令行"));
  setFixedSize(329, 102);
  Label1 = new QLabel("Command line to execute:", this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(12, 10, 305, 18);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(12, 32, 305, 24);
  Button1 = new QPushButton(tr("&确定"), this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(146, 66, 80, 26);
  Button1->setDefault(true);
  Button2 = new QPushButton(tr("&取消"), this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(237, 66, 80, 26);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm3::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Edit1->setFocus();
}

}  // namespace vantrel
