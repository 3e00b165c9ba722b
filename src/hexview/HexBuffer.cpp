#include "hexview/HexBuffer.h"

#include <algorithm>

#include "platform/Assert.h"

namespace vantrel {

bool THexBuffer::Attach(std::unique_ptr<THexSource> source) {
  Detach();
  const int64_t size = source->Size();
  if (size < 0) return false;
  source_ = std::move(source);
  fileSize_ = size;
  data_.assign(static_cast<size_t>(Capacity()), 0);
  bufferPos_ = 0;
  Read();
  return true;
}

void THexBuffer::Detach() {
  source_.reset();
  data_.clear();
  data_.shrink_to_fit();
  fileSize_ = 0;
  bufferPos_ = 0;
  lastReadFailed_ = false;
  loaded_ = false;
}

void THexBuffer::ReadFor(int64_t p) {
  VANTREL_ASSERT(!data_.empty(), "Buffer not allocated: ReadSource");
  if (loaded_ && p >= bufferPos_ && p < bufferPos_ + 2 * page_) return;
  bufferPos_ = std::max<int64_t>(0, p - page_);
  Read();
}

void THexBuffer::Read() {
  VANTREL_ASSERT(source_ != nullptr, "Source not assigned: ReadSource");
  ++reads_;
  for (;;) {
    std::fill(data_.begin(), data_.end(), 0);
    const int64_t wanted = std::clamp<int64_t>(fileSize_ - bufferPos_, 0, Capacity());
    const int64_t got = wanted > 0 ? source_->ReadAt(bufferPos_, data_.data(), static_cast<size_t>(wanted)) : 0;
    if (got >= 0) {
      lastReadFailed_ = false;
      loaded_ = true;
      if (got < wanted) {
        // The file shrank: believe its new size, or at least the bytes read.
        const int64_t now = source_->Size();
        fileSize_ = std::min(fileSize_, now >= 0 ? now : bufferPos_ + got);
      }
      return;
    }
    lastReadFailed_ = true;
    loaded_ = true;
    if (!OnReadError || !OnReadError(source_->ReadErrorText())) return;
  }
}

int64_t THexBuffer::ReadDirect(int64_t offset, uint8_t* into, size_t count) const {
  if (!source_) return -1;
  return source_->ReadAt(offset, into, count);
}

bool THexBuffer::Holds(int64_t offset, int64_t count) const {
  return !data_.empty() && offset >= bufferPos_ && count >= 0 && offset + count <= bufferPos_ + Capacity();
}

const uint8_t* THexBuffer::At(int64_t offset, int64_t count) const {
  VANTREL_ASSERT(Holds(offset, count), "Buffer position out of range: GetHex");
  return data_.data() + (offset - bufferPos_);
}

}  // namespace vantrel
