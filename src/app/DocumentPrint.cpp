// The main window's print set-up and printing files to PDF.
// Tested by tests/e2e/print.sh
#include "app/DocumentPrint.h"

#include <QFileInfo>

#include "app/HighlighterSet.h"
#include "app/QtPrinter.h"
#include "app/SettingsFile.h"
#include "app/SyntaxTable.h"
#include "text/CodeEditTextBuffer.h"

namespace vantrel {

void ConfigurePrintOut(TCodeEditPrint& print) {
  print.Copies = 1;
  // 13 pixels high on the screen the settings were made on.
  const TFont headerFont{"Arial", 10, 0, clBlack, false};
  print.Header().DefaultFont = headerFont;
  print.Footer().DefaultFont = headerFont;
  print.SetFont({"MS Sans Serif", 8, 0, clBlack, false});
  print.TabWidth = 8;
  print.Color = clWhite;
}

void SetUpDocumentPrint(TCodeEditPrint& print, const std::string& title, const TCodeEditStringList& lines,
                        const TFont& font, TCustomHighlighter* highlighter) {
  print.Title = title;
  print.SetLines(lines);
  print.SetFont(font);
  print.Header().ClearItems();
  const size_t slash = title.find_last_of('/');
  print.Header().AddItem(slash == std::string::npos ? title : title.substr(slash + 1), nullptr, hfaCenter, 1);
  print.Footer().ClearItems();
  print.Footer().AddItem("$PAGENUM$/$PAGECOUNT$", nullptr, hfaRight, 1);
  print.SetHighlighter(highlighter);
  print.Wrap = true;
}

void PrintFileToPdf(const TPdfPrintRequest& request) {
  TCodeEditStringList lines;
  lines.LoadFromFile(request.FileName);

  // The editor font the settings file gives a new document.
  TAppSettings settings;
  ReadSettings(SettingsFilePath(), settings, FixedPitchFamily());
  TFont font;
  font.Name = EditorFontFamily(settings.FontName).toStdString();
  font.Size = settings.FontSize;

  THighlighterSet highlighters;
  const TSyntaxItem item = SyntaxItemForFileName(request.FileName);
  TCustomHighlighter* highlighter =
      item == siNone ? nullptr : highlighters.Instance(SyntaxItems()[size_t(item)].Highlighter);

  TCodeEditPrint print;
  ConfigurePrintOut(print);
  SetUpDocumentPrint(print, request.FileName, lines, font, highlighter);
  print.Colors = request.Colors;
  QtPdfPrinter printer(QString::fromLocal8Bit(request.PdfName.c_str()));
  print.SetPrinter(&printer);
  print.PrintAll();
  if (!QFileInfo::exists(QString::fromLocal8Bit(request.PdfName.c_str()))) {
    throw EPrintError("Cannot write " + request.PdfName);
  }
}

}  // namespace vantrel
