// Editor command names, shortcuts and the key binding collection.
// Tested by tests/editor/CodeEditKeyCmdsTest.cpp
#include "editor/CodeEditKeyCmds.h"

#include <charconv>

namespace vantrel {

namespace {

constexpr TCodeEditCommandName kCommandNames[] = {
    {"ecNone", 0},
    {"ecLeft", 1},
    {"ecRight", 2},
    {"ecUp", 3},
    {"ecDown", 4},
    {"ecWordLeft", 5},
    {"ecWordRight", 6},
    {"ecLineStart", 7},
    {"ecLineEnd", 8},
    {"ecPageUp", 9},
    {"ecPageDown", 10},
    {"ecPageLeft", 11},
    {"ecPageRight", 12},
    {"ecPageTop", 13},
    {"ecPageBottom", 14},
    {"ecEditorTop", 15},
    {"ecEditorBottom", 16},
    {"ecGotoXY", 17},
    {"ecSelLeft", 101},
    {"ecSelRight", 102},
    {"ecSelUp", 103},
    {"ecSelDown", 104},
    {"ecSelWordLeft", 105},
    {"ecSelWordRight", 106},
    {"ecSelLineStart", 107},
    {"ecSelLineEnd", 108},
    {"ecSelPageUp", 109},
    {"ecSelPageDown", 110},
    {"ecSelPageLeft", 111},
    {"ecSelPageRight", 112},
    {"ecSelPageTop", 113},
    {"ecSelPageBottom", 114},
    {"ecSelEditorTop", 115},
    {"ecSelEditorBottom", 116},
    {"ecSelGotoXY", 117},
    {"ecSelWord", 198},
    {"ecSelectAll", 199},
    {"ecDeleteLastChar", 501},
    {"ecDeleteChar", 502},
    {"ecDeleteWord", 503},
    {"ecDeleteLastWord", 504},
    {"ecDeleteBOL", 505},
    {"ecDeleteEOL", 506},
    {"ecDeleteLine", 507},
    {"ecClearAll", 508},
    {"ecLineBreak", 509},
    {"ecInsertLine", 510},
    {"ecChar", 511},
    {"ecImeStr", 550},
    {"ecUndo", 601},
    {"ecRedo", 602},
    {"ecCut", 603},
    {"ecCopy", 201},
    {"ecPaste", 604},
    {"ecScrollUp", 211},
    {"ecScrollDown", 212},
    {"ecScrollLeft", 213},
    {"ecScrollRight", 214},
    {"ecInsertMode", 221},
    {"ecOverwriteMode", 222},
    {"ecToggleMode", 223},
    {"ecBlockIndent", 610},
    {"ecBlockUnindent", 611},
    {"ecTab", 612},
    {"ecShiftTab", 613},
    {"ecMatchBracket", 250},
    {"ecCommentBlock", 251},
    {"ecNormalSelect", 231},
    {"ecColumnSelect", 232},
    {"ecLineSelect", 233},
    {"ecAutoCompletion", 650},
    {"ecUserFirst", 1001},
    {"ecContextHelp", 490},
    {"ecGotoMarker0", 301},
    {"ecGotoMarker1", 302},
    {"ecGotoMarker2", 303},
    {"ecGotoMarker3", 304},
    {"ecGotoMarker4", 305},
    {"ecGotoMarker5", 306},
    {"ecGotoMarker6", 307},
    {"ecGotoMarker7", 308},
    {"ecGotoMarker8", 309},
    {"ecGotoMarker9", 310},
    {"ecSetMarker0", 351},
    {"ecSetMarker1", 352},
    {"ecSetMarker2", 353},
    {"ecSetMarker3", 354},
    {"ecSetMarker4", 355},
    {"ecSetMarker5", 356},
    {"ecSetMarker6", 357},
    {"ecSetMarker7", 358},
    {"ecSetMarker8", 359},
    {"ecSetMarker9", 360},
    {"ecUpperCase", 620},
    {"ecLowerCase", 621},
    {"ecToggleCase", 622},
    {"ecTitleCase", 623},
    {"ecUpperCaseBlock", 625},
    {"ecLowerCaseBlock", 626},
    {"ecToggleCaseBlock", 627},
    {"ecString", 630},
};

constexpr TShiftState kNone = 0;
constexpr TShiftState kShiftCtrl = ssShift | ssCtrl;
constexpr TShiftState kShiftAlt = ssShift | ssAlt;

// One row per binding, in the order the defaults are added; the order matters
// because lookups return the first match.
constexpr TCodeEditDefaultBinding kDefaultBindings[] = {
    {VK_UP, kNone, ecUp},
    {VK_UP, ssShift, ecSelUp},
    {VK_UP, ssCtrl, ecScrollUp},
    {VK_DOWN, kNone, ecDown},
    {VK_DOWN, ssShift, ecSelDown},
    {VK_DOWN, ssCtrl, ecScrollDown},
    {VK_LEFT, kNone, ecLeft},
    {VK_LEFT, ssShift, ecSelLeft},
    {VK_LEFT, ssCtrl, ecWordLeft},
    {VK_LEFT, kShiftCtrl, ecSelWordLeft},
    {VK_RIGHT, kNone, ecRight},
    {VK_RIGHT, ssShift, ecSelRight},
    {VK_RIGHT, ssCtrl, ecWordRight},
    {VK_RIGHT, kShiftCtrl, ecSelWordRight},
    {VK_NEXT, kNone, ecPageDown},
    {VK_NEXT, ssShift, ecSelPageDown},
    {VK_NEXT, ssCtrl, ecPageBottom},
    {VK_NEXT, kShiftCtrl, ecSelPageBottom},
    {VK_PRIOR, kNone, ecPageUp},
    {VK_PRIOR, ssShift, ecSelPageUp},
    {VK_PRIOR, ssCtrl, ecPageTop},
    {VK_PRIOR, kShiftCtrl, ecSelPageTop},
    {VK_HOME, kNone, ecLineStart},
    {VK_HOME, ssShift, ecSelLineStart},
    {VK_HOME, ssCtrl, ecEditorTop},
    {VK_HOME, kShiftCtrl, ecSelEditorTop},
    {VK_END, kNone, ecLineEnd},
    {VK_END, ssShift, ecSelLineEnd},
    {VK_END, ssCtrl, ecEditorBottom},
    {VK_END, kShiftCtrl, ecSelEditorBottom},
    {VK_INSERT, kNone, ecToggleMode},
    {VK_INSERT, ssCtrl, ecCopy},
    {VK_DELETE, ssShift, ecCut},
    {VK_INSERT, ssShift, ecPaste},
    {VK_DELETE, kNone, ecDeleteChar},
    {VK_BACK, kNone, ecDeleteLastChar},
    {VK_BACK, ssShift, ecDeleteLastChar},
    {VK_BACK, ssCtrl, ecDeleteLastWord},
    {VK_BACK, ssAlt, ecUndo},
    {VK_BACK, kShiftAlt, ecRedo},
    {VK_RETURN, kNone, ecLineBreak},
    {VK_RETURN, ssShift, ecLineBreak},
    {VK_TAB, kNone, ecTab},
    {VK_TAB, ssShift, ecShiftTab},
    {VK_F1, kNone, ecContextHelp},
    {'A', ssCtrl, ecSelectAll},
    {'C', ssCtrl, ecCopy},
    {'V', ssCtrl, ecPaste},
    {'X', ssCtrl, ecCut},
    {'I', kShiftCtrl, ecBlockIndent},
    {'U', kShiftCtrl, ecBlockUnindent},
    {'M', ssCtrl, ecLineBreak},
    {'N', ssCtrl, ecInsertLine},
    {'T', ssCtrl, ecDeleteWord},
    {'Y', ssCtrl, ecDeleteLine},
    {'Y', kShiftCtrl, ecDeleteEOL},
    {'Z', ssCtrl, ecUndo},
    {'Z', kShiftCtrl, ecRedo},
    {'0', ssCtrl, ecGotoMarker0},
    {'1', ssCtrl, ecGotoMarker0 + 1},
    {'2', ssCtrl, ecGotoMarker0 + 2},
    {'3', ssCtrl, ecGotoMarker0 + 3},
    {'4', ssCtrl, ecGotoMarker0 + 4},
    {'5', ssCtrl, ecGotoMarker0 + 5},
    {'6', ssCtrl, ecGotoMarker0 + 6},
    {'7', ssCtrl, ecGotoMarker0 + 7},
    {'8', ssCtrl, ecGotoMarker0 + 8},
    {'9', ssCtrl, ecGotoMarker9},
    {'0', kShiftCtrl, ecSetMarker0},
    {'1', kShiftCtrl, ecSetMarker0 + 1},
    {'2', kShiftCtrl, ecSetMarker0 + 2},
    {'3', kShiftCtrl, ecSetMarker0 + 3},
    {'4', kShiftCtrl, ecSetMarker0 + 4},
    {'5', kShiftCtrl, ecSetMarker0 + 5},
    {'6', kShiftCtrl, ecSetMarker0 + 6},
    {'7', kShiftCtrl, ecSetMarker0 + 7},
    {'8', kShiftCtrl, ecSetMarker0 + 8},
    {'9', kShiftCtrl, ecSetMarker9},
    {'N', kShiftCtrl, ecNormalSelect},
    {'C', kShiftCtrl, ecColumnSelect},
    {'L', kShiftCtrl, ecLineSelect},
    {'B', kShiftCtrl, ecMatchBracket},
};

}  // namespace

std::span<const TCodeEditCommandName> EditorCommandNames() { return kCommandNames; }

std::span<const TCodeEditDefaultBinding> DefaultKeyBindings() { return kDefaultBindings; }

std::optional<std::string_view> EditorCommandToIdent(TCodeEditorCommand command) {
  for (const auto& entry : kCommandNames) {
    if (entry.Command == command) return entry.Name;
  }
  return std::nullopt;
}

std::optional<TCodeEditorCommand> IdentToEditorCommand(std::string_view name) {
  // Identifiers compare without regard to case, as stored key tables may
  // have been written by hand.
  auto equalNoCase = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] + 32) : a[i];
      char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] + 32) : b[i];
      if (x != y) return false;
    }
    return true;
  };
  for (const auto& entry : kCommandNames) {
    if (equalNoCase(entry.Name, name)) return entry.Command;
  }
  return std::nullopt;
}

