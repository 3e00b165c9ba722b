// View > View in hex: shows the current document's file in the hex window.
// Tested by tests/ui/HexViewWidgetTest.cpp and tests/e2e/hexview.sh
#include <QDir>
#include <QFile>

#include "app/HexViewForm.h"
#include "app/HexViewWidget.h"
#include "app/MainForm.h"
#include "hexview/HexSource.h"

namespace vantrel {

TForm4* TForm1::HexForm() {
  // main() creates the window beside this one; tests may not, so make one then.
  if (auto* form = findChild<TForm4*>(QString(), Qt::FindDirectChildrenOnly)) return form;
  return new TForm4(this);
}

void TForm1::ViewinHex1Click() {
  if (!CurrentEditor) return;
  const TCodeEditStringList& lines = CurrentEditor->Lines();
  if (lines.Count() == 0 || (lines.Count() == 1 && lines.Get(0).empty())) return;
  TForm4* form = HexForm();
  THexViewer& viewer = form->HexViewer1->Viewer();
  const QString name = DocumentName();
  const std::string path = QFile::encodeName(name).toStdString();
  if (QDir::isAbsolutePath(name)) {
    // The view shows the file as saved; a name that is no file reports itself.
    viewer.OpenFile(path, true);
  } else {
    // A document never saved: its caption must not find a file of that name
    // in the working directory.
    viewer.Close();
    viewer.OnMessage(CannotOpenText(path) + "\nThe document has never been saved.", hmError);
  }
  if (ShowHexForm) {
    ShowHexForm(*form);
  } else {
    form->exec();
  }
}

}  // namespace vantrel
