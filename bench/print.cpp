// Print layout timings: counting the pages of 100,000 lines of C++ (what the
// print dialog waits for), and printing 10,000 highlighted lines to a PDF
// through Qt, the whole job as the Print command runs it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

#include "app/DocumentPrint.h"
#include "app/QtPrinter.h"
#include "highlight/HighlighterCpp.h"
#include "support/RecordingCanvas.h"
#include "text/CodeEditTextBuffer.h"

namespace vantrel {
namespace {

std::string CorpusPath(const char* name) {
  const char* dir = std::getenv("VANTREL_CORPORA");
  return std::string(dir && *dir ? dir : "/tmp/vantrel-corpora") + "/" + name;
}

bool LoadLines(TCodeEditStringList& lines, int count, benchmark::State& state) {
  try {
    lines.LoadFromFile(CorpusPath("c_10mb.cpp"));
  } catch (const Exception&) {
    state.SkipWithError("corpus c_10mb.cpp missing");
    return false;
  }
  if (lines.Count() > count) lines.RemoveLineSpan(count, lines.Count() - count);
  return true;
}

// Measures as the printer would (8 x 16 cells), draws nothing.
class CountingPrinter : public TCodeEditPrinter {
 public:
  RecordingCanvas Surface{{0, 0, 2358, 3407}, 8, 16};
  CountingPrinter() { Surface.CountOnly = true; }
  std::optional<TCodeEditPrinterInfo> Info() override { return TCodeEditPrinterInfo{}; }
  Canvas* MeasuringCanvas() override { return &Surface; }
  Canvas& BeginDoc(const std::string&) override { return Surface; }
  void NewPage() override {}
  void EndDoc() override {}
  void Abort() override {}
};

// MEDIUM: 100,000 lines of real C++, some longer than a row, so the wrap
// positions of those are computed; taking the lines (tab expansion) is part
// of it, as the Print command does both before showing its dialog.
void BM_CountPages100kLines(benchmark::State& state) {
  TCodeEditStringList lines;
  if (!LoadLines(lines, 100000, state)) return;
  CountingPrinter printer;
  TCppHighlighter cpp;
  TCodeEditPrint print;
  ConfigurePrintOut(print);
  print.SetPrinter(&printer);
  int pages = 0;
  for (auto _ : state) {
    SetUpDocumentPrint(print, "c_10mb.cpp", lines, {"Courier New", 10, 0, clBlack, true}, &cpp);
    pages = print.CountPages();
    benchmark::DoNotOptimize(pages);
  }
  state.counters["pages"] = pages;
  state.SetItemsProcessed(state.iterations() * lines.Count());
}
BENCHMARK(BM_CountPages100kLines)->Unit(benchmark::kMillisecond);

// HARD: 10,000 highlighted lines in colour into a real PDF: every token run
// becomes glyphs in the file.
void BM_PrintToPdf10kLines(benchmark::State& state) {
  TCodeEditStringList lines;
  if (!LoadLines(lines, 10000, state)) return;
  QTemporaryDir dir;
  TCppHighlighter cpp;
  int pages = 0;
  for (auto _ : state) {
    TCodeEditPrint print;
    ConfigurePrintOut(print);
    SetUpDocumentPrint(print, "c_10mb.cpp", lines, {"Courier New", 10, 0, clBlack, true}, &cpp);
    print.Colors = true;
    QtPdfPrinter printer(dir.filePath("out.pdf"));
    print.SetPrinter(&printer);
    print.PrintAll();
    pages = static_cast<int>(print.Pages().size());
  }
  state.counters["pages"] = pages;
  state.SetItemsProcessed(state.iterations() * lines.Count());
}
BENCHMARK(BM_PrintToPdf10kLines)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
  // Fonts without a display, as vantrel --print-pdf has them.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
