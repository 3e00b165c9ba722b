// The command dispatcher of the editor, with the commands that need no unit
// of their own: scrolling, modes, word selection, context help, bookmarks.
// Tested by tests/editor/CaretCommandsTest.cpp and CodeEditKeyboardTest.cpp
#include <algorithm>

#include "editor/CodeEdit.h"

namespace vantrel {

namespace {

bool IsMovement(TCodeEditorCommand command) {
  return (command >= ecLeft && command <= ecGotoXY) || (command >= ecSelLeft && command <= ecSelGotoXY);
}

// Commands that change the text, the history or the clipboard's target;
// a read-only editor ignores them.
bool IsEditing(TCodeEditorCommand command) {
  return (command >= ecDeleteLastChar && command <= ecChar) || command == ecImeStr ||
         (command >= ecUndo && command <= ecPaste) || (command >= ecBlockIndent && command <= ecShiftTab) ||
         (command >= ecUpperCase && command <= ecToggleCaseBlock);
}

}  // namespace

void TCustomCodeEdit::RunCommand(TCodeEditorCommand& command, char& ch, void* data) {
  if (readOnly_ && IsEditing(command)) return;
  BeginUpdateBatch();
  try {
    // An empty buffer reads as one empty line; giving it that line keeps
    // every edit (and its undo) on real lines.
    if (LineCount() == 0 && IsEditing(command) && command != ecUndo && command != ecRedo) lines_->Add("");
    if (IsEditing(command) && effectiveSelectionMode_ == smNormal) {
      // Anchors set in another mode may lie past the end of their line; a
      // normal selection ends there, and its records must say so.
      anchorStart_ = ClampToLineEnd(anchorStart_);
      anchorEnd_ = ClampToLineEnd(anchorEnd_);
    }
    if (IsMovement(command)) {
      RunMovementCommand(command, data);
    } else if (command >= ecGotoMarker0 && command <= ecGotoMarker9) {
      if (bookMarkOptions_.EnableKeys()) JumpToBookmark(command - ecGotoMarker0);
    } else if (command >= ecSetMarker0 && command <= ecSetMarker9) {
      if (bookMarkOptions_.EnableKeys()) SetMarkerCommand(command - ecSetMarker0, data);
    } else {
      switch (command) {
        case ecSelWord:
          SelectWordAt(CaretPos());
          break;
        case ecSelectAll:
          SelectAll();
          break;
        case ecCopy:
          CopyToClipboard();
          break;
        case ecCut:
          CutToClipboard();
          break;
        case ecPaste:
          PasteFromClipboard();
          break;
        case ecUndo:
          Undo();
          break;
        case ecRedo:
          Redo();
          break;
        case ecScrollUp:
        case ecScrollDown:
        case ecScrollLeft:
        case ecScrollRight:
          RunScrollCommand(command);
          break;
        case ecInsertMode:
          SetInsertMode(true);
          break;
        case ecOverwriteMode:
          SetInsertMode(false);
          break;
        case ecToggleMode:
          SetInsertMode(!insertMode_);
          break;
        case ecNormalSelect:
          SetSelectionMode(smNormal);
          break;
        case ecColumnSelect:
          SetSelectionMode(smColumn);
          break;
        case ecLineSelect:
          SetSelectionMode(smLine);
          break;
        case ecContextHelp:
          if (OnContextHelp) {
            const TBufferCoord begin = WordBegin();
            const TBufferCoord finish = WordFinish();
            std::string word;
            if (begin.Y == finish.Y && begin.X < finish.X) {
              word = std::string(LineText(begin.Y).substr(begin.X - 1, finish.X - begin.X));
            }
            OnContextHelp(*this, word);
          }
          break;
        case ecDeleteLastChar:
          DeleteLastChar();
          break;
        case ecDeleteChar:
          DeleteChar();
          break;
        case ecDeleteWord:
        case ecDeleteEOL:
          DeleteWordOrToEnd(command == ecDeleteEOL);
          break;
        case ecDeleteLastWord:
        case ecDeleteBOL:
          DeleteLastWordOrToStart(command == ecDeleteBOL);
          break;
        case ecDeleteLine:
          DeleteLine();
          break;
        case ecClearAll:
          ClearAll();
          break;
        case ecLineBreak:
        case ecInsertLine:
          LineBreak(command == ecLineBreak);
          break;
        case ecChar:
          TypeChar(ch);
          break;
        case ecImeStr:
          InsertImeString(static_cast<const char*>(data));
          break;
        case ecTab:
          TabCommand();
          break;
        case ecShiftTab:
          ShiftTabCommand();
          break;
        case ecBlockIndent:
          IndentBlock();
          break;
        case ecBlockUnindent:
          UnindentBlock();
          break;
        case ecUpperCase:
        case ecLowerCase:
        case ecToggleCase:
        case ecTitleCase:
        case ecUpperCaseBlock:
        case ecLowerCaseBlock:
        case ecToggleCaseBlock:
          ChangeCase(command);
          break;
        case ecMatchBracket:
          GoToMatchingBracket();
          break;
        default:
          // Comment block, completion, strings, focus and user commands are
          // only seen by the events and hooked handlers.
          break;
      }
    }
  } catch (...) {
    EndUpdateBatch();
    throw;
  }
  EndUpdateBatch();
}

void TCustomCodeEdit::RunScrollCommand(TCodeEditorCommand command) {
  if (command == ecScrollLeft || command == ecScrollRight) {
    SetLeftChar(leftChar_ + (command == ecScrollLeft ? -1 : 1));
    UpdateNow();
    return;
  }
  const int row = CaretDisplayRow();
  if (row < topLine_ || row > topLine_ + visibleRows_ - 1) {
    ScrollCaretIntoView();
    return;
  }
  SetTopLine(topLine_ + (command == ecScrollUp ? -1 : 1));
  const int moved = CaretDisplayRow();
  if (visibleRows_ > 0) {
    if (moved < topLine_) {
      MoveCaretByRows(topLine_ - moved, false);
    } else if (moved > topLine_ + visibleRows_ - 1) {
      MoveCaretByRows(topLine_ + visibleRows_ - 1 - moved, false);
    }
  }
  ScrollCaretIntoView();
  UpdateNow();
}

void TCustomCodeEdit::SelectWordAt(TBufferCoord position) {
  position = ClampAnchor(position);
  const int length = static_cast<int>(LineText(position.Y).size());
  if (position.X > length) {
    SetCaretPos({length + 1, position.Y});
    return;
  }
  const TBufferCoord begin = WordBegin(position);
  const TBufferCoord finish = WordFinish(position);
  if (begin.Y == finish.Y && begin.X != finish.X) PlaceCaretAndBlock(finish, begin, finish);
}

// ---------------------------------------------------------------- bookmarks

void TCustomCodeEdit::SetMarkerCommand(int index, void* data) {
  const TBufferCoord position = data ? *static_cast<const TBufferCoord*>(data) : CaretPos();
  if (TCodeEditMark* mark = bookmarks_[index]) {
    const int oldLine = mark->Line;
    RemoveBookmark(index);
    // The key on the bookmark's own line removes it; elsewhere it moves.
    if (oldLine != position.Y) PlaceBookmark(index, position.X, position.Y);
  } else {
    PlaceBookmark(index, position.X, position.Y);
  }
}

void TCustomCodeEdit::PlaceBookmark(int index, int x, int y) {
  if (index < 0 || index > 9 || y < 1 || y > std::max(1, LineCount())) return;
  auto mark = std::make_unique<TCodeEditMark>();
  mark->Line = y;
  mark->Column = x;
  mark->ImageIndex = index;
  mark->BookmarkSlot = index;
  mark->Visible = true;
  mark->UsesBuiltInImage = !bookMarkOptions_.HasBookmarkImages();
  if (OnPlaceBookmark) {
    // The handler may cancel (null) or hand over a mark of its own, made
    // with new; either way the editor owns what comes back.
    TCodeEditMark* given = mark.get();
    OnPlaceBookmark(*this, given);
    if (given != mark.get()) mark.reset(given);
  }
  if (!mark) return;
  if (bookmarks_[index]) RemoveBookmark(index);
  bookmarks_[index] = marks_.Add(std::move(mark));
}

void TCustomCodeEdit::RemoveBookmark(int index) {
  if (index < 0 || index > 9 || !bookmarks_[index]) return;
  TCodeEditMark* const mark = bookmarks_[index];
  TCodeEditMark* shown = mark;  // the handler gets a copy of the pointer
  if (OnClearBookmark) OnClearBookmark(*this, shown);
  bookmarks_[index] = nullptr;
  marks_.Remove(mark);
}

void TCustomCodeEdit::JumpToBookmark(int index) {
  if (index < 0 || index > 9 || !bookmarks_[index]) return;
  const TCodeEditMark& mark = *bookmarks_[index];
  if (mark.Line < 1 || mark.Line > LineCount()) return;
  BeginUpdateBatch();
  MoveCaretTo({mark.Column, mark.Line}, false);
  ScrollCaretIntoViewCentred();
  SetAnchorStart(CaretPos());
  EndUpdateBatch();
}

}  // namespace vantrel
