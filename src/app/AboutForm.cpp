#include "app/AboutForm.h"

namespace vantrel {

TForm7::TForm7(QWidget* parent) : QDialog(parent) { setWindowTitle("About Vantrel Editor"); }

}  // namespace vantrel
