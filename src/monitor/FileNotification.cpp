#include "monitor/FileNotification.h"

#include "monitor/ChangeFilter.h"
#include "monitor/DirThread.h"

namespace vantrel {

namespace {

constexpr int kDeliveryDelayMs = 100;
constexpr const char* kErrorTitle = "Error";

// Directory and file name exclude each other: a new value for one clears the other.
void SetExclusive(std::string& field, std::string& other, const std::string& value) {
  if (value == field) return;
  field = value;
  other.clear();
}

}  // namespace

uint32_t ChangeFilterOf(TFileNotifyOptions options) {
  static constexpr uint32_t kBits[] = {cfFileName,   cfDirName,    cfAttributes, cfSize,
                                       cfLastWrite, cfLastAccess, cfCreation,   cfSecurity};
  uint32_t filter = 0;
  for (int option = foNotifyFilename; option <= foNotifySecurity; ++option) {
    if (options & FileNotifyOptionBit(TFileNotifyOption(option))) filter |= kBits[option];
  }
  return filter;
}

TFileNotification::TFileNotification(std::unique_ptr<UiTimer> deliveryTimer)
    : deliveryTimer_(std::move(deliveryTimer)) {
  deliveryTimer_->SetEnabled(false);
  deliveryTimer_->SetInterval(kDeliveryDelayMs);
  deliveryTimer_->OnTimer = [this] { DeliveryTimerTick(); };
}

TFileNotification::~TFileNotification() {
  Stop();
  deliveryTimer_->SetEnabled(false);
}

TFileNotifyOptions TFileNotification::Options() const {
  std::lock_guard guard(lock_);
  return options_;
}

void TFileNotification::SetOptions(TFileNotifyOptions options) {
  std::lock_guard guard(lock_);
  options_ = options;
}

bool TFileNotification::Subtree() const {
  std::lock_guard guard(lock_);
  return subtree_;
}

void TFileNotification::SetSubtree(bool subtree) {
  std::lock_guard guard(lock_);
  subtree_ = subtree;
}

std::string TFileNotification::Directory() const {
  std::lock_guard guard(lock_);
  return directory_;
}

void TFileNotification::SetDirectory(const std::string& directory) {
  std::lock_guard guard(lock_);
  SetExclusive(directory_, fileName_, directory);
}

std::string TFileNotification::FileName() const {
  std::lock_guard guard(lock_);
  return fileName_;
}

void TFileNotification::SetFileName(const std::string& fileName) {
  std::lock_guard guard(lock_);
  SetExclusive(fileName_, directory_, fileName);
}

bool TFileNotification::Active() const {
  std::lock_guard guard(lock_);
  return thread_ != nullptr;
}

void TFileNotification::SetActive(bool active) {
  if (active) {
    Start();
  } else {
    Stop();
  }
}

void TFileNotification::Start() {
  bool failed = false;
  {
    std::lock_guard guard(lock_);
    if (thread_) return;
    try {
      thread_ = std::make_unique<TDirThread>(
          TDirWatchSettings{directory_, fileName_, subtree_, ChangeFilterOf(options_)}, [this] { ChangeArrived(); },
          [this](const std::string& message) { ThreadFailed(message); });
    } catch (const std::exception&) {
      failed = true;
    }
  }
  // Outside the lock: a message box runs a nested event loop, whose ticks
  // may start or stop the notifier again.
  if (failed && OnError) OnError(kErrorTitle, "Exception while creating thread");
}

void TFileNotification::Stop() {
  bool failed = false;
  {
    std::lock_guard guard(lock_);
    if (!thread_) return;
    try {
      thread_->Terminate();
      thread_.reset();
    } catch (const std::exception&) {
      failed = true;
    }
  }
  if (failed && OnError) OnError(kErrorTitle, "Exception while terminating thread");
}

void TFileNotification::ChangeArrived() {
  // Flag first, then arm: a tick clears the flag only after disabling the
  // timer, so a change in between arms it again instead of getting lost.
  changePending_ = true;
  deliveryTimer_->SetEnabled(true);
}

void TFileNotification::ThreadFailed(const std::string& message) {
  {
    std::lock_guard guard(errorLock_);
    threadError_ = message;
  }
  deliveryTimer_->SetEnabled(true);
}

void TFileNotification::DeliveryTimerTick() {
  deliveryTimer_->SetEnabled(false);
  std::string error;
  {
    std::lock_guard guard(errorLock_);
    error.swap(threadError_);
  }
  if (!error.empty() && OnError) OnError(kErrorTitle, error);
  if (changePending_.exchange(false) && OnChanged) OnChanged(*this);
}

}  // namespace vantrel
