// Turns expression text into a TRegexProgram: parser, node emitter and the
// start-position analysis (first characters, anchoring, required literal).
// Tested by tests/search/RegexTest.cpp
#include "search/RegexCompiler.h"

#include <algorithm>
#include <cstring>

#include "platform/Assert.h"
#include "search/Regex.h"
#include "search/RegexStartScan.h"

namespace vantrel {

namespace {

// Piece flags.
constexpr int kHasWidth = 1;  // never matches the empty string
constexpr int kSimple = 2;    // one node that matches exactly one character (or a back-reference)
constexpr int kBackRefAtom = 4;

constexpr std::string_view kMeta = "^$.[()|?+*\\{";

bool IsHexDigit(uint8_t c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

class TParser {
 public:
  TParser(std::string_view text, const TRegexCompileOptions& options, TRegexProgram& program)
      : text_(text), options_(options), code_(program.code) {
    mods_ = options.modifiers;
  }

  void Run() {
    code_.clear();
    code_.push_back(kRegexSignature);
    int flags = 0;
    ParseReg(false, flags);
  }

 private:
  [[noreturn]] void Fail(int code) {
    throw ERegex(code, pos_, TRegex::ErrorMsg(code) + " (pos " + std::to_string(pos_) + ")");
  }

  bool AtEnd() const { return pos_ >= text_.size(); }
  uint8_t Peek(size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? static_cast<uint8_t>(text_[pos_ + ahead]) : 0;
  }
  bool Has(size_t ahead) const { return pos_ + ahead < text_.size(); }

  // --- emitter ---------------------------------------------------------

  int32_t EmitNode(uint8_t op) {
    int32_t at = static_cast<int32_t>(code_.size());
    code_.push_back(op);
    code_.insert(code_.end(), 4, 0);
    return at;
  }
  void EmitByte(uint8_t b) { code_.push_back(b); }
  void EmitInt(int32_t v) {
    uint8_t bytes[4];
    RegexWriteInt(bytes, v);
    code_.insert(code_.end(), bytes, bytes + 4);
  }
  // Puts a node (with room for extra operand bytes) in front of the operand
  // that starts at `at`. Links inside the moved block are relative and stay
  // valid; nothing outside points into it yet.
  void Insert(uint8_t op, int32_t at, int extra) {
    std::vector<uint8_t> head(kRegexNodeHeader + extra, 0);
    head[0] = op;
    code_.insert(code_.begin() + at, head.begin(), head.end());
  }
  int32_t Next(int32_t node) const {
    int32_t offset = RegexReadInt(&code_[node + 1]);
    return offset == 0 ? 0 : node + offset;
  }
  void SetNext(int32_t node, int32_t target) { RegexWriteInt(&code_[node + 1], target - node); }
  // Links the last node of the chain starting at p to val.
  void Tail(int32_t p, int32_t val) {
    int32_t scan = p;
    for (int32_t next = Next(scan); next != 0; next = Next(scan)) scan = next;
    SetNext(scan, val);
  }
  void OpTail(int32_t p, int32_t val) {
    if (code_[p] == nkBranch) Tail(p + kRegexNodeHeader, val);
  }

  // --- grammar ---------------------------------------------------------

  // In extended mode white space and "#" comments between pieces are dropped.
  void SkipExtended() {
    if (!(mods_ & TRegex::kModX)) return;
    while (!AtEnd()) {
      uint8_t c = Peek();
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        ++pos_;
      } else if (c == '#') {
        while (!AtEnd() && Peek() != '\n' && Peek() != '\r') ++pos_;
      } else {
        break;
      }
    }
  }

  // "{" followed by digits and "}" or "," [digits] "}".
  bool BracesAt(size_t at) const {
    if (at >= text_.size() || text_[at] != '{') return false;
    size_t i = at + 1;
    size_t digits = 0;
    while (i < text_.size() && text_[i] >= '0' && text_[i] <= '9') ++i, ++digits;
    if (digits == 0 || i >= text_.size()) return false;
    if (text_[i] == '}') return true;
    if (text_[i] != ',') return false;
    ++i;
    while (i < text_.size() && text_[i] >= '0' && text_[i] <= '9') ++i;
    return i < text_.size() && text_[i] == '}';
  }
  bool QuantifierAt(size_t at) const {
    if (at >= text_.size()) return false;
    char c = text_[at];
    return c == '*' || c == '+' || c == '?' || BracesAt(at);
  }

  int32_t ParseReg(bool paren, int& flags) {
    const int savedMods = mods_;
    flags = kHasWidth;
    int32_t ret = 0;
    int groupNo = 0;
    if (paren) {
      if (groups_ >= kRegexMaxGroup) Fail(reeCompParseRegTooManyBrackets);
      groupNo = ++groups_;
      ret = EmitNode(static_cast<uint8_t>(nkOpen + groupNo));
    }
    int branchFlags = 0;
    int32_t br = ParseBranch(branchFlags);
    if (ret != 0) {
      Tail(ret, br);
    } else {
      ret = br;
    }
    if (!(branchFlags & kHasWidth)) flags &= ~kHasWidth;
    while (!AtEnd() && Peek() == '|') {
      ++pos_;
      br = ParseBranch(branchFlags);
      Tail(ret, br);
      if (!(branchFlags & kHasWidth)) flags &= ~kHasWidth;
    }
    int32_t ender = EmitNode(paren ? static_cast<uint8_t>(nkClose + groupNo) : static_cast<uint8_t>(nkEnd));
    Tail(ret, ender);
    for (int32_t scan = ret; scan != 0; scan = Next(scan)) OpTail(scan, ender);
    if (paren) {
      if (AtEnd() || Peek() != ')') Fail(reeCompParseRegUnmatchedBrackets);
      ++pos_;
    } else if (!AtEnd()) {
      ++pos_;
      Fail(text_[pos_ - 1] == ')' ? reeCompParseRegUnmatchedBrackets2 : reeCompParseRegJunkOnEnd);
    }
    mods_ = savedMods;
    return ret;
  }

  int32_t ParseBranch(int& flags) {
    flags = 0;
    int32_t ret = EmitNode(nkBranch);
    int32_t chain = 0;
    for (;;) {
      SkipExtended();
      if (AtEnd() || Peek() == '|' || Peek() == ')') break;
      int pieceFlags = 0;
      int32_t latest = ParsePiece(pieceFlags);
      flags |= pieceFlags & kHasWidth;
      if (chain != 0) Tail(chain, latest);
      chain = latest;
    }
    if (chain == 0) EmitNode(nkNothing);
    return ret;
  }

  int32_t ParsePiece(int& flags) {
    int atomFlags = 0;
    int32_t ret = ParseAtom(atomFlags);
    SkipExtended();
    if (!QuantifierAt(pos_)) {
      flags = atomFlags;
      return ret;
    }
    const char op = static_cast<char>(Peek());
    if (!(atomFlags & (kHasWidth | kBackRefAtom)) && op != '?') {
      ++pos_;
      Fail(rePlusStarOperandCouldBeEmpty);
    }
    int32_t min = 0;
    int32_t max = kRegexInfinity;
    if (op == '*') {
      ++pos_;
    } else if (op == '+') {
      min = 1;
      ++pos_;
    } else if (op == '?') {
      max = 1;
      ++pos_;
    } else {
      ++pos_;  // "{"
      min = ParseBraceNumber();
      if (Peek() == ',') {
        ++pos_;
        if (Peek() != '}') max = ParseBraceNumber();
      } else {
        max = min;
      }
      ++pos_;  // "}"
      if (max < min) Fail(reeBracesMinParamGreaterMax);
    }
    bool lazy = false;
    if (!AtEnd() && Peek() == '?') {
      lazy = true;
      ++pos_;
    }
    if (!(mods_ & TRegex::kModG)) lazy = true;

    if (atomFlags & kSimple) {
      if (op == '*') {
        Insert(lazy ? nkStarLazy : nkStar, ret, 0);
      } else if (op == '+') {
        Insert(lazy ? nkPlusLazy : nkPlus, ret, 0);
      } else if (op == '?' && !lazy) {
        EmitGreedyOptional(ret);
      } else {
        Insert(lazy ? nkBracesLazy : nkBraces, ret, 8);
        RegexWriteInt(&code_[ret + kRegexNodeHeader], min);
        RegexWriteInt(&code_[ret + kRegexNodeHeader + 4], max);
      }
    } else if (!lazy && op == '*') {
      Insert(nkBranch, ret, 0);
      OpTail(ret, EmitNode(nkBack));
      OpTail(ret, ret);
      Tail(ret, EmitNode(nkBranch));
      Tail(ret, EmitNode(nkNothing));
    } else if (!lazy && op == '+') {
      int32_t next = EmitNode(nkBranch);
      Tail(ret, next);
      Tail(EmitNode(nkBack), ret);
      Tail(next, EmitNode(nkBranch));
      Tail(ret, EmitNode(nkNothing));
    } else if (!lazy && op == '?') {
      EmitGreedyOptional(ret);
    } else {
      // Counted loop: the entry goes straight to the loop node, which
      // decides whether to run the body (which sits between the two).
      Insert(nkLoopEntry, ret, 0);
      int32_t body = ret + kRegexNodeHeader;
      int32_t loop = EmitNode(lazy ? nkLoopLazy : nkLoop);
      EmitInt(min);
      EmitInt(max);
      EmitInt(body - loop);
      Tail(body, loop);
      SetNext(ret, loop);
    }

    flags = (min > 0) ? (atomFlags & kHasWidth) : 0;
    SkipExtended();
    if (QuantifierAt(pos_)) {
      ++pos_;
      Fail(reeNestedSQP);
    }
    return ret;
  }

  void EmitGreedyOptional(int32_t ret) {
    Insert(nkBranch, ret, 0);
    Tail(ret, EmitNode(nkBranch));
    int32_t next = EmitNode(nkNothing);
    Tail(ret, next);
    OpTail(ret, next);
  }

  int32_t ParseBraceNumber() {
    int32_t value = 0;
    int digits = 0;
    while (!AtEnd() && Peek() >= '0' && Peek() <= '9') {
      ++pos_;
      if (++digits > 8) Fail(reeBRACESArgTooBig);
      value = value * 10 + (text_[pos_ - 1] - '0');
    }
    return value;
  }

  int32_t ParseAtom(int& flags) {
    flags = 0;
    const uint8_t c = Peek();
    switch (c) {
      case '^':
        ++pos_;
        return EmitNode(MultiLine() ? nkLineStart : nkInputStart);
      case '$':
        ++pos_;
        return EmitNode(MultiLine() ? nkLineEnd : nkInputEnd);
      case '.':
        ++pos_;
        flags = kHasWidth | kSimple;
        return EmitNode((mods_ & TRegex::kModS) ? nkAny : nkAnyInLine);
      case '[':
        flags = kHasWidth | kSimple;
        return ParseClass();
      case '(':
        ++pos_;
        if (Peek() == '?' && Has(0)) {
          ++pos_;
          if (Peek() == '#') {
            size_t close = text_.find(')', pos_);
            if (close == std::string_view::npos) {
              pos_ = text_.size();
              Fail(reeUnclosedComment);
            }
            pos_ = close + 1;
          } else {
            ParseModifiers();
          }
          return EmitNode(nkComment);
        } else {
          int groupFlags = 0;
          int32_t ret = ParseReg(true, groupFlags);
          flags = groupFlags & kHasWidth;
          return ret;
        }
      case '|':
      case ')':
        ++pos_;
        Fail(reeRarseAtomInternalDisaster);
      case '?':
      case '+':
      case '*':
        ++pos_;
        Fail(reeQPSBFollowsNothing);
      case '\\':
        return ParseEscape(flags);
      default:
        return ParseLiteralRun(flags);
    }
  }

  bool MultiLine() const {
    return (mods_ & TRegex::kModM) &&
           (!options_.lineSeparators.empty() || !options_.pairedSeparator.empty());
  }

  void ParseModifiers() {
    bool on = true;
    for (;;) {
      if (AtEnd()) Fail(reeUrecognizedModifier);
      uint8_t c = Peek();
      ++pos_;
      if (c == ')') return;
      if (c == '-') {
        on = false;
        continue;
      }
      int bit = 0;
      switch (c | 0x20) {
        case 'i': bit = TRegex::kModI; break;
        case 'r': bit = TRegex::kModR; break;
        case 's': bit = TRegex::kModS; break;
        case 'g': bit = TRegex::kModG; break;
        case 'm': bit = TRegex::kModM; break;
        case 'x': bit = TRegex::kModX; break;
        default: Fail(reeUrecognizedModifier);
      }
      if (on) {
        mods_ |= bit;
      } else {
        mods_ &= ~bit;
      }
    }
  }

  // After "\x": two hexadecimal digits, or "{" digits "}".
  uint8_t ParseHex() {
    if (AtEnd()) Fail(reeNoHexCodeAfterBSlashX);
    if (Peek() == '{') {
      ++pos_;
      int value = 0;
      int digits = 0;
      for (;;) {
        if (AtEnd()) Fail(reeNoHexCodeAfterBSlashX);
        uint8_t c = Peek();
        ++pos_;
        if (c == '}' && digits > 0) break;
        if (!IsHexDigit(c)) Fail(reeBadHexDigit);
        value = value * 16 + HexValue(c);
        if (value > 255) Fail(reeHexCodeAfterBSlashXTooBig);
        ++digits;
      }
      return static_cast<uint8_t>(value);
    }
    int value = 0;
    for (int i = 0; i < 2; ++i) {
      if (AtEnd()) Fail(reeNoHexCodeAfterBSlashX);
      uint8_t c = Peek();
      ++pos_;
      if (!IsHexDigit(c)) Fail(reeBadHexDigit);
      value = value * 16 + HexValue(c);
    }
    return static_cast<uint8_t>(value);
  }

  // The character an escape stands for (pos_ is on the letter after "\").
  uint8_t EscapedChar() {
    uint8_t c = Peek();
    ++pos_;
    switch (c) {
      case 't': return 9;
      case 'n': return 10;
      case 'r': return 13;
      case 'f': return 12;
      case 'a': return 7;
      case 'e': return 27;
      case 'x': return ParseHex();
      default: return c;
    }
  }

  TCharSet SetOf(const std::string& chars) const {
    TCharSet set;
    for (char ch : chars) set.Add(static_cast<uint8_t>(ch));
    return set;
  }
  TCharSet DigitSet() const {
    TCharSet set;
    set.AddRange('0', '9');
    return set;
  }

  int32_t ParseEscape(int& flags) {
    ++pos_;  // backslash
    if (AtEnd()) Fail(reeTrailingBackSlash);
    const uint8_t c = Peek();
    switch (c) {
      case 'd':
        ++pos_;
        flags = kHasWidth | kSimple;
        return EmitNode(nkDigit);
      case 'D':
        ++pos_;
        flags = kHasWidth | kSimple;
        return EmitNode(nkNotDigit);
      case 'w':
      case 'W':
      case 's':
      case 'S': {
        ++pos_;
        flags = kHasWidth | kSimple;
        TCharSet set = (c == 'w' || c == 'W') ? options_.wordChars : options_.spaceChars;
        return EmitSet(set, c == 'W' || c == 'S');
      }
      case 'b':
        ++pos_;
        return EmitNode(nkWordBoundary);
      case 'B':
        ++pos_;
        return EmitNode(nkNotWordBoundary);
      case 'A':
        ++pos_;
        return EmitNode(nkInputStart);
      case 'Z':
        ++pos_;
        return EmitNode(nkInputEnd);
      default:
        break;
    }
    if (c >= '1' && c <= '9') {
      ++pos_;
      flags = kSimple | kBackRefAtom;
      int32_t ret = EmitNode((mods_ & TRegex::kModI) ? nkBackRefFold : nkBackRef);
      EmitByte(static_cast<uint8_t>(c - '0'));
      return ret;
    }
    flags = kHasWidth | kSimple;
    return EmitChar(EscapedChar());
  }

  int32_t EmitChar(uint8_t ch) {
    if (ch == 0) {
      // The input ends at its first NUL, so a NUL in the expression can
      // never match; a class that admits nothing says exactly that.
      int32_t ret = EmitNode(nkAnyOfSmall);
      EmitByte(0);
      EmitByte(0);
      EmitByte(0);
      return ret;
    }
    int32_t ret = EmitNode((mods_ & TRegex::kModI) ? nkExactFold : nkExact);
    EmitByte(ch);
    EmitByte(0);
    return ret;
  }

  // A class from its member set; small ones keep their characters.
  int32_t EmitSet(TCharSet set, bool negate) {
    int count = set.Count();
    if (count >= 1 && count <= 3) {
      int32_t ret = EmitNode(negate ? nkAnyButSmall : nkAnyOfSmall);
      uint8_t chars[3];
      int n = 0;
      for (int ch = 0; ch < 256; ++ch) {
        if (set.Has(static_cast<uint8_t>(ch))) chars[n++] = static_cast<uint8_t>(ch);
      }
      for (int i = n; i < 3; ++i) chars[i] = chars[n - 1];
      for (uint8_t ch : chars) EmitByte(ch);
      return ret;
    }
    if (negate) set.Invert();
    int32_t ret = EmitNode(nkAnyOfSet);
    for (int i = 0; i < 32; ++i) {
      uint8_t byte = 0;
      for (int b = 0; b < 8; ++b) {
        if (set.Has(static_cast<uint8_t>(i * 8 + b))) byte |= static_cast<uint8_t>(1u << b);
      }
      EmitByte(byte);
    }
    return ret;
  }

  void ClassAdd(TCharSet& set, uint8_t ch) const {
    set.Add(ch);
    if (mods_ & TRegex::kModI) set.Add(options_.invertCase[ch]);
  }

  void ClassAddRange(TCharSet& set, int from, int to) const {
    for (int ch = from; ch <= to; ++ch) ClassAdd(set, static_cast<uint8_t>(ch));
  }

  int32_t ParseClass() {
    ++pos_;  // "["
    bool negate = false;
    if (Peek() == '^' && Has(0)) {
      negate = true;
      ++pos_;
    }
    TCharSet set;
    bool first = true;
    for (;;) {
      if (AtEnd()) Fail(reeUnmatchedSqBrackets);
      uint8_t c = Peek();
      if (c == ']' && !first) {
        ++pos_;
        break;
      }
      first = false;
      uint8_t from;
      if (c == '\\') {
        ++pos_;
        if (AtEnd()) Fail(reeParseAtomTrailingBackSlash);
        uint8_t e = Peek();
        if (e == 'd' || e == 's' || e == 'w') {
          ++pos_;
          TCharSet add = e == 'd' ? DigitSet() : e == 's' ? options_.spaceChars : options_.wordChars;
          for (int ch = 0; ch < 256; ++ch) {
            if (add.Has(static_cast<uint8_t>(ch))) ClassAdd(set, static_cast<uint8_t>(ch));
          }
          continue;
        }
        from = EscapedChar();
      } else {
        from = c;
        ++pos_;
      }
      // A range needs "-" and an end that is neither "]" nor a class escape.
      bool range = Peek() == '-' && Has(1) && text_[pos_ + 1] != ']';
      if (range && text_[pos_ + 1] == '\\' && Has(2)) {
        char e = text_[pos_ + 2];
        if (e == 'd' || e == 's' || e == 'w') range = false;
      }
      if (!range) {
        ClassAdd(set, from);
        continue;
      }
      ++pos_;  // "-"
      uint8_t to;
      if (Peek() == '\\') {
        ++pos_;
        if (AtEnd()) Fail(reeParseAtomTrailingBackSlash);
        to = EscapedChar();
      } else {
        to = Peek();
        ++pos_;
      }
      if (mods_ & TRegex::kModR) {
        // Cyrillic letters of code page 1251: the plain code ranges miss
        // the letter yo (184 and 168).
        if (from == 224 && to == 255) {
          ClassAddRange(set, 224, 255);
          ClassAdd(set, 184);
          continue;
        }
        if (from == 192 && to == 223) {
          ClassAddRange(set, 192, 223);
          ClassAdd(set, 168);
          continue;
        }
        if (from == 224 && to == 223) {
          ClassAddRange(set, 192, 255);
          ClassAdd(set, 168);
          ClassAdd(set, 184);
          continue;
        }
      }
      if (to < from) Fail(reeInvalidRange);
      ClassAddRange(set, from, to);
    }
    VANTREL_ASSERT(set.Count() > 0 && "TRegex.ParseAtom(subroutine EmitRangeC): empty range",
                   "Regex");
    return EmitSet(set, negate);
  }

  bool IsMeta(uint8_t c) const { return kMeta.find(static_cast<char>(c)) != std::string_view::npos; }

  int32_t ParseLiteralRun(int& flags) {
    std::string run;
    std::vector<size_t> sources;
    // The first character is literal even when it is "{" (no valid braces).
    run.push_back(static_cast<char>(Peek()));
    sources.push_back(pos_);
    ++pos_;
    for (;;) {
      SkipExtended();
      if (AtEnd() || IsMeta(Peek())) break;
      run.push_back(static_cast<char>(Peek()));
      sources.push_back(pos_);
      ++pos_;
    }
    // A quantifier applies to the last character only.
    if (run.size() > 1 && QuantifierAt(pos_)) {
      pos_ = sources.back();
      run.pop_back();
    }
    flags = kHasWidth | (run.size() == 1 ? kSimple : 0);
    int32_t ret = EmitNode((mods_ & TRegex::kModI) ? nkExactFold : nkExact);
    for (char ch : run) EmitByte(static_cast<uint8_t>(ch));
    EmitByte(0);
    return ret;
  }

  std::string_view text_;
  const TRegexCompileOptions& options_;
  std::vector<uint8_t>& code_;
  size_t pos_ = 0;
  int mods_ = 0;
  int groups_ = 0;
};

// --- analysis ------------------------------------------------------------

int32_t SimpleNodeSize(const std::vector<uint8_t>& code, int32_t node) {
  switch (code[node]) {
    case nkExact:
    case nkExactFold:
      return kRegexNodeHeader +
             static_cast<int32_t>(std::strlen(reinterpret_cast<const char*>(&code[node + kRegexNodeHeader]))) + 1;
    case nkAnyOfSmall:
    case nkAnyButSmall:
      return kRegexNodeHeader + 3;
    case nkAnyOfSet:
      return kRegexNodeHeader + 32;
    case nkBackRef:
    case nkBackRefFold:
      return kRegexNodeHeader + 1;
    case nkLoop:
    case nkLoopLazy:
      return kRegexNodeHeader + 12;
    case nkStar:
    case nkPlus:
    case nkStarLazy:
    case nkPlusLazy:
      return kRegexNodeHeader + SimpleNodeSize(code, node + kRegexNodeHeader);
    case nkBraces:
    case nkBracesLazy:
      return kRegexNodeHeader + 8 + SimpleNodeSize(code, node + kRegexNodeHeader + 8);
    default:
      return kRegexNodeHeader;
  }
}

// Characters a single simple node may consume.
void AddSimpleChars(const TRegexProgram& program, int32_t node, TCharSet& set) {
  const uint8_t* n = &program.code[node];
  const uint8_t* operand = n + kRegexNodeHeader;
  switch (n[0]) {
    case nkExact:
      set.Add(operand[0]);
      break;
    case nkExactFold:
      set.Add(operand[0]);
      set.Add(program.invertCase[operand[0]]);
      break;
    case nkDigit:
      set.AddRange('0', '9');
      break;
    case nkNotDigit: {
      TCharSet other;
      other.AddRange('0', '9');
      other.Invert();
      set.AddSet(other);
      break;
    }
    case nkAnyOfSmall:
      set.Add(operand[0]);
      set.Add(operand[1]);
      set.Add(operand[2]);
      break;
    case nkAnyButSmall: {
      TCharSet other;
      other.Add(operand[0]);
      other.Add(operand[1]);
      other.Add(operand[2]);
      other.Invert();
      set.AddSet(other);
      break;
    }
    case nkAnyOfSet:
      for (int ch = 0; ch < 256; ++ch) {
        if (operand[ch >> 3] & (1u << (ch & 7))) set.Add(static_cast<uint8_t>(ch));
      }
      break;
    default:  // any, any-in-line, back-references
      set.Fill();
      break;
  }
}

// What the first character may be wherever matching continues at `start`
// (NUL stands for the end of the input). Walks the node graph with a work
// list; gives up with the full set when the walk gets long.
class TFirstChars {
 public:
  explicit TFirstChars(const TRegexProgram& program)
      : program_(program), stamp_(program.code.size(), 0) {}

