// Key handling of the editor: translating keys (and two-key sequences) into
// commands, key down / press / up with the handler chains, input-method
// strings, and the command pipeline around the dispatcher.
// Tested by tests/editor/CodeEditKeyboardTest.cpp
#include <algorithm>

#include "editor/CodeEdit.h"

namespace vantrel {

namespace {
constexpr size_t kMaxImeResult = 2048;
}  // namespace

TCodeEditorCommand TCustomCodeEdit::KeyToCommand(TVirtualKey key, TShiftState shift) {
  int index = -1;
  if (lastKey_ != 0) index = keystrokes_.FindBindingPair(lastKey_, lastShift_, key, shift);
  if (index < 0) index = keystrokes_.FindBinding(key, shift);
  const TCodeEditorCommand command = index >= 0 ? keystrokes_.Item(index).Command : ecNone;
  // Letters, digits, function and keypad keys may start a two-key sequence.
  if (command == ecNone && key >= VK_ACCEPT && key <= VK_SCROLL) {
    lastKey_ = key;
    lastShift_ = shift;
  } else {
    lastKey_ = 0;
    lastShift_ = 0;
  }
  return command;
}

void TCustomCodeEdit::KeyDown(TVirtualKey& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(*this, key, shift);
  kbdHandler_.RunKeyDown(*this, key, shift);
  const TCodeEditorCommand command = KeyToCommand(key, shift);
  if (command != ecNone) {
    key = 0;
    ignoreNextChar_ = true;
    HandleCommand(command, '\0', nullptr);
  } else {
    ignoreNextChar_ = false;
  }
}

void TCustomCodeEdit::KeyPress(char& ch) {
  if (imeCount_ > 0) {
    --imeCount_;
    return;
  }
  if (ignoreNextChar_) {
    ignoreNextChar_ = false;
    return;
  }
  if (OnKeyPress) OnKeyPress(*this, ch);
  kbdHandler_.RunKeyPress(*this, ch);
  HandleCommand(ecChar, ch, nullptr);
}

void TCustomCodeEdit::KeyUp(TVirtualKey& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(*this, key, shift);
  kbdHandler_.RunKeyUp(*this, key, shift);
}

void TCustomCodeEdit::ImeResult(std::string_view text) {
  std::string result(text.substr(0, std::min(text.size(), kMaxImeResult)));
  imeCount_ = static_cast<int>(result.size());
  HandleCommand(ecImeStr, '\0', result.data());
}

void TCustomCodeEdit::ImeStartComposition() {
  if (host_) host_->SetImeComposition({}, EffectiveFont());
}

TDialogCodes TCustomCodeEdit::DialogCodes() const {
  TDialogCodes codes = dlgcWantArrows | dlgcWantChars;
  if (wantTabs_) codes |= dlgcWantTab;
  if (wantReturns_) codes |= dlgcWantAllKeys;
  return codes;
}

void TCustomCodeEdit::AddHookedCommandHandler(const void* owner, THookedCommandEvent handler) {
  hookedCommands_.push_back({owner, std::move(handler)});
}

void TCustomCodeEdit::RemoveHookedCommandHandler(const void* owner) {
  hookedCommands_.erase(std::remove_if(hookedCommands_.begin(), hookedCommands_.end(),
                                       [&](const HookedCommand& h) { return h.owner == owner; }),
                        hookedCommands_.end());
}

void TCustomCodeEdit::HandleCommand(TCodeEditorCommand command, char ch, void* data) {
  if (command >= ecUserFirst) {
    if (OnProcessUserCommand) OnProcessUserCommand(*this, command, ch, data);
  } else {
    if (OnProcessCommand) OnProcessCommand(*this, command, ch, data);
  }
  auto notifyHooked = [&](bool after) {
    bool handled = false;
    // A handler may unhook itself; work on a copy.
    std::vector<HookedCommand> hooks = hookedCommands_;
    for (auto& hook : hooks) {
      if (hook.handler) hook.handler(*this, after, handled, command, ch, data);
    }
    if (handled) command = ecNone;
  };
  if (command != ecNone) {
    notifyHooked(false);
    if (command != ecNone && command < ecUserFirst) RunCommand(command, ch, data);
    if (command != ecNone) notifyHooked(true);
  }
  if (OnCommandProcessed) OnCommandProcessed(*this, command, ch, data);
}

}  // namespace vantrel
