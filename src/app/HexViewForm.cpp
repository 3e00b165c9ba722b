#include "app/HexViewForm.h"

namespace vantrel {

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) { setWindowTitle("Hex view"); }

}  // namespace vantrel
