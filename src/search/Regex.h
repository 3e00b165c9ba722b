// Regular expressions over single-byte text: compile once, run on many
// lines, expand replacement templates.
// Tested by tests/search/RegexTest.cpp, RegexPerlTest.cpp, RegexLimitsTest.cpp
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Exception.h"
#include "search/RegexProgram.h"

namespace vantrel {

class TRegexMatcher;

// Error codes; compile errors are below 1000.
enum : int {
  reeOk = 0,
  reeCompNullArgument = 100,
  reeCompRegexpTooBig = 101,
  reeCompParseRegTooManyBrackets = 102,
  reeCompParseRegUnmatchedBrackets = 103,
  reeCompParseRegUnmatchedBrackets2 = 104,
  reeCompParseRegJunkOnEnd = 105,
  rePlusStarOperandCouldBeEmpty = 106,
  reeNestedSQP = 107,
  reeBadHexDigit = 108,
  reeInvalidRange = 109,
  reeParseAtomTrailingBackSlash = 110,
  reeNoHexCodeAfterBSlashX = 111,
  reeHexCodeAfterBSlashXTooBig = 112,
  reeUnmatchedSqBrackets = 113,
  reeInternalUrp = 114,
  reeQPSBFollowsNothing = 115,
  reeTrailingBackSlash = 116,
  reeRarseAtomInternalDisaster = 119,
  reeBRACESArgTooBig = 122,
  reeBracesMinParamGreaterMax = 124,
  reeUnclosedComment = 125,
  reeUrecognizedModifier = 127,
  reeBadLinePairedSeparator = 128,
  reeRegRepeatCalledInappropriately = 1000,
  reeMatchPrimMemoryCorruption = 1001,
  reeMatchPrimCorruptedPointers = 1002,
  reeNoExpression = 1003,
  reeCorruptedProgram = 1004,
  reeNoInputStringSpecified = 1005,
  reeOffsetMustBeGreaterThen0 = 1006,
  reeExecNextWithoutExec = 1007,
  reeBadModifierNumber = 1013,
  reeLoopStackExceeded = 1014,
  reeLoopWithoutEntry = 1015,
  // Our own: the matcher gave up on a search that would take too long.
  reeStepBudgetExceeded = 1016,
};

class ERegex : public Exception {
 public:
  ERegex(int code, int compilePos, const std::string& message)
      : Exception(message), code_(code), compilePos_(compilePos) {}
  int ErrorCode() const { return code_; }
  int CompilerErrorPos() const { return compilePos_; }

 private:
  int code_;
  int compilePos_;
};

class TRegex {
 public:
  // Modifier bits.
  static constexpr int kModI = 1;   // ignore case
  static constexpr int kModR = 2;   // Cyrillic ranges
  static constexpr int kModS = 4;   // "." matches line separators
  static constexpr int kModG = 8;   // greedy
  static constexpr int kModM = 16;  // multi-line anchors
  static constexpr int kModX = 32;  // extended syntax
  // Work one run may do before it gives up: a fixed part plus a part per
  // input byte and program node, so that long lines and long expressions
  // get proportionally more. Searches that are not exponential stay far
  // below it.
  static constexpr int64_t kDefaultStepBudget = 100'000'000;
  static constexpr int64_t kStepsPerInputByte = 64;

  TRegex();
  ~TRegex();
  TRegex(const TRegex&) = delete;  // owns a compiled program and the matcher's stack
  TRegex& operator=(const TRegex&) = delete;

  bool HasExpression() const { return expression_.has_value(); }
  std::string Expression() const { return expression_.value_or(std::string()); }
  void SetExpression(std::string_view text);

  int Modifiers() const { return modifiers_; }
  void SetModifiers(int bits) { modifiers_ = bits & 63; }
  // Single modifiers by number: 1 i, 2 r, 3 s, 4 g, 5 m, 6 x.
  bool GetModifier(int number) const;
  void SetModifier(int number, bool on);

  const std::string& SpaceCharacters() const { return spaceChars_; }
  void SetSpaceCharacters(std::string_view chars);
  const std::string& WordCharacters() const { return wordChars_; }
  void SetWordCharacters(std::string_view chars);
  const std::string& LineSeparatorSet() const { return lineSeparators_; }
  void SetLineSeparatorSet(std::string_view chars);
  const std::string& PairedSeparator() const { return pairedSeparator_; }
  void SetPairedSeparator(std::string_view chars);

  // Maps a character to its other-case form; the default asks the active
  // code page. Replacing it recompiles at the next run.
  using TInvertCase = std::function<uint8_t(uint8_t)>;
  void SetInvertCase(TInvertCase function);
  uint8_t InvertCase(uint8_t c) const;

  // Compiles now (otherwise the next run compiles); raises ERegex.
  void Compile();
  const TRegexProgram& Program() const { return program_; }
  bool IsCompiled() const { return compiled_; }

  bool Exec(std::string_view input);
  bool ExecNext();
  // Searches the current input again from a 1-based position.
  bool ExecPos(int offset);

  // 1-based start and length of group i of the last match, -1 when unset.
  int GroupStart(int i) const;
  int GroupLength(int i) const;
  std::string Group(int i) const;

  std::string ExpandTemplate(std::string_view templ) const;
  std::string ReplaceMatches(std::string_view input, std::string_view templ, bool expand);

  int LastError() const { return lastError_; }
  static std::string ErrorMsg(int code);

  int64_t StepBudget() const { return stepBudget_; }
  void SetStepBudget(int64_t steps) { stepBudget_ = steps; }

  // On by default: a search reuses what failed start positions showed
  // (skipped starts, remembered alternation failures) and rejects starts
  // by their leading literals or run. Off gives the plain search with the
  // same results, for tests that compare the two.
  void SetReuseFailures(bool on) { reuseFailures_ = on; }

 private:
  bool ExecPrim(int offset);
  bool TryAt(int position);
  bool SearchFrom(int start);
  const uint8_t* FindRequired(const uint8_t* text, int length) const;
  // Cheap necessary conditions checked before a try.
  bool AnchoredStartPossible(const uint8_t* at) const;
  bool LeadLiteralAt(const uint8_t* at) const;
  void CutAtNul();
  void ClearGroups();
  void Invalidate() { compiled_ = false; }
  [[noreturn]] void Error(int code, int compilePos = 0) const;

  std::optional<std::string> expression_;
  bool compiled_ = false;
  int modifiers_ = kModR | kModS | kModG;
  std::string spaceChars_;
  std::string wordChars_;
  std::string lineSeparators_;
  std::string pairedSeparator_;
  TInvertCase invertCase_;
  TRegexProgram program_;

  std::string input_;  // private copy; the searched text ends at its first NUL
  bool hasInput_ = false;
  int inputLength_ = 0;      // up to the first NUL once lengthKnown_
  bool lengthKnown_ = true;
  int groupStart_[kRegexGroupCount];  // 0-based, -1 unset
  int groupEnd_[kRegexGroupCount];
  int requiredFoundAt_ = -1;  // where the required literal was last found

  std::unique_ptr<TRegexMatcher> matcher_;
  int64_t stepBudget_ = kDefaultStepBudget;
  bool reuseFailures_ = true;
  mutable int lastError_ = 0;
};

}  // namespace vantrel
