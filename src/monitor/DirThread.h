// The watcher thread of a file notifier: waits on inotify and a stop signal
// together and reports the changes that pass the filter. In file mode it
// watches the file's directory and picks the file's events by name, so a
// file replaced through rename, or rotated away and created again, is still
// followed by its name.
// Tested by tests/monitor/FileNotificationTest.cpp
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "monitor/FileNotificationError.h"

namespace vantrel {

struct TDirWatchSettings {
  std::string Directory;  // directory mode
  std::string FileName;   // file mode when not empty
  bool Subtree = false;
  uint32_t ChangeFilter = 0;
};

// The directory watched for a file and the name looked for in it: "/" for a
// file at the root, "." for a bare name.
std::pair<std::string, std::string> SplitWatchedFile(const std::string& fileName);

class TDirThread {
 public:
  // Returns once the watch is in place, so no change made after it is
  // missed. Both callbacks run on the watcher thread. Throws
  // EFileNotificationError when the stop signal or the thread cannot be made.
  TDirThread(TDirWatchSettings settings, std::function<void()> onChange,
             std::function<void(const std::string& message)> onError);
  // Ends the thread (Terminate).
  ~TDirThread();
  TDirThread(const TDirThread&) = delete;  // owns a running thread
  TDirThread& operator=(const TDirThread&) = delete;

  // Signals the stop and waits until the thread has ended.
  void Terminate();

 private:
  void Execute();
  void Run();
  void SetUp();  // the watch is in place, or cannot be made

  TDirWatchSettings settings_;
  std::function<void()> onChange_;
  std::function<void(const std::string&)> onError_;
  int stopSignal_ = -1;  // eventfd
  std::atomic<bool> terminated_{false};
  std::mutex setUpLock_;
  std::condition_variable setUpDone_;
  bool setUp_ = false;
  std::thread thread_;  // last: starts once the rest is set up
};

}  // namespace vantrel
