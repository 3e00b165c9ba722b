// The interface-thread timer over a QTimer. Arming from another thread posts
// the start to the timer's thread; the QTimer itself is only touched there.
// Tested by tests/ui/MonitorFileTest.cpp
#pragma once

#include <QTimer>
#include <atomic>

#include "platform/UiTimer.h"

namespace vantrel {

class QtUiTimer final : public UiTimer {
 public:
  // Create it on the interface thread.
  QtUiTimer();
  QtUiTimer(const QtUiTimer&) = delete;  // posted calls point at its QTimer
  QtUiTimer& operator=(const QtUiTimer&) = delete;

  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  void SetInterval(int milliseconds) override { interval_ = milliseconds; }
  int Interval() const override { return interval_; }

 private:
  // On the timer's thread: brings the QTimer in line with enabled_.
  void Apply();

  QTimer timer_;
  std::atomic<bool> enabled_{false};
  std::atomic<int> interval_{1000};
};

}  // namespace vantrel
