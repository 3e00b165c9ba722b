// Word positions of the editor (next and previous word start, word begin and
// finish) and indentation text.
// Tested by tests/editor/CodeEditModelTest.cpp
#include <algorithm>
#include <vector>

#include "editor/CodeEdit.h"
#include "highlight/CodeEditHighlighter.h"
#include "platform/CodePage.h"

namespace vantrel {

namespace {

TCodeEditCharSet DefaultWordChars() {
  TCodeEditCharSet set;
  for (int c = '0'; c <= '9'; ++c) set.set(c);
  for (int c = 'A'; c <= 'Z'; ++c) set.set(c);
  for (int c = 'a'; c <= 'z'; ++c) set.set(c);
  set.set('_');
  for (int c = 192; c <= 214; ++c) set.set(c);
  for (int c = 216; c <= 246; ++c) set.set(c);
  for (int c = 248; c <= 255; ++c) set.set(c);
  // The default word-break characters are all outside this set.
  return set;
}

// The characters of a line as seen for word movement: where each one starts
// and whether it is a double-byte character (which always counts on its own).
class LineChars {
 public:
  LineChars(std::string_view line, const TCodeEditCharSet& word) : line_(line), word_(word) {
    const CodePage& cp = CodePage::Active();
    dbcs_ = cp.IsDoubleByte();
    if (dbcs_) {
      for (int i = 0; i < static_cast<int>(line.size());) {
        starts_.push_back(i);
        i += cp.IsLeadByte(static_cast<uint8_t>(line[i])) && i + 1 < static_cast<int>(line.size()) ? 2 : 1;
      }
    }
  }

  int Length() const { return static_cast<int>(line_.size()); }
  bool IsDouble(int i) const {
    return dbcs_ && i + 1 < Length() && CodePage::Active().IsLeadByte(Byte(i)) && IsStart(i);
  }
  bool IsWord(int i) const { return !IsDouble(i) && word_.test(Byte(i)); }
  bool IsNonWord(int i) const { return !IsDouble(i) && Byte(i) != 0 && !word_.test(Byte(i)); }
  // 0-based start of the character after / before the one at i.
  int Next(int i) const { return IsDouble(i) ? i + 2 : i + 1; }
  int Previous(int i) const {
    if (!dbcs_) return i - 1;
    auto it = std::lower_bound(starts_.begin(), starts_.end(), i);
    return it == starts_.begin() ? -1 : *(it - 1);
  }
  // Forward scan from i for a character matching pred or a double-byte one.
  template <typename Pred>
  int ScanForward(int i, Pred pred) const {
    while (i < Length()) {
      if (IsDouble(i) || pred(i)) return i;
      i = Next(i);
    }
    return -1;
  }

 private:
  bool IsStart(int i) const { return std::binary_search(starts_.begin(), starts_.end(), i); }
  uint8_t Byte(int i) const { return static_cast<uint8_t>(line_[i]); }

  std::string_view line_;
  const TCodeEditCharSet& word_;
  bool dbcs_ = false;
  std::vector<int> starts_;
};

}  // namespace

TCodeEditCharSet TCustomCodeEdit::WordChars() const {
  if (highlighter_) return highlighter_->IdentifierChars() & ~highlighter_->WordBreakChars();
  static const TCodeEditCharSet defaults = DefaultWordChars();
  return defaults;
}

TBufferCoord TCustomCodeEdit::NextWordStart(TBufferCoord position) const {
  if (position.Y < 1 || position.Y > LineCount()) return position;
  const TCodeEditCharSet word = WordChars();
  std::string_view line = LineText(position.Y);
  const LineChars chars(line, word);
  const int length = chars.Length();
  // From the last character the next word start is the line end; only from
  // there on does the search go to the next line.
  if (position.X > length) {
    if (position.Y < LineCount()) {
      const LineChars next(LineText(position.Y + 1), word);
      int found = next.ScanForward(0, [&](int i) { return next.IsWord(i); });
      return {found < 0 ? 1 : found + 1, position.Y + 1};
    }
    return position;
  }
  int i = std::max(position.X - 1, 0);
  if (chars.IsWord(i)) {
    i = chars.ScanForward(i, [&](int k) { return chars.IsNonWord(k); });
    // A double-byte character found by the scan is where the next word starts.
    if (i >= 0 && chars.IsDouble(i)) return {i + 1, position.Y};
  } else if (chars.IsDouble(i)) {
    // Step over the double-byte character under the caret, or the caret
    // would never leave it.
    i = chars.Next(i);
  }
  if (i >= 0) i = chars.ScanForward(i, [&](int k) { return chars.IsWord(k); });
  return {i < 0 ? length + 1 : i + 1, position.Y};
}

TBufferCoord TCustomCodeEdit::PreviousWordStart(TBufferCoord position) const {
  if (position.Y < 1 || position.Y > LineCount()) return position;
  const TCodeEditCharSet word = WordChars();
  std::string_view line = LineText(position.Y);
  const LineChars chars(line, word);
  int x = std::min(position.X, chars.Length() + 1);
  auto endOfPreviousLine = [&]() -> TBufferCoord {
    if (position.Y > 1) return {static_cast<int>(LineText(position.Y - 1).size()) + 1, position.Y - 1};
    return {1, position.Y};
  };
  if (x <= 1) return position.Y > 1 ? endOfPreviousLine() : TBufferCoord{std::max(x, 1), position.Y};
  int k = chars.Previous(x - 1);
  // Back over blanks and symbols to the last word (or double-byte) character.
  while (k >= 0 && !chars.IsWord(k) && !chars.IsDouble(k)) k = chars.Previous(k);
  if (k < 0) return endOfPreviousLine();
  if (!chars.IsDouble(k)) {
    // Back to the first character of that word; a double-byte character ends it.
    for (int p = chars.Previous(k); p >= 0 && chars.IsWord(p); p = chars.Previous(p)) k = p;
  }
  return {k + 1, position.Y};
}

TBufferCoord TCustomCodeEdit::WordBegin(TBufferCoord position) const {
  if (position.Y < 1 || position.Y > LineCount()) return position;
  const TCodeEditCharSet word = WordChars();
  const LineChars chars(LineText(position.Y), word);
  int x = std::min(position.X, chars.Length() + 1);
  if (x > 1) {
    int k = chars.Previous(x - 1);
    if (k >= 0 && chars.IsWord(k)) {
      for (int p = chars.Previous(k); p >= 0 && chars.IsWord(p); p = chars.Previous(p)) k = p;
      x = k + 1;
    }
  }
  return {std::max(x, 1), position.Y};
}

TBufferCoord TCustomCodeEdit::WordFinish(TBufferCoord position) const {
  if (position.Y < 1 || position.Y > LineCount()) return position;
  const TCodeEditCharSet word = WordChars();
  const LineChars chars(LineText(position.Y), word);
  int found = chars.ScanForward(std::max(position.X - 1, 0), [&](int i) { return chars.IsNonWord(i); });
  return {found < 0 ? chars.Length() + 1 : found + 1, position.Y};
}

std::string TCustomCodeEdit::MakeIndent(int width) const {
  width = std::max(width, 0);
  if (HasOption(eoTabsToSpaces) || width < tabWidth_) return std::string(static_cast<size_t>(width), ' ');
  return std::string(static_cast<size_t>(width / tabWidth_), '\t') +
         std::string(static_cast<size_t>(width % tabWidth_), ' ');
}

}  // namespace vantrel
