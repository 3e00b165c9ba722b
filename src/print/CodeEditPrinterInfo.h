// The printer as the print layout sees it: its geometry in printer pixels and
// the job calls. The application implements TCodeEditPrinter over the
// desktop's printing; tests use a recording fake.
// Tested by tests/print/CodeEditPrintTest.cpp
#pragma once

#include <optional>
#include <string>

#include "platform/Canvas.h"

namespace vantrel {

// Paper and printable area of a printer. The defaults are those of an A4
// page at 300 pixels per inch, used when no printer is installed.
struct TCodeEditPrinterInfo {
  int PhysicalWidth = 2481;
  int PhysicalHeight = 3507;
  int PrintableWidth = 2358;
  int PrintableHeight = 3407;
  int LeftGutter = 65;  // unprintable strip at the left paper edge
  int TopGutter = 50;
  int XPixPerInch = 300;
  int YPixPerInch = 300;

  int RightGutter() const { return PhysicalWidth - PrintableWidth - LeftGutter; }
  int BottomGutter() const { return PhysicalHeight - PrintableHeight - TopGutter; }
  double XPixPerMM() const { return XPixPerInch / 25.4; }
  double YPixPerMM() const { return YPixPerInch / 25.4; }
};

class TCodeEditPrinter {
 public:
  virtual ~TCodeEditPrinter() = default;

  // The current printer's geometry; none when no printer is installed.
  virtual std::optional<TCodeEditPrinterInfo> Info() = 0;
  // A surface whose fonts measure as on the printer, for counting pages
  // before a job; null when there is none.
  virtual Canvas* MeasuringCanvas() = 0;

  // Starts a job; the surface stays valid until EndDoc or Abort.
  virtual Canvas& BeginDoc(const std::string& title) = 0;
  virtual void NewPage() = 0;
  virtual void EndDoc() = 0;
  // Ends the job and discards what it printed.
  virtual void Abort() = 0;
};

}  // namespace vantrel
