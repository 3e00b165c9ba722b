// The UNIX shell script highlighter.
// Tested by tests/highlight/HighlighterShellTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterShell.h"

namespace vantrel {

namespace {

const TSortedWordList& Keywords() {
  static const TSortedWordList list({
      "AWK", "BANNER", "BASENAME", "BDIFF", "BG", "BREAK", "CASE", "CAT", "CC", "CD", "CHDIR",
      "CHGRP", "CHMOD", "CHOWN", "CLEAR", "COMPRESS", "CONTINUE", "CP", "CPIO", "CUT", "DATE", "DD",
      "DIFF", "DF", "DO", "DONE", "DTPAD", "ECHO", "ELIF", "ELSE", "ESAC", "EVAL", "EXIT", "EXPORT",
      "EXPR", "FG", "FI", "FINGER", "FOLD", "FOR", "FTP", "G++", "GCC", "GETOPTS", "GREP", "GZIP",
      "HEAD", "HASH", "IF", "IN", "JOBS", "KILL", "LD", "LOGIN", "LN", "LS", "MAKE", "MKDIR", "MT",
      "MV", "NEWGRP", "NOHUP", "PASTE", "PING", "PERL", "PG", "PR", "PS", "PWD", "OD", "RCP", "READ",
      "REMSH", "RETURN", "RM", "RSH", "RWHO", "SED", "SET", "SH", "SHIFT", "STOP", "STRINGS",
      "STRIP", "SYNC", "TAIL", "TAR", "TELNET", "TEST", "TIMES", "THEN", "TPUT", "TRAP", "TRUE",
      "TTY", "TYPE", "ULIMIT", "UMASK", "UNSET", "UNTIL", "UUDECODE", "UUENCODE", "VI", "WAIT", "WC",
      "WHILE", "WHO", "XTERN", "ZCAT", "ZIP"},
                                    stkKey);
  return list;
}

constexpr std::string_view kSecondKeyWords[] = {
    "CDPATH", "EDITOR", "HOME", "IFS", "LANG", "LC_TYPE", "LC_MESSAGES", "LD_LIBRARY_PATH",
    "LOGNAME", "MAIL", "MAILCHECK", "MAILPATH", "MANPATH", "PATH", "PS1", "PS2", "PWD", "SHACCT",
    "SHELL", "SHLIB_PATH", "TERM", "TERMCAP", "TZ"};

bool IsIdentChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

TUNIXShellScriptHighlighter::TUNIXShellScriptHighlighter()
    : TWordListScriptHighlighter(
          {.LanguageName = "UNIX Shell Script",
           .DefaultFilter = "UNIX Shell Scripts (*.sh)|*.sh",
           .EndKind = stkNull,
           .SpaceKind = stkSpace,
           .Defaults = {stkComment, stkIdentifier, stkKey, stkString, stkSpace, stkSymbol},
           .Ranges = {0},
           .InitialRange = 0},
          {
              {stkComment, "CommentAttri", "Comment", 0, clGreen},
              {stkIdentifier, "IdentifierAttri", "Identifier"},
              {stkKey, "KeyAttri", "Reserved Word", fsBold, clNavy},
              {stkSecondKey, "SecondKeyAttri", "Second Reserved Word"},
              {stkNumber, "NumberAttri", "Number", 0, clBlue},
              {stkSpace, "SpaceAttri", "Space"},
              {stkString, "StringAttri", "String", 0, clMaroon},
              {stkSymbol, "SymbolAttri", "Symbol", 0, clRed},
              {stkVariable, "VarAttri", "Variable", 0, clPurple},
          },
          Keywords()) {
  std::vector<std::string> second(std::begin(kSecondKeyWords), std::end(kSecondKeyWords));
  SetSecondKeyWords(second);
}

bool TUNIXShellScriptHighlighter::ScanLanguageToken() {
  if (line_[run_] != '$') return false;
  tokenKind_ = stkVariable;
  ++run_;
  // The character after `$` belongs to the variable, but never a line end.
  const char first = line_[run_];
  if (IsLineEndChar(first)) return true;
  ++run_;
  // `${x#prefix}` or `${x:-y}`: the braces hold more than a name, and a `#`
  // in them must not start a comment; the variable runs to the closing brace.
  if (first == '{') {
    int close = run_;
    while (!IsLineEndChar(line_[close]) && line_[close] != '}') ++close;
    if (line_[close] == '}') {
      run_ = close + 1;
      return true;
    }
  }
  while (IsIdentChar(line_[run_])) ++run_;
  return true;
}

}  // namespace vantrel
