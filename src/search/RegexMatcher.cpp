// Runs a compiled regular expression at one start position: backtracking
// with an explicit stack on the heap, so that neither long lines nor deep
// repeats can overflow the machine stack, and a step budget that stops
// searches whose work explodes. Failures of alternations are remembered
// by position for the rest of a search, which keeps searches that retry
// the same alternatives from every start position linear.
// Tested by tests/search/RegexTest.cpp, RegexLimitsTest.cpp
#include "search/RegexMatcher.h"

#include <algorithm>
#include <cstring>

#include "search/Regex.h"

namespace vantrel {

namespace {

struct TRepeat {
  int32_t min;
  int32_t max;
  const uint8_t* operand;
};

TRepeat RepeatOf(const uint8_t* node) {
  switch (node[0]) {
    case nkStar:
    case nkStarLazy:
      return {0, kRegexInfinity, node + kRegexNodeHeader};
    case nkPlus:
    case nkPlusLazy:
      return {1, kRegexInfinity, node + kRegexNodeHeader};
    default:
      return {RegexReadInt(node + kRegexNodeHeader), RegexReadInt(node + kRegexNodeHeader + 4),
              node + kRegexNodeHeader + 8};
  }
}

bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

[[noreturn]] void Raise(int code) { throw ERegex(code, 0, TRegex::ErrorMsg(code)); }

}  // namespace

void TRegexMatcher::Exhausted() const { Raise(reeStepBudgetExceeded); }

void TRegexMatcher::Begin(const TRegexProgram& program, const uint8_t* input, int length,
                          int64_t steps, bool reuseFailures) {
  program_ = &program;
  code_ = program.code.data();
  in_ = input;
  len_ = length;
  steps_ = steps;
  // Every frame costs a step too, so the budget bounds memory as well. A
  // complex repeat keeps about one and a half frames per byte it crosses,
  // so the cap grows with the input: 16 bytes a frame, 128 MB for lines up
  // to 4 MB, 32 bytes per byte beyond.
  const int64_t cap = std::max<int64_t>(1 << 23, 2 * static_cast<int64_t>(length));
  maxFrames_ = static_cast<size_t>(std::clamp<int64_t>(steps / 8, 1 << 16, cap));
  reuse_ = reuseFailures;
  leadEnd_ = -1;
  // The memo costs a bit per alternation head and position; past 32 MB the
  // later heads go without.
  memoStride_ = static_cast<size_t>(length) + 1;
  constexpr size_t kMemoBits = size_t{1} << 28;
  size_t slots = reuse_ ? static_cast<size_t>(program.memoSlots) : 0;
  if (slots * memoStride_ > kMemoBits) slots = kMemoBits / memoStride_;  // no division per line
  memoSlots_ = static_cast<int>(slots);
  memoReady_ = false;
  // Give back what a pathological search took rather than keep it for the
  // life of the engine.
  if (stack_.capacity() > (1u << 20)) std::vector<TFrame>().swap(stack_);
  dirty_ = true;
}

bool TRegexMatcher::CharMatches(const uint8_t* node, uint8_t c) const {
  const uint8_t* operand = node + kRegexNodeHeader;
  switch (node[0]) {
    case nkExact:
      return c == operand[0];
    case nkExactFold:
      return c == operand[0] || c == program_->invertCase[operand[0]];
    case nkAny:
      return true;
    case nkAnyInLine:
      return !InLineStop(c);
    case nkDigit:
      return IsDigit(c);
    case nkNotDigit:
      return !IsDigit(c);
    case nkAnyOfSmall:
      return c == operand[0] || c == operand[1] || c == operand[2];
    case nkAnyButSmall:
      return c != operand[0] && c != operand[1] && c != operand[2];
    case nkAnyOfSet:
      return (operand[c >> 3] >> (c & 7)) & 1u;
    default:
      Raise(reeRegRepeatCalledInappropriately);
  }
}

bool TRegexMatcher::InLineStop(uint8_t c) const {
  const std::string& paired = program_->pairedSeparator;
  return program_->lineSeparators.Has(c) || (!paired.empty() && c == static_cast<uint8_t>(paired[0]));
}

bool TRegexMatcher::LineStartAt(int pos) const {
  if (pos == 0) return true;
  const std::string& paired = program_->pairedSeparator;
  const uint8_t prev = in_[pos - 1];
  if (!paired.empty()) {
    const uint8_t p0 = static_cast<uint8_t>(paired[0]);
    const uint8_t p1 = static_cast<uint8_t>(paired[1]);
    if (pos >= 2 && in_[pos - 2] == p0 && prev == p1) return true;
    if (prev == p0 && in_[pos] == p1) return false;
  }
  return program_->lineSeparators.Has(prev);
}

bool TRegexMatcher::LineEndAt(int pos) const {
  if (pos >= len_) return true;
  const std::string& paired = program_->pairedSeparator;
  const uint8_t c = in_[pos];
  if (!paired.empty()) {
    const uint8_t p0 = static_cast<uint8_t>(paired[0]);
    const uint8_t p1 = static_cast<uint8_t>(paired[1]);
    if (c == p0 && in_[pos + 1] == p1) return true;
    if (pos > 0 && in_[pos - 1] == p0 && c == p1) return false;
  }
  return program_->lineSeparators.Has(c);
}

bool TRegexMatcher::BackRefAt(const uint8_t* node, int pos, int& length) const {
  const int group = node[kRegexNodeHeader];
  const int start = starts_[group];
  const int end = ends_[group];
  if (start < 0 || end < start) return false;
  length = end - start;
  if (length > len_ - pos) return false;
  if (node[0] == nkBackRef) return std::memcmp(in_ + start, in_ + pos, length) == 0;
  const auto& invert = program_->invertCase;
  for (int i = 0; i < length; ++i) {
    uint8_t want = in_[start + i];
    uint8_t got = in_[pos + i];
    if (got != want && got != invert[want]) return false;
  }
  return true;
}

// Bytes one repetition consumes: 1, or the back-reference's length; -1 when
// the operand is a back-reference to an unset group.
int TRegexMatcher::RepeatUnit(const uint8_t* operand) const {
  if (operand[0] != nkBackRef && operand[0] != nkBackRefFold) return 1;
  const int group = operand[kRegexNodeHeader];
  if (starts_[group] < 0 || ends_[group] < starts_[group]) return -1;
  return ends_[group] - starts_[group];
}

bool TRegexMatcher::OneAt(const uint8_t* operand, int pos, int unit) const {
  if (unit == 1 && operand[0] != nkBackRef && operand[0] != nkBackRefFold) {
    return pos < len_ && CharMatches(operand, in_[pos]);
  }
  int length = 0;
  return BackRefAt(operand, pos, length);
}

// How many times in a row the simple operand matches from pos, at most max.
int TRegexMatcher::CountRepeat(const uint8_t* operand, int pos, int max, int unit) {
  if (unit < 0) return 0;
  if (unit == 0) return 0;  // an empty back-reference: every count ends at pos
  const int room = len_ - pos;
  const int limit = max < room ? max : room;
  int count = 0;
  const uint8_t* p = in_ + pos;
  const uint8_t* o = operand + kRegexNodeHeader;
  switch (operand[0]) {
    case nkAny:
      count = limit;
      break;
    case nkExact:
      while (count < limit && p[count] == o[0]) ++count;
      break;
    case nkAnyOfSet:
      while (count < limit && ((o[p[count] >> 3] >> (p[count] & 7)) & 1u)) ++count;
      break;
    case nkAnyOfSmall:
      while (count < limit && (p[count] == o[0] || p[count] == o[1] || p[count] == o[2])) ++count;
      break;
    case nkAnyButSmall:
      while (count < limit && p[count] != o[0] && p[count] != o[1] && p[count] != o[2]) ++count;
      break;
    case nkDigit:
      while (count < limit && IsDigit(p[count])) ++count;
      break;
    case nkBackRef:
    case nkBackRefFold:
      while (count < max && OneAt(operand, pos + count * unit, unit)) ++count;
      break;
    default:
      while (count < limit && CharMatches(operand, p[count])) ++count;
      break;
  }
  steps_ -= count;
  return count;
}

// Greedy repeat: the largest count from `count` down to the minimum after
// which the rest can start; remembers the smaller counts as a choice.
bool TRegexMatcher::SelectGreedy(int32_t node, int base, int count, int& pos, int32_t& scan) {
  const uint8_t* n = code_ + node;
  const TRepeat repeat = RepeatOf(n);
  const int unit = RepeatUnit(repeat.operand);
  if (unit <= 0) count = std::min(count, repeat.min);
  const TCharSet* follow = program_->SetOf(node);
  // Every shorter count stops on a character of the operand, which cannot
  // follow.
  const bool onlyLongest = program_->exclusiveRepeat[node];
  while (count >= repeat.min) {
    const int p = base + count * (unit < 0 ? 0 : unit);
    if (follow == nullptr || follow->Has(in_[p])) {
      if (count > repeat.min && !onlyLongest) PushChoice(kChoiceGreedy, node, base, count - 1);
      pos = p;
      scan = Next(node);
      return true;
    }
    if (onlyLongest) return false;
    --count;
    --steps_;
  }
  return false;
}

// Lazy repeat: the smallest count from `count` up (already matched) after
// which the rest can start; remembers the larger counts as a choice.
bool TRegexMatcher::SelectLazy(int32_t node, int base, int count, int& pos, int32_t& scan) {
  const uint8_t* n = code_ + node;
  const TRepeat repeat = RepeatOf(n);
  const int unit = RepeatUnit(repeat.operand);
  const TCharSet* follow = program_->SetOf(node);
  for (;;) {
    const int p = base + count * (unit < 0 ? 0 : unit);
    if (follow == nullptr || follow->Has(in_[p])) {
      if (count < repeat.max && unit > 0) PushChoice(kChoiceLazy, node, base, count);
      pos = p;
      scan = Next(node);
      return true;
    }
    if (count >= repeat.max || unit <= 0 || !OneAt(repeat.operand, p, unit)) return false;
    ++count;
    --steps_;
  }
}

// The memo slot of an alternation head, or -1. Inside a counted loop the
// way on depends on the counters too, so nothing is remembered there.
int TRegexMatcher::MemoSlotAt(int32_t branch) const {
  if (memoSlots_ == 0 || loopIndex_ != 0) return -1;
  const int slot = program_->memoSlot[branch];
  return slot < memoSlots_ ? slot : -1;
}

bool TRegexMatcher::MemoFailed(int slot, int pos) const {
  if (!memoReady_) return false;
  const size_t bit = static_cast<size_t>(slot) * memoStride_ + static_cast<size_t>(pos);
  return (memo_[bit >> 6] >> (bit & 63)) & 1u;
}

void TRegexMatcher::MemoRecord(int slot, int pos) {
  if (!memoReady_) {
    memo_.assign((static_cast<size_t>(memoSlots_) * memoStride_ + 63) / 64, 0);
    memoReady_ = true;
  }
  const size_t bit = static_cast<size_t>(slot) * memoStride_ + static_cast<size_t>(pos);
  memo_[bit >> 6] |= uint64_t{1} << (bit & 63);
}

// Enters the first alternative from `branch` on that can start at pos and
// remembers the next such alternative. With a memo slot (`memo` >= 0) an
// alternation that has more than one way to go is remembered when all of
// them have failed, and not tried again at that position.
bool TRegexMatcher::EnterAlternative(int32_t branch, int pos, int32_t& scan, int memo, bool resumed) {
  const uint8_t c = in_[pos];
  for (;;) {
    const int32_t next = Next(branch);
    const bool more = next != 0 && code_[next] == nkBranch;
    const TCharSet* set = program_->SetOf(branch);
    if (set == nullptr || set->Has(c)) {
      int32_t other = 0;
      for (int32_t alt = next; more;) {
        const TCharSet* altSet = program_->SetOf(alt);
        if (altSet == nullptr || altSet->Has(c)) {
          other = alt;
          break;
        }
        const int32_t after = Next(alt);
        if (after == 0 || code_[after] != nkBranch) break;
        alt = after;
      }
      if (other != 0) {
        if (memo >= 0 && !resumed && MemoFailed(memo, pos)) return false;
        PushChoice(kChoiceBranch, other, pos, memo + 1);
      } else if (memo >= 0 && resumed) {
        Push(TFrame{kMemoMark, 0, memo, pos, 0});
      }
      scan = branch + kRegexNodeHeader;
      return true;
    }
    if (!more) {
      if (memo >= 0 && resumed) MemoRecord(memo, pos);
      return false;
    }
    branch = next;
  }
}

void TRegexMatcher::LeaveLoop() {
  PushUndo(kUndoLoopIndex, 0, loopIndex_);
  --loopIndex_;
}

bool TRegexMatcher::MatchAt(int start) {
  if (dirty_) {
    std::fill(std::begin(starts_), std::end(starts_), -1);
    std::fill(std::begin(ends_), std::end(ends_), -1);
    loopIndex_ = 0;
    dirty_ = false;
  }
  stack_.clear();
  choices_ = 0;
  leadEnd_ = -1;
  int pos = start;
  int32_t scan = 1;
  for (;;) {
    if (--steps_ < 0) Exhausted();
    const uint8_t* n = code_ + scan;
    const uint8_t op = n[0];
    switch (op) {
      case nkEnd:
        end_ = pos;
        return true;
      case nkInputStart:
        if (pos != 0) break;
        scan = Next(scan);
        continue;
      case nkInputEnd:
        if (pos != len_) break;
        scan = Next(scan);
        continue;
      case nkAny:
        if (pos >= len_) break;
        ++pos;
        scan = Next(scan);
        continue;
      case nkExact: {
        // The input ends in NUL and the text holds none, so the compare
        // stops at the end by itself.
        const uint8_t* s = n + kRegexNodeHeader;
        const uint8_t* p = in_ + pos;
        int i = 0;
        while (s[i] != 0 && p[i] == s[i]) ++i;
        if (s[i] != 0) break;
        pos += i;
        scan = Next(scan);
        continue;
      }
      case nkExactFold: {
        const uint8_t* s = n + kRegexNodeHeader;
        const uint8_t* p = in_ + pos;
        const auto& invert = program_->invertCase;
        int i = 0;
        while (s[i] != 0 && p[i] != 0 && (p[i] == s[i] || p[i] == invert[s[i]])) ++i;
        if (s[i] != 0) break;
        pos += i;
        scan = Next(scan);
        continue;
      }
      case nkAnyInLine:
      case nkDigit:
      case nkNotDigit:
      case nkAnyOfSmall:
      case nkAnyButSmall:
      case nkAnyOfSet:
        if (pos >= len_ || !CharMatches(n, in_[pos])) break;
        ++pos;
        scan = Next(scan);
        continue;
      case nkBackRef:
      case nkBackRefFold: {
        int length = 0;
        if (!BackRefAt(n, pos, length)) break;
        pos += length;
        scan = Next(scan);
        continue;
      }
      case nkBranch: {
        const int32_t next = Next(scan);
        if (next == 0 || code_[next] != nkBranch) {
          scan += kRegexNodeHeader;
          continue;
        }
        if (!EnterAlternative(scan, pos, scan, MemoSlotAt(scan), false)) break;
        continue;
      }
      case nkBack:
      case nkNothing:
      case nkComment:
        scan = Next(scan);
        continue;
      case nkLineStart:
        if (!LineStartAt(pos)) break;
        scan = Next(scan);
        continue;
      case nkLineEnd:
        if (!LineEndAt(pos)) break;
        scan = Next(scan);
        continue;
      case nkWordBoundary:
      case nkNotWordBoundary: {
        const TCharSet& word = program_->wordChars;
        const bool before = pos > 0 && word.Has(in_[pos - 1]);
        const bool here = pos < len_ && word.Has(in_[pos]);
        if ((before != here) != (op == nkWordBoundary)) break;
        scan = Next(scan);
        continue;
      }
      case nkStar:
      case nkPlus:
      case nkBraces: {
        const TRepeat repeat = RepeatOf(n);
        const int unit = RepeatUnit(repeat.operand);
        int count = CountRepeat(repeat.operand, pos, repeat.max, unit);
        if (scan == program_->leadRepeat && reuse_ && leadEnd_ < 0) leadEnd_ = pos + count;
        if (unit == 0) count = repeat.min;
        if (count < repeat.min) break;
        if (!SelectGreedy(scan, pos, count, pos, scan)) break;
        continue;
      }
      case nkStarLazy:
      case nkPlusLazy:
      case nkBracesLazy: {
        const TRepeat repeat = RepeatOf(n);
        const int unit = RepeatUnit(repeat.operand);
        if (unit < 0 && repeat.min > 0) break;
        if (scan == program_->leadRepeat && reuse_ && leadEnd_ < 0) {
          leadEnd_ = pos + CountRepeat(repeat.operand, pos, repeat.max, unit);
        }
        if (unit > 0 && CountRepeat(repeat.operand, pos, repeat.min, unit) < repeat.min) break;
        if (!SelectLazy(scan, pos, repeat.min, pos, scan)) break;
        continue;
      }
      case nkLoopEntry:
        PushUndo(kUndoLoopIndex, 0, loopIndex_);
        if (++loopIndex_ > kRegexLoopStackSize) Raise(reeLoopStackExceeded);
        PushUndo(kUndoCounter, loopIndex_, counters_[loopIndex_]);
        counters_[loopIndex_] = 0;
        dirty_ = true;
        scan = Next(scan);
        continue;
      case nkLoop:
      case nkLoopLazy: {
        if (loopIndex_ <= 0) Raise(reeLoopWithoutEntry);
        const int32_t min = RegexReadInt(n + kRegexNodeHeader);
        const int32_t max = RegexReadInt(n + kRegexNodeHeader + 4);
        const int32_t body = scan + RegexReadInt(n + kRegexNodeHeader + 8);
        const int count = counters_[loopIndex_];
        if (count < min) {
          PushUndo(kUndoCounter, loopIndex_, count);
          counters_[loopIndex_] = count + 1;
          scan = body;
          continue;
        }
        const TCharSet* exitSet = program_->SetOf(scan);
        const TCharSet* bodySet = program_->SetOf(scan + 1);
        const uint8_t c = in_[pos];
        const bool iterate = count < max && (bodySet == nullptr || bodySet->Has(c));
        const bool leave = exitSet == nullptr || exitSet->Has(c);
        if (op == nkLoop) {
          if (iterate) {
            if (leave) PushChoice(kChoiceLoopExit, scan, pos);
            PushUndo(kUndoCounter, loopIndex_, count);
            counters_[loopIndex_] = count + 1;
            scan = body;
            continue;
          }
          if (!leave) break;
          LeaveLoop();
          scan = Next(scan);
          continue;
        }
        if (leave) {
          if (iterate) PushChoice(kChoiceLoopIter, scan, pos);
          LeaveLoop();
          scan = Next(scan);
          continue;
        }
        if (!iterate) break;
        PushUndo(kUndoCounter, loopIndex_, count);
        counters_[loopIndex_] = count + 1;
        scan = body;
        continue;
      }
      default:
        if (op > nkOpen && op <= nkOpen + kRegexMaxGroup) {
          const int group = op - nkOpen;
          PushUndo(kUndoStart, group, starts_[group]);
          starts_[group] = pos;
          dirty_ = true;
          scan = Next(scan);
          continue;
        }
        if (op > nkClose && op <= nkClose + kRegexMaxGroup) {
          const int group = op - nkClose;
          PushUndo(kUndoEnd, group, ends_[group]);
          ends_[group] = pos;
          dirty_ = true;
          scan = Next(scan);
          continue;
        }
        Raise(reeMatchPrimMemoryCorruption);
    }
    if (!Backtrack(pos, scan)) return false;
  }
}

bool TRegexMatcher::Backtrack(int& pos, int32_t& scan) {
  while (!stack_.empty()) {
    if (--steps_ < 0) Exhausted();
    const TFrame f = stack_.back();
    stack_.pop_back();
    switch (f.kind) {
      case kUndoStart:
        starts_[f.index] = f.a;
        break;
      case kUndoEnd:
        ends_[f.index] = f.a;
        break;
      case kUndoCounter:
        counters_[f.index] = f.a;
        break;
      case kUndoLoopIndex:
        loopIndex_ = f.a;
        break;
      case kChoiceBranch:
        --choices_;
        pos = f.a;
        if (EnterAlternative(f.node, pos, scan, f.b - 1, true)) return true;
        break;
      case kMemoMark:
        MemoRecord(f.node, f.a);
        break;
      case kChoiceGreedy:
        --choices_;
        if (SelectGreedy(f.node, f.a, f.b, pos, scan)) return true;
        break;
      case kChoiceLazy: {
        --choices_;
        const TRepeat repeat = RepeatOf(code_ + f.node);
        const int unit = RepeatUnit(repeat.operand);
        const int p = f.a + f.b * unit;
        if (f.b >= repeat.max || unit <= 0 || !OneAt(repeat.operand, p, unit)) break;
        if (SelectLazy(f.node, f.a, f.b + 1, pos, scan)) return true;
        break;
      }
      case kChoiceLoopExit:
        --choices_;
        pos = f.a;
        LeaveLoop();
        scan = Next(f.node);
        return true;
      case kChoiceLoopIter: {
        --choices_;
        pos = f.a;
        const int count = counters_[loopIndex_];
        PushUndo(kUndoCounter, loopIndex_, count);
        counters_[loopIndex_] = count + 1;
        scan = f.node + RegexReadInt(code_ + f.node + kRegexNodeHeader + 8);
        return true;
      }
    }
  }
  return false;
}

}  // namespace vantrel
