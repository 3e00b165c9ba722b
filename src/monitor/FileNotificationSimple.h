// Reports that one file changed by looking at it once a second: for places
// where a watcher thread is not worth its cost.
// Tested by tests/monitor/FileNotificationSimpleTest.cpp
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "monitor/FileSnapshot.h"
#include "platform/UiTimer.h"

namespace vantrel {

class TFileNotificationSimple {
 public:
  // The poll timer comes disabled; enable it to start polling.
  explicit TFileNotificationSimple(std::unique_ptr<UiTimer> pollTimer);
  TFileNotificationSimple(const TFileNotificationSimple&) = delete;  // its timer points back at it
  TFileNotificationSimple& operator=(const TFileNotificationSimple&) = delete;

  std::function<void(TFileNotificationSimple& sender)> OnChanged;

  // Throws EFileNotificationError "File to watch doesn't exist" when the
  // file is missing; the poll timer is then left disabled.
  void SetWatchedFile(const std::string& fileName);
  const std::string& WatchedFile() const { return watchedFile_; }
  UiTimer& PollTimer() { return *pollTimer_; }

 private:
  void PollTimerTick();

  std::unique_ptr<UiTimer> pollTimer_;
  std::string watchedFile_;
  TFileSnapshot snapshot_;
  bool inTick_ = false;
};

}  // namespace vantrel