  TCharSet From(int32_t start) {
    TCharSet set;
    ++generation_;
    work_.clear();
    Push(start);
    int visited = 0;
    while (!work_.empty()) {
      int32_t node = work_.back();
      work_.pop_back();
      if (++visited > kMaxVisit) {
        set.Fill();
        return set;
      }
      const uint8_t op = program_.code[node];
      const int32_t next = program_.Next(node);
      switch (op) {
        case nkEnd:
        case nkAny:
        case nkAnyInLine:
        case nkBackRef:
        case nkBackRefFold:
          set.Fill();
          return set;
        case nkInputEnd:
          set.Add(0);
          break;
        case nkLineEnd:
          set.Add(0);
          set.AddSet(program_.lineSeparators);
          if (!program_.pairedSeparator.empty()) set.Add(static_cast<uint8_t>(program_.pairedSeparator[0]));
          break;
        case nkExact:
        case nkExactFold:
        case nkDigit:
        case nkNotDigit:
        case nkAnyOfSmall:
        case nkAnyButSmall:
        case nkAnyOfSet:
          AddSimpleChars(program_, node, set);
          break;
        case nkStar:
        case nkStarLazy:
          AddSimpleChars(program_, node + kRegexNodeHeader, set);
          Push(next);
          break;
        case nkPlus:
        case nkPlusLazy:
          AddSimpleChars(program_, node + kRegexNodeHeader, set);
          break;
        case nkBraces:
        case nkBracesLazy:
          AddSimpleChars(program_, node + kRegexNodeHeader + 8, set);
          if (RegexReadInt(&program_.code[node + kRegexNodeHeader]) == 0) Push(next);
          break;
        case nkBranch:
          Push(node + kRegexNodeHeader);
          if (next != 0 && program_.code[next] == nkBranch) Push(next);
          break;
        case nkLoop:
        case nkLoopLazy:
          Push(node + RegexReadInt(&program_.code[node + kRegexNodeHeader + 8]));
          Push(next);
          break;
        default:  // zero-width nodes: anchors, boundaries, comments, group marks, loop entry
          Push(next);
          break;
      }
    }
    return set;
  }

