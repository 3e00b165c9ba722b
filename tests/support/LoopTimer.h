// A headless interface thread for UiTimer users: timers armed from any thread
// fire inside Run on the thread that calls it, at their real intervals.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/UiTimer.h"

namespace vantrel {

class LoopTimer;

class TestEventLoop {
 public:
  using Clock = std::chrono::steady_clock;

  TestEventLoop() = default;
  TestEventLoop(const TestEventLoop&) = delete;  // its timers point back at it
  TestEventLoop& operator=(const TestEventLoop&) = delete;

  std::unique_ptr<UiTimer> CreateTimer();
  // Fires due timers on the calling thread until done() holds (checked after
  // every tick) or the time is up; returns whether done() held.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);
  void RunFor(std::chrono::milliseconds duration) {
    RunUntil([] { return false; }, duration);
  }

 private:
  friend class LoopTimer;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<LoopTimer*> timers_;
};

class LoopTimer final : public UiTimer {
 public:
  explicit LoopTimer(TestEventLoop& loop);
  ~LoopTimer() override;
  LoopTimer(const LoopTimer&) = delete;  // registered with its loop by address
  LoopTimer& operator=(const LoopTimer&) = delete;

  void SetEnabled(bool enabled) override;
  bool Enabled() const override;
  void SetInterval(int milliseconds) override;
  int Interval() const override;

 private:
  friend class TestEventLoop;
  TestEventLoop& loop_;
  // Guarded by the loop's mutex.
  bool enabled_ = false;
  int interval_ = 1000;
  TestEventLoop::Clock::time_point due_;
};

}  // namespace vantrel
