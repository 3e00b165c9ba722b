#include "text/FileAccess.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vantrel {

void FailFile(const std::string& what, const std::string& fileName, const std::string& reason) {
  throw EFileError(what + " \"" + fileName + "\": " + reason);
}

void FailFile(const std::string& what, const std::string& fileName, int err) {
  FailFile(what, fileName, std::string(std::strerror(err)));
}

std::string NotRegularReason(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return std::strerror(EISDIR);
  const char* kind = S_ISFIFO(mode)   ? "a FIFO"
                     : S_ISCHR(mode)  ? "a character device"
                     : S_ISBLK(mode)  ? "a block device"
                     : S_ISSOCK(mode) ? "a socket"
                                      : "of an unknown kind";
  return std::string("not a regular file (") + kind + ")";
}

TFileDescriptor::~TFileDescriptor() {
  if (fd_ >= 0) ::close(fd_);
}

int OpenRegularFileForReading(const std::string& fileName, struct stat& st) {
  // Looking first keeps devices unopened: opening one can have effects of its
  // own, and a socket cannot be opened at all.
  if (::stat(fileName.c_str(), &st) != 0) FailFile("Cannot open", fileName, errno);
  if (std::string why = NotRegularReason(st.st_mode); !why.empty()) FailFile("Cannot open", fileName, why);
  // The path may have been replaced by a FIFO since: O_NONBLOCK keeps the open
  // from waiting for a writer, and the second look catches it.
  TFileDescriptor fd(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) FailFile("Cannot open", fileName, errno);
  if (::fstat(fd.get(), &st) != 0) FailFile("Cannot read", fileName, errno);
  if (std::string why = NotRegularReason(st.st_mode); !why.empty()) FailFile("Cannot open", fileName, why);
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
  return fd.release();
}

std::string ReadWholeFile(const std::string& fileName) {
  struct stat st;
  TFileDescriptor fd(OpenRegularFileForReading(fileName, st));
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
      FailFile("Cannot read", fileName, errno);
    }
    if (n == 0) break;
    used += static_cast<size_t>(n);
  }
  data.resize(used);
  return data;
}

}  // namespace vantrel
