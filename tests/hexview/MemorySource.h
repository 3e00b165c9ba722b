// An in-memory source for the hex viewer tests: counts reads, can shrink or
// fail on demand.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "hexview/HexSource.h"

namespace vantrel {

class TMemorySource : public THexSource {
 public:
  explicit TMemorySource(std::string bytes, int* reads = nullptr) : bytes_(std::move(bytes)), reads_(reads) {}

  // Shared with the test after the viewer takes ownership.
  std::string* Bytes() { return &bytes_; }
  bool FailReads = false;

  int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
  int64_t ReadAt(int64_t offset, uint8_t* into, size_t count) override {
    if (reads_) ++*reads_;
    if (FailReads) return -1;
    if (offset >= Size()) return 0;
    const size_t n = std::min(count, bytes_.size() - static_cast<size_t>(offset));
    std::memcpy(into, bytes_.data() + offset, n);
    return static_cast<int64_t>(n);
  }
  std::string ReadErrorText() const override { return "Cannot read stream"; }

 private:
  std::string bytes_;
  int* reads_;
};

}  // namespace vantrel
