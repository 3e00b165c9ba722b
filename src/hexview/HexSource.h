// Where the hex viewer's bytes come from: a file opened read-only (regular
// files only) or a stream handed in by the caller.
// Tested by tests/hexview/HexBufferTest.cpp
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Exception.h"

namespace vantrel {

// Raised when a path cannot be shown: missing, unreadable, or not a regular file.
class EHexOpenError : public Exception {
 public:
  using Exception::Exception;
};

class THexSource {
 public:
  virtual ~THexSource() = default;
  // The current size in bytes; -1 when it cannot be taken.
  virtual int64_t Size() = 0;
  // Reads up to count bytes at offset; the number read (0 at the end), or -1
  // on a read error.
  virtual int64_t ReadAt(int64_t offset, uint8_t* into, size_t count) = 0;
  // "Cannot read file: ..." or "Cannot read stream".
  virtual std::string ReadErrorText() const = 0;
};

// Opens name for reading. A FIFO, device, socket or directory is refused
// before any byte is read: reading one would block or never end.
std::unique_ptr<THexSource> OpenHexFile(const std::string& name);

// The open failure text: Cannot open file: "NAME".
std::string CannotOpenText(const std::string& name);

}  // namespace vantrel
