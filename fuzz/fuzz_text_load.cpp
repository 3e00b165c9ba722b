// Loading any bytes succeeds; where every line break has one style, saving
// gives back exactly the bytes that were loaded. The size check agrees with
// the lines the loader makes, tried with small limits.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/CodeEditTextBuffer.h"
#include "text/FileAccess.h"
#include "text/LineLimits.h"

namespace {

bool BreaksShareOneStyle(const std::string& s) {
  bool cr = false, lf = false, crlf = false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
      crlf = true;
      ++i;
    } else if (s[i] == '\r') {
      cr = true;
    } else if (s[i] == '\n') {
      lf = true;
    }
  }
  return cr + lf + crlf <= 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  vantrel::TCodeEditStringList list;
  list.LoadFromBytes(bytes);
  const std::string saved = list.SaveToBytes();
  if (BreaksShareOneStyle(bytes) && saved != bytes) std::abort();
  // Loading what was saved is stable.
  vantrel::TCodeEditStringList again;
  again.LoadFromBytes(saved);
  if (again.SaveToBytes() != saved || again.Count() != list.Count()) std::abort();
  list.LongestLineLength();

  size_t longest = 0;
  for (int i = 0; i < list.Count(); ++i) longest = std::max(longest, list.Get(i).size());
  const size_t maxLength = size > 0 ? data[0] % 16 : 0;
  const size_t maxLines = size > 1 ? data[1] % 16 : 0;
  bool refused = false;
  try {
    vantrel::CheckLoadable(bytes, "f", maxLength, maxLines);
  } catch (const vantrel::EFileError&) {
    refused = true;
  }
  const bool tooBig = longest > maxLength || size_t(list.Count()) > maxLines;
  if (refused != tooBig) std::abort();
  return 0;
}
