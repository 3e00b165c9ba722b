#include "app/AsciiForm.h"

namespace vantrel {

Tasciiform::Tasciiform(QWidget* parent) : QDialog(parent) { setWindowTitle("ASCII table"); }

}  // namespace vantrel
