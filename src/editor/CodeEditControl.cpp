// The published editor control: the core joined with its painter and the
// word-wrap layout.
// Tested by tests/editor/CodeEditPainterTest.cpp and CodeEditWordWrapTest.cpp
#include "editor/CodeEdit.h"
#include "editor/CodeEditPainter.h"
#include "editor/CodeEditWordWrap.h"

namespace vantrel {

TCodeEdit::TCodeEdit(EditorHost* host) : TCustomCodeEdit(host) {
  static const bool installed = [] {
    TWordWrapPlugin::Install();
    return true;
  }();
  (void)installed;
  ownPainter_ = std::make_unique<TCodeEditPainter>(*this);
  SetPainter(ownPainter_.get());
}

TCodeEdit::~TCodeEdit() { SetPainter(nullptr); }

}  // namespace vantrel
