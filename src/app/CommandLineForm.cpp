#include "app/CommandLineForm.h"

namespace vantrel {

TForm3::TForm3(QWidget* parent) : QDialog(parent) { setWindowTitle("Command line"); }

}  // namespace vantrel
