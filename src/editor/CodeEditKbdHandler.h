// Callback chains: the editor's key and mouse handler chains, through which
// other code watches or swallows input, and the notification chains used for
// change hooks.
// Tested by tests/editor/CodeEditKbdHandlerTest.cpp
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "platform/EditorHost.h"
#include "platform/Exception.h"
#include "text/TextTypes.h"

namespace vantrel {

class TCustomCodeEdit;

// A callback is identified by the object that registered it and a number
// naming which of its handlers it is, so that it can be removed again.
template <typename Fn>
class TMethodList {
 public:
  struct TMethod {
    const void* Object;
    int Method;
    Fn Code;
  };

  void Add(const void* object, Fn code, int method = 0) {
    items_.push_back(TMethod{object, method, std::move(code)});
  }
  // Removes every entry of that callback.
  void Remove(const void* object, int method = 0) {
    for (size_t i = items_.size(); i-- > 0;) {
      if (items_[i].Object == object && items_[i].Method == method) {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
      }
    }
  }
  int Count() const { return static_cast<int>(items_.size()); }
  const TMethod& Item(int index) const { return items_.at(index); }

 private:
  std::vector<TMethod> items_;
};

using TKeyEvent = std::function<void(TCustomCodeEdit& sender, TVirtualKey& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TCustomCodeEdit& sender, char& key)>;
using TMouseEvent =
    std::function<void(TCustomCodeEdit& sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseCursorEvent =
    std::function<void(TCustomCodeEdit& sender, const TBufferCoord& position, TCursor& cursor)>;

class TCodeEditKbdHandler {
 public:
  TCodeEditKbdHandler() = default;
  TCodeEditKbdHandler(const TCodeEditKbdHandler&) = delete;  // callbacks refer to their owner
  TCodeEditKbdHandler& operator=(const TCodeEditKbdHandler&) = delete;

  void AddKeyDownHandler(const void* object, TKeyEvent handler, int method = 0);
  void RemoveKeyDownHandler(const void* object, int method = 0);
  void AddKeyUpHandler(const void* object, TKeyEvent handler, int method = 0);
  void RemoveKeyUpHandler(const void* object, int method = 0);
  void AddKeyPressHandler(const void* object, TKeyPressEvent handler, int method = 0);
  void RemoveKeyPressHandler(const void* object, int method = 0);
  void AddMouseDownHandler(const void* object, TMouseEvent handler, int method = 0);
  void RemoveMouseDownHandler(const void* object, int method = 0);
  void AddMouseUpHandler(const void* object, TMouseEvent handler, int method = 0);
  void RemoveMouseUpHandler(const void* object, int method = 0);
  void AddMouseCursorHandler(const void* object, TMouseCursorEvent handler, int method = 0);
  void RemoveMouseCursorHandler(const void* object, int method = 0);

  // Newest callback first; the key chains stop once the key is set to 0.
  // A chain that is already running is not entered again.
  void RunKeyDown(TCustomCodeEdit& sender, TVirtualKey& key, TShiftState shift);
  void RunKeyUp(TCustomCodeEdit& sender, TVirtualKey& key, TShiftState shift);
  void RunKeyPress(TCustomCodeEdit& sender, char& key);
  void RunMouseDown(TCustomCodeEdit& sender, TMouseButton button, TShiftState shift, int x, int y);
  void RunMouseUp(TCustomCodeEdit& sender, TMouseButton button, TShiftState shift, int x, int y);
  void RunMouseCursor(TCustomCodeEdit& sender, const TBufferCoord& position, TCursor& cursor);

 private:
  TMethodList<TKeyEvent> keyDown_;
  TMethodList<TKeyEvent> keyUp_;
  TMethodList<TKeyPressEvent> keyPress_;
  TMethodList<TMouseEvent> mouseDown_;
  TMethodList<TMouseEvent> mouseUp_;
  TMethodList<TMouseCursorEvent> mouseCursor_;
  bool inKeyDown_ = false;
  bool inKeyUp_ = false;
  bool inKeyPress_ = false;
  bool inMouseDown_ = false;
  bool inMouseUp_ = false;
  bool inMouseCursor_ = false;
};

class EMethodChain : public Exception {
 public:
  using Exception::Exception;
};

// Fires its callbacks in the order they were added. A failing callback stops
// the firing unless an exception handler is assigned; the handler decides
// whether the remaining callbacks still run.
class TMethodChain {
 public:
  using TExceptionHandler =
      std::function<void(TMethodChain& sender, std::exception_ptr error, bool& doContinue)>;

  TMethodChain() = default;
  virtual ~TMethodChain() = default;
  TMethodChain(const TMethodChain&) = delete;  // callbacks are registered with one chain
  TMethodChain& operator=(const TMethodChain&) = delete;

  TExceptionHandler OnException;
  virtual const char* ClassName() const { return "TMethodChain"; }

 protected:
  // Runs call for each entry index in order, applying the exception rule.
  void FireEach(int count, const std::function<void(int)>& call);
};

class TNotifyEventChain : public TMethodChain {
 public:
  using TNotifyEvent = std::function<void(const void* sender)>;

  explicit TNotifyEventChain(const void* sender = nullptr) : sender_(sender) {}
  const char* ClassName() const override { return "TNotifyEventChain"; }

  void Add(const void* object, TNotifyEvent handler, int method = 0) {
    methods_.Add(object, std::move(handler), method);
  }
  void Remove(const void* object, int method = 0) { methods_.Remove(object, method); }
  int Count() const { return methods_.Count(); }

  const void* Sender() const { return sender_; }
  void SetSender(const void* sender) { sender_ = sender; }
  void Fire();

 private:
  TMethodList<TNotifyEvent> methods_;
  const void* sender_;
};

}  // namespace vantrel
