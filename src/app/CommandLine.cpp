#include "app/CommandLine.h"

namespace vantrel {

TCommandLine ParseCommandLine(int argc, const char* const* argv) {
  TCommandLine result;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      result.Files.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      result.ShowHelp = true;
    } else if (arg == "--version" || arg == "-v") {
      result.ShowVersion = true;
    } else if (arg == "--print-pdf" && i + 1 < argc && argv[i + 1][0] != '\0') {
      result.PrintPdf = argv[++i];
    } else if (arg == "--colors") {
      result.PrintColors = true;
    } else if (result.Error.empty()) {
      result.Error = arg == "--print-pdf" ? "--print-pdf needs the name of the PDF to write" : "unknown option " + arg;
    }
  }
  if (result.Error.empty() && !result.PrintPdf.empty() && result.Files.size() != 1) {
    result.Error = "--print-pdf prints exactly one FILE";
  }
  return result;
}

std::string UsageText(const std::string& program) {
  return "Usage: " + program + " [OPTION]... [FILE]...\n"
         "Vantrel Editor, a text editor for programmers: opens each FILE in a tab of its own.\n"
         "\n"
         "  -h, --help     show this help and exit\n"
         "  -v, --version  show the version and exit\n"
         "  --print-pdf OUT.pdf FILE\n"
         "                 print FILE into OUT.pdf as the Print command would, and exit\n"
         "                 (no display needed)\n"
         "  --colors       with --print-pdf: print in the highlighter's colours\n"
         "  --             treat every later argument as a file name\n"
         "\n"
         "Environment:\n"
         "  VANTREL_CODEPAGE  code page of the text (default 1252; 936 and other double-byte pages work)\n"
         "  VANTREL_INI       settings file to use instead of vantrel.ini\n";
}

std::string VersionText() { return std::string("Vantrel Editor ") + VANTREL_VERSION + "\n"; }

}  // namespace vantrel
