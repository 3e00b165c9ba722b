// vantrel-hex FILE [OFFSET [LENGTH]]: prints the rows of a byte range as the
// hex view lays them out at 16 bytes per row, read through the view's own
// paging buffer. Exit 2 when the file cannot be read.
// Tested by tests/hexview/hex_tool_vs_xxd.sh
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "hexview/HexViewer.h"
#include "platform/CodePage.h"

namespace {

bool ParseNumber(const char* text, int64_t& value) {
  errno = 0;
  char* end = nullptr;
  const long long parsed = std::strtoll(text, &end, 0);  // decimal or 0x hex
  if (errno != 0 || end == text || *end != '\0' || parsed < 0) return false;
  value = parsed;
  return true;
}

int Usage() {
  std::fputs("usage: vantrel-hex FILE [OFFSET [LENGTH]]\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vantrel;
  if (argc < 2 || argc > 4) return Usage();
  int64_t offset = 0;
  int64_t length = -1;
  if (argc > 2 && !ParseNumber(argv[2], offset)) return Usage();
  if (argc > 3 && !ParseNumber(argv[3], length)) return Usage();

  THexViewer viewer;
  bool failed = false;
  viewer.OnMessage = [&failed](const std::string& text, THexMessageKind) {
    std::fprintf(stderr, "vantrel-hex: %s\n", text.c_str());
    failed = true;
    return false;  // never retry a failed read
  };
  if (!viewer.OpenFile(argv[1], false) || failed) return 2;
  viewer.SetTextWidthHex(16);

  const int64_t end = length < 0 ? viewer.FileSize() : std::min(viewer.FileSize(), offset + length);
  std::u32string row;
  for (int64_t at = offset - offset % 16; at < end && viewer.RowTextAt(at, row); at += 16) {
    if (failed) return 2;
    const std::string line = Utf32ToUtf8(row);
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  }
  if (std::fflush(stdout) != 0) return 1;
  return failed ? 2 : 0;
}
