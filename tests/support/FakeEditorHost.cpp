// Recording editor host for tests.
#include "FakeEditorHost.h"

#include <algorithm>

namespace vantrel {

TRect FakeEditorHost::InvalidatedUnion() const {
  TRect result;
  for (const TRect& r : Invalidated) {
    if (result.IsEmpty()) {
      result = r;
    } else {
      result = {std::min(result.Left, r.Left), std::min(result.Top, r.Top), std::max(result.Right, r.Right),
                std::max(result.Bottom, r.Bottom)};
    }
  }
  return result;
}

}  // namespace vantrel
