// A timer that fires only when a test says so.
#pragma once

#include <functional>

namespace vantrel {

class ManualTimer {
 public:
  bool Enabled = false;
  int Interval = 0;
  std::function<void()> OnTimer;

  void Start(int interval) {
    Interval = interval;
    Enabled = true;
  }
  void Stop() { Enabled = false; }
  // Fires once when enabled; returns whether it fired.
  bool Fire() {
    if (!Enabled || !OnTimer) return false;
    OnTimer();
    return true;
  }
};

}  // namespace vantrel
