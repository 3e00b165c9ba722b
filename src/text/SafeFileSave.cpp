#include "text/SafeFileSave.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <random>

namespace vantrel {

namespace {

class FdSink : public TByteSink {
 public:
  FdSink(int fd, const std::string& fileName) : fd_(fd), fileName_(fileName) {}
  void Write(const char* data, size_t size) override {
    while (size > 0) {
      ssize_t n = ::write(fd_, data, size);
      if (n < 0) {
        if (errno == EINTR) continue;
        FailFile("Cannot write", fileName_, errno);
      }
      data += n;
      size -= static_cast<size_t>(n);
      written_ += static_cast<size_t>(n);
    }
  }
  size_t Written() const { return written_; }

 private:
  int fd_;
  size_t written_ = 0;
  const std::string& fileName_;
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
  FailFile("Cannot save", fileName, ELOOP);
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
  if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) FailFile("Cannot write", fileName, errno);
}

// Makes sure the disk has room for `size` bytes of the file before its old
// content is overwritten. Where the file system cannot reserve space, its free
// space must cover the growth instead.
void ReserveSpace(int fd, const std::string& fileName, off_t oldSize, size_t size) {
  if (size == 0) return;
  // The process's file size limit would stop the write half-way.
  struct rlimit limit;
  if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && size > limit.rlim_cur) {
    FailFile("Cannot save", fileName, EFBIG);
  }
  int result;
  do {
    // KEEP_SIZE: a failed save leaves the file's length as it was.
    result = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size));
  } while (result != 0 && errno == EINTR);
  if (result == 0) return;
  const int err = errno;
  if (err != EOPNOTSUPP && err != ENOSYS) {
    // Give back what a partial reservation took beyond the end.
    (void)!::ftruncate(fd, oldSize);
    FailFile("Cannot save", fileName, err);
  }
  struct statvfs fs;
  if (::fstatvfs(fd, &fs) != 0) return;  // nothing to go by: write and see
  const unsigned long long growth = size > static_cast<size_t>(oldSize) ? size - static_cast<size_t>(oldSize) : 0;
  const unsigned long long available = static_cast<unsigned long long>(fs.f_bavail) * fs.f_frsize;
  if (growth > available) FailFile("Cannot save", fileName, ENOSPC);
}

// Keeps the inode, so every hard link sees the new content; the links, mode
// and owner stay as they are without being copied.
void SaveInPlace(const std::string& target, const std::string& fileName, size_t size,
                 const std::function<void(TByteSink&)>& writeContent) {
  TFileDescriptor fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) FailFile("Cannot save", fileName, errno);
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) FailFile("Cannot save", fileName, errno);
  if (std::string why = NotRegularReason(st.st_mode); !why.empty()) FailFile("Cannot save", fileName, why);
  ReserveSpace(fd.get(), fileName, st.st_size, size);
  FdSink sink(fd.get(), fileName);
  writeContent(sink);
  // Cuts what is left of a longer old content; the size given is only a hint.
  if (::ftruncate(fd.get(), static_cast<off_t>(sink.Written())) != 0) FailFile("Cannot write", fileName, errno);
  if (::fsync(fd.get()) != 0 && errno != EINVAL && errno != EROFS) FailFile("Cannot write", fileName, errno);
  if (::close(fd.release()) != 0) FailFile("Cannot write", fileName, errno);
}

void ReplaceAtomically(const std::string& target, const std::string& fileName, const struct stat* original,
                       int tempFd, const std::string& tempName,
                       const std::function<void(TByteSink&)>& writeContent) {
  TFileDescriptor fd(tempFd);
  try {
    WriteAndSync(fd.get(), fileName, writeContent);
    if (original) {
      if (::fchown(fd.get(), original->st_uid, original->st_gid) != 0) {
        // Not permitted for other owners; the group alone may still work.
        (void)!::fchown(fd.get(), static_cast<uid_t>(-1), original->st_gid);
      }
      if (::fchmod(fd.get(), original->st_mode & 07777) != 0) FailFile("Cannot save", fileName, errno);
    }
    if (::close(fd.release()) != 0) FailFile("Cannot write", fileName, errno);
    if (::rename(tempName.c_str(), target.c_str()) != 0) FailFile("Cannot save", fileName, errno);
  } catch (...) {
    ::unlink(tempName.c_str());
    throw;
  }
  // Make the rename itself durable; failure here loses nothing already written.
  TFileDescriptor dirFd(::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dirFd.get() >= 0) ::fsync(dirFd.get());
}

}  // namespace

void SaveFileSafely(const std::string& fileName, size_t size, const std::function<void(TByteSink&)>& writeContent) {
  const std::string target = ResolveLinks(fileName);
  struct stat original;
  const bool exists = ::stat(target.c_str(), &original) == 0;
  if (exists) {
    if (std::string why = NotRegularReason(original.st_mode); !why.empty()) FailFile("Cannot save", fileName, why);
    // The rename would replace a file the user may not write; ask the
    // operating system as an ordinary write would.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) FailFile("Cannot save", fileName, errno);
    // A new inode would cut the other links off.
    if (original.st_nlink > 1) {
      SaveInPlace(target, fileName, size, writeContent);
      return;
    }
  }
  std::string tempName;
  const int tempFd = CreateTemporary(DirectoryOf(target), BaseName(target), tempName);
  if (tempFd < 0) {
    const int err = errno;
    // A file we may write in a directory we may not: the only way left.
    if (exists && (err == EACCES || err == EPERM || err == EROFS)) {
      SaveInPlace(target, fileName, size, writeContent);
      return;
    }
    FailFile(exists ? "Cannot save" : "Cannot create", fileName, err);
  }
  ReplaceAtomically(target, fileName, exists ? &original : nullptr, tempFd, tempName, writeContent);
}

}  // namespace vantrel
