// Printer canvas and printer devices over Qt.
// Tested by tests/e2e/print.sh
#include "app/QtPrinter.h"

#include <QFile>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>
#include <map>
#include <tuple>

#include "app/QtFontFace.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

// Paper is white and ink black, whatever the desktop's colour scheme.
const QPalette& PaperPalette() {
  static const QPalette palette(Qt::black, Qt::white, Qt::white, Qt::darkGray, Qt::gray, Qt::black, Qt::white,
                                Qt::white, Qt::white);
  return palette;
}

using PrinterFontKey = std::tuple<std::string, int, bool, TFontStyles, int, int>;

PrinterFontKey KeyOf(const TFont& font, TFontStyles style, int dpi) {
  return {font.Name, font.Size, font.FixedPitch, style, dpi, CodePage::Active().Number()};
}

QFont PrinterFont(const TFont& font, TFontStyles style, int dpi) {
  QFont q = QtCanvas::ToQFont(font, style);
  q.setPixelSize(std::max(1, static_cast<int>(std::lround((font.Size > 0 ? font.Size : 10) * dpi / 72.0))));
  return q;
}

}  // namespace

// ---------------------------------------------------------------- canvas

QtPrinterCanvas::QtPrinterCanvas(QPainter& painter, const TRect& page, int dpi)
    : QtCanvas(painter, page, PaperPalette()), dpi_(dpi) {}

QtFontFace& QtPrinterCanvas::Face(const TFont& font, TFontStyles style) {
  static std::map<PrinterFontKey, std::unique_ptr<QtFontFace>> faces;
  auto& slot = faces[KeyOf(font, style, dpi_)];
  if (!slot) slot = std::make_unique<QtFontFace>(PrinterFont(font, style, dpi_), CodePage::Active());
  return *slot;
}

TFontMetrics QtPrinterCanvas::MeasureFont(const TFont& font, TFontStyles style) {
  static std::map<PrinterFontKey, TFontMetrics> measured;
  auto [it, added] = measured.try_emplace(KeyOf(font, style, dpi_));
  if (added) {
    const QFontMetrics metrics(PrinterFont(font, style, dpi_));
    it->second.CharWidth = metrics.horizontalAdvance(QLatin1Char('M'));
    it->second.CharHeight = metrics.height();
    it->second.AverageCharWidth = metrics.averageCharWidth();
    it->second.MaximumCharWidth = metrics.horizontalAdvance(QLatin1Char('W'));
  }
  return it->second;
}

// ---------------------------------------------------------------- devices

QtPrinterDevice::QtPrinterDevice() = default;
QtPrinterDevice::~QtPrinterDevice() = default;

std::optional<TCodeEditPrinterInfo> QtPrinterDevice::Info() {
  QPagedPaintDevice& device = Device();
  const int dpiX = device.logicalDpiX();
  const int dpiY = device.logicalDpiY();
  if (dpiX <= 0 || dpiY <= 0) return std::nullopt;
  const QPageLayout layout = device.pageLayout();
  const QRect full = layout.fullRectPixels(dpiY);
  const QRect paint = layout.paintRectPixels(dpiY);
  TCodeEditPrinterInfo info;
  info.PhysicalWidth = full.width();
  info.PhysicalHeight = full.height();
  info.PrintableWidth = paint.width();
  info.PrintableHeight = paint.height();
  info.LeftGutter = paint.left();
  info.TopGutter = paint.top();
  info.XPixPerInch = dpiX;
  info.YPixPerInch = dpiY;
  return info;
}

Canvas* QtPrinterDevice::MeasuringCanvas() {
  // Measured at the resolution the pages are laid out at, which is the
  // default one without an installed printer.
  const int dpi = Info().value_or(TCodeEditPrinterInfo{}).YPixPerInch;
  if (!measuring_ || dpi != measuringDpi_) {
    if (!measurePainter_) measurePainter_ = std::make_unique<QPainter>(&measureImage_);
    measuring_ = std::make_unique<QtPrinterCanvas>(*measurePainter_, TRect{0, 0, 1, 1}, dpi);
    measuringDpi_ = dpi;
  }
  return measuring_.get();
}

Canvas& QtPrinterDevice::BeginDoc(const std::string& title) {
  SetJobTitle(QString::fromLocal8Bit(title.c_str()));
  if (!painter_.begin(&Device())) throw EPrintError("The printer could not start the job.");
  const TCodeEditPrinterInfo info = Info().value_or(TCodeEditPrinterInfo{});
  const TRect page{0, 0, info.PrintableWidth, info.PrintableHeight};
  // Nothing may land outside the printable area, not even a text run's
  // overhang.
  painter_.setClipRect(QRect(0, 0, page.Width(), page.Height()));
  canvas_ = std::make_unique<QtPrinterCanvas>(painter_, page, Device().logicalDpiY());
  return *canvas_;
}

void QtPrinterDevice::NewPage() { Device().newPage(); }

void QtPrinterDevice::EndDoc() {
  canvas_.reset();
  if (!painter_.end()) throw EPrintError("The printer could not finish the job.");
}

void QtPrinterDevice::Abort() {
  canvas_.reset();
  DiscardJob();
}

void QtPrinterDevice::EndPainting() {
  if (painter_.isActive()) painter_.end();
}

QtPdfPrinter::QtPdfPrinter(const QString& fileName) : fileName_(fileName), writer_(fileName) {
  const TCodeEditPrinterInfo defaults;
  writer_.setResolution(defaults.YPixPerInch);
  auto mm = [&](int pixels) { return pixels * 25.4 / defaults.YPixPerInch; };
  writer_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(mm(defaults.LeftGutter), mm(defaults.TopGutter),
                                              mm(defaults.RightGutter()), mm(defaults.BottomGutter())),
                                    QPageLayout::Millimeter));
  writer_.setCreator("Vantrel Editor");
}

void QtPdfPrinter::DiscardJob() {
  EndPainting();
  QFile::remove(fileName_);
}

QtDialogPrinter::QtDialogPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}
QtDialogPrinter::~QtDialogPrinter() { EndPainting(); }

QPagedPaintDevice& QtDialogPrinter::Device() { return *printer_; }

std::optional<TCodeEditPrinterInfo> QtDialogPrinter::Info() {
  // Without an installed printer (and before the dialog picked a file)
  // pages are counted on the default geometry.
  if (printer_->outputFormat() == QPrinter::NativeFormat && QPrinterInfo::availablePrinters().isEmpty()) {
    return std::nullopt;
  }
  return QtPrinterDevice::Info();
}

void QtDialogPrinter::SetJobTitle(const QString& title) { printer_->setDocName(title); }

void QtDialogPrinter::DiscardJob() {
  printer_->abort();
  EndPainting();
}

}  // namespace vantrel
