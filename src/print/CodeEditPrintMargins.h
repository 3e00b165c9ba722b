// The page margins of a print in physical units, and their printer pixels
// for one page (mirrored on even pages when asked).
// Tested by tests/print/CodeEditPrintTest.cpp
#pragma once

#include <cstdint>

#include "print/CodeEditPrinterInfo.h"

namespace vantrel {

enum TUnitSystem : uint8_t { usMM, usCM, usInch, muThousandthsOfInches };

class TCodeEditPrintMargins {
 public:
  // Values read and written in this unit; stored in millimetres.
  TUnitSystem UnitSystem = usMM;

  double Left() const { return FromMM(left_); }
  double Right() const { return FromMM(right_); }
  double Top() const { return FromMM(top_); }
  double Bottom() const { return FromMM(bottom_); }
  double Header() const { return FromMM(header_); }
  double Footer() const { return FromMM(footer_); }
  double LeftHFTextIndent() const { return FromMM(leftHFTextIndent_); }
  double RightHFTextIndent() const { return FromMM(rightHFTextIndent_); }
  double HFInternalMargin() const { return FromMM(hfInternalMargin_); }
  double Gutter() const { return FromMM(gutter_); }
  void SetLeft(double value) { left_ = ToMM(value); }
  void SetRight(double value) { right_ = ToMM(value); }
  void SetTop(double value) { top_ = ToMM(value); }
  void SetBottom(double value) { bottom_ = ToMM(value); }
  void SetHeader(double value) { header_ = ToMM(value); }
  void SetFooter(double value) { footer_ = ToMM(value); }
  void SetLeftHFTextIndent(double value) { leftHFTextIndent_ = ToMM(value); }
  void SetRightHFTextIndent(double value) { rightHFTextIndent_ = ToMM(value); }
  void SetHFInternalMargin(double value) { hfInternalMargin_ = ToMM(value); }
  void SetGutter(double value) { gutter_ = ToMM(value); }
  bool MirrorMargins = false;

  // Printer pixels of one page, set by InitPage; x from the printable area's
  // left edge, y from its top.
  int PixelLeft = 0;
  int PixelRight = 0;
  int PixelTop = 0;
  int PixelBottom = 0;
  int PixelHeader = 0;  // bottom edge of the header
  int PixelFooter = 0;  // top edge of the footer
  int PixelLeftTextIndent = 0;
  int PixelRightTextIndent = 0;
  int PixelHFInternalMargin = 0;

  // lineNumberWidth: pixels the text moves right for line numbers printed
  // inside the text area (0 for none).
  void InitPage(const TCodeEditPrinterInfo& printer, int pageNum, int lineNumberWidth);

 private:
  double FromMM(double mm) const;
  double ToMM(double value) const;

  double left_ = 25;
  double right_ = 15;
  double top_ = 25;
  double bottom_ = 25;
  double header_ = 15;
  double footer_ = 15;
  double leftHFTextIndent_ = 2;
  double rightHFTextIndent_ = 2;
  double hfInternalMargin_ = 0.5;
  double gutter_ = 0;
};

}  // namespace vantrel
