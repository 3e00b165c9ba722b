// Runs a compiled regular expression at one start position: backtracking
// with an explicit stack on the heap, so that neither long lines nor deep
// repeats can overflow the machine stack, and a step budget that stops
// searches whose work explodes. Failures of alternations are remembered
// by position for the rest of a search, which keeps searches that retry
// the same alternatives from every start position linear.
// Tested by tests/search/RegexTest.cpp, RegexLimitsTest.cpp
#pragma once

#include <cstdint>
#include <vector>

#include "search/RegexProgram.h"

namespace vantrel {

class TRegexMatcher {
 public:
  TRegexMatcher() = default;
  TRegexMatcher(const TRegexMatcher&) = delete;  // holds a large reusable stack
  TRegexMatcher& operator=(const TRegexMatcher&) = delete;

  // Prepares runs over input[0, length); input[length] must be NUL.
  // `steps` is the work all following runs may do together.
  // `reuseFailures` off runs the plain search, for tests that compare.
  void Begin(const TRegexProgram& program, const uint8_t* input, int length, int64_t steps,
             bool reuseFailures = true);
  // Matches from `start`; raises ERegex when the budget runs out or the
  // loop stack overflows. Groups and MatchEnd are valid after success.
  bool MatchAt(int start);

  int MatchEnd() const { return end_; }
  // After a failed MatchAt: where the run of the program's leading repeat
  // ended, when the repeat was reached; -1 otherwise.
  int LeadRunEnd() const { return leadEnd_; }
  int GroupStart(int i) const { return starts_[i]; }
  int GroupEnd(int i) const { return ends_[i]; }

 private:
  enum TFrameKind : uint8_t {
    kUndoStart,
    kUndoEnd,
    kUndoCounter,
    kUndoLoopIndex,
    kChoiceBranch,
    kChoiceGreedy,
    kChoiceLazy,
    kChoiceLoopExit,
    kChoiceLoopIter,
    kMemoMark,  // popped when every way on from an alternation has failed
  };
  struct TFrame {
    TFrameKind kind;
    uint8_t index;
    int32_t node;
    int32_t a;
    int32_t b;
  };

  int32_t Next(int32_t node) const {
    int32_t offset = RegexReadInt(code_ + node + 1);
    return offset == 0 ? 0 : node + offset;
  }
  [[noreturn]] void Exhausted() const;
  void PushUndo(TFrameKind kind, int index, int32_t old) {
    if (choices_ == 0) return;  // nothing to go back to: a failure ends the run
    Push(TFrame{kind, static_cast<uint8_t>(index), 0, old, 0});
  }
  void PushChoice(TFrameKind kind, int32_t node, int32_t a, int32_t b = 0) {
    ++choices_;
    Push(TFrame{kind, 0, node, a, b});
  }
  void Push(const TFrame& frame) {
    if (stack_.size() >= maxFrames_) Exhausted();
    stack_.push_back(frame);
  }
  bool Backtrack(int& pos, int32_t& scan);

  bool CharMatches(const uint8_t* node, uint8_t c) const;
  bool BackRefAt(const uint8_t* node, int pos, int& length) const;
  int RepeatUnit(const uint8_t* operand) const;
  bool OneAt(const uint8_t* operand, int pos, int unit) const;
  int CountRepeat(const uint8_t* operand, int pos, int max, int unit);
  bool SelectGreedy(int32_t node, int base, int count, int& pos, int32_t& scan);
  bool SelectLazy(int32_t node, int base, int count, int& pos, int32_t& scan);
  bool EnterAlternative(int32_t branch, int pos, int32_t& scan, int memo, bool resumed);
  int MemoSlotAt(int32_t branch) const;
  bool MemoFailed(int slot, int pos) const;
  void MemoRecord(int slot, int pos);
  void LeaveLoop();
  bool LineStartAt(int pos) const;
  bool LineEndAt(int pos) const;
  bool InLineStop(uint8_t c) const;

  const TRegexProgram* program_ = nullptr;
  const uint8_t* code_ = nullptr;
  const uint8_t* in_ = nullptr;
  int len_ = 0;
  int64_t steps_ = 0;
  size_t maxFrames_ = 0;

  std::vector<TFrame> stack_;
  int choices_ = 0;  // choice frames on the stack
  bool dirty_ = true;
  int starts_[kRegexGroupCount];
  int ends_[kRegexGroupCount];
  int loopIndex_ = 0;
  int counters_[kRegexLoopStackSize + 1];
  int end_ = -1;
  int leadEnd_ = -1;

  bool reuse_ = true;
  int memoSlots_ = 0;  // slots in use; fewer than the program has on huge inputs
  size_t memoStride_ = 0;
  bool memoReady_ = false;
  std::vector<uint64_t> memo_;  // bit slot * stride + pos: that alternation failed there
};

}  // namespace vantrel
