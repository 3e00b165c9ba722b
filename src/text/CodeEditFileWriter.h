// Buffered writing of lines with a chosen line break, and the atomic file
// save built on it.
// Tested by tests/text/CodeEditTextBufferTest.cpp
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Exception.h"
#include "text/CodeEditTextBuffer.h"

namespace vantrel {

// A file could not be read or written; the message names the file and the
// operating system's reason.
class EFileError : public Exception {
 public:
  using Exception::Exception;
};

// Where a writer's bytes go.
class TByteSink {
 public:
  virtual ~TByteSink() = default;
  virtual void Write(const char* data, size_t size) = 0;
};

// The buffer, its fill position and the line-break style.
class TCodeEditFiler {
 public:
  static constexpr size_t kDefaultBufferSize = 0x4000;
  // Whole-file saves use a larger buffer: 64 times fewer write calls, which
  // dominate saving a large file; the bytes written are the same.
  static constexpr size_t kSaveBufferSize = 0x100000;

  TCodeEditFiler(TByteSink& sink, TLineBreakStyle style, size_t bufferSize = kDefaultBufferSize);
  TCodeEditFiler(const TCodeEditFiler&) = delete;  // owns the pending bytes
  TCodeEditFiler& operator=(const TCodeEditFiler&) = delete;

  size_t BufferSize() const { return bufferSize_; }
  TLineBreakStyle LineBreakStyle() const { return style_; }

 protected:
  TByteSink& sink_;
  TLineBreakStyle style_;
  std::unique_ptr<char[]> buffer_;
  size_t bufferSize_;
  size_t fill_ = 0;
};

class TCodeEditFileWriter : public TCodeEditFiler {
 public:
  using TCodeEditFiler::TCodeEditFiler;
  // Destruction does not flush: a failed write must surface as an exception,
  // so callers flush explicitly.
  void PutText(std::string_view text);
  void PutTextLine(std::string_view text);
  void FlushBuffer();

 private:
  void Put(std::string_view text, std::string_view lineBreak);
};

// Writes bytes to fileName so that a failure never damages the existing file:
// a temporary file in the same directory is written, synced, given the
// original's permissions and owner, and renamed over the original. A symbolic
// link is kept and its target written. Where the directory is not writable
// but the file is, the file is written in place. Throws EFileError.
void SaveFileAtomically(const std::string& fileName,
                        const std::function<void(TByteSink&)>& writeContent);

// Reads a whole file; throws EFileError.
std::string ReadWholeFile(const std::string& fileName);

}  // namespace vantrel
