#include "editor/LineBreaks.h"

namespace vantrel {

std::vector<std::string_view> SplitAtLineBreaks(std::string_view text) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '\r' || text[i] == '\n') {
      pieces.push_back(text.substr(start, i - start));
      i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

}  // namespace vantrel
