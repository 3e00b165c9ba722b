#include "monitor/FileNotificationSimple.h"

#include "monitor/ChangeFilter.h"
#include "monitor/FileNotificationError.h"

namespace vantrel {

namespace {

constexpr int kPollIntervalMs = 1000;
// Existence and identity always count; of the rest, the size and last write.
constexpr uint32_t kPolledFields = cfSize | cfLastWrite;

}  // namespace

TFileNotificationSimple::TFileNotificationSimple(std::unique_ptr<UiTimer> pollTimer) : pollTimer_(std::move(pollTimer)) {
  pollTimer_->SetEnabled(false);
  pollTimer_->SetInterval(kPollIntervalMs);
  pollTimer_->OnTimer = [this] { PollTimerTick(); };
}

void TFileNotificationSimple::SetWatchedFile(const std::string& fileName) {
  const bool wasEnabled = pollTimer_->Enabled();
  pollTimer_->SetEnabled(false);
  watchedFile_ = fileName;
  snapshot_ = TakeFileSnapshot(fileName);
  if (!snapshot_.Exists) throw EFileNotificationError("File to watch doesn't exist");
  pollTimer_->SetEnabled(wasEnabled);
}

void TFileNotificationSimple::PollTimerTick() {
  // OnChanged may run a nested event loop (a progress dialog) that ticks again.
  if (inTick_) return;
  inTick_ = true;
  const TFileSnapshot now = TakeFileSnapshot(watchedFile_);
  const bool changed = SnapshotsDiffer(snapshot_, now, kPolledFields);
  if (changed) snapshot_ = now;
  try {
    if (changed && OnChanged) OnChanged(*this);
  } catch (...) {
    inTick_ = false;
    throw;
  }
  inTick_ = false;
}

}  // namespace vantrel
