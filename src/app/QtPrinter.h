// Printing through Qt: a canvas whose fonts are sized for the printer's
// resolution, and the printer the print layout talks to, over a QPrinter (the
// print dialog's) or a QPdfWriter (printing to a PDF file without a window).
// Tested by tests/e2e/print.sh
#pragma once

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <memory>
#include <string>

#include "app/QtCanvas.h"
#include "platform/Exception.h"
#include "print/CodeEditPrinterInfo.h"

class QPrinter;

namespace vantrel {

class EPrintError : public Exception {
 public:
  using Exception::Exception;
};

class QtPrinterCanvas : public QtCanvas {
 public:
  // dpi: the printer's resolution, which point sizes are turned into pixels at.
  QtPrinterCanvas(QPainter& painter, const TRect& page, int dpi);

  TFontMetrics MeasureFont(const TFont& font, TFontStyles style) override;

 protected:
  QtFontFace& Face(const TFont& font, TFontStyles style) override;

 private:
  int dpi_;
};

// A printer over a paged paint device; subclasses name the device and what
// a job title and an abort mean for it.
class QtPrinterDevice : public TCodeEditPrinter {
 public:
  QtPrinterDevice();
  ~QtPrinterDevice() override;
  QtPrinterDevice(const QtPrinterDevice&) = delete;  // owns the job's painter
  QtPrinterDevice& operator=(const QtPrinterDevice&) = delete;

  std::optional<TCodeEditPrinterInfo> Info() override;
  Canvas* MeasuringCanvas() override;
  Canvas& BeginDoc(const std::string& title) override;
  void NewPage() override;
  void EndDoc() override;
  void Abort() override;

 protected:
  virtual QPagedPaintDevice& Device() = 0;
  virtual void SetJobTitle(const QString& title) = 0;
  // Throws away what the job produced and ends the painting.
  virtual void DiscardJob() = 0;
  void EndPainting();

 private:
  QImage measureImage_{1, 1, QImage::Format_RGB32};
  std::unique_ptr<QPainter> measurePainter_;
  std::unique_ptr<QtPrinterCanvas> measuring_;
  int measuringDpi_ = 0;
  QPainter painter_;
  std::unique_ptr<QtPrinterCanvas> canvas_;
};

// A4 at 300 dpi with the unprintable strips of the default printer, so a PDF
// is laid out as a print without an installed printer would be.
class QtPdfPrinter : public QtPrinterDevice {
 public:
  explicit QtPdfPrinter(const QString& fileName);
  ~QtPdfPrinter() override { EndPainting(); }  // while the writer is still there

 protected:
  QPagedPaintDevice& Device() override { return writer_; }
  void SetJobTitle(const QString& title) override { writer_.setTitle(title); }
  void DiscardJob() override;

 private:
  QString fileName_;
  QPdfWriter writer_;
};

// The printer the print and printer-setup dialogs configure.
class QtDialogPrinter : public QtPrinterDevice {
 public:
  QtDialogPrinter();
  ~QtDialogPrinter() override;  // ends painting while the printer is still there
  QPrinter& Printer() { return *printer_; }
  std::optional<TCodeEditPrinterInfo> Info() override;

 protected:
  QPagedPaintDevice& Device() override;
  void SetJobTitle(const QString& title) override;
  void DiscardJob() override;

 private:
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace vantrel
