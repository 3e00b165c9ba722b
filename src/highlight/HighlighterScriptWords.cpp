// The scanner the shell and Ruby highlighters share.
// Tested by tests/highlight/HighlighterShellTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterScriptWords.h"

namespace vantrel {

namespace {

bool IsWordStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsWordChar(char c) { return IsWordStart(c) || (c >= '0' && c <= '9'); }

const TNumberRule kNumberRule{MakeCharSet(".0123456789Ee"), /*StopBeforeDoubleDot=*/true};

}  // namespace

TWordListScriptHighlighter::TWordListScriptHighlighter(const TLanguageInfo& info,
                                                       std::initializer_list<TAttributeSpec> attributes,
                                                       const TSortedWordList& keywords)
    : TKitHighlighter(info, attributes), keywords_(keywords) {}

int TWordListScriptHighlighter::WordKind(std::string_view word) const {
  int kind = keywords_.FindUpperCased(word, stkIdentifier);
  return kind != stkIdentifier ? kind : secondKeyWords_.FindUpperCased(word, stkIdentifier);
}

bool TWordListScriptHighlighter::IsKeyword(std::string_view word) const {
  return !word.empty() && WordKind(word) != stkIdentifier;
}

std::vector<std::string> TWordListScriptHighlighter::SecondKeyWords() const {
  std::vector<std::string> words;
  for (int i = 0; i < secondKeyWords_.Count(); ++i) words.push_back(secondKeyWords_.Word(i));
  return words;
}

void TWordListScriptHighlighter::SetSecondKeyWords(const std::vector<std::string>& words) {
  secondKeyWords_.Clear();
  for (const std::string& word : words) secondKeyWords_.Add(word, stkSecondKey);
}

void TWordListScriptHighlighter::NextToken() {
  tokenPos_ = run_;
  if (ScanBlankOrLineEnd() || ScanLanguageToken()) return;
  const char c = line_[run_];
  if (c == '#') {
    tokenKind_ = stkComment;
    SkipToLineEnd();
  } else if (c == '"' || c == '\'') {
    StringProc(c);
  } else if (c >= '0' && c <= '9') {
    tokenKind_ = stkNumber;
    ScanNumber(kNumberRule);
  } else if (IsWordStart(c)) {
    WordProc();
  } else {
    ScanCharacter(stkSymbol);
  }
}

void TWordListScriptHighlighter::WordProc() {
  while (IsWordChar(line_[run_])) ++run_;
  // `g++` is in the shell's list though `+` ends a word.
  if (line_[run_] == '+' && line_[run_ + 1] == '+') {
    std::string_view withPluses(line_ + tokenPos_, size_t(run_ + 2 - tokenPos_));
    if (WordKind(withPluses) != stkIdentifier) run_ += 2;
  }
  tokenKind_ = WordKind(TokenView());
}

void TWordListScriptHighlighter::StringProc(char quote) {
  tokenKind_ = stkString;
  ++run_;
  if (line_[run_] == quote && line_[run_ + 1] == quote) run_ += 2;
  SkipToQuote(quote);
}

}  // namespace vantrel