std::string EditorCommandToCodeString(TCodeEditorCommand command) {
  if (auto name = EditorCommandToIdent(command)) return std::string(*name);
  return std::to_string(command);
}

std::optional<TCodeEditorCommand> CodeStringToEditorCommand(std::string_view text) {
  if (auto command = IdentToEditorCommand(text)) return command;
  unsigned value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty() || value > 0xFFFF) {
    return std::nullopt;
  }
  return static_cast<TCodeEditorCommand>(value);
}

TShortCut ShortCut(TVirtualKey key, TShiftState shift) {
  // A key that does not fit the 13 key bits has no shortcut form.
  if (key & ~0x1FFF) return 0;
  TShortCut result = key;
  if (shift & ssShift) result |= scShift;
  if (shift & ssCtrl) result |= scCtrl;
  if (shift & ssAlt) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut shortCut, TVirtualKey& key, TShiftState& shift) {
  key = shortCut & 0x1FFF;
  shift = 0;
  if (shortCut & scShift) shift |= ssShift;
  if (shortCut & scCtrl) shift |= ssCtrl;
  if (shortCut & scAlt) shift |= ssAlt;
}

int TCodeEditKeyStroke::Index() const { return owner_.IndexOf(this); }

void TCodeEditKeyStroke::SetShortCut(TShortCut value) {
  if (value != 0) {
    int duplicate = owner_.FindByShortcuts(value, ShortCut2());
    if (duplicate != -1 && duplicate != Index()) throw EKeyError("Shortcut already exists");
  }
  ShortCutToKey(value, Key, Shift);
}

