// The editor control's core: caret, selection, scroll position, options,
// coordinate conversion, update batches and status notification, selected
// text and the reaction to line buffer changes, and key handling. It reaches
// the desktop only through EditorHost; painting, word wrap and the command
// dispatcher plug in through the hooks declared here.
// Tested by tests/editor/CodeEditModelTest.cpp, CodeEditSelectionTest.cpp,
// CodeEditKeyboardTest.cpp and CodeEditPropertyTest.cpp
#pragma once

#include <array>
#include <bitset>
#include <chrono>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/CodeEditKbdHandler.h"
#include "editor/CodeEditKeyCmds.h"
#include "editor/CodeEditMiscClasses.h"
#include "editor/CodeEditTypes.h"
#include "platform/Clipboard.h"
#include "platform/EditorHost.h"
#include "search/CodeEditSearch.h"
#include "text/CodeEditTextBuffer.h"
#include "text/CodeEditUndo.h"

namespace vantrel {

class TCustomHighlighter;
class TCodeEditSearchCustom;
class TPersistent;

class ECodeEditError : public Exception {
 public:
  using Exception::Exception;
};

enum TReplaceAction : uint8_t { raCancel, raSkip, raReplace, raReplaceAll };

// Dialog codes: which keys the control wants when the platform asks.
using TDialogCodes = uint8_t;
constexpr TDialogCodes dlgcWantArrows = 1;
constexpr TDialogCodes dlgcWantTab = 2;
constexpr TDialogCodes dlgcWantChars = 4;
constexpr TDialogCodes dlgcWantAllKeys = 8;

class TCustomCodeEdit;
using TCodeEditCharSet = std::bitset<256>;

using TNotifyEvent = std::function<void(TCustomCodeEdit& sender)>;
using TPlaceMarkEvent = std::function<void(TCustomCodeEdit& sender, TCodeEditMark*& mark)>;
using TProcessCommandEvent =
    std::function<void(TCustomCodeEdit& sender, TCodeEditorCommand& command, char& ch, void* data)>;
using TContextHelpEvent = std::function<void(TCustomCodeEdit& sender, const std::string& word)>;
using TDropFilesEvent =
    std::function<void(TCustomCodeEdit& sender, int x, int y, const std::vector<std::string>& files)>;
using TGutterClickEvent = std::function<void(TCustomCodeEdit& sender, TMouseButton button, int x, int y,
                                             int line, TCodeEditMark* mark)>;
using TGutterGetTextEvent = std::function<void(TCustomCodeEdit& sender, int line, std::string& text)>;
using TGutterPaintEvent = std::function<void(TCustomCodeEdit& sender, int line, int x, int y)>;
using TPaintEvent = std::function<void(TCustomCodeEdit& sender, Canvas& canvas)>;
using TPaintTransient = std::function<void(TCustomCodeEdit& sender, Canvas* canvas, TTransientType type)>;
using TReplaceTextEvent =
    std::function<void(TCustomCodeEdit& sender, const std::string& search, const std::string& replace,
                       int line, int column, TReplaceAction& action)>;
using TScrollEvent = std::function<void(TCustomCodeEdit& sender, TScrollBarKind bar)>;
using TSpecialLineColorsEvent =
    std::function<void(TCustomCodeEdit& sender, int line, bool& special, TColor& fg, TColor& bg)>;
using TStatusChangeEvent = std::function<void(TCustomCodeEdit& sender, TStatusChanges changes)>;
// Hooked command handlers see a command before (afterProcessing false) and
// after it runs; they may change it or cancel it (ecNone).
using THookedCommandEvent = std::function<void(TCustomCodeEdit& sender, bool afterProcessing, bool& handled,
                                               TCodeEditorCommand& command, char& ch, void* data)>;
using TWordWrapPluginFactory = std::function<std::unique_ptr<ICodeEditBufferPlugin>(TCustomCodeEdit&)>;

class TCustomCodeEdit {
 public:
  static constexpr int kScrollTimerId = 1;
  static constexpr int kScrollTimerInterval = 100;
  // Idle-time scan of the highlighter ranges below the lines looked at.
  static constexpr int kRangeScanTimerId = 2;

  // host may be null: the control then works as a model without a window.
  explicit TCustomCodeEdit(EditorHost* host = nullptr);
  virtual ~TCustomCodeEdit();
  TCustomCodeEdit(const TCustomCodeEdit&) = delete;  // owns its buffer and is hooked by address
  TCustomCodeEdit& operator=(const TCustomCodeEdit&) = delete;

