// The paging buffer of the hex viewer: three pages of the source around the
// part on screen, read again only when the view leaves the first two.
// Tested by tests/hexview/HexBufferTest.cpp
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hexview/HexSource.h"

namespace vantrel {

class THexBuffer {
 public:
  static constexpr int64_t kHexPage = 45000;  // 1 byte a character x 300 x 150

  explicit THexBuffer(int64_t page = kHexPage) : page_(page) {}

  // Takes the source and its size; false (and no source) when the size
  // cannot be taken. Reads the buffer at offset 0.
  bool Attach(std::unique_ptr<THexSource> source);
  void Detach();
  bool HasSource() const { return source_ != nullptr; }

  int64_t FileSize() const { return fileSize_; }
  int64_t BufferPos() const { return bufferPos_; }
  int64_t Page() const { return page_; }
  int64_t Capacity() const { return 3 * page_; }
  bool LastReadFailed() const { return lastReadFailed_; }
  // Buffer reads so far (tests and benchmarks check paging with it).
  int Reads() const { return reads_; }

  // Makes p readable: nothing happens while p lies in the first two pages of
  // the buffer; otherwise the buffer is read from one page before p. A read
  // that ends before the known size means the file shrank: the size follows.
  void ReadFor(int64_t p);
  // Whether [offset, offset + count) is in the buffer.
  bool Holds(int64_t offset, int64_t count) const;
  // The bytes at offset; Holds(offset, count) must be true.
  const uint8_t* At(int64_t offset, int64_t count) const;

  // Reads straight from the source, bypassing the buffer (large copies);
  // the bytes read or -1.
  int64_t ReadDirect(int64_t offset, uint8_t* into, size_t count) const;

  // Asked after a failed read with the message; true retries.
  std::function<bool(const std::string& message)> OnReadError;

 private:
  void Read();

  int64_t page_;
  std::unique_ptr<THexSource> source_;
  std::vector<uint8_t> data_;
  int64_t fileSize_ = 0;
  int64_t bufferPos_ = 0;
  bool lastReadFailed_ = false;
  bool loaded_ = false;
  int reads_ = 0;
};

}  // namespace vantrel
