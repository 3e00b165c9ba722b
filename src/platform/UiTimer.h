// A timer whose ticks run on the interface thread. Enabling and disabling
// are allowed from any thread: a watcher thread arms its delivery timer this
// way and the interface thread does the work at the tick. The Qt layer
// implements it; headless tests and benchmarks use tests/support/LoopTimer.
#pragma once

#include <functional>

namespace vantrel {

class UiTimer {
 public:
  virtual ~UiTimer() = default;

  // Any thread. Enabling a timer that is already enabled does not restart
  // its interval, so a burst of arming ends in one tick.
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  // Interface thread; applies from the next enabling.
  virtual void SetInterval(int milliseconds) = 0;
  virtual int Interval() const = 0;

  // Called on the interface thread at every interval while enabled. Set it
  // before the timer is first enabled.
  std::function<void()> OnTimer;
};

}  // namespace vantrel
