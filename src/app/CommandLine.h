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
  std::string Error;  // an unknown option
};

// Every argument is a file, except --help/-h and --version/-v; after "--"
// everything is a file, so names beginning with "-" can be opened too.
TCommandLine ParseCommandLine(int argc, const char* const* argv);

std::string UsageText(const std::string& program);
std::string VersionText();

}  // namespace vantrel
