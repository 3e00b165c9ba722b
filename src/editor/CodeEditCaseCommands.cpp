// Case conversion of the word at the caret or of the selection, recorded
// so that undo brings back the selection and the caret as they were.
// Tested by tests/editor/IndentCommandsTest.cpp
#include "editor/CodeEdit.h"
#include "platform/Assert.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

std::string Converted(std::string text, TCodeEditorCommand command) {
  const CodePage& cp = CodePage::Active();
  switch (command) {
    case ecUpperCase:
    case ecUpperCaseBlock:
      cp.UpperCase(text);
      break;
    case ecLowerCase:
    case ecLowerCaseBlock:
      cp.LowerCase(text);
      break;
    case ecToggleCase:
    case ecToggleCaseBlock:
      cp.MapSingleBytes(text, [&](uint8_t c, size_t) {
        const uint8_t upper = cp.ToUpper(c);
        return upper == c ? cp.ToLower(c) : upper;
      });
      break;
    case ecTitleCase:
      cp.MapSingleBytes(text, [&](uint8_t c, size_t i) { return i == 0 ? cp.ToUpper(c) : cp.ToLower(c); });
      break;
    default:
      break;
  }
  return text;
}

}  // namespace

void TCustomCodeEdit::ChangeCase(TCodeEditorCommand command) {
  VANTREL_ASSERT(command >= ecUpperCase && command <= ecToggleCaseBlock && command != 624, "CodeEdit");
  const bool wordCommand = command <= ecTitleCase;
  const bool hadSelection = HasSelection();
  const TBufferCoord oldStart = anchorStart_;
  const TBufferCoord oldEnd = anchorEnd_;
  const TBufferCoord oldCaret = CaretPos();
  const TSelectionMode oldMode = effectiveSelectionMode_;
  if (wordCommand) {
    TBufferCoord at = oldCaret;
    TBufferCoord begin = WordBegin(at);
    TBufferCoord finish = WordFinish(at);
    for (int attempt = 0; attempt < 2 && !(begin.Y == finish.Y && begin.X < finish.X); ++attempt) {
      at = PreviousWordStart(at);
      begin = WordBegin(at);
      finish = WordFinish(at);
    }
    if (!(begin.Y == finish.Y && begin.X < finish.X)) return;
    SetEffectiveSelectionMode(smNormal);
    PlaceCaretAndBlock(finish, begin, finish);
  } else if (!hadSelection) {
    std::string_view line = LineText(caretY_);
    const int length = static_cast<int>(line.size());
    if (caretX_ > length) {
      if (caretY_ < LineCount()) SetCaretPos({1, caretY_ + 1});
      return;
    }
    const TBufferCoord next{caretX_ + CharLengthAt(line, caretX_), caretY_};
    SetEffectiveSelectionMode(smNormal);
    PlaceCaretAndBlock(next, oldCaret, next);
  }
  // Short lines of a column block are converted as they are, not padded.
  const std::string text = SelectedTextForUndo();
  const std::string converted = Converted(text, command);
  if (converted != text) {
    undoList_->OpenBlock();
    try {
      undoList_->RecordChange(ckSelectionMark, hadSelection ? oldStart : oldCaret, hadSelection ? oldEnd : oldCaret,
                              {}, oldMode);
      undoList_->RecordChange(ckCaretMark, oldCaret, oldCaret, {}, oldMode);
      ReplaceSelectionRecorded(converted);
    } catch (...) {
      undoList_->CloseBlock();
      throw;
    }
    undoList_->CloseBlock();
  }
  if (wordCommand) {
    SetCaretPastEol(oldCaret);
  } else if (hadSelection) {
    SetEffectiveSelectionMode(oldMode);
    PlaceCaretAndBlock(oldCaret, oldStart, oldEnd);
  } else {
    SetCaretPastEol(CaretPos());
  }
}

}  // namespace vantrel
