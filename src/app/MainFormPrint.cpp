// The main window's Print and Printer setup commands.
// Tested by tests/e2e/print.sh
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "app/DocumentPrint.h"
#include "app/MainForm.h"

namespace vantrel {

TCodeEditPrint& TForm1::PrintOut() {
  if (!fPrintOut) {
    fPrintOut = std::make_unique<TCodeEditPrint>();
    ConfigurePrintOut(*fPrintOut);
  }
  return *fPrintOut;
}

QtDialogPrinter& TForm1::PrinterOf() {
  if (!Printer1) Printer1 = std::make_unique<QtDialogPrinter>();
  return *Printer1;
}

void TForm1::Print1Click() {
  if (!CurrentEditor) return;
  TCodeEditPrint& print = PrintOut();
  QtDialogPrinter& device = PrinterOf();
  print.SetPrinter(&device);
  SetUpDocumentPrint(print, DocumentName().toLocal8Bit().toStdString(), CurrentEditor->Lines(),
                     CurrentEditor->Font(), CurrentEditor->Highlighter());
  const int pages = std::max(print.CountPages(), 1);

  QPrinter& printer = device.Printer();
  QPrintDialog dialog(&printer, this);
  dialog.setMinMax(1, pages);
  printer.setFromTo(1, pages);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  if (dialog.exec() != QDialog::Accepted) return;
  // The layout prints the copies itself, in order, so the driver prints one.
  print.Copies = std::max(printer.copyCount(), 1);
  printer.setCopyCount(1);
  switch (printer.printRange()) {
    case QPrinter::AllPages: print.PrintAll(); break;
    case QPrinter::PageRange: print.PrintPages(printer.fromPage(), printer.toPage()); break;
    default: break;  // a selection: nothing is printed
  }
}

void TForm1::Printersetup1Click() {
  QPageSetupDialog dialog(&PrinterOf().Printer(), this);
  dialog.exec();
}

}  // namespace vantrel
