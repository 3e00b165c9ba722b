// The line buffer of one editor: line records with range state and a cached
// tab-expanded length, change notifications, and whole-file load and save.
// Tested by tests/text/CodeEditTextBufferTest.cpp
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Exception.h"

namespace vantrel {

class TByteSink;

class ECodeEditStringList : public Exception {
 public:
  using Exception::Exception;
};

// Highlighter state at the end of a line; kNoLineRange marks "not scanned".
using TLineRange = intptr_t;
constexpr TLineRange kNoLineRange = -1;

enum TLineBreakStyle : uint8_t { lbsCRLF = 0, lbsLF = 1, lbsCR = 2 };

class TCodeEditStringList {
 public:
  using TListEvent = std::function<void(TCodeEditStringList&)>;
  using TRangeEvent = std::function<void(TCodeEditStringList&, int index, int count)>;

  TCodeEditStringList();
  ~TCodeEditStringList();
  TCodeEditStringList(const TCodeEditStringList&) = delete;  // owns line memory and listeners
  TCodeEditStringList& operator=(const TCodeEditStringList&) = delete;

  int Count() const { return count_; }
  int Capacity() const { return capacity_; }
  void SetCapacity(int capacity);

  // Line text; an index out of range gives the empty string. The view stays
  // valid until the line is changed or removed.
  std::string_view Get(int index) const;
  std::string GetString(int index) const { return std::string(Get(index)); }
  intptr_t GetData(int index) const;
  void SetData(int index, intptr_t value);

  int Add(std::string_view text);
  void Insert(int index, std::string_view text);
  // Replaces line index; index == Count appends.
  void Put(int index, std::string_view text);
  void Delete(int index);
  void Clear();
  void Exchange(int a, int b);
  void AddStrings(const TCodeEditStringList& source);
  void InsertEmptyLines(int index, int count);
  // Inserts the texts as lines at index, their bytes copied into one block
  // for all of them (a bulk insertion costs one allocation, not one a line),
  // with one insertion notice.
  void InsertLines(int index, const std::vector<std::string_view>& texts);
  void RemoveLineSpan(int index, int count);

  TLineRange GetLineRange(int index) const;
  void SetLineRange(int index, TLineRange range);
  // Range bookkeeping that is no text change: no listener hears of it.
  void StoreLineRange(int index, TLineRange range);

  std::string ExpandedLine(int index);
  int ExpandedLength(int index);
  int LongestLineLength();
  int LongestLineIndex() const { return longestLineIndex_; }
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int tabWidth);

  // All lines joined with CR LF, no break after the last line.
  std::string GetText() const;
  // Splits at CR, LF, CR LF; the text ends at its first NUL.
  void SetText(std::string_view text);

  // Throws ECodeEditStringList with the operating system's reason; a failed
  // load leaves the lines as they were.
  void LoadFromFile(const std::string& fileName);
  // Splits bytes read from a file (every byte but CR and LF is text). Text
  // with a line of 2 GiB or more is refused with an EFileError naming
  // sourceName, and the lines stay as they were.
  void LoadFromBytes(std::string data, const std::string& sourceName = {});
  // A failed save leaves the original file as it was (see SaveFileSafely).
  void SaveToFile(const std::string& fileName) const;
  // The exact bytes SaveToFile writes.
  std::string SaveToBytes() const;

  TLineBreakStyle LineBreakStyle = lbsCRLF;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  TListEvent OnChanging;
  TListEvent OnChange;
  TListEvent OnLinesCleared;
  TRangeEvent OnLinesInserted;
  TRangeEvent OnLinesDeleted;
  TRangeEvent OnLineReplaced;

  // Bytes held for the line records beyond the text itself (for measuring).
  size_t RecordBytes() const;

 private:
  struct LineRecord;
  class UpdateScope;
  struct TextBlock;

  void Grow();
  void ReserveFor(int count);
  uint32_t AddBlock(std::string bytes, int lines);
  void CheckIndex(int index, int limit) const;
  void ClearLines(bool keepCapacity);
  void InsertRecord(int index, std::string_view text);
  void ReleaseText(LineRecord& record);
  void SetRecordText(LineRecord& record, std::string_view text);
  void InvalidateAllLengths();
  void NotifyInserted(int index, int count);
  void WriteLines(TByteSink& sink) const;
  size_t SavedSize() const;

  LineRecord* records_ = nullptr;
  int count_ = 0;
  int capacity_ = 0;
  int longestLineIndex_ = -1;
  int tabWidth_ = 8;
  int updateCount_ = 0;
  // Lines loaded from a file, or inserted in bulk, point into a block shared
  // by all of them; an edited line gets memory of its own. A block goes when
  // no line points into it; its slot is then reused.
  std::vector<std::unique_ptr<TextBlock>> blocks_;
  std::vector<uint32_t> freeBlocks_;
};

}  // namespace vantrel
