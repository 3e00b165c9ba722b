// Regular expressions over single-byte text: compile once, run on many
// lines, expand replacement templates.
// Tested by tests/search/RegexTest.cpp, RegexPerlTest.cpp, RegexLimitsTest.cpp
#include "search/Regex.h"

#include <algorithm>
#include <cstring>

#include "platform/CodePage.h"
#include "search/RegexCompiler.h"
#include "search/RegexMatcher.h"
#include "search/RegexStartScan.h"

namespace vantrel {

namespace {

TCharSet ToSet(const std::string& chars) {
  TCharSet set;
  for (char c : chars) set.Add(static_cast<uint8_t>(c));
  return set;
}

}  // namespace

TRegex::TRegex()
    : spaceChars_(" \t\n\r\f"),
      wordChars_("0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_"),
      lineSeparators_("\r\n"),
      pairedSeparator_("\r\n"),
      matcher_(std::make_unique<TRegexMatcher>()) {
  ClearGroups();
}

TRegex::~TRegex() = default;

std::string TRegex::ErrorMsg(int code) {
  switch (code) {
    case reeOk: return "No errors";
    case reeCompNullArgument: return "TRegex(comp): Null Argument";
    case reeCompRegexpTooBig: return "TRegex(comp): Regexp Too Big";
    case reeCompParseRegTooManyBrackets: return "TRegex(comp): ParseReg Too Many ()";
    case reeCompParseRegUnmatchedBrackets: return "TRegex(comp): ParseReg Unmatched ()";
    case reeCompParseRegUnmatchedBrackets2: return "TRegex(comp): ParseReg Unmatched ()";
    case reeCompParseRegJunkOnEnd: return "TRegex(comp): ParseReg Junk On End";
    case rePlusStarOperandCouldBeEmpty: return "TRegex(comp): *+ Operand Could Be Empty";
    case reeNestedSQP: return "TRegex(comp): Nested *?+";
    case reeBadHexDigit: return "TRegex(comp): Bad Hex Digit";
    case reeInvalidRange: return "TRegex(comp): Invalid [] Range";
    case reeParseAtomTrailingBackSlash: return "TRegex(comp): Parse Atom Trailing \\";
    case reeNoHexCodeAfterBSlashX: return "TRegex(comp): No Hex Code After \\x";
    case reeHexCodeAfterBSlashXTooBig: return "TRegex(comp): Hex Code After \\x Is Too Big";
    case reeUnmatchedSqBrackets: return "TRegex(comp): Unmatched []";
    case reeInternalUrp: return "TRegex(comp): Internal Urp";
    case reeQPSBFollowsNothing: return "TRegex(comp): ?+*{ Follows Nothing";
    case reeTrailingBackSlash: return "TRegex(comp): Trailing \\";
    case reeRarseAtomInternalDisaster: return "TRegex(comp): RarseAtom Internal Disaster";
    case reeBRACESArgTooBig: return "TRegex(comp): BRACES Argument Too Big";
    case reeBracesMinParamGreaterMax: return "TRegex(comp): BRACE Min Param Greater then Max";
    case reeUnclosedComment: return "TRegex(comp): Unclosed (?#Comment)";
    case reeUrecognizedModifier: return "TRegex(comp): Urecognized Modifier";
    case reeBadLinePairedSeparator:
      return "TRegex(comp): LinePairedSeparator must countain two different chars or no chars at all";
    case reeRegRepeatCalledInappropriately: return "TRegex(exec): RegRepeat Called Inappropriately";
    case reeMatchPrimMemoryCorruption: return "TRegex(exec): MatchPrim Memory Corruption";
    case reeMatchPrimCorruptedPointers: return "TRegex(exec): MatchPrim Corrupted Pointers";
    case reeNoExpression: return "TRegex(exec): Not Assigned Expression Property";
    case reeCorruptedProgram: return "TRegex(exec): Corrupted Program";
    case reeNoInputStringSpecified: return "TRegex(exec): No Input String Specified";
    case reeOffsetMustBeGreaterThen0: return "TRegex(exec): Offset Must Be Greater Then 0";
    case reeExecNextWithoutExec: return "TRegex(exec): ExecNext Without Exec[Pos]";
    case reeLoopStackExceeded: return "TRegex(exec): Loop Stack Exceeded";
    case reeLoopWithoutEntry: return "TRegex(exec): Loop Without LoopEntry !";
    case reeStepBudgetExceeded:
      return "TRegex(exec): Search Too Complex (step budget exceeded; simplify the expression)";
    default: return "Unknown error";
  }
}

void TRegex::Error(int code, int compilePos) const {
  lastError_ = code;
  std::string message = ErrorMsg(code);
  if (code < 1000) message += " (pos " + std::to_string(compilePos) + ")";
  throw ERegex(code, compilePos, message);
}

void TRegex::SetExpression(std::string_view text) {
  if (expression_ && compiled_ && *expression_ == text) return;
  expression_ = std::string(text);
  Invalidate();
}

bool TRegex::GetModifier(int number) const {
  if (number < 1 || number > 6) Error(reeBadModifierNumber);
  return (modifiers_ >> (number - 1)) & 1;
}

void TRegex::SetModifier(int number, bool on) {
  if (number < 1 || number > 6) Error(reeBadModifierNumber);
  const int bit = 1 << (number - 1);
  modifiers_ = on ? (modifiers_ | bit) : (modifiers_ & ~bit);
}

// These sets are built into the program (\w, \s, classes, anchors), so a
// change recompiles.
void TRegex::SetSpaceCharacters(std::string_view chars) {
  spaceChars_ = std::string(chars);
  Invalidate();
}

void TRegex::SetWordCharacters(std::string_view chars) {
  wordChars_ = std::string(chars);
  Invalidate();
}

void TRegex::SetLineSeparatorSet(std::string_view chars) {
  lineSeparators_ = std::string(chars);
  Invalidate();
}

void TRegex::SetPairedSeparator(std::string_view chars) {
  if (!chars.empty() && (chars.size() != 2 || chars[0] == chars[1])) Error(reeBadLinePairedSeparator);
  if (chars == pairedSeparator_) return;
  pairedSeparator_ = std::string(chars);
  Invalidate();
}

void TRegex::SetInvertCase(TInvertCase function) {
  invertCase_ = std::move(function);
  Invalidate();
}

uint8_t TRegex::InvertCase(uint8_t c) const {
  if (invertCase_) return invertCase_(c);
  const CodePage& page = CodePage::Active();
  const uint8_t upper = page.ToUpper(c);
  return upper != c ? upper : page.ToLower(c);
}

void TRegex::Compile() {
  if (!expression_) Error(reeCompNullArgument);
  TRegexCompileOptions options;
  options.modifiers = modifiers_;
  options.wordChars = ToSet(wordChars_);
  options.spaceChars = ToSet(spaceChars_);
  options.lineSeparators = lineSeparators_;
  options.pairedSeparator = pairedSeparator_;
  for (int c = 0; c < 256; ++c) options.invertCase[c] = InvertCase(static_cast<uint8_t>(c));
  compiled_ = false;
  try {
    TRegexCompiler::Compile(*expression_, options, program_);
  } catch (const ERegex& e) {
    program_ = TRegexProgram();
    lastError_ = e.ErrorCode();
    throw;
  }
  compiled_ = true;
  requiredFoundAt_ = -1;
}

void TRegex::ClearGroups() {
  std::fill(std::begin(groupStart_), std::end(groupStart_), -1);
  std::fill(std::begin(groupEnd_), std::end(groupEnd_), -1);
}

bool TRegex::Exec(std::string_view input) {
  // Only the text before the first NUL is searched. Where that NUL is gets
  // looked up once a line passes the checks in ExecPrim, none of which can
  // be fooled by text behind it.
  input_.assign(input.data(), input.size());
  hasInput_ = true;
  inputLength_ = static_cast<int>(input_.size());
  lengthKnown_ = false;
  requiredFoundAt_ = -1;
  return ExecPrim(1);
}

void TRegex::CutAtNul() {
  if (lengthKnown_) return;
  lengthKnown_ = true;
  const void* nul = std::memchr(input_.data(), 0, input_.size());
  if (nul != nullptr) inputLength_ = static_cast<int>(static_cast<const char*>(nul) - input_.data());
}

bool TRegex::ExecNext() {
  if (!hasInput_ || groupStart_[0] < 0 || groupEnd_[0] < 0) Error(reeExecNextWithoutExec);
  int offset = groupEnd_[0] + 1;
  if (groupEnd_[0] == groupStart_[0]) ++offset;  // an empty match: move on
  return ExecPrim(offset);
}

bool TRegex::ExecPos(int offset) { return ExecPrim(offset); }

bool TRegex::ExecPrim(int offset) {
  if (groupStart_[0] >= 0) ClearGroups();  // only a match sets groups, and group 0 first
  if (!expression_) Error(reeNoExpression);
  if (!compiled_ || program_.modifiers != modifiers_) Compile();
  if (program_.code.empty() || program_.code[0] != kRegexSignature) Error(reeCorruptedProgram);
  if (!hasInput_) Error(reeNoInputStringSpecified);
  if (offset < 1) Error(reeOffsetMustBeGreaterThen0);
  // Before the NUL is known only a search from the start is checked: the
  // anchored run stops at the NUL, and a literal, which holds none, first
  // found behind it is not in front of it either.
  if (offset != 1) CutAtNul();
  if (offset > inputLength_ + 1) return false;
  const int start = offset - 1;
  const uint8_t* in = reinterpret_cast<const uint8_t*>(input_.c_str());

  // An anchored search has one position to try: look at it before
  // scanning the line for the literal.
  if (program_.anchored && !AnchoredStartPossible(in + start)) return false;
  // One anchored try costs less than a scan for the literal.
  if (!program_.anchored && program_.requiredOffset >= 0 && requiredFoundAt_ < start) {
    const uint8_t* found = FindRequired(in + start, inputLength_ - start);
    if (found == nullptr) return false;
    requiredFoundAt_ = static_cast<int>(found - in);
  }
  CutAtNul();
  if (requiredFoundAt_ >= inputLength_) return false;

  const int64_t perByte = kStepsPerInputByte * std::max<int64_t>(1, program_.nodeCount);
  matcher_->Begin(program_, in, inputLength_, stepBudget_ + perByte * inputLength_, reuseFailures_);
  try {
    return SearchFrom(start);
  } catch (const ERegex& e) {
    lastError_ = e.ErrorCode();
    ClearGroups();
    throw;
  }
}

bool TRegex::SearchFrom(int start) {
  const uint8_t* in = reinterpret_cast<const uint8_t*>(input_.c_str());
  if (program_.anchored) return TryAt(start);
  if (program_.requiredAtStart) {
    for (int p = requiredFoundAt_;;) {
      if (TryAt(p)) return true;
      const uint8_t* hit = FindRequired(in + p + 1, inputLength_ - p - 1);
      if (hit == nullptr) return false;
      p = static_cast<int>(hit - in);
    }
  }
  if (program_.startChar != 0) {
    for (int p = start; p < inputLength_;) {
      const void* hit = std::memchr(in + p, program_.startChar, inputLength_ - p);
      if (hit == nullptr) break;
      p = static_cast<int>(static_cast<const uint8_t*>(hit) - in);
      if (TryAt(p)) return true;
      ++p;
    }
    return false;
  }
  const auto& first = program_.firstTable;
  const TRegexStartScan& scan = program_.startScan;
  for (int p = start; p <= inputLength_; ++p) {
    if (scan.count > 0 && reuseFailures_) {
      p = RegexNextStart(scan, in, p, inputLength_);
    } else {
      while (p < inputLength_ && !first[in[p]]) ++p;
    }
    if (!first[in[p]]) break;  // the terminating NUL, which no match may start at
    if (!LeadLiteralAt(in + p)) continue;
    if (TryAt(p)) return true;
    // The leading repeat ran from p to its end and every way on from there
    // failed; a later start inside that run would find a subset of the same
    // ends, and the run's end itself with count zero was one of them.
    const int runEnd = matcher_->LeadRunEnd();
    if (runEnd > p) p = runEnd;
  }
  return false;
}

bool TRegex::AnchoredStartPossible(const uint8_t* at) const {
  if (!program_.firstTable[at[0]]) return false;
  if (!program_.anchoredRunCheck || !reuseFailures_) return true;
  while (program_.anchoredRun[*at]) ++at;  // stops at the NUL at the latest
  return program_.anchoredFollow[*at];
}

// The input ends in NUL and holds none, so each compare stops at its end.
bool TRegex::LeadLiteralAt(const uint8_t* at) const {
  if (program_.leadLiterals.empty() || !reuseFailures_) return true;
  for (const int32_t offset : program_.leadLiterals) {
    const uint8_t* literal = &program_.code[offset];
    int i = 0;
    while (literal[i] != 0 && at[i] == literal[i]) ++i;
    if (literal[i] == 0) return true;
  }
  return false;
}

const uint8_t* TRegex::FindRequired(const uint8_t* text, int length) const {
  return RegexFindLiteral(text, static_cast<size_t>(length), &program_.code[program_.requiredOffset],
                          static_cast<size_t>(program_.requiredLength), static_cast<size_t>(program_.requiredRare));
}

bool TRegex::TryAt(int position) {
  if (!matcher_->MatchAt(position)) return false;
  groupStart_[0] = position;
  groupEnd_[0] = matcher_->MatchEnd();
  for (int i = 1; i < kRegexGroupCount; ++i) {
    const int s = matcher_->GroupStart(i);
    const int e = matcher_->GroupEnd(i);
    if (s >= 0 && e >= s) {
      groupStart_[i] = s;
      groupEnd_[i] = e;
    }
  }
  return true;
}

int TRegex::GroupStart(int i) const {
  if (i < 0 || i >= kRegexGroupCount || !hasInput_ || groupStart_[i] < 0) return -1;
  return groupStart_[i] + 1;
}

int TRegex::GroupLength(int i) const {
  if (i < 0 || i >= kRegexGroupCount || !hasInput_ || groupStart_[i] < 0) return -1;
  return groupEnd_[i] - groupStart_[i];
}

std::string TRegex::Group(int i) const {
  if (GroupStart(i) < 0) return std::string();
  return input_.substr(groupStart_[i], groupEnd_[i] - groupStart_[i]);
}

std::string TRegex::ExpandTemplate(std::string_view templ) const {
  if (!hasInput_) Error(reeNoInputStringSpecified);
  // One pass to measure, one to build, so the result is allocated once.
  auto scan = [&](std::string* out) {
    size_t length = 0;
    auto put = [&](std::string_view piece) {
      length += piece.size();
      if (out) out->append(piece);
    };
    size_t i = 0;
    while (i < templ.size()) {
      const char c = templ[i];
      if (c == '\\') {
        if (i + 1 < templ.size()) {
          put(templ.substr(i + 1, 1));
          i += 2;
        } else {
          put("\\");
          ++i;
        }
        continue;
      }
      if (c != '$') {
        put(templ.substr(i, 1));
        ++i;
        continue;
      }
      // "$n", "$&", "${n}" or "${&}"; anything else is a plain "$".
      size_t j = i + 1;
      bool braced = j < templ.size() && templ[j] == '{';
      if (braced) ++j;
      long group = -1;
      size_t k = j;
      if (k < templ.size() && templ[k] == '&') {
        group = 0;
        ++k;
      } else {
        while (k < templ.size() && templ[k] >= '0' && templ[k] <= '9') {
          group = std::min<long>((group < 0 ? 0 : group) * 10 + (templ[k] - '0'), 1000);
          ++k;
        }
      }
      if (group < 0 || (braced && (k >= templ.size() || templ[k] != '}'))) {
        put("$");
        ++i;
        continue;
      }
      if (braced) ++k;
      if (group < kRegexGroupCount && groupStart_[group] >= 0) {
        put(std::string_view(input_).substr(groupStart_[group], groupEnd_[group] - groupStart_[group]));
      }
      i = k;
    }
    return length;
  };
  std::string result;
  result.reserve(scan(nullptr));
  scan(&result);
  return result;
}

std::string TRegex::ReplaceMatches(std::string_view input, std::string_view templ, bool expand) {
  std::string result;
  // Exec keeps its own copy; the text after a NUL is not searched but is
  // kept in the result.
  const std::string text(input);
  size_t previous = 0;
  if (Exec(text)) {
    do {
      const size_t start = static_cast<size_t>(groupStart_[0]);
      result.append(text, previous, start - previous);
      if (expand) {
        result += ExpandTemplate(templ);
      } else {
        result.append(templ);
      }
      previous = static_cast<size_t>(groupEnd_[0]);
    } while (ExecNext());
  }
  result.append(text, previous, std::string::npos);
  return result;
}

}  // namespace vantrel
