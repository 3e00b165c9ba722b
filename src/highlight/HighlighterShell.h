// The UNIX shell script highlighter: the shared word-list scanner plus
// `$` variables (`$HOME`, `$1`, `${HOME}`) and `/` as a token of its own.
// Tested by tests/highlight/HighlighterShellTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterScriptWords.h"

namespace vantrel {

class TUNIXShellScriptHighlighter : public TWordListScriptHighlighter {
 public:
  TUNIXShellScriptHighlighter();

  THighlighterAttributes& VarAttri() const { return *AttributeOfKind(stkVariable); }
  std::string ClassName() const override { return "TUNIXShellScriptHighlighter"; }

 protected:
  bool ScanLanguageToken() override;
};

}  // namespace vantrel