void TCodeEditKeyStroke::SetShortCut2(TShortCut value) {
  if (value != 0) {
    int duplicate = owner_.FindByShortcuts(ShortCut(), value);
    if (duplicate != -1 && duplicate != Index()) throw EKeyError("Shortcut already exists");
  }
  ShortCutToKey(value, Key2, Shift2);
}

void TCodeEditKeyStroke::Assign(const TCodeEditKeyStroke& source) {
  Command = source.Command;
  Key = source.Key;
  Key2 = source.Key2;
  Shift = source.Shift;
  Shift2 = source.Shift2;
}

int TCodeEditKeyStrokes::IndexOf(const TCodeEditKeyStroke* item) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == item) return static_cast<int>(i);
  }
  return -1;
}

TCodeEditKeyStroke& TCodeEditKeyStrokes::Add() {
  items_.push_back(std::make_unique<TCodeEditKeyStroke>(*this));
  return *items_.back();
}

void TCodeEditKeyStrokes::AddBinding(TCodeEditorCommand command, TVirtualKey key, TShiftState shift,
                                     TVirtualKey key2, TShiftState shift2) {
  TCodeEditKeyStroke& item = Add();
  try {
    item.Key = key;
    item.Shift = shift;
    item.Key2 = key2;
    item.Shift2 = shift2;
    item.Command = command;
  } catch (...) {
    items_.pop_back();
    throw;
  }
}

void TCodeEditKeyStrokes::Delete(int index) { items_.erase(items_.begin() + index); }

int TCodeEditKeyStrokes::FindBinding(TVirtualKey key, TShiftState shift) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    const auto& item = *items_[i];
    if (item.Key == key && item.Shift == shift && item.Key2 == 0) return static_cast<int>(i);
  }
  return -1;
}

int TCodeEditKeyStrokes::FindBindingPair(TVirtualKey key, TShiftState shift, TVirtualKey key2,
                                         TShiftState shift2) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    const auto& item = *items_[i];
    if (item.Key == key && item.Shift == shift && item.Key2 == key2 && item.Shift2 == shift2) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int TCodeEditKeyStrokes::FindByShortcuts(TShortCut shortCut, TShortCut shortCut2) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->ShortCut() == shortCut && items_[i]->ShortCut2() == shortCut2) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int TCodeEditKeyStrokes::FindCommand(TCodeEditorCommand command) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->Command == command) return static_cast<int>(i);
  }
  return -1;
}

void TCodeEditKeyStrokes::LoadDefaultBindings() {
  Clear();
  for (const auto& binding : kDefaultBindings) AddBinding(binding.Command, binding.Key, binding.Shift);
}

void TCodeEditKeyStrokes::Assign(const TCodeEditKeyStrokes& source) {
  if (&source == this) return;
  Clear();
  for (const auto& item : source.items_) Add().Assign(*item);
}

}  // namespace vantrel
