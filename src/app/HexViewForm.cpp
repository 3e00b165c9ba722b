#include "app/HexViewForm.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/HexViewWidget.h"

namespace vantrel {

TForm4::TForm4(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("Form4");
  setWindowTitle(tr("16进制查看"));
  resize(800, 582);
  HexViewer1 = new THexViewWidget(this);
  HexViewer1->setObjectName("HexViewer1");
  // "Courier New" of 13 pixels.
  HexViewer1->SetViewerFont(TFont{"Courier New", 10, 0, clWindowText, true});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(HexViewer1);
}

void TForm4::FormShow() { HexViewer1->setFocus(); }

void TForm4::FormClose() {
  // The view and its open file stay as they are for the next showing.
}

void TForm4::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (QWidget* owner = parentWidget()) move(owner->geometry().center() - rect().center());
  FormShow();
}

void TForm4::closeEvent(QCloseEvent* event) {
  FormClose();
  QDialog::closeEvent(event);
}

}  // namespace vantrel
