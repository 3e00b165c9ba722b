// Reads a fuzz input as a stream of small decisions; past the end every
// read gives 0, so any input decodes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrel {

class FuzzReader {
 public:
  FuzzReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool AtEnd() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  int Small(int lo, int hi) { return lo + Byte() % (hi - lo + 1); }
  // Up to 15 bytes of text.
  std::string Text() {
    size_t length = Byte() % 16;
    std::string text;
    while (length-- > 0 && !AtEnd()) text += static_cast<char>(Byte());
    return text;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

}  // namespace vantrel
