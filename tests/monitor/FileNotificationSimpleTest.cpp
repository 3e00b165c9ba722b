#include "monitor/FileNotificationSimple.h"

#include <gtest/gtest.h>

#include "MonitorTestFiles.h"
#include "monitor/FileNotificationError.h"

namespace vantrel {
namespace {

// Ticks when the test says so.
class TFakeTimer final : public UiTimer {
 public:
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetInterval(int milliseconds) override { interval_ = milliseconds; }
  int Interval() const override { return interval_; }
  void Tick() {
    if (enabled_ && OnTimer) OnTimer();
  }

 private:
  bool enabled_ = true;
  int interval_ = 0;
};

class FileNotificationSimpleTest : public ::testing::Test {
 protected:
  FileNotificationSimpleTest() {
    auto owned = std::make_unique<TFakeTimer>();
    timer = owned.get();
    notifier = std::make_unique<TFileNotificationSimple>(std::move(owned));
    notifier->OnChanged = [this](TFileNotificationSimple&) { ++changes; };
    WriteFile(file, "one\n");
  }

  TTempDir dir;
  const std::string file = dir.Path("polled.txt");
  TFakeTimer* timer = nullptr;
  std::unique_ptr<TFileNotificationSimple> notifier;
  int changes = 0;
};

TEST_F(FileNotificationSimpleTest, PollsOncePerSecondAfterBeingEnabled) {
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 1000);
  notifier->SetWatchedFile(file);
  EXPECT_FALSE(timer->Enabled());  // the previous state
  timer->SetEnabled(true);
  notifier->SetWatchedFile(file);
  EXPECT_TRUE(timer->Enabled());
}

TEST_F(FileNotificationSimpleTest, EachDifferenceNotifiesOnce) {
  notifier->SetWatchedFile(file);
  timer->SetEnabled(true);
  const struct {
    const char* Name;
    void (*Change)(const std::string&);
  } rows[] = {
      {"append", [](const std::string& f) { AppendFile(f, "two\n"); }},
      {"replaced through rename, same size", [](const std::string& f) { ReplaceFile(f, "ONE\nTWO\n"); }},
      {"deleted", [](const std::string& f) { std::filesystem::remove(f); }},
      {"back", [](const std::string& f) { WriteFile(f, "three\n"); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    changes = 0;
    row.Change(file);
    timer->Tick();
    timer->Tick();
    EXPECT_EQ(changes, 1);
  }
}

TEST_F(FileNotificationSimpleTest, MissingFileIsRefusedAndLeavesPollingOff) {
  timer->SetEnabled(true);
  try {
    notifier->SetWatchedFile(dir.Path("missing"));
    FAIL() << "no error";
  } catch (const EFileNotificationError& error) {
    EXPECT_STREQ(error.what(), "File to watch doesn't exist");
  }
  EXPECT_FALSE(timer->Enabled());
}

TEST_F(FileNotificationSimpleTest, TickDuringOnChangedIsIgnored) {
  notifier->SetWatchedFile(file);
  timer->SetEnabled(true);
  notifier->OnChanged = [this](TFileNotificationSimple&) {
    ++changes;
    AppendFile(file, "more\n");
    timer->Tick();  // a nested event loop
  };
  AppendFile(file, "two\n");
  timer->Tick();
  EXPECT_EQ(changes, 1);
  timer->Tick();  // the change made inside is seen afterwards
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace vantrel
