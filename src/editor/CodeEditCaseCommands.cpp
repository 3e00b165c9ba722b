// Case conversion of the word at the caret or of the selection, recorded
// so that undo brings back the selection and the caret as they were.
// Tested by tests/editor/IndentCommandsTest.cpp
#include "editor/CodeEdit.h"
#include "platform/Assert.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

// Applies a per-byte conversion to single-byte characters only; double-byte
// characters have no case here and must not be split.
template <typename Convert>
void ConvertBytes(std::string& text, Convert convert) {
  const CodePage& cp = CodePage::Active();
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t byte = static_cast<uint8_t>(text[i]);
    if (cp.IsDoubleByte() && cp.IsLeadByte(byte) && i + 1 < text.size()) {
      ++i;
      continue;
    }
    text[i] = static_cast<char>(convert(byte, i == 0));
  }
}

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
      ConvertBytes(text, [&](uint8_t c, bool) {
        const uint8_t upper = cp.ToUpper(c);
        return upper == c ? cp.ToLower(c) : upper;
      });
      break;
    case ecTitleCase:
      ConvertBytes(text, [&](uint8_t c, bool first) { return first ? cp.ToUpper(c) : cp.ToLower(c); });
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
    const bool lead = CodePage::Active().IsDoubleByte() &&
                      CodePage::Active().IsLeadByte(static_cast<uint8_t>(line[caretX_ - 1])) && caretX_ < length;
    const TBufferCoord next{caretX_ + (lead ? 2 : 1), caretY_};
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