 private:
  static constexpr int kMaxVisit = 1024;

  void Push(int32_t node) {
    if (node == 0 || stamp_[node] == generation_) return;
    stamp_[node] = generation_;
    work_.push_back(node);
  }

  const TRegexProgram& program_;
  std::vector<uint32_t> stamp_;
  uint32_t generation_ = 0;
  std::vector<int32_t> work_;
};

// Zero-width nodes that may stand before the first consuming node without
// tying a match to anything but its position: no loop entries (counters).
bool IsStartFreeZeroWidth(uint8_t op) {
  return op == nkComment || op == nkWordBoundary || op == nkNotWordBoundary || op == nkLineStart ||
         op == nkInputStart || (op > nkOpen && op <= nkOpen + kRegexMaxGroup);
}

bool IsBackRef(uint8_t op) { return op == nkBackRef || op == nkBackRefFold; }

// The operand of a simple repeat, or 0 for other nodes.
int32_t RepeatOperand(const std::vector<uint8_t>& code, int32_t node) {
  switch (code[node]) {
    case nkStar:
    case nkPlus:
    case nkStarLazy:
    case nkPlusLazy:
      return node + kRegexNodeHeader;
    case nkBraces:
    case nkBracesLazy:
      return node + kRegexNodeHeader + 8;
    default:
      return 0;
  }
}

bool IsUnboundedRepeat(const std::vector<uint8_t>& code, int32_t node) {
  const int32_t operand = RepeatOperand(code, node);
  if (operand == 0 || IsBackRef(code[operand])) return false;
  if (code[node] != nkBraces && code[node] != nkBracesLazy) return true;
  return RegexReadInt(&code[node + kRegexNodeHeader + 4]) == kRegexInfinity;
}

// Finds the leading repeat and the alternation heads whose failures the
// matcher may remember. A back-reference makes the rest of a match depend
// on where groups began, so then nothing is reused.
void FindReusableFailures(TRegexProgram& program, const std::vector<bool>& alternative) {
  const auto& code = program.code;
  program.leadRepeat = 0;
  program.memoSlot.assign(code.size(), -1);
  program.memoSlots = 0;
  program.nodeCount = 0;
  bool backRefs = false;
  for (int32_t node = 1; node < static_cast<int32_t>(code.size()); node += SimpleNodeSize(code, node)) {
    ++program.nodeCount;
    const int32_t operand = RepeatOperand(code, node);
    if (IsBackRef(code[node]) || (operand != 0 && IsBackRef(code[operand]))) backRefs = true;
  }
  if (backRefs) {
    program.memoSlot.clear();
    return;
  }
  // Only the first branch of a chain is an entry point.
  std::vector<bool> continued(code.size(), false);
  for (int32_t node = 1; node < static_cast<int32_t>(code.size()); node += SimpleNodeSize(code, node)) {
    if (alternative[node]) continued[program.Next(node)] = true;
  }
  for (int32_t node = 1; node < static_cast<int32_t>(code.size()); node += SimpleNodeSize(code, node)) {
    if (alternative[node] && !continued[node]) program.memoSlot[node] = program.memoSlots++;
  }
  if (code[program.Next(1)] != nkEnd) return;
  // Zero-width nodes in front of the repeat are fine: at a later start they
  // only add conditions. Loop entries are not: they start counters.
  for (int32_t scan = 1 + kRegexNodeHeader; scan != 0; scan = program.Next(scan)) {
    const uint8_t op = code[scan];
    if (IsUnboundedRepeat(code, scan)) {
      program.leadRepeat = scan;
      return;
    }
    if (!IsStartFreeZeroWidth(op)) return;
  }
}

// Index of the byte of text[0, length) that is least common in source
// text and prose, so that a search for it stops least often.
int32_t RarestByte(const uint8_t* text, int32_t length) {
  static constexpr std::string_view kCommonFirst = " etaoinsrlcdhupmfgbyw_()vxk;=,.\t";
  auto rank = [](uint8_t c) {
    const size_t at = kCommonFirst.find(static_cast<char>(c));
    return at == std::string_view::npos ? kCommonFirst.size() : at;
  };
  int32_t rarest = 0;
  for (int32_t i = 1; i < length; ++i) {
    if (rank(text[i]) > rank(text[rarest])) rarest = i;
  }
  return rarest;
}

// When every match starts with an alternation of plain literals, a start
// position that begins with none of them needs no try.
void FindLeadLiterals(TRegexProgram& program, int32_t leading) {
  constexpr size_t kMaxLiterals = 8;
  const auto& code = program.code;
  program.leadLiterals.clear();
  if (leading == 0 || code[leading] != nkBranch) return;
  const int32_t second = program.Next(leading);
  if (second == 0 || code[second] != nkBranch) return;
  // The same chain the matcher walks: branches linked by their next.
  for (int32_t branch = leading; branch != 0 && code[branch] == nkBranch; branch = program.Next(branch)) {
    const int32_t body = branch + kRegexNodeHeader;
    if (code[body] != nkExact || program.leadLiterals.size() == kMaxLiterals) {
      program.leadLiterals.clear();
      return;
    }
    program.leadLiterals.push_back(body + kRegexNodeHeader);
  }
}

// See TRegexProgram::anchoredRunCheck. Only a greedy repeat without upper
// bound whose shorter counts cannot go on qualifies.
void FindAnchoredRun(TRegexProgram& program, int32_t leading) {
  const auto& code = program.code;
  program.anchoredRunCheck = false;
  if (leading == 0 || (code[leading] != nkStar && code[leading] != nkPlus)) return;
  const int32_t operand = RepeatOperand(code, leading);
  const TCharSet* follow = program.SetOf(leading);
  // The operand's set must be exact, which it is not for these.
  if (operand == 0 || IsBackRef(code[operand]) || code[operand] == nkAnyInLine) return;
  if (follow == nullptr || !program.exclusiveRepeat[leading]) return;
  TCharSet run;
  AddSimpleChars(program, operand, run);
  for (int c = 1; c < 256; ++c) {
    program.anchoredRun[c] = run.Has(static_cast<uint8_t>(c));
    program.anchoredFollow[c] = follow->Has(static_cast<uint8_t>(c));
  }
  program.anchoredRun[0] = 0;
  program.anchoredFollow[0] = follow->Has(0);
  program.anchoredRunCheck = true;
}

void Analyse(TRegexProgram& program) {
  const auto& code = program.code;
  TFirstChars first(program);
  program.firstCharSet = first.From(1);

  program.nodeSet.assign(code.size(), -1);
  program.exclusiveRepeat.assign(code.size(), false);
  program.sets.clear();
  // Branch nodes that follow another branch are alternatives too.
  std::vector<bool> alternative(code.size(), false);
  for (int32_t node = 1; node < static_cast<int32_t>(code.size()); node += SimpleNodeSize(code, node)) {
    int32_t next = code[node] == nkBranch ? program.Next(node) : 0;
    if (next != 0 && code[next] == nkBranch) {
      alternative[node] = true;
      alternative[next] = true;
    }
  }
  auto remember = [&](int32_t index, const TCharSet& set) {
    program.nodeSet[index] = static_cast<int32_t>(program.sets.size());
    program.sets.push_back(set);
  };
  for (int32_t node = 1; node < static_cast<int32_t>(code.size()); node += SimpleNodeSize(code, node)) {
    switch (code[node]) {
      case nkBranch:
        // Only alternatives of a real alternation are ever skipped.
        if (alternative[node]) remember(node, first.From(node + kRegexNodeHeader));
        break;
      case nkStar:
      case nkPlus:
      case nkBraces: {
        const TCharSet follow = first.From(program.Next(node));
        TCharSet operand;
        AddSimpleChars(program, RepeatOperand(code, node), operand);
        program.exclusiveRepeat[node] = !operand.Intersects(follow);
        remember(node, follow);
        break;
      }
      case nkStarLazy:
      case nkPlusLazy:
      case nkBracesLazy:
        remember(node, first.From(program.Next(node)));
        break;
      case nkLoop:
      case nkLoopLazy:
        remember(node, first.From(program.Next(node)));
        remember(node + 1, first.From(node + RegexReadInt(&code[node + kRegexNodeHeader + 8])));
        break;
      default:
        break;
    }
  }

  FindReusableFailures(program, alternative);

  // With a single top-level alternative, the chain it runs along tells the
  // start character, anchoring and a literal every match must contain.
  program.anchored = false;
  program.startChar = 0;
  program.requiredOffset = -1;
  program.requiredLength = 0;
  program.requiredAtStart = false;
  program.leadLiterals.clear();
  program.anchoredRunCheck = false;
  program.startScan = TRegexStartScan();
  for (int c = 0; c < 256; ++c) program.firstTable[c] = program.firstCharSet.Has(static_cast<uint8_t>(c));
  if (code[program.Next(1)] == nkEnd) {
    int32_t scan = 1 + kRegexNodeHeader;
    if (code[scan] == nkExact) program.startChar = code[scan + kRegexNodeHeader];
    if (code[scan] == nkInputStart) program.anchored = true;
    int32_t leading = scan;  // the first node that consumes input
    while (leading != 0 && IsStartFreeZeroWidth(code[leading])) leading = program.Next(leading);
    for (; scan != 0; scan = program.Next(scan)) {
      if (code[scan] != nkExact) continue;
      int32_t length = static_cast<int32_t>(
          std::strlen(reinterpret_cast<const char*>(&code[scan + kRegexNodeHeader])));
      if (length > program.requiredLength) {
        program.requiredLength = length;
        program.requiredOffset = scan + kRegexNodeHeader;
        program.requiredAtStart = scan == leading;
      }
    }
    FindLeadLiterals(program, leading);
    RegexPrepareStartScan(program);
    if (program.anchored) FindAnchoredRun(program, leading);
    program.requiredRare = RarestByte(&code[program.requiredOffset >= 0 ? program.requiredOffset : 0],
                                      program.requiredLength);
  }
}

}  // namespace

void TRegexCompiler::Compile(std::string_view expression, const TRegexCompileOptions& options,
                             TRegexProgram& program) {
  // The expression is NUL-terminated text: a NUL ends it.
  expression = expression.substr(0, expression.find('\0'));
  program.modifiers = options.modifiers;
  program.invertCase = options.invertCase;
  program.wordChars = options.wordChars;
  program.lineSeparators = TCharSet();
  for (char ch : options.lineSeparators) program.lineSeparators.Add(static_cast<uint8_t>(ch));
  program.pairedSeparator = options.pairedSeparator;
  TParser parser(expression, options, program);
  parser.Run();
  Analyse(program);
}

}  // namespace vantrel
