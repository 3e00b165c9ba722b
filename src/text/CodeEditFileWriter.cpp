#include "text/CodeEditFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <random>
#include <utility>

namespace vantrel {

namespace {

std::string Reason(int err) { return std::strerror(err); }

[[noreturn]] void Fail(const std::string& what, const std::string& fileName, int err) {
  throw EFileError(what + " \"" + fileName + "\": " + Reason(err));
}

class FdSink : public TByteSink {
 public:
  FdSink(int fd, const std::string& fileName) : fd_(fd), fileName_(fileName) {}
  void Write(const char* data, size_t size) override {
    while (size > 0) {
      ssize_t n = ::write(fd_, data, size);
      if (n < 0) {
        if (errno == EINTR) continue;
        Fail("Cannot write", fileName_, errno);
      }
      data += n;
      size -= static_cast<size_t>(n);
    }
  }

 private:
  int fd_;
  const std::string& fileName_;
};

// Closes a descriptor on every path; the normal path closes explicitly to
// see the error.
class FdGuard {
 public:
  explicit FdGuard(int fd) : fd_(fd) {}
  ~FdGuard() {
    if (fd_ >= 0) ::close(fd_);
  }
  FdGuard(const FdGuard&) = delete;  // owns the descriptor
  FdGuard& operator=(const FdGuard&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// Follows symbolic links to the file that is really written; the final target
// may not exist yet.
std::string ResolveLinks(const std::string& fileName) {
  std::string path = fileName;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char target[PATH_MAX];
    ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    if (n < 0) return path;
    std::string link(target, static_cast<size_t>(n));
    if (!link.empty() && link[0] == '/') {
      path = link;
    } else {
      size_t slash = path.rfind('/');
      path = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + link;
    }
  }
  Fail("Cannot save", fileName, ELOOP);
}

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

int CreateTemporary(const std::string& dir, const std::string& base, std::string& tempName) {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempName = dir + "/." + base + ".vantrel-" + std::to_string(::getpid()) + "-" +
               std::to_string(counter++) + "-" + std::to_string(random() % 100000);
    int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

void WriteAndSync(int fd, const std::string& fileName, const std::function<void(TByteSink&)>& writeContent) {
  FdSink sink(fd, fileName);
  writeContent(sink);
  if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) Fail("Cannot write", fileName, errno);
}

void SaveInPlace(const std::string& target, const std::string& fileName,
                 const std::function<void(TByteSink&)>& writeContent) {
  FdGuard fd(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
  if (fd.get() < 0) Fail("Cannot create", fileName, errno);
  WriteAndSync(fd.get(), fileName, writeContent);
  if (::close(fd.release()) != 0) Fail("Cannot write", fileName, errno);
}

}  // namespace

TCodeEditFiler::TCodeEditFiler(TByteSink& sink, TLineBreakStyle style, size_t bufferSize)
    : sink_(sink), style_(style), buffer_(new char[bufferSize]), bufferSize_(bufferSize) {}

void TCodeEditFileWriter::PutText(std::string_view text) { Put(text, {}); }

void TCodeEditFileWriter::PutTextLine(std::string_view text) {
  static constexpr std::string_view kBreaks[] = {"\r\n", "\n", "\r"};
  Put(text, kBreaks[style_ <= lbsCR ? style_ : 0]);
}

void TCodeEditFileWriter::Put(std::string_view text, std::string_view lineBreak) {
  size_t n = text.size() + lineBreak.size();
  if (fill_ + n > bufferSize_) {
    FlushBuffer();
    if (bufferSize_ < n) {
      buffer_.reset(new char[n]);
      bufferSize_ = n;
    }
  }
  // Empty views may carry a null pointer, which memcpy must not see.
  if (!text.empty()) std::memcpy(buffer_.get() + fill_, text.data(), text.size());
  if (!lineBreak.empty()) std::memcpy(buffer_.get() + fill_ + text.size(), lineBreak.data(), lineBreak.size());
  fill_ += n;
}

void TCodeEditFileWriter::FlushBuffer() {
  if (fill_ == 0) return;
  sink_.Write(buffer_.get(), fill_);
  fill_ = 0;
}

void SaveFileAtomically(const std::string& fileName, const std::function<void(TByteSink&)>& writeContent) {
  const std::string target = ResolveLinks(fileName);
  struct stat original;
  const bool exists = ::stat(target.c_str(), &original) == 0;
  if (exists && !S_ISREG(original.st_mode)) Fail("Cannot save", fileName, S_ISDIR(original.st_mode) ? EISDIR : EINVAL);

  std::string tempName;
  int tempFd = CreateTemporary(DirectoryOf(target), BaseName(target), tempName);
  if (tempFd < 0) {
    int err = errno;
    // A file we may write in a directory we may not: the only way left.
    if (exists && (err == EACCES || err == EPERM || err == EROFS) && ::access(target.c_str(), W_OK) == 0) {
      SaveInPlace(target, fileName, writeContent);
      return;
    }
    Fail(exists ? "Cannot save" : "Cannot create", fileName, err);
  }
  FdGuard fd(tempFd);
  try {
    WriteAndSync(fd.get(), fileName, writeContent);
    if (exists) {
      if (::fchown(fd.get(), original.st_uid, original.st_gid) != 0) {
        // Not permitted for other owners; the group alone may still work.
        (void)!::fchown(fd.get(), static_cast<uid_t>(-1), original.st_gid);
      }
      if (::fchmod(fd.get(), original.st_mode & 07777) != 0) Fail("Cannot save", fileName, errno);
    }
    if (::close(fd.release()) != 0) Fail("Cannot write", fileName, errno);
    if (::rename(tempName.c_str(), target.c_str()) != 0) Fail("Cannot save", fileName, errno);
  } catch (...) {
    ::unlink(tempName.c_str());
    throw;
  }
  // Make the rename itself durable; failure here loses nothing already written.
  FdGuard dirFd(::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dirFd.get() >= 0) ::fsync(dirFd.get());
}

std::string ReadWholeFile(const std::string& fileName) {
  FdGuard fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) Fail("Cannot open", fileName, errno);
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) Fail("Cannot read", fileName, errno);
  if (S_ISDIR(st.st_mode)) Fail("Cannot open", fileName, EISDIR);
  std::string data;
  // The size is a hint: files may grow while read, and some report 0.
  size_t capacity = st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 65536;
  data.resize(capacity);
  size_t used = 0;
  for (;;) {
    if (used == data.size()) data.resize(data.size() * 2);
    ssize_t n = ::read(fd.get(), data.data() + used, data.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail("Cannot read", fileName, errno);
    }
    if (n == 0) break;
    used += static_cast<size_t>(n);
  }
  data.resize(used);
  return data;
}

}  // namespace vantrel
