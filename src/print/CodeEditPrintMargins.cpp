// Margins in physical units turned into printer pixels per page.
// Tested by tests/print/CodeEditPrintTest.cpp
#include "print/CodeEditPrintMargins.h"

#include <cmath>

namespace vantrel {

double TCodeEditPrintMargins::FromMM(double mm) const {
  switch (UnitSystem) {
    case usMM: return mm;
    case usCM: return mm / 10;
    case usInch: return mm / 25.4;
    case muThousandthsOfInches: return mm * 1000 / 25.4;
  }
  return mm;
}

double TCodeEditPrintMargins::ToMM(double value) const {
  switch (UnitSystem) {
    case usMM: return value;
    case usCM: return value * 10;
    case usInch: return value * 25.4;
    case muThousandthsOfInches: return value * 25.4 / 1000;
  }
  return value;
}

void TCodeEditPrintMargins::InitPage(const TCodeEditPrinterInfo& printer, int pageNum, int lineNumberWidth) {
  const double xmm = printer.XPixPerMM();
  const double ymm = printer.YPixPerMM();
  auto fromLeft = [&](double mm) { return static_cast<int>(std::lround(mm * xmm - printer.LeftGutter)); };
  auto fromRight = [&](double mm) {
    return printer.PrintableWidth - static_cast<int>(std::lround(mm * xmm - printer.RightGutter()));
  };
  auto fromTop = [&](double mm) { return static_cast<int>(std::lround(mm * ymm - printer.TopGutter)); };
  auto fromBottom = [&](double mm) {
    return printer.PrintableHeight - static_cast<int>(std::lround(mm * ymm - printer.BottomGutter()));
  };
  // The gutter is the binding side: the left of odd pages, the right of
  // even ones when the margins mirror.
  const bool mirrored = MirrorMargins && pageNum % 2 == 0;
  PixelLeft = fromLeft(mirrored ? right_ : left_ + gutter_);
  PixelRight = fromRight(mirrored ? left_ + gutter_ : right_);
  PixelTop = fromTop(top_);
  PixelBottom = fromBottom(bottom_);
  PixelHeader = fromTop(header_);
  PixelFooter = fromBottom(footer_);
  PixelLeft += lineNumberWidth;
  PixelLeftTextIndent = PixelLeft + static_cast<int>(std::lround(leftHFTextIndent_ * xmm));
  PixelRightTextIndent = PixelRight - static_cast<int>(std::lround(rightHFTextIndent_ * xmm));
  PixelHFInternalMargin = static_cast<int>(std::lround(hfInternalMargin_ * ymm));
}

}  // namespace vantrel
