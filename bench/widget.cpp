// Keys and the wheel in the Qt editor widget while the range scan of a large
// C/C++ file runs at idle time. Each iteration is what an event meets at
// worst: it arrives as an idle slice starts, waits for the slice, then is
// handled and painted. Offscreen platform; c_100mb.cpp from the corpora.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/CodeEditWidget.h"
#include "highlight/HighlighterCpp.h"

namespace vantrel {
namespace {

std::string CorpusPath(const char* name) {
  const char* dir = std::getenv("VANTREL_CORPORA");
  return std::string(dir && *dir ? dir : "/tmp/vantrel-corpora") + "/" + name;
}

struct Fixture {
  TCppHighlighter cpp;  // outlives the editor
  CodeEditWidget widget;
  bool loaded = false;

  Fixture() {
    widget.resize(1280, 800);
    widget.show();
    std::ifstream in(CorpusPath("c_100mb.cpp"), std::ios::binary);
    if (!in) return;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    widget.Editor().Lines().LoadFromBytes(std::move(bytes).str());
    widget.Editor().SetHighlighter(&cpp);
    widget.Editor().SetCaretY(100);
    loaded = true;
  }

  // Starts the scan from the top again once it has finished, outside the timing.
  void KeepScanning() {
    TCodeEdit& edit = widget.Editor();
    if (edit.KnownRangeCount() < edit.LineCount()) return;
    edit.SetHighlighter(nullptr);
    edit.SetHighlighter(&cpp);
    widget.viewport()->repaint();  // the lines in view are scanned here, not in the next event
  }
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

enum class Event { Typing, PageDown, Wheel };

void Send(CodeEditWidget& widget, Event event) {
  switch (event) {
    case Event::Typing: {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
      QApplication::sendEvent(&widget, &press);
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, "x");
      QApplication::sendEvent(&widget, &release);
      break;
    }
    case Event::PageDown: {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
      QApplication::sendEvent(&widget, &press);
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_PageDown, Qt::NoModifier);
      QApplication::sendEvent(&widget, &release);
      break;
    }
    case Event::Wheel: {
      const QPointF at(200, 200);
      QWheelEvent wheel(at, widget.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(widget.viewport(), &wheel);
      break;
    }
  }
}

void EventDuringRangeScan(benchmark::State& state, Event event) {
  Fixture& f = TheFixture();
  if (!f.loaded) return state.SkipWithError("corpus c_100mb.cpp missing");
  double worstMs = 0;
  double worstSliceMs = 0;
  for (auto _ : state) {
    f.KeepScanning();
    QElapsedTimer timer;
    timer.start();
    // One pass of the event loop: the idle-time timer runs one slice.
    QCoreApplication::processEvents();
    const double sliceMs = double(timer.nsecsElapsed()) / 1e6;
    Send(f.widget, event);
    f.widget.viewport()->repaint();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    state.SetIterationTime(ms / 1e3);
    worstMs = std::max(worstMs, ms);
    worstSliceMs = std::max(worstSliceMs, sliceMs);
  }
  state.counters["worst_ms"] = worstMs;
  state.counters["worst_slice_ms"] = worstSliceMs;
  state.counters["known_lines"] = f.widget.Editor().KnownRangeCount();
}

BENCHMARK_CAPTURE(EventDuringRangeScan, typing, Event::Typing)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EventDuringRangeScan, page_down, Event::PageDown)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EventDuringRangeScan, wheel, Event::Wheel)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
