// The C/C++ range state of a line without its tokens: ordinary code is
// skipped up to the next byte that can open a literal, a comment or a
// directive, and bodies are skipped with the C library's string search. It
// must end every line in the state the token loop ends it in; whatever it is
// not sure of (asm, bytes above 126, a line break inside a directive) goes
// to the token loop instead.
// Tested by tests/highlight/HighlighterCppTest.cpp and fuzz/fuzz_highlighters.cpp
#include <array>
#include <cstdint>
#include <cstring>

#include "highlight/HighlighterCpp.h"

namespace vantrel {

namespace {

constexpr int kUseTokenLoop = -1;

// Bytes of ordinary code where the range may change: the literal, comment
// and directive starters, the `m` ending an `asm` keyword, and every byte the
// token loop may read as a double-byte character. The other ASCII bytes that
// scan as one unknown character cannot be lead bytes of any code page.
constexpr std::array<bool, 256> MakeCodeStops() {
  std::array<bool, 256> t{};
  t[0] = true;
  for (char c : std::string_view("\"'/#m")) t[uint8_t(c)] = true;
  for (int c = 127; c <= 255; ++c) t[size_t(c)] = true;
  return t;
}
constexpr std::array<bool, 256> kCodeStops = MakeCodeStops();

constexpr bool IsLineEndChar(char c) { return c == '\0' || c == '\n' || c == '\r'; }

// One line, NUL-terminated, scanned from a start state. The parts hand on
// to each other through a loop, not calls, so a line of a million comments
// does not deepen the stack.
class CppRangeScan {
 public:
  explicit CppRangeScan(const char* line) : line_(line), p_(line) {}

  int Run(int state) {
    Part part;
    switch (state) {
      case crsNormal:
        part = kCode;
        break;
      case crsBlockComment:
        part = kComment;
        break;
      case crsDirectiveComment:
        part = kDirectiveComment;
        break;
      case crsStringContinued:
        if (SkipLineBreaksAtEnd()) return state;
        if (Quoted('"')) return crsStringContinued;
        part = kCode;
        break;
      case crsDirectiveContinued:
        if (SkipLineBreaksAtEnd()) return state;
        part = kDirectiveContinued;
        break;
      default:
        return kUseTokenLoop;
    }
    while (part != kDone) {
      switch (part) {
        case kCode: part = Code(); break;
        case kComment: part = BlockComment(crsBlockComment); break;
        case kDirectiveComment: part = BlockComment(crsDirectiveComment); break;
        case kDirectiveContinued: part = DirectiveContinued(); break;
        case kDirectiveBody: part = DirectiveBody(); break;
        case kDone: break;
      }
    }
    return end_;
  }

 private:
  enum Part { kCode, kComment, kDirectiveComment, kDirectiveContinued, kDirectiveBody, kDone };

  Part Done(int end) {
    end_ = end;
    return kDone;
  }

  // A construct carried into the line stays open across an empty line and
  // across line breaks at its start.
  bool SkipLineBreaksAtEnd() {
    while (*p_ == '\r' || *p_ == '\n') ++p_;
    return *p_ == '\0';
  }

  Part Code() {
    for (;;) {
      while (!kCodeStops[uint8_t(*p_)]) ++p_;
      switch (*p_) {
        case '\0':
          return Done(crsNormal);
        case '"':
          ++p_;
          if (Quoted('"')) return Done(crsStringContinued);
          break;
        case '\'':
          ++p_;
          Quoted('\'');  // a character literal never continues
          break;
        case '/':
          if (p_[1] == '/') {
            LineComment();
          } else if (p_[1] == '*') {
            p_ += 2;
            return kComment;
          } else {
            ++p_;
          }
          break;
        case '#':
          if (StartsDirective()) return kDirectiveBody;
          ++p_;
          break;
        case 'm':
          if (p_ - line_ >= 2 && p_[-2] == 'a' && p_[-1] == 's') return Done(kUseTokenLoop);
          ++p_;
          break;
        default:
          return Done(kUseTokenLoop);
      }
    }
  }

  // Past the closing quote, or at the line end; true when a backslash right
  // before the line's end carries the literal on.
  bool Quoted(char quote) {
    for (;;) {
      const char c = *p_;
      if (IsLineEndChar(c)) return false;
      if (c == quote) {
        ++p_;
        return false;
      }
      if (c == '\\') {
        if (p_[1] == '\0') {
          ++p_;
          return true;
        }
        if (p_[1] == quote || p_[1] == '\\') ++p_;
      }
      ++p_;
    }
  }

  // The comment ends at a line break in the text; code goes on after it.
  void LineComment() { p_ += std::strcspn(p_, "\r\n"); }

  // p_ is inside the comment's body; line breaks in the text do not end it.
  Part BlockComment(int state) {
    const char* close = std::strstr(p_, "*/");
    if (!close) return Done(state);
    p_ = close + 2;
    if (state == crsDirectiveComment && !IsLineEndChar(*p_)) return kDirectiveContinued;
    return kCode;
  }

  bool StartsDirective() {
    if (!firstNonBlank_) {
      firstNonBlank_ = line_;
      while (*firstNonBlank_ != '\0' && uint8_t(*firstNonBlank_) <= ' ') ++firstNonBlank_;
    }
    return *firstNonBlank_ == '#';
  }

  Part DirectiveContinued() {
    if (p_[0] == '/' && p_[1] == '/') {
      LineComment();
      return kCode;
    }
    if (p_[0] == '/' && p_[1] == '*') {
      p_ += 2;
      return kDirectiveComment;
    }
    return kDirectiveBody;
  }

  Part DirectiveBody() {
    const char* const start = p_;
    for (;; ++p_) {
      const char c = *p_;
      if (c == '\0') return Done(crsNormal);
      if (c == '\r' || c == '\n') return Done(kUseTokenLoop);
      if (c == '/' && p_ > start) {
        if (p_[1] == '/') {
          LineComment();
          return kCode;
        }
        if (p_[1] == '*') {
          p_ += 2;
          return kDirectiveComment;
        }
      }
      if (c == '\\' && IsLineEndChar(p_[1])) return Done(p_[1] == '\0' ? crsDirectiveContinued : kUseTokenLoop);
    }
  }

  const char* const line_;
  const char* p_;
  const char* firstNonBlank_ = nullptr;
  int end_ = crsNormal;
};

}  // namespace

TLineRange TCppHighlighter::ScanLineRange(std::string_view text, int lineIndex) {
  SetLine(text, lineIndex);
  const int end = CppRangeScan(line_).Run(range_);
  if (end == kUseTokenLoop) return TKitHighlighter::ScanLineRange(text, lineIndex);
  range_ = end;
  return range_;
}

}  // namespace vantrel
