// Reports that a file or a directory changed on disk. A watcher thread waits
// for the change and arms the delivery timer; OnChanged runs on the
// interface thread when the timer fires, 100 ms after the first change, so
// a burst of changes arrives as one.
// Tested by tests/monitor/FileNotificationTest.cpp
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/UiTimer.h"

namespace vantrel {

class TDirThread;

enum TFileNotifyOption : uint8_t {
  foNotifyFilename,
  foNotifyDirname,
  foNotifyAttributes,
  foNotifySize,
  foNotifyLastWrite,
  foNotifyLastAccess,
  foNotifyCreation,
  foNotifySecurity,
};
using TFileNotifyOptions = uint8_t;  // bit n is option n
constexpr TFileNotifyOptions FileNotifyOptionBit(TFileNotifyOption option) { return TFileNotifyOptions(1u << option); }
constexpr TFileNotifyOptions kDefaultFileNotifyOptions = 19;  // file names, directory names, last write

// The filter bits (cf... in ChangeFilter.h) the options stand for.
uint32_t ChangeFilterOf(TFileNotifyOptions options);

class TFileNotification {
 public:
  explicit TFileNotification(std::unique_ptr<UiTimer> deliveryTimer);
  // Stops the watcher thread.
  ~TFileNotification();
  TFileNotification(const TFileNotification&) = delete;  // its thread points back at it
  TFileNotification& operator=(const TFileNotification&) = delete;

  std::function<void(TFileNotification& sender)> OnChanged;
  // A failure to start or stop the thread reaches the thread that called
  // Start or Stop; a failure in the watcher thread reaches the interface
  // thread at the next tick.
  std::function<void(const std::string& title, const std::string& message)> OnError;

  // Read when the thread starts: changing them while active has no effect
  // until the next Start.
  TFileNotifyOptions Options() const;
  void SetOptions(TFileNotifyOptions options);
  bool Subtree() const;
  void SetSubtree(bool subtree);
  // Directory mode and file mode exclude each other: setting one to a
  // different value clears the other.
  std::string Directory() const;
  void SetDirectory(const std::string& directory);
  std::string FileName() const;
  void SetFileName(const std::string& fileName);

  bool Active() const;
  void SetActive(bool active);
  // Both may be called from any thread; they are serialised.
  void Start();
  void Stop();

 private:
  void DeliveryTimerTick();
  void ChangeArrived();
  void ThreadFailed(const std::string& message);

  std::unique_ptr<UiTimer> deliveryTimer_;
  mutable std::mutex lock_;  // start, stop and the settings
  std::unique_ptr<TDirThread> thread_;
  TFileNotifyOptions options_ = kDefaultFileNotifyOptions;
  bool subtree_ = false;
  std::string directory_;
  std::string fileName_;

  std::atomic<bool> changePending_{false};
  std::mutex errorLock_;
  std::string threadError_;
};

}  // namespace vantrel
