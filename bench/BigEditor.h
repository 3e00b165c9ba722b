// The 1.5-million-line editor the editor and command benchmarks type into.
#pragma once

#include <cstdlib>
#include <exception>
#include <random>
#include <string>

#include "editor/CodeEdit.h"
#include "platform/NullEditorHost.h"
#include "text/CodeEditTextBuffer.h"

namespace vantrel {

constexpr int kBigLines = 1500000;
constexpr int kBigMiddle = 750000;

inline std::string CorpusPath(const char* name) {
  const char* dir = std::getenv("VANTREL_CORPORA");
  return std::string(dir && *dir ? dir : "/tmp/vantrel-corpora") + "/" + name;
}

// HARD: 1.5 million lines, the log corpus when present (real line lengths),
// else generated lines of 40..120 bytes with a fixed seed.
struct BigEditor {
  NullEditorHost host;
  TCodeEdit edit{&host};
  bool fromCorpus = false;
  BigEditor() {
    try {
      edit.Lines().LoadFromFile(CorpusPath("log_100mb.log"));
      fromCorpus = edit.LineCount() >= kBigLines;
    } catch (const std::exception&) {
      edit.Lines().Clear();
    }
    if (!fromCorpus) {
      TCodeEditStringList generated;
      std::mt19937 rng(42);
      std::string line;
      for (int i = 0; i < kBigLines; ++i) {
        line.assign(40 + rng() % 80, static_cast<char>('a' + i % 26));
        generated.Add(line);
      }
      edit.SetLines(generated);
    }
  }
};

// Built once per benchmark program: loading takes most of a second.
inline BigEditor& SharedBigEditor() {
  static BigEditor editor;
  return editor;
}

}  // namespace vantrel
