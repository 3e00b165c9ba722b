#include "text/CodeEditFileWriter.h"

#include <cstring>

namespace vantrel {

TCodeEditFiler::TCodeEditFiler(TByteSink& sink, TLineBreakStyle style, size_t bufferSize)
    : sink_(sink), style_(style), buffer_(new char[bufferSize]), bufferSize_(bufferSize) {}

void TCodeEditFileWriter::PutText(std::string_view text) { Put(text, {}); }

void TCodeEditFileWriter::PutTextLine(std::string_view text) {
  static constexpr std::string_view kBreaks[] = {"\r\n", "\n", "\r"};
  Put(text, kBreaks[style_ <= lbsCR ? style_ : 0]);
}

void TCodeEditFileWriter::Put(std::string_view text, std::string_view lineBreak) {
  size_t n = text.size() + lineBreak.size();
  if (fill_ + n > bufferSize_) {
    FlushBuffer();
    if (bufferSize_ < n) {
      buffer_.reset(new char[n]);
      bufferSize_ = n;
    }
  }
  // Empty views may carry a null pointer, which memcpy must not see.
  if (!text.empty()) std::memcpy(buffer_.get() + fill_, text.data(), text.size());
  if (!lineBreak.empty()) std::memcpy(buffer_.get() + fill_ + text.size(), lineBreak.data(), lineBreak.size());
  fill_ += n;
}

void TCodeEditFileWriter::FlushBuffer() {
  if (fill_ == 0) return;
  sink_.Write(buffer_.get(), fill_);
  fill_ = 0;
}

}  // namespace vantrel
