#include "monitor/DirThread.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <tuple>

#include "monitor/ChangeFilter.h"
#include "monitor/FileSnapshot.h"

namespace vantrel {

namespace {

class TDescriptor {
 public:
  explicit TDescriptor(int fd) : fd_(fd) {}
  ~TDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  TDescriptor(const TDescriptor&) = delete;  // closes its descriptor once
  TDescriptor& operator=(const TDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// The watches of one thread: the root and, for a subtree, every directory
// below it, added again as directories appear.
class TWatchSet {
 public:
  TWatchSet(int inotify, uint32_t mask) : inotify_(inotify), mask_(mask) {}

  bool AddRoot(const std::string& directory) {
    root_ = Watch(directory);
    return root_ >= 0;
  }
  // Subdirectories that cannot be watched (no access, watch limit) are
  // left out; the rest still report.
  void AddTree(const std::string& directory) {
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::recursive_directory_iterator it(directory, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error)) {
      if (!it->is_directory(error) || it->is_symlink(error)) continue;
      Watch(it->path().string());
    }
  }
  void Add(const std::string& directory) {
    Watch(directory);
    AddTree(directory);
  }
  void Forget(int wd) { paths_.erase(wd); }
  int Root() const { return root_; }
  std::string PathOf(int wd) const {
    auto found = paths_.find(wd);
    return found == paths_.end() ? std::string() : found->second;
  }

 private:
  int Watch(const std::string& directory) {
    const int wd = inotify_add_watch(inotify_, directory.c_str(), mask_);
    if (wd >= 0) paths_[wd] = directory;
    return wd;
  }

  int inotify_;
  uint32_t mask_;
  int root_ = -1;
  std::map<int, std::string> paths_;
};

// What one read of the event queue amounted to.
struct TEventBatch {
  bool Categories = false;  // directory mode: an event of a filtered category
  bool WatchedFile = false;  // file mode: an event on the watched name
  bool Written = false;      // file mode: the watched file was written
  bool RootGone = false;     // the watched directory was removed or unmounted
  bool Failed = false;
};

}  // namespace

std::pair<std::string, std::string> SplitWatchedFile(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  if (slash == std::string::npos) return {".", fileName};
  return {slash == 0 ? "/" : fileName.substr(0, slash), fileName.substr(slash + 1)};
}

TDirThread::TDirThread(TDirWatchSettings settings, std::function<void()> onChange,
                       std::function<void(const std::string&)> onError)
    : settings_(std::move(settings)), onChange_(std::move(onChange)), onError_(std::move(onError)) {
  stopSignal_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (stopSignal_ < 0) throw EFileNotificationError(std::string("No stop signal: ") + std::strerror(errno));
  try {
    thread_ = std::thread(&TDirThread::Execute, this);
  } catch (const std::exception& error) {
    close(stopSignal_);
    throw EFileNotificationError(error.what());
  }
  std::unique_lock lock(setUpLock_);
  setUpDone_.wait(lock, [this] { return setUp_; });
}

TDirThread::~TDirThread() {
  if (thread_.joinable()) Terminate();
  if (stopSignal_ >= 0) close(stopSignal_);
}

void TDirThread::Terminate() {
  terminated_ = true;
  const uint64_t one = 1;
  // A full counter (it never is) still wakes the poll: it stays readable.
  [[maybe_unused]] const ssize_t written = write(stopSignal_, &one, sizeof one);
  if (thread_.joinable()) thread_.join();
}

void TDirThread::Execute() {
  try {
    Run();
  } catch (const std::exception&) {
    if (onError_) onError_("Exception while waiting for notification");
  }
  SetUp();
}

void TDirThread::SetUp() {
  std::lock_guard lock(setUpLock_);
  setUp_ = true;
  setUpDone_.notify_all();
}

void TDirThread::Run() {
  const bool fileMode = !settings_.FileName.empty();
  std::string directory = settings_.Directory;
  std::string watchedName;
  std::string watchedPath;
  uint32_t filter = settings_.ChangeFilter;
  bool subtree = settings_.Subtree;
  if (fileMode) {
    // Absolute, so that a later change of the working directory does not
    // point the snapshot at another file than the watch.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(settings_.FileName, error);
    watchedPath = error ? settings_.FileName : absolute.string();
    std::tie(directory, watchedName) = SplitWatchedFile(watchedPath);
    filter &= ~(cfDirName | cfSecurity);
    subtree = false;
  }

  TDescriptor inotify(inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
  if (inotify.get() < 0) return;
  TWatchSet watches(inotify.get(), InotifyMaskFor(filter, fileMode, subtree));
  if (!watches.AddRoot(directory)) return;
  if (subtree) watches.AddTree(directory);
  TFileSnapshot snapshot = fileMode ? TakeFileSnapshot(watchedPath) : TFileSnapshot{};
  SetUp();

  alignas(inotify_event) char buffer[16 * 1024];
  pollfd waits[2] = {{stopSignal_, POLLIN, 0}, {inotify.get(), POLLIN, 0}};
  while (!terminated_) {
    if (poll(waits, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (waits[0].revents != 0 || terminated_) return;
    if (waits[1].revents == 0) continue;

    TEventBatch batch;
    for (;;) {
      const ssize_t length = read(inotify.get(), buffer, sizeof buffer);
      if (length < 0) {
        if (errno == EINTR) continue;
        batch.Failed = errno != EAGAIN;
        break;
      }
      if (length == 0) break;
      for (const char* p = buffer; p < buffer + length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(p);
        p += sizeof(inotify_event) + event->len;
        const uint32_t mask = event->mask;
        if (mask & IN_IGNORED) {
          if (event->wd == watches.Root()) batch.RootGone = true;
          watches.Forget(event->wd);
          continue;
        }
        const bool overflow = (mask & IN_Q_OVERFLOW) != 0;
        if (fileMode) {
          if (overflow || (event->wd == watches.Root() && event->len > 0 && watchedName == event->name)) {
            batch.WatchedFile = true;
            batch.Written |= (mask & IN_MODIFY) != 0;
          }
          continue;
        }
        if (subtree && (mask & IN_ISDIR) && (mask & (IN_CREATE | IN_MOVED_TO)) && event->len > 0) {
          const std::string parent = watches.PathOf(event->wd);
          if (!parent.empty()) watches.Add(parent + "/" + event->name);
        }
        batch.Categories |= (ChangeCategoriesOf(mask) & filter) != 0;
      }
    }

    bool changed = batch.Categories;
    if (batch.WatchedFile) {
      const TFileSnapshot now = TakeFileSnapshot(watchedPath);
      // A write is a change of the last write time even when the clock's
      // granularity leaves the stored time as it was.
      changed = SnapshotsDiffer(snapshot, now, filter) || (batch.Written && (filter & cfLastWrite));
      snapshot = now;
    }
    if (changed && onChange_) onChange_();
    if (batch.Failed || batch.RootGone) return;
  }
}

}  // namespace vantrel
