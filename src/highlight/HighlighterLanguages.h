// The languages by the short names of their file extensions, and the token
// listing that tools and golden tests compare.
// Tested by tests/highlight/GoldenTest.cpp
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/CodeEditHighlighter.h"

namespace vantrel {

struct THighlighterLanguage {
  std::string_view Name;       // short name, the usual extension without its dot: "cpp"
  std::string_view ClassName;  // "TCppHighlighter"
  THighlighterClass Create;
};

// Every language built into the program; also what fills the class registry.
const std::vector<THighlighterLanguage>& HighlighterLanguages();
// nullptr for an unknown name.
std::unique_ptr<TCustomHighlighter> CreateHighlighterFor(std::string_view name);
// nullptr for a class that is not built in.
std::unique_ptr<TCustomHighlighter> CreateHighlighterOfClass(std::string_view className);

// Appends the tokens of one line, scanned from the highlighter's current
// range, one per output line: LINE<TAB>START<TAB>LENGTH<TAB>KIND<TAB>ATTRIBUTE
// (LINE 1-based, ATTRIBUTE the attribute's Name or "-"). The end-of-line token
// is not listed. Steps over an empty token the way the painter does and
// throws when two come in a row.
void AppendLineTokens(TCustomHighlighter& highlighter, std::string_view text, int lineIndex,
                      std::string& out);
// The tokens of every line, the range carried from line to line.
std::string ListTokens(TCustomHighlighter& highlighter, const TCodeEditStringList& lines);

}  // namespace vantrel