  // ---- Platform.
  EditorHost* Host() const { return host_; }
  // Attaching a host measures the font and computes the window metrics.
  void SetHost(EditorHost* host);
  bool HandleAllocated() const { return host_ != nullptr; }
  bool Focused() const { return host_ && host_->Focused(); }
  Clipboard* GetClipboard() const { return clipboard_; }
  void SetClipboard(Clipboard* clipboard) { clipboard_ = clipboard; }
  // The host reports a changed client size.
  void Resized();
  // The host's timer with this id fired.
  virtual void TimerTick(int id);

  // ---- Text.
  TCodeEditStringList& Lines() { return *lines_; }
  const TCodeEditStringList& Lines() const { return *lines_; }
  void SetLines(const TCodeEditStringList& source);
  std::string Text() const { return lines_->GetText(); }
  void SetText(std::string_view text) { lines_->SetText(text); }
  int LineCount() const { return lines_->Count(); }
  // The text of 1-based line y, empty outside the buffer.
  std::string_view LineText(int y) const { return lines_->Get(y - 1); }
  TCodeEditUndoList& UndoList() { return *undoList_; }
  TCodeEditUndoList& RedoList() { return *redoList_; }

  // ---- Caret.
  TBufferCoord CaretPos() const { return {caretX_, caretY_}; }
  // Moves the caret (clamped, made visible) and collapses the selection to it.
  void SetCaretPos(TBufferCoord value);
  int CaretX() const { return caretX_; }
  int CaretY() const { return caretY_; }
  void SetCaretX(int value) { SetCaretKeepBlock({value, caretY_}); }
  void SetCaretY(int value) { SetCaretKeepBlock({caretX_, value}); }
  void SetCaretKeepBlock(TBufferCoord value) { MoveCaretTo(value, true); }
  void MoveCaretTo(TBufferCoord value, bool makeVisible);
  TDisplayPos CaretDisplayPos() const;
  int CaretDisplayColumn() const { return CaretDisplayPos().Column; }
  int CaretDisplayRow() const { return CaretDisplayPos().Row; }
  int PreferredColumn() const { return preferredColumn_; }
  void SetPreferredColumn(int value) { preferredColumn_ = value; }
  bool CaretSteppedBack() const { return caretSteppedBack_; }
  void SetCaretSteppedBack(bool value) { caretSteppedBack_ = value; }
  bool CaretAtRowEnd() const { return caretAtRowEnd_; }
  void SetCaretAtRowEnd(bool value) { caretAtRowEnd_ = value; }
  std::string CaretLineText() const;
  void SetCaretLineText(std::string_view text);

  // ---- Selection.
  // The ordered ends of the selection.
  TBufferCoord AnchorStart() const;
  TBufferCoord AnchorEnd() const;
  // The anchors as set: where the selection started and its moving end.
  TBufferCoord RawAnchorStart() const { return anchorStart_; }
  TBufferCoord RawAnchorEnd() const { return anchorEnd_; }
  void SetAnchorStart(TBufferCoord value);
  void SetAnchorEnd(TBufferCoord value);
  bool HasSelection() const;
  TSelectionMode SelectionMode() const { return selectionMode_; }
  void SetSelectionMode(TSelectionMode value);
  TSelectionMode EffectiveSelectionMode() const { return effectiveSelectionMode_; }
  void SetEffectiveSelectionMode(TSelectionMode value);
  std::string SelectedText() const;
  // Replaces the selection, recording the removal and the insertion as one
  // undo block.
  void SetSelectedText(std::string_view text);
  // Replaces the selection in the active mode; only column insertions are
  // recorded (per line).
  void ReplaceSelectionRaw(std::string_view text) {
    ReplaceSelectionInMode(effectiveSelectionMode_, text, true);
  }
  // Returns the number of lines the insertion added.
  // columnStarts: for a column block, where each piece goes, byte for byte.
  int ReplaceSelectionInMode(TSelectionMode mode, std::string_view text, bool addToUndo,
                             const std::vector<TBufferCoord>* columnStarts = nullptr);
  int SelectionStart() const { return PositionToIndex(AnchorStart()); }
  void SetSelectionStart(int index);
  int SelectionLength() const;
  void SetSelectionLength(int length);
  void SelectAll();
  // Caret and both anchors at once, exactly where given (within the
  // buffer); the active selection mode is kept.
  void PlaceCaretAndBlock(TBufferCoord caret, TBufferCoord blockBegin, TBufferCoord blockEnd);

