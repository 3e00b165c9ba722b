// Opening files for the line buffer: descriptors that close themselves,
// errors that name the file and the reason, and a refusal of anything but a
// regular file before a read could block or never end.
// Tested by tests/text/CodeEditTextBufferTest.cpp and tests/ui/FileLoaderTest.cpp
#pragma once

#include <sys/stat.h>

#include <string>
#include <utility>

#include "platform/Exception.h"

namespace vantrel {

// A file could not be read or written; the message names the file and the
// operating system's reason.
class EFileError : public Exception {
 public:
  using Exception::Exception;
};

// Throws EFileError: what + " \"" + fileName + "\": " + reason.
[[noreturn]] void FailFile(const std::string& what, const std::string& fileName, const std::string& reason);
// The reason is strerror(err).
[[noreturn]] void FailFile(const std::string& what, const std::string& fileName, int err);

// Why a file of this mode cannot be read or written as text: "" for a regular
// file, else the reason ("Is a directory", "not a regular file (a FIFO)" ...).
std::string NotRegularReason(mode_t mode);

// Closes a descriptor on every path; the normal path closes explicitly to
// see the error.
class TFileDescriptor {
 public:
  explicit TFileDescriptor(int fd) : fd_(fd) {}
  ~TFileDescriptor();
  TFileDescriptor(const TFileDescriptor&) = delete;  // owns the descriptor
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// Opens a regular file for reading and fills `st`. FIFOs, devices and sockets
// are refused without being opened; the open itself does not block. Throws
// EFileError ("Cannot open ...").
int OpenRegularFileForReading(const std::string& fileName, struct stat& st);

// Reads a whole regular file; throws EFileError.
std::string ReadWholeFile(const std::string& fileName);

}  // namespace vantrel
