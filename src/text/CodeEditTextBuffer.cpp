#include "text/CodeEditTextBuffer.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "text/CodeEditFileWriter.h"
#include "text/LineLimits.h"
#include "text/SafeFileSave.h"

namespace vantrel {

namespace {

constexpr uint8_t kLineHasTabs = 1;
constexpr uint8_t kLineHasNoTabs = 2;
constexpr uint8_t kLengthUnknown = 4;
constexpr uint8_t kOwnsText = 8;  // text is a heap copy of our own, not in a shared block

// Expanded length of a line and whether it holds a tab, without building it.
int MeasureExpanded(const char* text, int length, int tabWidth, bool& hasTabs) {
  const void* firstTab = length > 0 ? std::memchr(text, '\t', static_cast<size_t>(length)) : nullptr;
  hasTabs = firstTab != nullptr;
  if (!hasTabs) return length;
  if (tabWidth <= 1) return length;
  int column = static_cast<int>(static_cast<const char*>(firstTab) - text);
  for (int i = column; i < length; ++i) {
    column += text[i] == '\t' ? tabWidth - column % tabWidth : 1;
  }
  return column;
}

std::string Expand(std::string_view text, int tabWidth) {
  std::string out;
  if (tabWidth <= 1) {
    out.assign(text);
    for (char& c : out) {
      if (c == '\t') c = ' ';
    }
    return out;
  }
  out.reserve(text.size() + static_cast<size_t>(tabWidth) * 2);
  int column = 0;
  for (char c : text) {
    if (c == '\t') {
      int fill = tabWidth - column % tabWidth;
      out.append(static_cast<size_t>(fill), '\t');
      column += fill;
    } else {
      out.push_back(c);
      ++column;
    }
  }
  return out;
}

}  // namespace

struct TCodeEditStringList::LineRecord {
  const char* text;
  intptr_t data;
  TLineRange range;
  int32_t length;
  int32_t expandedLength;
  uint8_t flags;
  uint32_t block;  // the shared block holding text, unless kOwnsText; fits the padding
};

struct TCodeEditStringList::TextBlock {
  std::string bytes;
  int lines = 0;  // lines pointing into bytes
};

class TCodeEditStringList::UpdateScope {
 public:
  explicit UpdateScope(TCodeEditStringList& list) : list_(list) { list_.BeginUpdate(); }
  ~UpdateScope() { list_.EndUpdate(); }
  UpdateScope(const UpdateScope&) = delete;  // brackets exactly one change
  UpdateScope& operator=(const UpdateScope&) = delete;

