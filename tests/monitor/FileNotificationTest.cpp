// Real files in a temporary directory, a real watcher thread, and a headless
// interface thread (the test's own) that the delivery timer fires on.
#include "monitor/FileNotification.h"

#include <gtest/gtest.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "support/LoopTimer.h"
#include "MonitorTestFiles.h"
#include "monitor/ChangeFilter.h"
#include "monitor/DirThread.h"

namespace vantrel {
namespace {

using namespace std::chrono_literals;

// Longer than the delivery delay, so a change that should notify has.
constexpr auto kSettle = 350ms;

class FileNotificationTest : public ::testing::Test {
 protected:
  FileNotificationTest() : notifier(loop.CreateTimer()) {
    notifier.OnChanged = [this](TFileNotification&) {
      ++changes;
      changedOn = std::this_thread::get_id();
    };
    notifier.OnError = [this](const std::string&, const std::string& message) { errors.push_back(message); };
    WriteFile(watched, "first line\n");
    WriteFile(neighbour, "other\n");
  }

  void Settle() { loop.RunFor(kSettle); }

  TTempDir dir;
  const std::string watched = dir.Path("watched.log");
  const std::string neighbour = dir.Path("neighbour.txt");
  TestEventLoop loop;
  TFileNotification notifier;
  int changes = 0;
  std::thread::id changedOn;
  std::vector<std::string> errors;
};

TEST_F(FileNotificationTest, BurstOfRewritesGivesOneChangeOnTheInterfaceThread) {
  notifier.SetFileName(watched);
  notifier.Start();
  const auto begin = std::chrono::steady_clock::now();
  for (int i = 0; i < 20; ++i) WriteFile(watched, "rewrite " + std::to_string(i) + "\n");
  // Well under 50 ms on a quiet machine; within the delivery delay is what counts.
  ASSERT_LT(std::chrono::steady_clock::now() - begin, 90ms);
  Settle();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(changedOn, std::this_thread::get_id());
  // A later change is delivered again.
  AppendFile(watched, "more\n");
  Settle();
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(errors.empty());
}

struct TChangeCase {
  const char* Name;
  bool DirectoryMode;
  TFileNotifyOptions Options;
  void (*Change)(const std::string& watched, const std::string& neighbour);
  int Expected;
};

const TChangeCase kChangeCases[] = {
    {"append", false, kDefaultFileNotifyOptions, [](auto& w, auto&) { AppendFile(w, "x\n"); }, 1},
    {"same size rewrite", false, kDefaultFileNotifyOptions, [](auto& w, auto&) { WriteFile(w, "FIRST LINE\n"); }, 1},
    {"truncate", false, kDefaultFileNotifyOptions, [](auto& w, auto&) { WriteFile(w, ""); }, 1},
    {"attributes only", false, kDefaultFileNotifyOptions, [](auto& w, auto&) { chmod(w.c_str(), 0600); }, 0},
    {"attributes watched", false, FileNotifyOptionBit(foNotifyAttributes),
     [](auto& w, auto&) { chmod(w.c_str(), 0600); }, 1},
    {"touch", false, kDefaultFileNotifyOptions,
     [](auto& w, auto&) {
       const timespec times[2] = {{0, UTIME_NOW}, {12345, 0}};
       utimensat(AT_FDCWD, w.c_str(), times, 0);
     },
     1},
    {"delete", false, kDefaultFileNotifyOptions, [](auto& w, auto&) { unlink(w.c_str()); }, 1},
    {"delete without name option", false, FileNotifyOptionBit(foNotifyLastWrite),
     [](auto& w, auto&) { unlink(w.c_str()); }, 1},
    {"replaced through rename", false, kDefaultFileNotifyOptions, [](auto& w, auto&) { ReplaceFile(w, "new\n"); }, 1},
    {"read", false, kDefaultFileNotifyOptions, [](auto& w, auto&) { std::ifstream(w).get(); }, 0},
    {"neighbour in file mode", false, kDefaultFileNotifyOptions, [](auto&, auto& n) { AppendFile(n, "x\n"); }, 0},
    {"neighbour in directory mode", true, kDefaultFileNotifyOptions, [](auto&, auto& n) { AppendFile(n, "x\n"); },
     1},
    {"new file in directory mode", true, kDefaultFileNotifyOptions,
     [](auto&, auto& n) { WriteFile(n + ".new", ""); }, 1},
    {"attributes in directory mode", true, kDefaultFileNotifyOptions,
     [](auto&, auto& n) { chmod(n.c_str(), 0600); }, 0},
    {"size only in directory mode", true, FileNotifyOptionBit(foNotifySize),
     [](auto&, auto& n) { WriteFile(n + ".new", ""); }, 0},
};

TEST_F(FileNotificationTest, WhichChangesNotify) {
  for (const TChangeCase& row : kChangeCases) {
    SCOPED_TRACE(row.Name);
    WriteFile(watched, "first line\n");
    chmod(watched.c_str(), 0644);
    chmod(neighbour.c_str(), 0644);
    std::filesystem::remove(neighbour + ".new");
    if (row.DirectoryMode) {
      notifier.SetDirectory(dir.Path());
    } else {
      notifier.SetFileName(watched);
    }
    notifier.SetOptions(row.Options);
    notifier.Start();
    changes = 0;
    row.Change(watched, neighbour);
    Settle();
    EXPECT_EQ(changes, row.Expected);
    notifier.Stop();
    loop.RunFor(20ms);
  }
}

TEST_F(FileNotificationTest, RotatedLogIsFollowedByName) {
  notifier.SetFileName(watched);
  notifier.Start();
  std::filesystem::rename(watched, watched + ".1");
  Settle();
  EXPECT_EQ(changes, 1);  // gone
  AppendFile(watched + ".1", "written to the old file\n");
  Settle();
  EXPECT_EQ(changes, 1);
  WriteFile(watched, "new log\n");
  Settle();
  EXPECT_EQ(changes, 2);  // back
  AppendFile(watched, "line\n");
  Settle();
  EXPECT_EQ(changes, 3);
}

TEST_F(FileNotificationTest, MissingFileIsReportedOnce) {
  notifier.SetFileName(watched);
  notifier.Start();
  unlink(watched.c_str());
  unlink(neighbour.c_str());
  Settle();
  EXPECT_EQ(changes, 1);
  Settle();
  EXPECT_EQ(changes, 1);
}

TEST_F(FileNotificationTest, DirectoryThatCannotBeWatchedStaysSilent) {
  notifier.SetFileName(dir.Path("no/such/dir/file"));
  notifier.Start();
  EXPECT_TRUE(notifier.Active());
  Settle();
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(errors.empty());
  notifier.Stop();
  EXPECT_FALSE(notifier.Active());
}

TEST_F(FileNotificationTest, SubtreeReportsChangesInNewSubdirectories) {
  notifier.SetDirectory(dir.Path());
  notifier.SetSubtree(true);
  notifier.Start();
  std::filesystem::create_directories(dir.Path("a/b"));
  Settle();
  changes = 0;
  WriteFile(dir.Path("a/b/deep.txt"), "x");
  Settle();
  EXPECT_EQ(changes, 1);
}

TEST_F(FileNotificationTest, StopEndsPromptlyWhileChangesKeepArriving) {
  notifier.SetFileName(watched);
  notifier.Start();
  std::atomic<bool> writing{true};
  std::thread writer([&] {
    while (writing) AppendFile(watched, "line\n");
  });
  loop.RunFor(150ms);
  const auto begin = std::chrono::steady_clock::now();
  notifier.Stop();
  const auto took = std::chrono::steady_clock::now() - begin;
  writing = false;
  writer.join();
  EXPECT_LT(took, 250ms);  // a join after one wake-up; generous for a loaded machine
  EXPECT_FALSE(notifier.Active());
  EXPECT_GE(changes, 1);
  // Nothing is delivered after the stop beyond a tick already armed.
  loop.RunFor(150ms);
  const int settled = changes;
  AppendFile(watched, "after\n");
  Settle();
  EXPECT_EQ(changes, settled);
}

TEST_F(FileNotificationTest, StartAndStopFromSeveralThreads) {
  notifier.SetFileName(watched);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 50; ++i) {
        if ((i + t) % 2 == 0) {
          notifier.Start();
        } else {
          notifier.Stop();
        }
        AppendFile(watched, "x");
        (void)notifier.Active();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  notifier.Start();
  EXPECT_TRUE(notifier.Active());
  loop.RunFor(200ms);
  changes = 0;
  AppendFile(watched, "after\n");
  Settle();
  EXPECT_EQ(changes, 1);
  notifier.Stop();
  EXPECT_TRUE(errors.empty());
}

TEST_F(FileNotificationTest, IdleWatcherUsesNoProcessor) {
  notifier.SetFileName(watched);
  notifier.Start();
  timespec before{}, after{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &before);
  std::this_thread::sleep_for(1s);
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &after);
  const double usedMs = (after.tv_sec - before.tv_sec) * 1e3 + (after.tv_nsec - before.tv_nsec) / 1e6;
  EXPECT_LT(usedMs, 5.0);
}

TEST(FileNotificationOptions, ChangeFilterAndWatchedDirectory) {
  EXPECT_EQ(ChangeFilterOf(kDefaultFileNotifyOptions), cfFileName | cfDirName | cfLastWrite);
  EXPECT_EQ(ChangeFilterOf(0xFF), 0x17Fu);
  const struct {
    const char* FileName;
    const char* Directory;
    const char* Name;
  } rows[] = {{"/var/log/syslog", "/var/log", "syslog"}, {"/vmlinuz", "/", "vmlinuz"}, {"notes.txt", ".", "notes.txt"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.FileName);
    const auto [directory, name] = SplitWatchedFile(row.FileName);
    EXPECT_EQ(directory, row.Directory);
    EXPECT_EQ(name, row.Name);
  }
}

}  // namespace
}  // namespace vantrel