  // ---- Column blocks: the one rule for where a block lies on each row,
  // used by reading, deleting, inserting, case change, indentation and undo.
  // A column block is a span of display columns on a span of display rows;
  // under word wrap each covered row contributes its own segment, taken from
  // the line through the row's first cell.
  struct TColumnBlock {
    int Left;  // display columns, Left <= Right (Right exclusive)
    int Right;
    int FirstRow;
    int LastRow;
  };
  // One covered row: bytes [First, Last) of line Line, and Fill, the width
  // of the block beyond the end of the line (read as blanks).
  struct TColumnPiece {
    int Line;
    int First;
    int Last;
    int Fill;
  };
  TColumnBlock ColumnBlock(TBufferCoord begin, TBufferCoord end) const;
  TColumnPiece ColumnPiece(int row, int left, int right) const;
  std::vector<TColumnPiece> ColumnPieces(const TColumnBlock& block) const;

  // ---- Coordinates.
  TDisplayPos BufferToDisplay(TBufferCoord position) const;
  TBufferCoord DisplayToBuffer(TDisplayPos position) const;
  int PositionToIndex(TBufferCoord position) const;
  TBufferCoord IndexToPosition(int index) const;
  int DisplayRowCount() const;
  int LineToRow(int line) const;
  int RowToLine(int row) const;
  // Cells of a display row; a row past the text counts as empty (an empty
  // buffer has no rows, yet the caret stands on one).
  int RowCellCount(int row) const;
  // Display column of buffer column x in a line of text, and back.
  int ExpandedColumn(std::string_view line, int x) const;
  int BufferColumn(std::string_view line, int column) const;

  // ---- Scroll position and window metrics.
  int TopLine() const { return topLine_; }
  void SetTopLine(int value);
  int LeftChar() const { return leftChar_; }
  void SetLeftChar(int value);
  void ScrollCaretIntoView();
  // As ScrollCaretIntoView, but a caret row outside the window ends up in
  // the middle of it.
  void ScrollCaretIntoViewCentred();
  int VisibleColumns() const { return visibleColumns_; }
  int VisibleRows() const { return visibleRows_; }
  int CharWidth() const { return charWidth_; }
  int LineHeight() const { return lineHeight_; }
  int TextOriginX() const { return textOriginX_; }
  int GutterWidth() const { return gutterWidth_; }
  void SetGutterWidth(int value);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  // The font the cells are measured with (a fixed-pitch copy for a
  // proportional font).
  const TFont& EffectiveFont() const { return fixedFont_ ? *fixedFont_ : font_; }

  // ---- Update batches, status and invalidation.
  void BeginUpdateBatch() { ++updateBatchDepth_; }
  void EndUpdateBatch();
  int UpdateBatchDepth() const { return updateBatchDepth_; }
  void NoteStatusChange(TStatusChanges changes);
  TStatusChanges PendingStatusChanges() const { return pendingStatusChanges_; }
  // Lines are 1-based; (-1, -1) means everything.
  void InvalidateTextRows(int firstLine, int lastLine);
  void InvalidateGutterRows(int firstLine, int lastLine);
  void InvalidateTextRow(int line) { InvalidateTextRows(line, line); }
  void InvalidateGutterRow(int line) { InvalidateGutterRows(line, line); }
  void InvalidateSelection();
  void InvalidateAll();
  void InvalidateRect(const TRect& rect);
  bool LinesChanging() const { return linesChanging_; }
  const TRect& CollectedInvalidRect() const { return collectedInvalidRect_; }
  // Places the caret on screen (pending while a batch is open or unfocused).
  void UpdateCaret();
  // Re-creates the caret in the shape of the current insert mode.
  void InitializeCaret();
  void UpdateScrollBars();
  // Repaints invalid areas now.
  void UpdateNow();

