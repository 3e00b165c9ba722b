// Editor command numbers and their names, shortcuts, and the key binding
// collection with its default table.
// Tested by tests/editor/CodeEditKeyCmdsTest.cpp
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/CodeEditTypes.h"
#include "platform/EditorHost.h"
#include "platform/Exception.h"

namespace vantrel {

constexpr TCodeEditorCommand ecNone = 0;
constexpr TCodeEditorCommand ecLeft = 1;
constexpr TCodeEditorCommand ecRight = 2;
constexpr TCodeEditorCommand ecUp = 3;
constexpr TCodeEditorCommand ecDown = 4;
constexpr TCodeEditorCommand ecWordLeft = 5;
constexpr TCodeEditorCommand ecWordRight = 6;
constexpr TCodeEditorCommand ecLineStart = 7;
constexpr TCodeEditorCommand ecLineEnd = 8;
constexpr TCodeEditorCommand ecPageUp = 9;
constexpr TCodeEditorCommand ecPageDown = 10;
constexpr TCodeEditorCommand ecPageLeft = 11;
constexpr TCodeEditorCommand ecPageRight = 12;
constexpr TCodeEditorCommand ecPageTop = 13;
constexpr TCodeEditorCommand ecPageBottom = 14;
constexpr TCodeEditorCommand ecEditorTop = 15;
constexpr TCodeEditorCommand ecEditorBottom = 16;
constexpr TCodeEditorCommand ecGotoXY = 17;
// A movement's selecting twin is the movement + ecSelection.
constexpr TCodeEditorCommand ecSelection = 100;
constexpr TCodeEditorCommand ecSelLeft = 101;
constexpr TCodeEditorCommand ecSelRight = 102;
constexpr TCodeEditorCommand ecSelUp = 103;
constexpr TCodeEditorCommand ecSelDown = 104;
constexpr TCodeEditorCommand ecSelWordLeft = 105;
constexpr TCodeEditorCommand ecSelWordRight = 106;
constexpr TCodeEditorCommand ecSelLineStart = 107;
constexpr TCodeEditorCommand ecSelLineEnd = 108;
constexpr TCodeEditorCommand ecSelPageUp = 109;
constexpr TCodeEditorCommand ecSelPageDown = 110;
constexpr TCodeEditorCommand ecSelPageLeft = 111;
constexpr TCodeEditorCommand ecSelPageRight = 112;
constexpr TCodeEditorCommand ecSelPageTop = 113;
constexpr TCodeEditorCommand ecSelPageBottom = 114;
constexpr TCodeEditorCommand ecSelEditorTop = 115;
constexpr TCodeEditorCommand ecSelEditorBottom = 116;
constexpr TCodeEditorCommand ecSelGotoXY = 117;
constexpr TCodeEditorCommand ecSelWord = 198;
constexpr TCodeEditorCommand ecSelectAll = 199;
constexpr TCodeEditorCommand ecCopy = 201;
constexpr TCodeEditorCommand ecScrollUp = 211;
constexpr TCodeEditorCommand ecScrollDown = 212;
constexpr TCodeEditorCommand ecScrollLeft = 213;
constexpr TCodeEditorCommand ecScrollRight = 214;
constexpr TCodeEditorCommand ecInsertMode = 221;
constexpr TCodeEditorCommand ecOverwriteMode = 222;
constexpr TCodeEditorCommand ecToggleMode = 223;
constexpr TCodeEditorCommand ecNormalSelect = 231;
constexpr TCodeEditorCommand ecColumnSelect = 232;
constexpr TCodeEditorCommand ecLineSelect = 233;
constexpr TCodeEditorCommand ecMatchBracket = 250;
constexpr TCodeEditorCommand ecCommentBlock = 251;
constexpr TCodeEditorCommand ecGotoMarker0 = 301;
constexpr TCodeEditorCommand ecGotoMarker9 = 310;
constexpr TCodeEditorCommand ecSetMarker0 = 351;
constexpr TCodeEditorCommand ecSetMarker9 = 360;
// Sent by the control on focus changes; no name, no action.
constexpr TCodeEditorCommand ecGotFocus = 480;
constexpr TCodeEditorCommand ecLostFocus = 481;
constexpr TCodeEditorCommand ecContextHelp = 490;
constexpr TCodeEditorCommand ecDeleteLastChar = 501;
constexpr TCodeEditorCommand ecDeleteChar = 502;
constexpr TCodeEditorCommand ecDeleteWord = 503;
constexpr TCodeEditorCommand ecDeleteLastWord = 504;
constexpr TCodeEditorCommand ecDeleteBOL = 505;
constexpr TCodeEditorCommand ecDeleteEOL = 506;
constexpr TCodeEditorCommand ecDeleteLine = 507;
constexpr TCodeEditorCommand ecClearAll = 508;
constexpr TCodeEditorCommand ecLineBreak = 509;
constexpr TCodeEditorCommand ecInsertLine = 510;
constexpr TCodeEditorCommand ecChar = 511;
constexpr TCodeEditorCommand ecImeStr = 550;
constexpr TCodeEditorCommand ecUndo = 601;
constexpr TCodeEditorCommand ecRedo = 602;
constexpr TCodeEditorCommand ecCut = 603;
constexpr TCodeEditorCommand ecPaste = 604;
constexpr TCodeEditorCommand ecBlockIndent = 610;
constexpr TCodeEditorCommand ecBlockUnindent = 611;
constexpr TCodeEditorCommand ecTab = 612;
constexpr TCodeEditorCommand ecShiftTab = 613;
constexpr TCodeEditorCommand ecUpperCase = 620;
constexpr TCodeEditorCommand ecLowerCase = 621;
constexpr TCodeEditorCommand ecToggleCase = 622;
constexpr TCodeEditorCommand ecTitleCase = 623;
constexpr TCodeEditorCommand ecUpperCaseBlock = 625;
constexpr TCodeEditorCommand ecLowerCaseBlock = 626;
constexpr TCodeEditorCommand ecToggleCaseBlock = 627;
constexpr TCodeEditorCommand ecString = 630;
constexpr TCodeEditorCommand ecAutoCompletion = 650;
constexpr TCodeEditorCommand ecUserFirst = 1001;

struct TCodeEditCommandName {
  std::string_view Name;
  TCodeEditorCommand Command;
};

// The name table, in its fixed order (101 entries).
std::span<const TCodeEditCommandName> EditorCommandNames();
std::optional<std::string_view> EditorCommandToIdent(TCodeEditorCommand command);
std::optional<TCodeEditorCommand> IdentToEditorCommand(std::string_view name);
// The name, or the decimal number for a command without one.
std::string EditorCommandToCodeString(TCodeEditorCommand command);
// A name or a decimal number; nullopt for anything else.
std::optional<TCodeEditorCommand> CodeStringToEditorCommand(std::string_view text);

// A virtual key in the low 13 bits plus modifier bits.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(TVirtualKey key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, TVirtualKey& key, TShiftState& shift);

class EKeyError : public Exception {
 public:
  using Exception::Exception;
};

class TCodeEditKeyStrokes;

class TCodeEditKeyStroke {
 public:
  explicit TCodeEditKeyStroke(TCodeEditKeyStrokes& owner) : owner_(owner) {}
  TCodeEditKeyStroke(const TCodeEditKeyStroke&) = delete;  // belongs to one collection
  TCodeEditKeyStroke& operator=(const TCodeEditKeyStroke&) = delete;

