#include "LoopTimer.h"

#include <algorithm>

namespace vantrel {

std::unique_ptr<UiTimer> TestEventLoop::CreateTimer() { return std::make_unique<LoopTimer>(*this); }

bool TestEventLoop::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const Clock::time_point end = Clock::now() + limit;
  std::unique_lock lock(mutex_);
  for (;;) {
    lock.unlock();
    if (done()) return true;
    lock.lock();
    const Clock::time_point now = Clock::now();
    if (now >= end) return false;
    LoopTimer* next = nullptr;
    for (LoopTimer* timer : timers_) {
      if (timer->enabled_ && (!next || timer->due_ < next->due_)) next = timer;
    }
    if (!next || next->due_ > now) {
      // Arming from another thread wakes the wait so a new deadline counts.
      wake_.wait_until(lock, next ? std::min(next->due_, end) : end);
      continue;
    }
    next->due_ += std::chrono::milliseconds(next->interval_);
    lock.unlock();
    if (next->OnTimer) next->OnTimer();
    lock.lock();
  }
}

LoopTimer::LoopTimer(TestEventLoop& loop) : loop_(loop) {
  std::lock_guard lock(loop_.mutex_);
  loop_.timers_.push_back(this);
}

LoopTimer::~LoopTimer() {
  std::lock_guard lock(loop_.mutex_);
  std::erase(loop_.timers_, this);
}

void LoopTimer::SetEnabled(bool enabled) {
  std::lock_guard lock(loop_.mutex_);
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) due_ = TestEventLoop::Clock::now() + std::chrono::milliseconds(interval_);
  loop_.wake_.notify_all();
}

bool LoopTimer::Enabled() const {
  std::lock_guard lock(loop_.mutex_);
  return enabled_;
}

void LoopTimer::SetInterval(int milliseconds) {
  std::lock_guard lock(loop_.mutex_);
  interval_ = milliseconds;
}

int LoopTimer::Interval() const {
  std::lock_guard lock(loop_.mutex_);
  return interval_;
}

}  // namespace vantrel
