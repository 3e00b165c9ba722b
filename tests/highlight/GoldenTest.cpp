// Golden token files: every tests/highlight/examples/LANG/NAME.EXT is scanned
// whole-file, line by line from the stored ranges (last line first), and with
// CR LF line ends, and each listing must equal NAME.EXT.tokens. A mismatch
// writes NAME.EXT.tokens.new beside it to diff and promote.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "highlight/HighlighterLanguages.h"
#include "text/CodeEditTextBuffer.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string WithCrLf(const std::string& bytes) {
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string FromStoredRanges(TCustomHighlighter& h, TCodeEditStringList& lines) {
  h.ScanAllRanges(lines);
  // Last line first, so that nothing but the stored range can carry state.
  std::vector<std::string> perLine(size_t(lines.Count()));
  for (int i = lines.Count() - 1; i >= 0; --i) {
    h.SetRangeForLine(lines, i);
    AppendLineTokens(h, lines.Get(i), i, perLine[size_t(i)]);
  }
  std::string out;
  for (auto& s : perLine) out += s;
  return out;
}

std::vector<fs::path> Examples(const fs::path& dir) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    auto ext = entry.path().extension();
    if (entry.is_regular_file() && ext != ".tokens" && ext != ".new") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(GoldenTest, EveryExampleMatchesItsTokens) {
  const fs::path root = fs::path(VANTREL_SOURCE_DIR) / "tests/highlight/examples";
  int checked = 0;
  for (const auto& language : HighlighterLanguages()) {
    fs::path dir = root / std::string(language.Name);
    if (!fs::is_directory(dir)) continue;
    for (const fs::path& example : Examples(dir)) {
      SCOPED_TRACE(example.string());
      ++checked;
      fs::path expectedPath = example.string() + ".tokens";
      fs::path newPath = example.string() + ".tokens.new";
      std::string expected = fs::exists(expectedPath) ? ReadFile(expectedPath) : std::string("(missing)");
      std::string bytes = ReadFile(example);
      auto highlighter = language.Create();

      TCodeEditStringList lines;
      lines.LoadFromBytes(bytes);
      std::string whole = ListTokens(*highlighter, lines);
      std::string stored = FromStoredRanges(*highlighter, lines);
      TCodeEditStringList crlfLines;
      crlfLines.LoadFromBytes(WithCrLf(bytes));
      std::string crlf = ListTokens(*highlighter, crlfLines);

      EXPECT_EQ(stored, whole) << "line-by-line scan from stored ranges differs";
      EXPECT_EQ(crlf, whole) << "CR LF line ends change the tokens";
      if (whole != expected) {
        std::ofstream(newPath, std::ios::binary) << whole;
        ADD_FAILURE() << "tokens differ; wrote " << newPath.string();
      } else {
        fs::remove(newPath);
      }
    }
  }
  EXPECT_GT(checked, 0);
}

// Every language against the examples of every language: scanning each line
// alone from its stored range (on an instance that has just scanned other
// lines) gives what the whole-file scan gives, so no state hides in the
// instance. Foreign text reaches the paths a language's own examples miss.
TEST(GoldenTest, EveryLanguageScansEveryExampleFromStoredRanges) {
  const fs::path root = fs::path(VANTREL_SOURCE_DIR) / "tests/highlight/examples";
  std::vector<fs::path> all;
  for (const auto& dir : fs::directory_iterator(root))
    if (dir.is_directory())
      for (const fs::path& example : Examples(dir.path())) all.push_back(example);
  std::sort(all.begin(), all.end());
  for (const auto& language : HighlighterLanguages()) {
    auto shared = language.Create();
    for (const fs::path& example : all) {
      SCOPED_TRACE(std::string(language.Name) + " on " + example.string());
      TCodeEditStringList lines;
      lines.LoadFromBytes(ReadFile(example));
      std::string whole = ListTokens(*language.Create(), lines);
      EXPECT_EQ(FromStoredRanges(*shared, lines), whole);
    }
  }
}

// The command-line listing is the same as the golden file; bad arguments exit 2.
TEST(GoldenTest, LexToolListsAndRejects) {
  const fs::path tool = fs::path(VANTREL_BINARY_DIR) / "bin/vantrel-lex";
  if (!fs::exists(tool)) GTEST_SKIP() << "vantrel-lex not built";
  const fs::path example = fs::path(VANTREL_SOURCE_DIR) / "tests/highlight/examples/cpp/directives.cpp";
  const fs::path out = fs::temp_directory_path() / ("vantrel-lex-" + std::to_string(::getpid()) + ".txt");
  auto run = [&](const std::string& args) {
    int status = std::system((tool.string() + " " + args + " >" + out.string() + " 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(run("cpp " + example.string()), 0);
  EXPECT_EQ(ReadFile(out), ReadFile(example.string() + ".tokens"));
  EXPECT_EQ(run("klingon " + example.string()), 2);
  EXPECT_NE(ReadFile(out).find("klingon"), std::string::npos);
  EXPECT_EQ(run("cpp /nonexistent/file.cpp"), 2);
  EXPECT_NE(ReadFile(out).find("/nonexistent/file.cpp"), std::string::npos);
  EXPECT_EQ(run("cpp"), 2);
  fs::remove(out);
}

}  // namespace
}  // namespace vantrel