  TVirtualKey Key = 0;
  TShiftState Shift = 0;
  TVirtualKey Key2 = 0;
  TShiftState Shift2 = 0;
  TCodeEditorCommand Command = ecNone;

  TShortCut ShortCut() const { return vantrel::ShortCut(Key, Shift); }
  TShortCut ShortCut2() const { return vantrel::ShortCut(Key2, Shift2); }
  // Throw EKeyError "Shortcut already exists" when another item of the
  // collection already has the resulting pair; the item then keeps its keys.
  void SetShortCut(TShortCut value);
  void SetShortCut2(TShortCut value);

  void Assign(const TCodeEditKeyStroke& source);
  int Index() const;

 private:
  TCodeEditKeyStrokes& owner_;
};

class TCodeEditKeyStrokes {
 public:
  TCodeEditKeyStrokes() = default;
  TCodeEditKeyStrokes(const TCodeEditKeyStrokes&) = delete;  // items point back at their collection
  TCodeEditKeyStrokes& operator=(const TCodeEditKeyStrokes&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  TCodeEditKeyStroke& Item(int index) { return *items_.at(index); }
  const TCodeEditKeyStroke& Item(int index) const { return *items_.at(index); }
  int IndexOf(const TCodeEditKeyStroke* item) const;

  TCodeEditKeyStroke& Add();
  void AddBinding(TCodeEditorCommand command, TVirtualKey key, TShiftState shift,
                  TVirtualKey key2 = 0, TShiftState shift2 = 0);
  void Delete(int index);
  void Clear() { items_.clear(); }

  int FindBinding(TVirtualKey key, TShiftState shift) const;
  int FindBindingPair(TVirtualKey key, TShiftState shift, TVirtualKey key2, TShiftState shift2) const;
  int FindByShortcuts(TShortCut shortCut, TShortCut shortCut2) const;
  int FindCommand(TCodeEditorCommand command) const;

  void LoadDefaultBindings();
  void Assign(const TCodeEditKeyStrokes& source);

 private:
  std::vector<std::unique_ptr<TCodeEditKeyStroke>> items_;
};

struct TCodeEditDefaultBinding {
  TVirtualKey Key;
  TShiftState Shift;
  TCodeEditorCommand Command;
};

// The default key table in the order LoadDefaultBindings adds it.
std::span<const TCodeEditDefaultBinding> DefaultKeyBindings();

}  // namespace vantrel
