#include "text/LineLimits.h"

#include <algorithm>

#include "text/FileAccess.h"

namespace vantrel {

void CheckLoadable(std::string_view data, const std::string& fileName, size_t maxLength, size_t maxLines) {
  // n bytes hold at most n + 1 lines (a final break adds an empty one).
  if (data.empty() || (data.size() <= maxLength && data.size() < maxLines)) return;
  const char* p = data.data();
  const char* const end = p + data.size();
  for (size_t line = 1;; ++line) {
    const char* brk = std::find_if(p, end, [](char c) { return c == '\r' || c == '\n'; });
    if (line > maxLines) FailFile("Cannot open", fileName, "more than " + std::to_string(maxLines) + " lines");
    const size_t length = static_cast<size_t>(brk - p);
    if (length > maxLength) {
      FailFile("Cannot open", fileName,
               "line " + std::to_string(line) + " is " + std::to_string(length) +
                   " bytes long; a line holds at most " + std::to_string(maxLength));
    }
    if (brk == end) return;
    p = brk + (*brk == '\r' && brk + 1 < end && brk[1] == '\n' ? 2 : 1);
  }
}

}  // namespace vantrel
