// Focus changes: the focus commands for hooked handlers, the caret made and
// taken away, and the selection repainted when it hides without focus.
// Tested by tests/editor/MouseTest.cpp
#include "editor/CodeEdit.h"

namespace vantrel {

void TCustomCodeEdit::FocusGained() {
  HandleCommand(ecGotFocus, '\0', nullptr);
  InitializeCaret();
  if (hideSelection_) InvalidateSelection();
}

void TCustomCodeEdit::FocusLost() {
  HandleCommand(ecLostFocus, '\0', nullptr);
  // A handler may have taken the focus back.
  if (!Focused() && host_) {
    host_->HideCaret();
    host_->DestroyCaret();
  }
  if (hideSelection_) InvalidateSelection();
}

}  // namespace vantrel
