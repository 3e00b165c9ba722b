// How the main window prints a document: the print component's stored
// settings, its set-up for one document, and printing a file to PDF without
// a window (vantrel --print-pdf).
// Tested by tests/e2e/print.sh
#pragma once

#include <string>

#include "platform/EditorHost.h"
#include "print/CodeEditPrint.h"

namespace vantrel {

class TCodeEditStringList;
class TCustomHighlighter;

// The main window's print component as it is created.
void ConfigurePrintOut(TCodeEditPrint& print);

// Title, lines, font, header with the file name, footer with page of pages,
// the highlighter and wrapping, as the Print command sets them.
void SetUpDocumentPrint(TCodeEditPrint& print, const std::string& title, const TCodeEditStringList& lines,
                        const TFont& font, TCustomHighlighter* highlighter);

struct TPdfPrintRequest {
  std::string FileName;
  std::string PdfName;
  bool Colors = false;
};

// Prints the file as the Print command prints the active document; needs a
// QGuiApplication. Throws with the reason when the file cannot be read or
// the PDF not written.
void PrintFileToPdf(const TPdfPrintRequest& request);

}  // namespace vantrel
