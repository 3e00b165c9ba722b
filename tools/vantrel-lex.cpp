// vantrel-lex LANG FILE: lists the tokens one highlighter finds in a file,
// driven the way the painter drives it (range carried from line to line).
#include <cstdio>
#include <string>

#include "highlight/HighlighterLanguages.h"
#include "text/CodeEditTextBuffer.h"

int main(int argc, char** argv) {
  using namespace vantrel;
  if (argc != 3) {
    std::fprintf(stderr, "usage: vantrel-lex LANG FILE\n");
    return 2;
  }
  std::unique_ptr<TCustomHighlighter> highlighter = CreateHighlighterFor(argv[1]);
  if (!highlighter) {
    std::string known;
    for (const auto& language : HighlighterLanguages()) {
      known += ' ';
      known += language.Name;
    }
    std::fprintf(stderr, "vantrel-lex: unknown language '%s' (known:%s)\n", argv[1], known.c_str());
    return 2;
  }
  TCodeEditStringList lines;
  try {
    lines.LoadFromFile(argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vantrel-lex: cannot read %s: %s\n", argv[2], e.what());
    return 2;
  }
  try {
    // Written in slices so that a large file does not need its whole listing in memory.
    std::string out;
    bool written = true;
    highlighter->ResetRangeState();
    for (int i = 0, n = lines.Count(); i < n; ++i) {
      if (i > 0) highlighter->SetRangeState(highlighter->RangeState());
      AppendLineTokens(*highlighter, lines.Get(i), i, out);
      if (out.size() >= (1u << 16) || i + 1 == n) {
        written = written && std::fwrite(out.data(), 1, out.size(), stdout) == out.size();
        out.clear();
      }
    }
    if (!written || std::fflush(stdout) != 0) {
      std::fprintf(stderr, "vantrel-lex: cannot write the listing\n");
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vantrel-lex: %s\n", e.what());
    return 1;
  }
  return 0;
}
