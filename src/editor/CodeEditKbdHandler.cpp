// Key, mouse and notification callback chains.
// Tested by tests/editor/CodeEditKbdHandlerTest.cpp
#include "editor/CodeEditKbdHandler.h"

namespace vantrel {

namespace {

// Sets a running flag for the life of one chain run, also when a callback
// throws.
class RunningGuard {
 public:
  explicit RunningGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunningGuard() { flag_ = false; }
  RunningGuard(const RunningGuard&) = delete;
  RunningGuard& operator=(const RunningGuard&) = delete;

 private:
  bool& flag_;
};

// Callbacks may add or remove callbacks while the chain runs, so each run
// works on a copy.
template <typename Fn, typename Stop, typename... Args>
void RunNewestFirst(const TMethodList<Fn>& list, bool& running, Stop stop, Args&&... args) {
  if (running) return;
  RunningGuard guard(running);
  std::vector<Fn> calls;
  calls.reserve(list.Count());
  for (int i = 0; i < list.Count(); ++i) calls.push_back(list.Item(i).Code);
  for (size_t i = calls.size(); i-- > 0;) {
    if (calls[i]) calls[i](args...);
    if (stop()) return;
  }
}

}  // namespace

void TCodeEditKbdHandler::AddKeyDownHandler(const void* object, TKeyEvent handler, int method) {
  keyDown_.Add(object, std::move(handler), method);
}
void TCodeEditKbdHandler::RemoveKeyDownHandler(const void* object, int method) {
  keyDown_.Remove(object, method);
}
void TCodeEditKbdHandler::AddKeyUpHandler(const void* object, TKeyEvent handler, int method) {
  keyUp_.Add(object, std::move(handler), method);
}
void TCodeEditKbdHandler::RemoveKeyUpHandler(const void* object, int method) {
  keyUp_.Remove(object, method);
}
void TCodeEditKbdHandler::AddKeyPressHandler(const void* object, TKeyPressEvent handler, int method) {
  keyPress_.Add(object, std::move(handler), method);
}
void TCodeEditKbdHandler::RemoveKeyPressHandler(const void* object, int method) {
  keyPress_.Remove(object, method);
}
void TCodeEditKbdHandler::AddMouseDownHandler(const void* object, TMouseEvent handler, int method) {
  mouseDown_.Add(object, std::move(handler), method);
}
void TCodeEditKbdHandler::RemoveMouseDownHandler(const void* object, int method) {
  mouseDown_.Remove(object, method);
}
void TCodeEditKbdHandler::AddMouseUpHandler(const void* object, TMouseEvent handler, int method) {
  mouseUp_.Add(object, std::move(handler), method);
}
void TCodeEditKbdHandler::RemoveMouseUpHandler(const void* object, int method) {
  mouseUp_.Remove(object, method);
}
void TCodeEditKbdHandler::AddMouseCursorHandler(const void* object, TMouseCursorEvent handler,
                                                int method) {
  mouseCursor_.Add(object, std::move(handler), method);
}
void TCodeEditKbdHandler::RemoveMouseCursorHandler(const void* object, int method) {
  mouseCursor_.Remove(object, method);
}

void TCodeEditKbdHandler::RunKeyDown(TCustomCodeEdit& sender, TVirtualKey& key, TShiftState shift) {
  RunNewestFirst(keyDown_, inKeyDown_, [&] { return key == 0; }, sender, key, shift);
}

void TCodeEditKbdHandler::RunKeyUp(TCustomCodeEdit& sender, TVirtualKey& key, TShiftState shift) {
  RunNewestFirst(keyUp_, inKeyUp_, [&] { return key == 0; }, sender, key, shift);
}

void TCodeEditKbdHandler::RunKeyPress(TCustomCodeEdit& sender, char& key) {
  RunNewestFirst(keyPress_, inKeyPress_, [&] { return key == 0; }, sender, key);
}

void TCodeEditKbdHandler::RunMouseDown(TCustomCodeEdit& sender, TMouseButton button, TShiftState shift,
                                       int x, int y) {
  RunNewestFirst(mouseDown_, inMouseDown_, [] { return false; }, sender, button, shift, x, y);
}

void TCodeEditKbdHandler::RunMouseUp(TCustomCodeEdit& sender, TMouseButton button, TShiftState shift,
                                     int x, int y) {
  RunNewestFirst(mouseUp_, inMouseUp_, [] { return false; }, sender, button, shift, x, y);
}

void TCodeEditKbdHandler::RunMouseCursor(TCustomCodeEdit& sender, const TBufferCoord& position,
                                         TCursor& cursor) {
  RunNewestFirst(mouseCursor_, inMouseCursor_, [] { return false; }, sender, position, cursor);
}

void TMethodChain::FireEach(int count, const std::function<void(int)>& call) {
  for (int i = 0; i < count; ++i) {
    try {
      call(i);
    } catch (...) {
      if (!OnException) throw;
      bool doContinue = true;
      try {
        OnException(*this, std::current_exception(), doContinue);
      } catch (...) {
        throw EMethodChain(std::string(ClassName()) +
                           ".DoHandleException : MUST NOT occur any kind of exception in "
                           "ExceptionHandler");
      }
      if (!doContinue) return;
    }
  }
}

void TNotifyEventChain::Fire() {
  std::vector<TNotifyEvent> calls;
  calls.reserve(methods_.Count());
  for (int i = 0; i < methods_.Count(); ++i) calls.push_back(methods_.Item(i).Code);
  const void* sender = sender_;
  FireEach(static_cast<int>(calls.size()), [&](int i) {
    if (calls[i]) calls[i](sender);
  });
}

}  // namespace vantrel
