#include "hexview/HexSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vantrel {

namespace {

class TFileSource : public THexSource {
 public:
  TFileSource(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
  TFileSource(const TFileSource&) = delete;  // owns the descriptor
  TFileSource& operator=(const TFileSource&) = delete;
  ~TFileSource() override { ::close(fd_); }

  int64_t Size() override {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return -1;
    return st.st_size;
  }

  int64_t ReadAt(int64_t offset, uint8_t* into, size_t count) override {
    size_t done = 0;
    while (done < count) {
      const ssize_t n = ::pread(fd_, into + done, count - done, static_cast<off_t>(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return -1;
      if (n == 0) break;
      done += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(done);
  }

  std::string ReadErrorText() const override { return "Cannot read file: \"" + name_ + "\""; }

 private:
  int fd_;
  std::string name_;
};

}  // namespace

std::string CannotOpenText(const std::string& name) { return "Cannot open file: \"" + name + "\""; }

std::unique_ptr<THexSource> OpenHexFile(const std::string& name) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer before we can refuse it.
  const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw EHexOpenError(CannotOpenText(name) + "\n" + std::strerror(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int error = errno;
    ::close(fd);
    throw EHexOpenError(CannotOpenText(name) + "\n" + std::strerror(error));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    const char* what = S_ISDIR(st.st_mode) ? "It is a directory." : "It is not a regular file (a FIFO, socket or device).";
    throw EHexOpenError(CannotOpenText(name) + "\n" + what);
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return std::make_unique<TFileSource>(fd, name);
}

}  // namespace vantrel
