// Scanning throughput of every language through the token interface, the way the painter
// and the range re-scan drive it: every line, the range carried from line to
// line, kind/start/attribute read per token and no TokenText.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "highlight/HighlighterCpp.h"
#include "highlight/HighlighterLanguages.h"
#include "text/CodeEditTextBuffer.h"

namespace vantrel {
namespace {

std::string CorpusPath(const char* name) {
  if (name[0] == '/') return name;
  const char* dir = std::getenv("VANTREL_CORPORA");
  return std::string(dir && *dir ? dir : "/tmp/vantrel-corpora") + "/" + name;
}

// Where each language's corpus comes from: a generated corpus file, or real
// files of the language found on this machine (a folder searched for an
// extension), repeated to at least kMinCorpusBytes. VANTREL_BENCH_LANG and
// VANTREL_BENCH_CORPUS (a file) run one language on a corpus of one's choice.
struct TCorpusSource {
  std::string_view Language;
  const char* CorpusFile;   // in the corpora folder, or nullptr
  const char* SearchRoot;   // real files under this folder
  const char* Extension;    // with its dot
};

#define EXAMPLES VANTREL_SOURCE_DIR "/tests/highlight/examples"
constexpr TCorpusSource kSources[] = {
    {"cpp", "c_100mb.cpp", nullptr, nullptr},
    {"asm", nullptr, EXAMPLES "/asm", ".asm"},  // no assembler sources on the machine
    {"sh", nullptr, "/usr", ".sh"},
    {"rb", nullptr, EXAMPLES "/rb", ".rb"},    // no Ruby sources on the machine
    {"py", "py_20mb.py", nullptr, nullptr},
    {"pl", nullptr, "/usr/share/perl", ".pm"},
    {"bat", nullptr, EXAMPLES "/bat", ".bat"},  // the few .bat files around are one-liners
    {"js", nullptr, "/usr/lib/node_modules/npm", ".js"},
    {"bas", nullptr, EXAMPLES "/bas", ".bas"},  // no Visual Basic sources on the machine
    {"pas", nullptr, "/usr/share/fpcsrc/3.2.2/packages", ".pas"},
    {"java", nullptr, EXAMPLES "/java", ".java"},  // no Java sources on the machine
    {"awk", nullptr, "/usr/share/doc", ".awk"},
    {"cs", nullptr, "/usr/lib/node_modules/npm", ".cs"},  // the one C# file around
    {"xml", nullptr, "/usr/share", ".xml"},     // the files xml_20mb.xml is made of
    {"html", "html_20mb.html", nullptr, nullptr},
    {"css", nullptr, "/usr/share", ".css"},
    {"php", nullptr, "/usr/lib/google-cloud-sdk", ".php"},  // the only PHP sources on the machine
};
#undef EXAMPLES

// Sources that implement what this program implements (pattern matching,
// highlighting, editing) stay out of the corpora.
constexpr std::string_view kExcludedPathParts[] = {"/re/", "sre_", "tokeniz", "idlelib", "lib2to3", "textpad",
                                                   "coloriz", "highlight", "regex", "Regexp", "syntax",
                                                   "lexer", "hexdump", "editor"};

// path: below the search root, whose own name may hold such a part.
bool IsExcluded(const std::string& path) {
  for (std::string_view part : kExcludedPathParts)
    if (path.find(part) != std::string::npos) return true;
  return false;
}

constexpr size_t kMinCorpusBytes = size_t(20) << 20;
constexpr size_t kMaxFilesCollected = 4000;

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Real files under root with the extension, concatenated, then repeated.
std::string CollectRealFiles(const char* root, const char* extension) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec), end;
       it != end && files.size() < kMaxFilesCollected; it.increment(ec)) {
    if (ec) break;
    if (it->is_regular_file(ec) && it->path().extension() == extension &&
        !IsExcluded(it->path().lexically_relative(root).string()))
      files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  std::string once;
  for (const auto& file : files) {
    once += ReadAll(file);
    if (!once.empty() && once.back() != '\n') once += '\n';
  }
  if (once.empty()) return once;
  std::string repeated;
  while (repeated.size() < kMinCorpusBytes) repeated += once;
  return repeated;
}

std::unique_ptr<TCodeEditStringList> LoadCorpus(const TCorpusSource& source) {
  auto list = std::make_unique<TCodeEditStringList>();
  try {
    if (source.CorpusFile) {
      list->LoadFromFile(CorpusPath(source.CorpusFile));
    } else {
      std::string bytes = CollectRealFiles(source.SearchRoot, source.Extension);
      if (bytes.empty()) return nullptr;
      list->LoadFromBytes(bytes);
    }
  } catch (const std::exception&) {
    return nullptr;
  }
  return list;
}

// Loaded once per source; nullptr when the corpus is missing.
const TCodeEditStringList* Corpus(const TCorpusSource& source) {
  static std::map<std::string, std::unique_ptr<TCodeEditStringList>> loaded;
  std::string key = std::string(source.Language) + (source.CorpusFile ? source.CorpusFile : "");
  auto it = loaded.find(key);
  if (it == loaded.end()) it = loaded.emplace(key, LoadCorpus(source)).first;
  return it->second.get();
}

const TCodeEditStringList* Corpus() { return Corpus(kSources[0]); }

