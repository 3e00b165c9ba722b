// A printer for tests: the default A4 geometry, a recording canvas, and the
// job calls in the order they came.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "print/CodeEditPrinterInfo.h"
#include "support/RecordingCanvas.h"

namespace vantrel {

class FakePrinter : public TCodeEditPrinter {
 public:
  // 8 x 16 cells; the default page holds 251 characters by 182 lines.
  std::optional<TCodeEditPrinterInfo> Installed = TCodeEditPrinterInfo{};
  RecordingCanvas Surface{{0, 0, 2358, 3407}, 8, 16};
  bool HasMeasuringCanvas = true;
  std::vector<std::string> Calls;  // "begin TITLE", "page", "end", "abort"
  std::vector<std::vector<RecordingCanvas::Call>> Sheets;  // what each sheet got

  std::optional<TCodeEditPrinterInfo> Info() override { return Installed; }
  Canvas* MeasuringCanvas() override { return HasMeasuringCanvas ? &Surface : nullptr; }
  Canvas& BeginDoc(const std::string& title) override {
    Calls.push_back("begin " + title);
    Surface.Clear();
    return Surface;
  }
  void NewPage() override {
    Calls.push_back("page");
    Sheets.push_back(Surface.Calls);
    Surface.Clear();
  }
  void EndDoc() override {
    Calls.push_back("end");
    Sheets.push_back(Surface.Calls);
  }
  void Abort() override { Calls.push_back("abort"); }
};

}  // namespace vantrel
