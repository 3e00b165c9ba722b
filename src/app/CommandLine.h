// The command line: options answered without a window, and the files to open.
// Tested by tests/ui/CommandLineTest.cpp
#pragma once

#include <string>
#include <vector>

namespace vantrel {

struct TCommandLine {
  std::vector<std::string> Files;
  bool ShowHelp = false;
  bool ShowVersion = false;
  // --print-pdf OUT.pdf FILE: print FILE to OUT.pdf and exit, without a window.
  std::string PrintPdf;
  bool PrintColors = false;  // --colors: with the highlighter's colours
  std::string Error;  // an unknown option, or a print without its file
};

// Every argument is a file, except --help/-h, --version/-v, --print-pdf
// with its output name and --colors; after "--"
// everything is a file, so names beginning with "-" can be opened too.
TCommandLine ParseCommandLine(int argc, const char* const* argv);

std::string UsageText(const std::string& program);
std::string VersionText();

}  // namespace vantrel