int64_t TotalBytes(const TCodeEditStringList& lines) {
  int64_t bytes = 0;
  for (int i = 0; i < lines.Count(); ++i) bytes += int64_t(lines.Get(i).size()) + 1;
  return bytes;
}

int64_t ScanAll(TCustomHighlighter& h, const TCodeEditStringList& lines) {
  int64_t sink = 0;
  h.ResetRangeState();
  for (int i = 0, n = lines.Count(); i < n; ++i) {
    h.StartLine(lines.Get(i), i);
    while (!h.AtLineEnd()) {
      sink += h.TokenKind() + h.TokenStart() + (h.TokenAttribute() != nullptr);
      h.NextToken();
    }
    h.SetRangeState(h.RangeState());
  }
  return sink;
}

// The ranges alone, the way the idle-time scan drives them.
int64_t ScanRanges(TCustomHighlighter& h, const TCodeEditStringList& lines) {
  int64_t sink = 0;
  h.ResetRangeState();
  for (int i = 0, n = lines.Count(); i < n; ++i) {
    sink += h.ScanLineRange(lines.Get(i), i);
  }
  return sink;
}

// Lines whose range-only end state differs from the token loop's (must be 0).
int64_t MismatchedLines(TCustomHighlighter& h, const TCodeEditStringList& lines) {
  int64_t mismatched = 0;
  h.ResetRangeState();
  for (int i = 0, n = lines.Count(); i < n; ++i) {
    const TLineRange start = h.RangeState();
    const TLineRange quick = h.ScanLineRange(lines.Get(i), i);
    h.SetRangeState(start);
    h.StartLine(lines.Get(i), i);
    h.ScanToLineEnd();
    mismatched += h.RangeState() != quick;
    h.SetRangeState(h.RangeState());
  }
  return mismatched;
}

using TScan = int64_t (*)(TCustomHighlighter&, const TCodeEditStringList&);

// MEDIUM: each language on a corpus of its language (for C/C++ the 100 MB
// generated corpus; for the others real files repeated to 20 MB), through
// the tokens or for the ranges alone.
void ScanCorpus(benchmark::State& state, TCorpusSource source, TScan scan) {
  const TCodeEditStringList* lines = Corpus(source);
  if (!lines) return state.SkipWithError("corpus missing");
  std::unique_ptr<TCustomHighlighter> h = CreateHighlighterFor(source.Language);
  if (!h) return state.SkipWithError("unknown language");
  for (auto _ : state) benchmark::DoNotOptimize(scan(*h, *lines));
  state.SetBytesProcessed(state.iterations() * TotalBytes(*lines));
  if (scan == ScanRanges) state.counters["mismatched_lines"] = double(MismatchedLines(*h, *lines));
}

// Registered at start-up so that a chosen language and corpus can come from
// the environment.
[[maybe_unused]] const bool kCorpusBenchmarks = [] {
  static std::string chosenLanguage, chosenFile;
  const char* language = std::getenv("VANTREL_BENCH_LANG");
  const char* file = std::getenv("VANTREL_BENCH_CORPUS");
  auto add = [](const TCorpusSource& source) {
    std::string name = "BM_Scan_" + std::string(source.Language);
    benchmark::RegisterBenchmark(name.c_str(), ScanCorpus, source, ScanAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);
    name = "BM_RangeScan_" + std::string(source.Language);
    benchmark::RegisterBenchmark(name.c_str(), ScanCorpus, source, ScanRanges)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0);
  };
  if (language && *language && file && *file) {
    chosenLanguage = language;
    chosenFile = file;
    // An absolute path replaces the corpora folder in CorpusPath.
    add({chosenLanguage, chosenFile.c_str(), nullptr, nullptr});
  } else {
    for (const TCorpusSource& source : kSources) add(source);
  }
  return true;
}();

// HARD: one- and two-character tokens only (operators, single-letter names,
// digits), so the per-token cost dominates; fixed seed.
void BM_CppScan_DenseTokens(benchmark::State& state) {
  static TCodeEditStringList lines;
  if (lines.Count() == 0) {
    std::mt19937 rng(7);
    const char* pieces[] = {"a", "+", "b", "(", ")", "1", ";", "->", " ", "x", "==", "{", "}", ",", "0"};
    for (int i = 0; i < 200000; ++i) {
      std::string line;
      while (line.size() < 60) line += pieces[rng() % std::size(pieces)];
      lines.Add(line);
    }
  }
  TCppHighlighter h;
  for (auto _ : state) benchmark::DoNotOptimize(ScanAll(h, lines));
  state.SetBytesProcessed(state.iterations() * TotalBytes(lines));
}
BENCHMARK(BM_CppScan_DenseTokens)->Unit(benchmark::kMillisecond);

// Baseline: visiting every line and reading each byte once, the floor for
// any scanner over the same buffer.
void BM_Baseline_ByteSum(benchmark::State& state) {
  const TCodeEditStringList* lines = Corpus();
  if (!lines) return state.SkipWithError("corpus c_100mb.cpp missing");
  for (auto _ : state) {
    uint64_t sum = 0;
    for (int i = 0, n = lines->Count(); i < n; ++i)
      for (unsigned char c : lines->Get(i)) sum += c;
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes(*lines));
}
BENCHMARK(BM_Baseline_ByteSum)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
