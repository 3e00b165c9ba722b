#include "app/GotoLineForm.h"

namespace vantrel {

TForm2::TForm2(QWidget* parent) : QDialog(parent) { setWindowTitle("Go to line"); }

}  // namespace vantrel