 private:
  TCodeEditStringList& list_;
};

TCodeEditStringList::TCodeEditStringList() = default;

TCodeEditStringList::~TCodeEditStringList() {
  // Whoever listens may already be half destroyed.
  OnChanging = nullptr;
  OnChange = nullptr;
  OnLinesCleared = nullptr;
  OnLinesInserted = nullptr;
  OnLinesDeleted = nullptr;
  OnLineReplaced = nullptr;
  for (int i = 0; i < count_; ++i) ReleaseText(records_[i]);
  std::free(records_);
}

void TCodeEditStringList::BeginUpdate() {
  if (updateCount_++ == 0 && OnChanging) OnChanging(*this);
}

void TCodeEditStringList::EndUpdate() {
  if (--updateCount_ == 0 && OnChange) OnChange(*this);
}

void TCodeEditStringList::CheckIndex(int index, int limit) const {
  if (index < 0 || index > limit) {
    throw ECodeEditStringList("Invalid stringlist index " + std::to_string(index));
  }
}

void TCodeEditStringList::SetCapacity(int capacity) {
  if (capacity < count_) throw ECodeEditStringList("Stringlist capacity cannot be smaller than count");
  if (capacity == capacity_) return;
  if (capacity == 0) {
    std::free(records_);
    records_ = nullptr;
  } else {
    // Records are plain data, so realloc may move them without copying.
    void* grown = std::realloc(records_, sizeof(LineRecord) * static_cast<size_t>(capacity));
    if (!grown) throw std::bad_alloc();
    records_ = static_cast<LineRecord*>(grown);
  }
  capacity_ = capacity;
}

void TCodeEditStringList::Grow() { SetCapacity(capacity_ + (capacity_ <= 64 ? 16 : capacity_ / 4)); }

void TCodeEditStringList::ReserveFor(int count) {
  if (count > INT_MAX - count_) throw ECodeEditStringList("Too many lines");
  const int needed = count_ + count;
  if (needed <= capacity_) return;
  // Geometric, so that repeated bulk insertions (command output) do not
  // move the whole array each time.
  const int64_t grown = int64_t{capacity_} + capacity_ / 2;
  SetCapacity(static_cast<int>(std::min<int64_t>(INT_MAX, std::max<int64_t>(needed, grown))));
}

uint32_t TCodeEditStringList::AddBlock(std::string bytes, int lines) {
  auto block = std::make_unique<TextBlock>();
  block->bytes = std::move(bytes);
  block->lines = lines;
  if (!freeBlocks_.empty()) {
    const uint32_t slot = freeBlocks_.back();
    blocks_[slot] = std::move(block);
    freeBlocks_.pop_back();
    return slot;
  }
  blocks_.push_back(std::move(block));
  return static_cast<uint32_t>(blocks_.size() - 1);
}

std::string_view TCodeEditStringList::Get(int index) const {
  if (index < 0 || index >= count_) return {};
  const LineRecord& r = records_[index];
  return {r.text ? r.text : "", static_cast<size_t>(r.length)};
}

intptr_t TCodeEditStringList::GetData(int index) const {
  return index < 0 || index >= count_ ? 0 : records_[index].data;
}

void TCodeEditStringList::SetData(int index, intptr_t value) {
  CheckIndex(index, count_ - 1);
  records_[index].data = value;
}

void TCodeEditStringList::ReleaseText(LineRecord& record) {
  if (record.flags & kOwnsText) {
    delete[] record.text;
  } else if (record.text && --blocks_[record.block]->lines == 0) {
    blocks_[record.block].reset();
    freeBlocks_.push_back(record.block);
  }
  record.text = nullptr;
  record.length = 0;
}

void TCodeEditStringList::SetRecordText(LineRecord& record, std::string_view text) {
  if (text.size() > kMaxLineLength) throw ECodeEditStringList("A line cannot hold 2 GiB or more");
  char* copy = nullptr;
  if (!text.empty()) {
    copy = new char[text.size()];
    std::memcpy(copy, text.data(), text.size());
  }
  ReleaseText(record);
  record.text = copy;
  record.length = static_cast<int32_t>(text.size());
  record.flags = static_cast<uint8_t>((record.flags & ~kOwnsText) | (copy ? kOwnsText : 0));
}

void TCodeEditStringList::InsertRecord(int index, std::string_view text) {
  if (count_ == capacity_) Grow();
  std::memmove(records_ + index + 1, records_ + index, sizeof(LineRecord) * static_cast<size_t>(count_ - index));
  LineRecord& r = records_[index];
  r = LineRecord{nullptr, 0, kNoLineRange, 0, -1, kLengthUnknown, 0};
  try {
    SetRecordText(r, text);
  } catch (...) {
    std::memmove(records_ + index, records_ + index + 1, sizeof(LineRecord) * static_cast<size_t>(count_ - index));
    throw;
  }
  ++count_;
  // Keep the cached longest line instead of forcing a full rescan.
  if (longestLineIndex_ >= 0) {
    if (longestLineIndex_ >= index) ++longestLineIndex_;
    if (ExpandedLength(index) > ExpandedLength(longestLineIndex_)) longestLineIndex_ = index;
  }
}

void TCodeEditStringList::NotifyInserted(int index, int count) {
  if (OnLinesInserted) OnLinesInserted(*this, index, count);
}

int TCodeEditStringList::Add(std::string_view text) {
  int index = count_;
  Insert(index, text);
  return index;
}

void TCodeEditStringList::Insert(int index, std::string_view text) {
  CheckIndex(index, count_);
  UpdateScope scope(*this);
  InsertRecord(index, text);
  NotifyInserted(index, 1);
}

void TCodeEditStringList::Put(int index, std::string_view text) {
  if (index == count_) {
    Add(text);
    return;
  }
  CheckIndex(index, count_ - 1);
  UpdateScope scope(*this);
  const int oldLongest = longestLineIndex_ >= 0 ? records_[longestLineIndex_].expandedLength : -1;
  LineRecord& r = records_[index];
  SetRecordText(r, text);
  r.flags = static_cast<uint8_t>((r.flags & kOwnsText) | kLengthUnknown);
  r.expandedLength = -1;
  // Only a change that shortens the longest line forces a full rescan.
  if (longestLineIndex_ >= 0) {
    const int length = ExpandedLength(index);
    if (longestLineIndex_ == index) {
      if (length < oldLongest) longestLineIndex_ = -1;
    } else if (length > oldLongest) {
      longestLineIndex_ = index;
    }
  }
  if (OnLineReplaced) OnLineReplaced(*this, index, 1);
}

void TCodeEditStringList::Delete(int index) {
  CheckIndex(index, count_ - 1);
  RemoveLineSpan(index, 1);
}

void TCodeEditStringList::RemoveLineSpan(int index, int count) {
  if (count <= 0) return;
  CheckIndex(index, count_);
  count = std::min(count, count_ - index);
  UpdateScope scope(*this);
  for (int i = index; i < index + count; ++i) ReleaseText(records_[i]);
  std::memmove(records_ + index, records_ + index + count,
               sizeof(LineRecord) * static_cast<size_t>(count_ - index - count));
  count_ -= count;
  if (longestLineIndex_ >= index + count) {
    longestLineIndex_ -= count;
  } else if (longestLineIndex_ >= index) {
    longestLineIndex_ = -1;
  }
  if (count > 0 && OnLinesDeleted) OnLinesDeleted(*this, index, count);
}

void TCodeEditStringList::Clear() { ClearLines(false); }

void TCodeEditStringList::ClearLines(bool keepCapacity) {
  if (count_ > 0) {
    UpdateScope scope(*this);
    for (int i = 0; i < count_; ++i) ReleaseText(records_[i]);
    count_ = 0;
    if (!keepCapacity) SetCapacity(0);
    longestLineIndex_ = -1;
    if (OnLinesCleared) OnLinesCleared(*this);
  }
  longestLineIndex_ = -1;
}

void TCodeEditStringList::Exchange(int a, int b) {
  CheckIndex(a, count_ - 1);
  CheckIndex(b, count_ - 1);
  UpdateScope scope(*this);
  std::swap(records_[a], records_[b]);
  if (longestLineIndex_ == a) {
    longestLineIndex_ = b;
  } else if (longestLineIndex_ == b) {
    longestLineIndex_ = a;
  }
}

void TCodeEditStringList::AddStrings(const TCodeEditStringList& source) {
  const int n = source.count_;
  if (n == 0) return;
  UpdateScope scope(*this);
  longestLineIndex_ = -1;
  if (capacity_ < count_ + n) SetCapacity((count_ + n + 15) / 16 * 16);
  const int first = count_;
  for (int i = 0; i < n; ++i) {
    LineRecord& r = records_[count_];
    r = LineRecord{nullptr, source.records_[i].data, kNoLineRange, 0, -1, kLengthUnknown, 0};
    SetRecordText(r, source.Get(i));
    ++count_;
  }
  NotifyInserted(first, n);
}

void TCodeEditStringList::InsertEmptyLines(int index, int count) {
  CheckIndex(index, count_);
  if (count <= 0) return;
  UpdateScope scope(*this);
  SetCapacity(count_ + count);
  std::memmove(records_ + index + count, records_ + index, sizeof(LineRecord) * static_cast<size_t>(count_ - index));
  for (int i = index; i < index + count; ++i) records_[i] = LineRecord{nullptr, 0, kNoLineRange, 0, -1, kLengthUnknown, 0};
  count_ += count;
  // Empty lines never become the longest; the cached one only moves down.
  if (longestLineIndex_ >= index) longestLineIndex_ += count;
  NotifyInserted(index, count);
}

void TCodeEditStringList::InsertLines(int index, const std::vector<std::string_view>& texts) {
  CheckIndex(index, count_);
  if (texts.empty()) return;
  if (texts.size() > static_cast<size_t>(INT_MAX)) throw ECodeEditStringList("Too many lines");
  const int n = static_cast<int>(texts.size());
  size_t total = 0;
  int nonEmpty = 0;
  for (std::string_view text : texts) {
    if (text.size() > kMaxLineLength) throw ECodeEditStringList("A line cannot hold 2 GiB or more");
    total += text.size();
    if (!text.empty()) ++nonEmpty;
  }
  UpdateScope scope(*this);
  ReserveFor(n);
  std::string bytes;
  bytes.reserve(total);
  for (std::string_view text : texts) bytes.append(text);
  // Nothing can throw past this point: the lines and the block go in together.
  const uint32_t block = nonEmpty > 0 ? AddBlock(std::move(bytes), nonEmpty) : 0;
  const char* base = nonEmpty > 0 ? blocks_[block]->bytes.data() : nullptr;
  std::memmove(records_ + index + n, records_ + index, sizeof(LineRecord) * static_cast<size_t>(count_ - index));
  size_t offset = 0;
  for (int i = 0; i < n; ++i) {
    const std::string_view text = texts[static_cast<size_t>(i)];
    records_[index + i] = LineRecord{text.empty() ? nullptr : base + offset, 0, kNoLineRange,
                                     static_cast<int32_t>(text.size()), -1, kLengthUnknown, block};
    offset += text.size();
  }
  count_ += n;
  // The cached longest line is kept: only the new lines are measured.
  if (longestLineIndex_ >= 0) {
    if (longestLineIndex_ >= index) longestLineIndex_ += n;
    int best = ExpandedLength(longestLineIndex_);
    for (int i = index; i < index + n; ++i) {
      const int length = ExpandedLength(i);
      if (length > best) {
        best = length;
        longestLineIndex_ = i;
      }
    }
  }
  NotifyInserted(index, n);
}

TLineRange TCodeEditStringList::GetLineRange(int index) const {
  return index < 0 || index >= count_ ? 0 : records_[index].range;
}

void TCodeEditStringList::SetLineRange(int index, TLineRange range) {
  CheckIndex(index, count_ - 1);
  UpdateScope scope(*this);
  records_[index].range = range;
}

void TCodeEditStringList::StoreLineRange(int index, TLineRange range) {
  CheckIndex(index, count_ - 1);
  records_[index].range = range;
}

std::string TCodeEditStringList::ExpandedLine(int index) {
  if (index < 0 || index >= count_) return {};
  LineRecord& r = records_[index];
  std::string_view text = Get(index);
  if (r.flags & kLineHasNoTabs) return std::string(text);
  const uint8_t owns = r.flags & kOwnsText;
  if (text.empty()) {
    r.expandedLength = 0;
    r.flags = owns | kLineHasNoTabs;
    return {};
  }
  std::string expanded = Expand(text, tabWidth_);
  const bool hasTabs = std::memchr(text.data(), '\t', text.size()) != nullptr;
  r.expandedLength = static_cast<int32_t>(expanded.size());
  r.flags = static_cast<uint8_t>(owns | (hasTabs ? kLineHasTabs : kLineHasNoTabs));
  return expanded;
}

int TCodeEditStringList::ExpandedLength(int index) {
  if (index < 0 || index >= count_) return 0;
  LineRecord& r = records_[index];
  if (r.flags & kLengthUnknown) {
    bool hasTabs = false;
    r.expandedLength = MeasureExpanded(r.text, r.length, tabWidth_, hasTabs);
    r.flags = static_cast<uint8_t>((r.flags & kOwnsText) | (hasTabs ? kLineHasTabs : kLineHasNoTabs));
  }
  return r.expandedLength;
}

int TCodeEditStringList::LongestLineLength() {
  if (longestLineIndex_ < 0) {
    int best = 0;
    for (int i = 0; i < count_; ++i) {
      int length = ExpandedLength(i);
      if (length > best) {
        best = length;
        longestLineIndex_ = i;
      }
    }
  }
  return longestLineIndex_ < 0 ? 0 : records_[longestLineIndex_].expandedLength;
}

void TCodeEditStringList::SetTabWidth(int tabWidth) {
  if (tabWidth == tabWidth_) return;
  tabWidth_ = tabWidth;
  longestLineIndex_ = -1;
  for (int i = 0; i < count_; ++i) {
    LineRecord& r = records_[i];
    r.expandedLength = -1;
    r.flags = static_cast<uint8_t>((r.flags & ~kLineHasNoTabs) | kLengthUnknown);
  }
}

std::string TCodeEditStringList::GetText() const {
  size_t size = 0;
  for (int i = 0; i < count_; ++i) size += static_cast<size_t>(records_[i].length) + 2;
  std::string text;
  text.reserve(size);
  for (int i = 0; i < count_; ++i) {
    if (i > 0) text += "\r\n";
    text += Get(i);
  }
  return text;
}

void TCodeEditStringList::SetText(std::string_view text) {
  UpdateScope scope(*this);
  Clear();
  size_t end = text.find('\0');
  if (end != std::string_view::npos) text = text.substr(0, end);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t brk = text.find_first_of("\r\n", pos);
    if (brk == std::string_view::npos) brk = text.size();
    Add(text.substr(pos, brk - pos));
    pos = brk;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
}

void TCodeEditStringList::LoadFromFile(const std::string& fileName) {
  // Read everything first: a failed read leaves the lines as they were.
  std::string data = ReadWholeFile(fileName);
  LoadFromBytes(std::move(data), fileName);
}

void TCodeEditStringList::LoadFromBytes(std::string data, const std::string& sourceName) {
  // Refused before anything changes: the lines stay as they were.
  CheckLoadable(data, sourceName);
  UpdateScope scope(*this);
  // A reload (a monitored file) reuses the record array: freeing it and
  // faulting it in again made reloading slower than opening.
  ClearLines(true);
  bool sawCR = false;
  bool sawLF = false;
  if (!data.empty()) {
    const uint32_t block = AddBlock(std::move(data), 0);
    TextBlock& shared = *blocks_[block];
    const char* base = shared.bytes.data();
    const size_t size = shared.bytes.size();
    // Track the next CR and the next LF separately so both are found with
    // memchr instead of a byte loop.
    const char* nextCR = static_cast<const char*>(std::memchr(base, '\r', size));
    const char* nextLF = static_cast<const char*>(std::memchr(base, '\n', size));
    const char* end = base + size;
    const char* p = base;
    try {
      while (p < end) {
        if (nextCR && nextCR < p) nextCR = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)));
        if (nextLF && nextLF < p) nextLF = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        const char* brk = end;
        if (nextCR) brk = nextCR;
        if (nextLF && nextLF < brk) brk = nextLF;
        if (count_ == capacity_) Grow();
        LineRecord& r = records_[count_];
        r = LineRecord{brk > p ? p : nullptr, 0, kNoLineRange, static_cast<int32_t>(brk - p), -1, kLengthUnknown, block};
        if (r.text) ++shared.lines;
        ++count_;
        p = brk;
        if (p < end && *p == '\r') {
          sawCR = true;
          ++p;
        }
        if (p < end && *p == '\n') {
          sawLF = true;
          ++p;
        }
      }
    } catch (...) {
      NotifyInserted(0, count_);  // the listeners must know the lines read before the failure
      throw;
    }
    // Once for all the lines: a listener per line costs more than the split.
    NotifyInserted(0, count_);
    const char last = shared.bytes.back();
    if (last == '\r' || last == '\n') Add("");
    if (shared.lines == 0) {
      blocks_[block].reset();
      freeBlocks_.push_back(block);
    }
  }
  // Drop the growth slack (and what a reload kept): a loaded file is mostly
  // read, not extended.
  SetCapacity(count_);
  LineBreakStyle = sawCR && !sawLF ? lbsCR : sawLF && !sawCR ? lbsLF : lbsCRLF;
}

