// Buffered writing of lines with a chosen line break.
// Tested by tests/text/CodeEditTextBufferTest.cpp
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "text/CodeEditTextBuffer.h"
#include "text/FileAccess.h"

namespace vantrel {

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

}  // namespace vantrel
