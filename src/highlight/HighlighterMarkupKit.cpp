// The markup highlighters' shared word hash.
#include "highlight/HighlighterMarkupKit.h"

namespace vantrel {

unsigned MarkupWordHash(std::string_view word) {
  unsigned hash = 0;
  for (char c : word) {
    if (c == '!')
      hash += 123;
    else if (c == '/')
      hash += 122;
    else if (c >= 'a' && c <= 'z')
      hash += unsigned(c - 'a' + 1);
    else if (c >= 'A' && c <= 'Z')
      hash += unsigned(c - 'A' + 1);
    else if (IsAsciiDigit(c))
      hash += unsigned(c - '0');
  }
  return hash;
}

}  // namespace vantrel