void TCodeEditStringList::WriteLines(TByteSink& sink) const {
  TCodeEditFileWriter writer(sink, LineBreakStyle, TCodeEditFiler::kSaveBufferSize);
  for (int i = 0; i < count_; ++i) {
    if (i + 1 < count_) {
      writer.PutTextLine(Get(i));
    } else {
      writer.PutText(Get(i));
    }
  }
  writer.FlushBuffer();
}

size_t TCodeEditStringList::SavedSize() const {
  if (count_ == 0) return 0;
  size_t size = static_cast<size_t>(count_ - 1) * (LineBreakStyle == lbsLF || LineBreakStyle == lbsCR ? 1 : 2);
  for (int i = 0; i < count_; ++i) size += static_cast<size_t>(records_[i].length);
  return size;
}

std::string TCodeEditStringList::SaveToBytes() const {
  struct StringSink : TByteSink {
    std::string bytes;
    void Write(const char* data, size_t size) override { bytes.append(data, size); }
  } sink;
  sink.bytes.reserve(SavedSize());
  WriteLines(sink);
  return std::move(sink.bytes);
}

void TCodeEditStringList::SaveToFile(const std::string& fileName) const {
  SaveFileSafely(fileName, SavedSize(), [this](TByteSink& sink) { WriteLines(sink); });
}

size_t TCodeEditStringList::RecordBytes() const {
  size_t bytes = sizeof(LineRecord) * static_cast<size_t>(capacity_);
  for (int i = 0; i < count_; ++i) {
    // A line of its own costs its allocation's bookkeeping too.
    if (records_[i].flags & kOwnsText) bytes += 16;
  }
  return bytes;
}

}  // namespace vantrel