  // ---- Properties.
  TCodeEditorOptions Options() const { return options_; }
  void SetOptions(TCodeEditorOptions value);
  bool HasOption(TCodeEditorOption option) const { return (options_ & OptionBit(option)) != 0; }
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int value);
  bool InsertMode() const { return insertMode_; }
  void SetInsertMode(bool value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool Modified() const { return modified_; }
  void SetModified(bool value);
  int MaxScrollWidth() const { return maxScrollWidth_; }
  void SetMaxScrollWidth(int value);
  int MaxUndo() const { return undoList_->ItemLimit(); }
  void SetMaxUndo(int value);
  int ExtraLineSpacing() const { return extraLineSpacing_; }
  void SetExtraLineSpacing(int value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);
  int RightEdge() const { return rightEdge_; }
  void SetRightEdge(int value);
  TColor RightEdgeColor() const { return rightEdgeColor_; }
  void SetRightEdgeColor(TColor value);
  TColor ActiveLineColor() const { return activeLineColor_; }
  void SetActiveLineColor(TColor value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TCodeEditCaretType InsertCaret() const { return insertCaret_; }
  void SetInsertCaret(TCodeEditCaretType value);
  TCodeEditCaretType OverwriteCaret() const { return overwriteCaret_; }
  void SetOverwriteCaret(TCodeEditCaretType value);
  TColor ScrollHintColor() const { return scrollHintColor_; }
  void SetScrollHintColor(TColor value) { scrollHintColor_ = value; }
  TScrollHintFormat ScrollHintFormat() const { return scrollHintFormat_; }
  void SetScrollHintFormat(TScrollHintFormat value) { scrollHintFormat_ = value; }
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { wantReturns_ = value; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { wantTabs_ = value; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  // Word wrap is in force only when a layout plug-in could be created.
  bool WordWrapActive() const { return wordWrapPlugin_ != nullptr; }
  ICodeEditBufferPlugin* WordWrapPlugin() const { return wordWrapPlugin_.get(); }
  // The word-wrap layout is created through this factory, installed by the
  // word-wrap unit at start-up.
  static void SetWordWrapPluginFactory(TWordWrapPluginFactory factory);

  TCustomHighlighter* Highlighter() const { return highlighter_; }
  void SetHighlighter(TCustomHighlighter* value);
  // Attribute or highlighter change; a highlighter as sender re-scans all ranges.
  void HighlighterChanged(TPersistent* sender);
  TCodeEditSearchCustom* SearchEngine() const { return searchEngine_; }
  void SetSearchEngine(TCodeEditSearchCustom* value) { searchEngine_ = value; }
  // A referenced component (highlighter, search engine) is going away.
  void ComponentRemoved(const void* component);

  TCodeEditKeyStrokes& Keystrokes() { return keystrokes_; }
  // Copies the bindings; null clears them.
  void SetKeystrokes(const TCodeEditKeyStrokes* value);
  TGutter& Gutter() { return gutter_; }
  void SetGutter(const TGutter& value) { gutter_.Assign(value); }
  TSelectedColor& SelectedColor() { return selectedColor_; }
  TBookMarkOpt& BookMarkOptions() { return bookMarkOptions_; }
  TGlyph& WordWrapGlyph() { return wordWrapGlyph_; }
  void SetWordWrapGlyph(const TGlyph& value) { wordWrapGlyph_.Assign(value); }
  TCodeEditMarkList& Marks() { return marks_; }
  std::array<TCodeEditMark*, 10>& Bookmarks() { return bookmarks_; }
  TCodeEditKbdHandler& KbdHandler() { return kbdHandler_; }
  // Plug-ins are owned by whoever adds them and must be removed before they go.
  void AddPlugin(TCodeEditPlugin* plugin);
  void RemovePlugin(TCodeEditPlugin* plugin);
  const std::vector<TCodeEditPlugin*>& Plugins() const { return plugins_; }

  // ---- Painting.
  void SetPainter(ICodeEditPainter* painter) { painter_ = painter; }
  ICodeEditPainter* Painter() const { return painter_; }
  void Paint(Canvas& canvas, const TRect& clip);
  void DoOnPaintTransient(TTransientType type) { DoOnPaintTransientEx(type, false); }
  // Locked calls nest: only the outermost pair fires.
  void DoOnPaintTransientEx(TTransientType type, bool lock);

  // ---- Word positions.
  TCodeEditCharSet WordChars() const;
  TBufferCoord NextWordStart() const { return NextWordStart(CaretPos()); }
  TBufferCoord NextWordStart(TBufferCoord position) const;
  TBufferCoord PreviousWordStart() const { return PreviousWordStart(CaretPos()); }
  TBufferCoord PreviousWordStart(TBufferCoord position) const;
  TBufferCoord WordBegin() const { return WordBegin(CaretPos()); }
  TBufferCoord WordBegin(TBufferCoord position) const;
  TBufferCoord WordFinish() const { return WordFinish(CaretPos()); }
  TBufferCoord WordFinish(TBufferCoord position) const;
  // Indentation reaching a display width: tabs then spaces, or spaces only
  // with eoTabsToSpaces.
  std::string MakeIndent(int width) const;

  // ---- Buffer synchronisation.
  // Writes a line (index 0-based), trimming trailing blanks with
  // eoTrimTrailingSpaces.
  void StoreLine(int index, std::string_view text);
  // Re-scans highlighter ranges from a 0-based line until a line ends in its
  // stored state; returns the last line scanned.
  int RescanFrom(int index);
  void RescanAll();
  // Ranges of the lines above KnownRangeCount() are those a scan from the top
  // gives; the rest wait for idle time. Anything that reads the range of a
  // line calls this first, which scans up to it.
  void EnsureRangesUpTo(int index) const;
  int KnownRangeCount() const { return rangesKnown_; }
  // A loaded or assigned text longer than this many lines is scanned at idle
  // time beyond the lines painted (only with a host, which gives the timer).
  void SetDeferredScanLines(int lines) { deferredScanLines_ = lines; }
  // Marks and plug-ins follow inserted and deleted lines (1-based).
  void NotifyLinesInserted(int firstLine, int count);
  void NotifyLinesDeleted(int firstLine, int count);

  // ---- Keyboard.
  TCodeEditorCommand KeyToCommand(TVirtualKey key, TShiftState shift);
  void KeyDown(TVirtualKey& key, TShiftState shift);
  void KeyPress(char& ch);
  void KeyUp(TVirtualKey& key, TShiftState shift);
  // The input method finished a composition with this result.
  void ImeResult(std::string_view text);
  void ImeStartComposition();
  TDialogCodes DialogCodes() const;
  // The command pipeline: events and hooked handlers around RunCommand.
  virtual void HandleCommand(TCodeEditorCommand command, char ch, void* data);
  void AddHookedCommandHandler(const void* owner, THookedCommandEvent handler);
  void RemoveHookedCommandHandler(const void* owner);

  // ---- Commands (CodeEditCommands.cpp, CodeEditCaretCommands.cpp,
  // CodeEditClipboardCommands.cpp, CodeEditUndoRedo.cpp,
  // CodeEditTextCommands.cpp, CodeEditIndent.cpp).
  // The clipboard format that carries the selection mode beside the text.
  static constexpr const char* kBlockFormatName = "CodeEdit Control Block Type";
  void Undo();
  void Redo();
  bool CanUndo() const { return !readOnly_ && undoList_->CanUndo(); }
  bool CanRedo() const { return redoList_->CanUndo(); }
  bool CanPaste() const;
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void ClearAll();
  void PlaceBookmark(int index, int x, int y);
  void JumpToBookmark(int index);
  void RemoveBookmark(int index);
  // Moves the caret; extending grows the selection from the old caret,
  // otherwise the selection collapses to the target.
  void MoveCaretExtending(TBufferCoord target, bool extend);
  void MoveCaretByColumns(int count, bool extend);
  void MoveCaretByRows(int count, bool extend);
  void HomeCommand(bool extend);
  void EndCommand(bool extend);
  void SelectWordAt(TBufferCoord position);
  // Leading white space of a line: characters (a tab counting 1) or width
  // (a tab counting TabWidth); 0 without eoAutoIndent.
  int IndentWidth(std::string_view line, bool width) const;
  void TabCommand();
  void ShiftTabCommand();
  void IndentBlock();
  void UnindentBlock();
  void ChangeCase(TCodeEditorCommand command);

  // ---- Changes made by the text tools (CodeEditWholeText.cpp).
  // Replaces the whole text as one undoable change (the removal and the
  // insertion in one block); the caret goes to the start.
  void ReplaceAllText(std::string_view text);
  // Inserts text after the last character as one undoable insertion. With
  // joinPrevious, an insertion that ended right there grows instead, so that
  // output appended piece by piece is undone in one step. The caret ends
  // after the text.
  void AppendText(std::string_view text, bool joinPrevious);
  // Replaces a selection by convert of its text, which must keep its shape
  // (a case change); one undo step brings the selection back, and the
  // selection stays on the converted text.
  void ConvertSelection(const std::function<std::string(std::string_view)>& convert);

  // ---- Mouse, scrolling, drag and drop, focus and the matching bracket
  // (CodeEditMouse.cpp, CodeEditScrolling.cpp, CodeEditDragDrop.cpp,
  // CodeEditFocus.cpp, CodeEditBracket.cpp). x and y are client pixels.
  // The cell under a point, and the caret position nearest to it.
  TDisplayPos PixelsToRowColumn(int x, int y) const;
  TDisplayPos PixelsToNearestRowColumn(int x, int y) const;
  bool IsPointInSelection(TBufferCoord value) const;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // The second press of a double click; the host then sends MouseDown with
  // ssDouble.
  void DblClick(int x, int y);
  // Sets the host's cursor for the pointer at (x, y).
  void UpdateMouseCursor(int x, int y);
  void CaptureLost();
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value) { cursor_ = value; }
  // wheelDelta in wheel units, 120 a notch, positive away from the user.
  void MouseWheel(TShiftState shift, int wheelDelta);
  int WheelAccumulator() const { return wheelAccumulator_; }
  void ScrollBarMessage(TScrollBarKind bar, TScrollCode code, int position);
  // The vertical thumb is being dragged.
  bool Scrolling() const { return scrolling_; }
  std::string ScrollHintText() const;
  // A drag from source (null when it is no editor) passes over this editor;
  // returns whether a drop would be accepted.
  bool DragOver(TCustomCodeEdit* source, int x, int y, TDragState state);
  void DragDrop(TCustomCodeEdit* source, int x, int y, TShiftState shift);
  // The drag this editor started is over (dropped anywhere or cancelled).
  void DragEnded(bool cancelled);
  bool Dragging() const { return dragging_; }
  void DropFiles(int x, int y, const std::vector<std::string>& files);
  void FocusGained();
  void FocusLost();
  // (0, 0) when the character there is no bracket or has no partner.
  TBufferCoord MatchingBracketAt() const { return MatchingBracketAt(CaretPos()); }
  TBufferCoord MatchingBracketAt(TBufferCoord position) const;
  void GoToMatchingBracket();

  // ---- Search and replace (CodeEditSearchReplace.cpp). SearchEngine,
  // OnReplaceText and OnPaintTransient above and below serve it.
  // Runs one search or replace over the range the flags name and returns
  // the number of hits taken. A replace of every hit without questions is
  // one undo group under one paint lock; engine errors pass out after both
  // are closed. Raises ECodeEditError when no engine is assigned.
  int SearchReplaceText(const std::string& search, const std::string& replace, TSearchFlags flags);

  // ---- Events.
  TNotifyEvent OnChange;
  TPlaceMarkEvent OnClearBookmark;
  TPlaceMarkEvent OnPlaceBookmark;
  TProcessCommandEvent OnCommandProcessed;
  TProcessCommandEvent OnProcessCommand;
  TProcessCommandEvent OnProcessUserCommand;
  TContextHelpEvent OnContextHelp;
  TDropFilesEvent OnDropFiles;
  TGutterClickEvent OnGutterClick;
  TGutterGetTextEvent OnGutterGetText;
  TGutterPaintEvent OnGutterPaint;
  TMouseCursorEvent OnMouseCursor;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  std::function<void(TCustomCodeEdit& sender, TShiftState shift, int x, int y)> OnMouseMove;
  TNotifyEvent OnDblClick;
  std::function<void(TCustomCodeEdit& sender, TCustomCodeEdit* source, int x, int y, TDragState state,
                     bool& accept)>
      OnDragOver;
  std::function<void(TCustomCodeEdit& sender, TCustomCodeEdit* source, int x, int y)> OnDragDrop;
  TPaintEvent OnPaint;
  TPaintTransient OnPaintTransient;
  TReplaceTextEvent OnReplaceText;
  TScrollEvent OnScroll;
  TSpecialLineColorsEvent OnSpecialLineColors;
  TStatusChangeEvent OnStatusChange;
  std::function<void(TCustomCodeEdit& sender, TVirtualKey& key, TShiftState shift)> OnKeyDown;
  std::function<void(TCustomCodeEdit& sender, TVirtualKey& key, TShiftState shift)> OnKeyUp;
  std::function<void(TCustomCodeEdit& sender, char& key)> OnKeyPress;

 protected:
  // The dispatcher: runs one command inside an update batch.
  virtual void RunCommand(TCodeEditorCommand& command, char& ch, void* data);

 private:
  // Buffer notifications.
  void LinesChanging();
  void LinesChanged();
  void LinesCleared();
  void LinesDeleted(int index, int count);
  void LinesInserted(int index, int count);
  void LineReplaced(int index);
  void GrowMaxScrollWidthTo(int index, int count);

  // Undo list notification.
  void UndoRedoAdded(TCodeEditUndoList& sender);

  // Command units.
  void RunMovementCommand(TCodeEditorCommand command, void* data);
  void RunScrollCommand(TCodeEditorCommand command);
  void SetMarkerCommand(int index, void* data);
  void WalkHistory(bool redo);
  void RevertItem(const TCodeEditUndoItem& item);
  void ReapplyItem(const TCodeEditUndoItem& item);
  void SyncModifiedWithUndoList();
  void PutOnClipboard(const std::string& text, TSelectionMode mode);
  void RecordPastedRange(TBufferCoord start, TSelectionMode mode, std::string replaced);
  // Inserts a line-mode block at the caret; in overwrite mode the lines it
  // replaces are recorded as removed first, so that undo brings them back.
  void InsertLinesRecorded(std::string_view text);
  // Replaces the selection by pasted text in the given mode, recorded
  // between paste markers.
  void PasteText(std::string_view text, TSelectionMode mode);
  // The selection as an undo record needs it: column blocks without the
  // padding of short lines, so that re-inserting restores them exactly.
  std::string SelectedTextForUndo();
  // Removes the selection and records it as kind on list, with what undo
  // needs to put it back exactly.
  void RemoveSelectionRecorded(TChangeKind kind, TCodeEditUndoList& list);
  // Deletes the selection, recording it by the direction of the anchors.
  void DeleteSelectionRecorded();
  // Replaces the selection (or inserts at the caret) in one undo block,
  // recording the removal and the insertion so that undo is exact.
  void ReplaceSelectionRecorded(std::string_view text);
  void DeleteLastChar();
  void DeleteChar();
  void DeleteWordOrToEnd(bool toLineEnd);
  // Deletes from the caret forward to end as one recorded step.
  void DeleteForwardTo(TBufferCoord caret, TBufferCoord end);
  void DeleteLastWordOrToStart(bool toLineStart);
  void DeleteLine();
  void LineBreak(bool moveCaret);
  void TypeChar(char ch);
  void InsertImeString(const char* text);
  // Fills a line with spaces up to column x, recording the filling.
  void PadLineTo(int x, int y);
  void SetCaretPastEol(TBufferCoord position);
  TBufferCoord ClampToLineEnd(TBufferCoord position) const;
  // Where a normal-mode insertion of text at the caret (no selection) starts
  // to change the line, and the text it replaces there: past the end of a
  // blank line the blanks are rebuilt as indentation, and trimming trailing
  // blanks may take those before the caret.
  TBufferCoord NormalInsertStart(std::string_view text, std::string& replaced) const;

  // For a column selection, where each of its pieces starts, byte for byte.
  std::vector<TBufferCoord> SelectionColumnStarts() const;
  // The caret's display column within its whole line, wrapped or not: what
  // indentation is measured in.
  int CaretLineColumn() const { return ExpandedColumn(LineText(caretY_), caretX_); }
  void DeleteSelection(TBufferCoord blockBegin, TBufferCoord blockEnd);
  int InsertNormal(std::string_view text);
  // Inserts the pieces of a column block on the rows from the caret down at
  // the caret's display column, or with starts (one per piece), exactly there.
  int InsertColumn(std::string_view text, bool addToUndo, const std::vector<TBufferCoord>* starts = nullptr);
  int InsertLines(std::string_view text);
  void SetCaretYField(int y);
  // After an insertion: keeps the caret within what the options allow past the
  // line end and collapses the anchors onto it.
  void SettleCaretAfterInsert();
  // The bulk path of AppendText: pieces (two or more) go after the last
  // character, the new lines into the buffer in one block and one notice.
  void AppendLinesAtEnd(TBufferCoord end, const std::vector<std::string_view>& pieces);

  // Mouse, scrolling and drag and drop.
  // Moves the caret to the position nearest the point, keeping the anchors.
  void ComputeCaret(int x, int y);
  // The auto-scroll deltas for the pointer at (x, y); runs the timer while
  // either is non-zero.
  void ComputeScroll(int x, int y);
  void SetScrollTimer(bool on);
  void ScrollTimerTick();
  // Range bookkeeping of inserted and deleted lines; Inserted tells whether
  // the new lines are to be scanned now.
  bool KnownRangesInserted(int index, int count);
  void KnownRangesDeleted(int index, int count);
  void DeferRangeScan();
  void RangeScanTick();
  // Scans unknown ranges in order until the line index is known or the
  // deadline (when given) passes.
  void ScanUnknownRanges(int index, const std::chrono::steady_clock::time_point* deadline) const;
  void DoOnGutterClick(TMouseButton button, int x, int y);
  // Under word wrap the start of a continuation row is also the end of the
  // row above: a caret aimed at `row` that landed on the next row's start is
  // shown at the end of `row`. Clicks, drags and vertical keys share this.
  void ShowCaretOnRow(int row);
  void VerticalScrollBarMessage(TScrollCode code, int position);
  void HorizontalScrollBarMessage(TScrollCode code, int position);
  void ShowScrollHint();
  // Inserts dropped text at position as one record of kind, and selects it
  // with the caret at its start.
  void InsertDroppedText(TBufferCoord position, std::string_view text, TSelectionMode mode, TChangeKind kind);

  // Clamps an anchor as both anchor setters do.
  TBufferCoord ClampAnchor(TBufferCoord value) const;
  bool IsTrailByte(std::string_view line, int x) const;
  // Bytes of the character at column x: 2 for a double-byte character.
  int CharLengthAt(std::string_view line, int x) const;

  void StatusChanged(TStatusChanges changes) { NoteStatusChange(changes); }
  void RecalcCharExtent();
  void SizeOrFontChanged(bool fontChanged);
  void GutterChanged();
  void ComputeCaretShape(int& width, int& height, TPoint& offset) const;
  void InvalidateArea(int firstLine, int lastLine, bool gutter);
  TRect ClientRect() const;
  int LongestLineLength() const { return lines_->LongestLineLength(); }

  EditorHost* host_ = nullptr;
  Clipboard* clipboard_ = nullptr;
  ICodeEditPainter* painter_ = nullptr;
  std::unique_ptr<TCodeEditStringList> lines_;
  std::unique_ptr<TCodeEditUndoList> undoList_;
  std::unique_ptr<TCodeEditUndoList> redoList_;

  int caretX_ = 1;
  int caretY_ = 1;
  int preferredColumn_ = 1;
  bool caretSteppedBack_ = false;
  bool caretAtRowEnd_ = false;
  TBufferCoord anchorStart_;
  TBufferCoord anchorEnd_;
  TSelectionMode selectionMode_ = smNormal;
  TSelectionMode effectiveSelectionMode_ = smNormal;
  int topLine_ = 1;
  int leftChar_ = 1;
  int visibleColumns_ = 0;
  int visibleRows_ = 0;
  int charWidth_ = 0;
  int lineHeight_ = 0;
  int textOriginX_ = 0;
  int gutterWidth_ = 0;
  bool insertMode_ = true;
  bool readOnly_ = false;
  bool modified_ = false;
  TCodeEditorOptions options_ = kDefaultCodeEditorOptions;
  int tabWidth_ = 8;
  int maxScrollWidth_ = 1024;
  int updateBatchDepth_ = 0;
  TStatusChanges pendingStatusChanges_ = 0;
  bool caretChanged_ = false;
  bool scrollBarsChanged_ = false;
  bool linesChanging_ = false;
  TRect collectedInvalidRect_;

  TFont font_;
  std::unique_ptr<TFont> fixedFont_;
  int extraLineSpacing_ = 0;
  TScrollStyle scrollBars_ = ssBoth;
  TBorderStyle borderStyle_ = bsSingle;
  bool hideSelection_ = false;
  int rightEdge_ = 80;
  TColor rightEdgeColor_ = clSilver;
  TColor activeLineColor_ = clNone;
  TColor color_ = clWindow;
  TCodeEditCaretType insertCaret_ = ctVerticalLine;
  TCodeEditCaretType overwriteCaret_ = ctBlock;
  TColor scrollHintColor_ = clInfoBk;
  TScrollHintFormat scrollHintFormat_ = shfTopLineOnly;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  bool wordWrap_ = false;
  std::unique_ptr<ICodeEditBufferPlugin> wordWrapPlugin_;
  TCustomHighlighter* highlighter_ = nullptr;
  // A cache of what the text implies, so filled in from const readers.
  mutable int rangesKnown_ = 0;
  int deferredScanLines_ = 10000;
  bool rangeScanTimerOn_ = false;
  TCodeEditSearchCustom* searchEngine_ = nullptr;

  TSelectedColor selectedColor_;
  TBookMarkOpt bookMarkOptions_;
  TGutter gutter_;
  TGlyph wordWrapGlyph_;
  TCodeEditMarkList marks_;
  std::array<TCodeEditMark*, 10> bookmarks_{};
  TCodeEditKeyStrokes keystrokes_;
  TCodeEditKbdHandler kbdHandler_;
  std::vector<TCodeEditPlugin*> plugins_;
  struct HookedCommand {
    const void* owner;
    THookedCommandEvent handler;
  };
  std::vector<HookedCommand> hookedCommands_;
  int paintTransientLock_ = 0;

  // Keyboard state.
  TVirtualKey lastKey_ = 0;
  TShiftState lastShift_ = 0;
  bool ignoreNextChar_ = false;
  int imeCount_ = 0;
  bool destroying_ = false;

  // Pointer state: what a press started, lives until the release.
  TPoint mouseDownPoint_;
  TBufferCoord mouseDownCaret_;  // where a drag that leaves puts the caret back
  bool waitForDragging_ = false;
  bool doubleClicked_ = false;
  bool possibleGutterClick_ = false;
  bool gutterDragging_ = false;
  bool dragging_ = false;      // a drag this editor started is in progress
  int scrollDeltaX_ = 0;
  int scrollDeltaY_ = 0;
  bool scrollTimerOn_ = false;
  int wheelAccumulator_ = 0;
  bool scrolling_ = false;
  TCursor cursor_ = crIBeam;
};

// The published face of the control.
// Comes with its painter, and word wrap is available to it.
class TCodeEdit : public TCustomCodeEdit {
 public:
  explicit TCodeEdit(EditorHost* host = nullptr);
  ~TCodeEdit() override;

  // Free for the window that holds the control (the main window marks the
  // monitored document with 1).
  int Tag = 0;

 private:
  std::unique_ptr<ICodeEditPainter> ownPainter_;
};

}  // namespace vantrel
