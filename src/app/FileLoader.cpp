#include "app/FileLoader.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QProgressDialog>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <exception>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "text/FileAccess.h"
#include "text/LineLimits.h"
#include "text/CodeEditTextBuffer.h"

namespace vantrel {

namespace {

constexpr size_t kChunk = size_t(4) << 20;

// Faulting in a large buffer page by page costs more than reading the file;
// huge pages cut the faults by 512.
void AdviseHugePages(char* data, size_t size) {
  constexpr uintptr_t kHuge = uintptr_t(2) << 20;
  if (size < 4 * kHuge) return;
  const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(kHuge - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

int64_t CountLineBreaks(const char* p, size_t n) {
  int64_t count = 0;
  for (size_t i = 0; i < n; ++i) count += (p[i] == '\n') | (p[i] == '\r');
  return count;
}

}  // namespace

bool ReadFileCancellable(const std::string& fileName, std::string& data, int64_t& lineBreaks,
                         TReadProgress& progress) {
  // A FIFO or a device would block the reader or never end.
  struct stat st;
  TFileDescriptor fd(OpenRegularFileForReading(fileName, st));
  progress.Total = st.st_size;
  data.clear();
  lineBreaks = 0;
  // The size is a hint: files may grow while read, and some report 0. One
  // byte more lets the read see the end without growing the buffer.
  const size_t expected = st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : kChunk;
  data.reserve(expected);
  AdviseHugePages(data.data(), expected);
  data.resize(expected);
  size_t used = 0;
  for (;;) {
    if (progress.Cancel) return false;
    if (used == data.size()) data.resize(data.size() * 2);
    const size_t want = std::min(kChunk, data.size() - used);
    const ssize_t n = ::read(fd.get(), data.data() + used, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      FailFile("Cannot read", fileName, errno);
    }
    if (n == 0) break;
    lineBreaks += CountLineBreaks(data.data() + used, size_t(n));
    used += static_cast<size_t>(n);
    progress.Done = int64_t(used);
  }
  data.resize(used);
  // Here rather than on the interface thread, which would hang on a huge file.
  CheckLoadable(data, fileName);
  return true;
}

bool LoadLinesWithProgress(TCodeEditStringList& lines, const std::string& fileName, int delayMs) {
  // Shared with the reader, which a cancel leaves behind: a read blocked on a
  // pipe or a stalled network file must not hold the window.
  struct TJob {
    TReadProgress Progress;
    std::string Data;
    int64_t LineBreaks = 0;
    bool Complete = false;
    std::exception_ptr Error;
    std::mutex Mutex;
    std::condition_variable Done;
    bool Finished = false;
  };
  auto job = std::make_shared<TJob>();
  std::thread([job, fileName] {
    try {
      job->Complete = ReadFileCancellable(fileName, job->Data, job->LineBreaks, job->Progress);
    } catch (...) {
      job->Error = std::current_exception();
    }
    std::lock_guard lock(job->Mutex);
    job->Finished = true;
    job->Done.notify_all();
  }).detach();
  auto waitFor = [&](int ms) {
    std::unique_lock lock(job->Mutex);
    return job->Done.wait_for(lock, std::chrono::milliseconds(ms), [&] { return job->Finished; });
  };
  if (!waitFor(delayMs)) {
    // Application-modal, so nothing else (closing the tab being filled, say)
    // can run while the read is going on.
    QProgressDialog dialog(QString("Opening %1...").arg(QString::fromStdString(fileName)), "Cancel", 0, 1000,
                           QApplication::activeWindow());
    dialog.setWindowTitle("Opening");
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    while (!waitFor(30)) {
      const int64_t total = job->Progress.Total;
      dialog.setValue(total > 0 ? int(std::min<int64_t>(1000, job->Progress.Done * 1000 / total)) : 0);
      QApplication::processEvents();
      if (dialog.wasCanceled()) {
        job->Progress.Cancel = true;
        return false;
      }
    }
  }
  if (job->Error) std::rethrow_exception(job->Error);
  if (!job->Complete) return false;
  // One allocation for the line records instead of a series of growths. Only
  // grown: LoadFromBytes reuses the array a reload already has.
  if (job->LineBreaks + 1 < INT32_MAX) lines.SetCapacity(std::max(lines.Capacity(), int(job->LineBreaks + 1)));
  lines.LoadFromBytes(std::move(job->Data), fileName);
  return true;
}

}  // namespace vantrel
