// The Ruby highlighter: the shared word-list scanner with Ruby's keywords
// and an initially empty SecondKeyWords list.
// Tested by tests/highlight/HighlighterShellTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterScriptWords.h"

namespace vantrel {

class TRubyHighlighter : public TWordListScriptHighlighter {
 public:
  TRubyHighlighter();
  std::string ClassName() const override { return "TRubyHighlighter"; }
};

}  // namespace vantrel
