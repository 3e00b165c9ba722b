// Fuzzes every registered highlighter: for any bytes and any start range the
// tokens tile the line, every NextToken before the line end advances, each
// token has an attribute, and the tokens and end state depend only on the
// start state and the text (a shared instance that scanned other lines
// before agrees with a fresh one), and the range-only scan agrees with the
// tokens.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/HighlighterLanguages.h"

namespace {

using namespace vantrel;

// The language being checked, named in a failure.
const char* gLanguage = "";

#define FUZZ_CHECK(cond)                                                                       \
  do {                                                                                         \
    if (!(cond)) {                                                                             \
      std::fprintf(stderr, "check failed in %s: %s (line %d)\n", gLanguage, #cond, __LINE__); \
      std::abort();                                                                            \
    }                                                                                          \
  } while (0)

struct Token {
  int start, length, kind;
  bool operator==(const Token&) const = default;
};

// Scans one line from `start` checking the token contract; returns the end state.
TLineRange ScanChecked(TCustomHighlighter& h, std::string_view line, TLineRange start, std::vector<Token>* tokens) {
  h.SetRangeState(start);
  h.StartLine(line, 0);
  const int scanned = int(strnlen(line.data(), line.size()));
  int pos = 0;
  int count = 0;
  while (!h.AtLineEnd()) {
    FUZZ_CHECK(h.TokenStart() == pos);
    FUZZ_CHECK(h.TokenLength() > 0);
    FUZZ_CHECK(h.TokenAttribute() != nullptr);
    if (tokens) tokens->push_back({h.TokenStart(), h.TokenLength(), h.TokenKind()});
    pos += h.TokenLength();
    FUZZ_CHECK(pos <= scanned);
    FUZZ_CHECK(++count <= scanned);
    h.NextToken();
  }
  FUZZ_CHECK(h.TokenStart() == pos);
  FUZZ_CHECK(pos == scanned);
  FUZZ_CHECK(h.TokenLength() == 0);
  FUZZ_CHECK(h.TokenText().empty());
  FUZZ_CHECK(h.TokenAttribute() == nullptr);
  // Stepping past the end stays at the end with the same state.
  TLineRange end = h.RangeState();
  h.NextToken();
  FUZZ_CHECK(h.AtLineEnd() && h.TokenStart() == pos && h.RangeState() == end);
  return end;
}

void CheckLanguage(const THighlighterLanguage& language, TCustomHighlighter& shared, std::string_view text,
                   TLineRange start) {
  gLanguage = language.Name.data();
  // The whole input as one line (embedded CR, LF and NUL included).
  std::vector<Token> first, second;
  TLineRange end = ScanChecked(shared, text, start, &first);
  std::unique_ptr<TCustomHighlighter> fresh = language.Create();
  FUZZ_CHECK(ScanChecked(*fresh, text, start, &second) == end);
  FUZZ_CHECK(first == second);
  // The range-only scan ends where the tokens do.
  fresh->SetRangeState(start);
  FUZZ_CHECK(fresh->ScanLineRange(text, 0) == end);
  // The end state is one the next line can start in.
  fresh->SetRangeState(end);
  FUZZ_CHECK(fresh->RangeState() == end);

  // Split into lines at LF, the range carried from line to line.
  TLineRange range = start;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t next = text.find('\n', pos);
    if (next == std::string_view::npos) next = text.size();
    const std::string_view line = text.substr(pos, next - pos);
    fresh->SetRangeState(range);
    const TLineRange quick = fresh->ScanLineRange(line, 0);
    range = ScanChecked(shared, line, range, nullptr);
    FUZZ_CHECK(quick == range);
    pos = next + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::vector<std::unique_ptr<TCustomHighlighter>> shared = [] {
    std::vector<std::unique_ptr<TCustomHighlighter>> instances;
    for (const auto& language : HighlighterLanguages()) instances.push_back(language.Create());
    return instances;
  }();
  if (size < 2) return 0;
  // The first two bytes pick the start range: any small value, valid or not.
  TLineRange start = TLineRange(int16_t(uint16_t(data[0] | (data[1] << 8)))) % 16;
  std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);
  const auto& languages = HighlighterLanguages();
  for (size_t i = 0; i < languages.size(); ++i) CheckLanguage(languages[i], *shared[i], text, start);
  return 0;
}
