// The languages by the short names of their file extensions, and the token
// listing that tools and golden tests compare.
// Tested by tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterLanguages.h"

#include <charconv>

#include "highlight/HighlighterAWK.h"
#include "highlight/HighlighterAsm.h"
#include "highlight/HighlighterBat.h"
#include "highlight/HighlighterCS.h"
#include "highlight/HighlighterCpp.h"
#include "highlight/HighlighterCss.h"
#include "highlight/HighlighterHTML.h"
#include "highlight/HighlighterJScript.h"
#include "highlight/HighlighterJava.h"
#include "highlight/HighlighterPHP.h"
#include "highlight/HighlighterPas.h"
#include "highlight/HighlighterPerl.h"
#include "highlight/HighlighterPython.h"
#include "highlight/HighlighterRuby.h"
#include "highlight/HighlighterShell.h"
#include "highlight/HighlighterVB.h"
#include "highlight/HighlighterXML.h"

namespace vantrel {

namespace {

template <class T>
std::unique_ptr<TCustomHighlighter> Create() {
  return std::make_unique<T>();
}

void AppendNumber(std::string& out, long value) {
  char digits[24];
  auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

}  // namespace

const std::vector<THighlighterLanguage>& HighlighterLanguages() {
  // The one place a language is registered: one line each.
  static const std::vector<THighlighterLanguage> languages = {
      {"cpp", "TCppHighlighter", &Create<TCppHighlighter>},
      {"asm", "TAsmHighlighter", &Create<TAsmHighlighter>},
      {"sh", "TUNIXShellScriptHighlighter", &Create<TUNIXShellScriptHighlighter>},
      {"rb", "TRubyHighlighter", &Create<TRubyHighlighter>},
      {"py", "TPythonHighlighter", &Create<TPythonHighlighter>},
      {"pl", "TPerlHighlighter", &Create<TPerlHighlighter>},
      {"bat", "TBatHighlighter", &Create<TBatHighlighter>},
      {"xml", "TXMLHighlighter", &Create<TXMLHighlighter>},
      {"html", "THTMLHighlighter", &Create<THTMLHighlighter>},
      {"css", "TCssHighlighter", &Create<TCssHighlighter>},
      {"js", "TJScriptHighlighter", &Create<TJScriptHighlighter>},
      {"bas", "TVBHighlighter", &Create<TVBHighlighter>},
      {"pas", "TPasHighlighter", &Create<TPasHighlighter>},
      {"java", "TJavaHighlighter", &Create<TJavaHighlighter>},
      {"awk", "TAWKHighlighter", &Create<TAWKHighlighter>},
      {"cs", "TCSHighlighter", &Create<TCSHighlighter>},
      {"php", "TPHPHighlighter", &Create<TPHPHighlighter>},
  };
  return languages;
}

std::unique_ptr<TCustomHighlighter> CreateHighlighterFor(std::string_view name) {
  for (const auto& language : HighlighterLanguages())
    if (language.Name == name) return language.Create();
  return nullptr;
}

std::unique_ptr<TCustomHighlighter> CreateHighlighterOfClass(std::string_view className) {
  for (const auto& language : HighlighterLanguages())
    if (language.ClassName == className) return language.Create();
  return nullptr;
}

void AppendLineTokens(TCustomHighlighter& highlighter, std::string_view text, int lineIndex,
                      std::string& out) {
  highlighter.StartLine(text, lineIndex);
  while (!highlighter.AtLineEnd()) {
    if (highlighter.TokenLength() == 0) {
      highlighter.NextToken();
      if (highlighter.AtLineEnd()) break;
      if (highlighter.TokenLength() == 0) throw Exception("The highlighter seems to be in an infinite loop");
    }
    AppendNumber(out, lineIndex + 1);
    out += '\t';
    AppendNumber(out, highlighter.TokenStart());
    out += '\t';
    AppendNumber(out, highlighter.TokenLength());
    out += '\t';
    AppendNumber(out, highlighter.TokenKind());
    out += '\t';
    THighlighterAttributes* attribute = highlighter.TokenAttribute();
    out += attribute ? std::string_view(attribute->Name()) : std::string_view("-");
    out += '\n';
    highlighter.NextToken();
  }
}

std::string ListTokens(TCustomHighlighter& highlighter, const TCodeEditStringList& lines) {
  std::string out;
  highlighter.ResetRangeState();
  for (int i = 0, n = lines.Count(); i < n; ++i) {
    if (i > 0) highlighter.SetRangeState(highlighter.RangeState());
    AppendLineTokens(highlighter, lines.Get(i), i, out);
  }
  return out;
}

}  // namespace vantrel
