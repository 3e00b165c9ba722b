// Turns expression text into a TRegexProgram: parser, node emitter and the
// start-position analysis (first characters, anchoring, required literal).
// Tested by tests/search/RegexTest.cpp
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "search/RegexProgram.h"

namespace vantrel {

struct TRegexCompileOptions {
  int modifiers = 0;
  TCharSet wordChars;
  TCharSet spaceChars;
  std::string lineSeparators;
  std::string pairedSeparator;
  std::array<uint8_t, 256> invertCase{};
};

class TRegexCompiler {
 public:
  // Fills program or raises ERegex with the code and the number of
  // expression characters consumed. The parser recurses once per nested
  // group only, and groups are limited to 14.
  static void Compile(std::string_view expression, const TRegexCompileOptions& options,
                      TRegexProgram& program);
};

}  // namespace vantrel
