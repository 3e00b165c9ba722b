#include "app/BaseConvForm.h"

namespace vantrel {

Tbaseconv::Tbaseconv(QWidget* parent) : QDialog(parent) { setWindowTitle("Base converter"); }

}  // namespace vantrel
