// The Perl highlighter.
// Tested by tests/highlight/HighlighterPerlTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterPerl.h"

#include "highlight/HighlighterHashEntries.h"

namespace vantrel {

namespace {

constexpr std::string_view kKeywords[] = {
    "m", "q", "lc", "if", "do", "uc", "no", "qq", "tr", "my", "qw", "qx", "die", "abs", "eof",
    "ref", "chr", "vec", "map", "tie", "log", "hex", "ord", "cos", "oct", "for", "sin", "sub",
    "int", "use", "exp", "pop", "pos", "each", "read", "bind", "pack", "getc", "glob", "exec",
    "rand", "seek", "eval", "else", "chop", "redo", "send", "kill", "grep", "pipe", "link", "time",
    "recv", "join", "tell", "open", "fork", "last", "wait", "dump", "warn", "goto", "exit", "keys",
    "stat", "next", "push", "sort", "sqrt", "atan2", "chdir", "local", "chmod", "alarm", "flock",
    "undef", "elsif", "close", "mkdir", "fcntl", "chomp", "index", "srand", "sleep", "while",
    "bless", "ioctl", "shift", "rmdir", "chown", "umask", "times", "reset", "semop", "utime",
    "untie", "lstat", "write", "split", "print", "crypt", "study", "accept", "caller", "delete",
    "scalar", "rename", "fileno", "splice", "select", "length", "unpack", "gmtime", "semget",
    "msgget", "shmget", "semctl", "socket", "format", "rindex", "msgctl", "shmctl", "msgsnd",
    "listen", "chroot", "values", "unlink", "msgrcv", "unless", "import", "return", "exists",
    "substr", "system", "package", "defined", "foreach", "readdir", "binmode", "shmread",
    "dbmopen", "seekdir", "connect", "getppid", "telldir", "opendir", "waitpid", "lcfirst",
    "getpgrp", "sysread", "syscall", "reverse", "require", "ucfirst", "unshift", "setpgrp",
    "sprintf", "symlink", "dbmclose", "readlink", "getgrgid", "getgrnam", "closedir", "endgrent",
    "getlogin", "formline", "getgrent", "getpwnam", "endpwent", "truncate", "getpwuid", "setgrent",
    "getpwent", "shmwrite", "setpwent", "shutdown", "syswrite", "localtime", "endnetent",
    "rewinddir", "getnetent", "quotemeta", "wantarray", "setnetent", "socketpair", "endhostent",
    "endservent", "getsockopt", "gethostent", "getservent", "setsockopt", "sethostent",
    "setservent", "getpeername", "getsockname", "endprotoent", "getprotoent", "getpriority",
    "setprotoent", "setpriority", "getnetbyaddr", "getnetbyname", "gethostbyaddr", "gethostbyname",
    "getservbyname", "getservbyport", "getprotobyname", "getprotobynumber"};

constexpr std::string_view kVariables[] = {
    "$NR", "$RS", "$GID", "$ARG", "%INC", "$PID", "$UID", "$SIG", "$ENV", "$ORS", "@INC", "$EGID",
    "$EUID", "$ARGV", "$OFMT", "@ARGV", "$MATCH", "$ERRNO", "$PERLDB", "$SUBSEP", "$WARNING",
    "$BASETIME", "$PREMATCH", "$OS_ERROR", "$DEBUGGING", "$POSTMATCH", "$PROCESS_ID",
    "$EVAL_ERROR", "$ACCUMULATOR", "$FORMAT_NAME", "$CHILD_ERROR", "$INPLACE_EDIT",
    "$PROGRAM_NAME", "$REAL_USER_ID", "$PERL_VERSION", "$REAL_GROUP_ID", "$SYSTEM_FD_MAX",
    "$LIST_SEPARATOR", "$EXECUTABLE_NAME", "$FORMAT_FORMFEED", "$FORMAT_TOP_NAME",
    "$LAST_PAREN_MATCH", "$OUTPUT_AUTOFLUSH", "$EFFECTIVE_USER_ID", "$FORMAT_LINES_LEFT",
    "$INPUT_LINE_NUMBER", "$MULTILINE_MATCHING", "$EFFECTIVE_GROUP_ID", "$FORMAT_PAGE_NUMBER",
    "$SUBSCRIPT_SEPARATOR", "$FORMAT_LINES_PER_PAGE", "$INPUT_RECORD_SEPARATOR",
    "$OUTPUT_FIELD_SEPARATOR", "$FORMAT_LINE_BREAK_CHARACTERS"};

constexpr std::string_view kOperators[] = {
    "ge", "le", "ne", "eq", "gt", "lt", "or", "and", "cmp", "not", "xor"};

constexpr std::string_view kPragmas[] = {
    "less", "vars", "subs", "locale", "strict", "integer", "sigtrap", "constant", "diagnostics"};

constexpr int kHashTableSize = 2168;  // hashes 0..2167; anything above is an identifier

// Words start with a sigil, a letter or `_` and go on over these.
const THighlighterCharSet kWordChars =
    MakeCharSet("$%@_0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
// `$` and one of these is a variable of two characters.
const THighlighterCharSet kPunctuationVariables = MakeCharSet("0123456789!\"#$%&'()*+-./:;<=>?@[\\]_`|~");
const THighlighterCharSet kCaretVariables = MakeCharSet("ADFILPTWX");
const TNumberRule kNumberRule{MakeCharSet("-.0123456789ABCDEFX_abcdefx"), /*StopBeforeDoubleDot=*/true,
                              /*MinusOnlyAfterExponent=*/true};

bool IsLetterOrUnderscore(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

unsigned PlainHash(std::string_view word) {
  unsigned hash = 0;
  for (char c : word) hash += uint8_t(c);
  return hash;
}

const TKeywordCompareTable& Words() {
  static const TKeywordCompareTable table = [] {
    TKeywordCompareTable t(kHashTableSize, /*caseSensitive=*/true);
    auto add = [&t](const auto& words, int kind) {
      for (std::string_view word : words) t.Add(PlainHash(word), word, kind);
    };
    add(kKeywords, plkKey);
    add(kVariables, plkVariable);
    add(kOperators, plkOperator);
    add(kPragmas, plkPragma);
    return t;
  }();
  return table;
}

}  // namespace

TPerlHighlighter::TPerlHighlighter()
    : TKitHighlighter({.LanguageName = "Perl",
                       .DefaultFilter = "Perl Files (*.pl;*.pm;*.cgi)|*.pl;*.pm;*.cgi",
                       .EndKind = plkNull,
                       .SpaceKind = plkSpace,
                       .Defaults = {plkComment, plkIdentifier, plkKey, plkString, plkSpace, plkSymbol}},
                      {
                          {plkComment, "CommentAttri", "Comment", fsItalic},
                          {plkIdentifier, "IdentifierAttri", "Identifier"},
                          {plkInvalid, "InvalidAttri", "Illegal Char"},
                          {plkKey, "KeyAttri", "Reserved Word", fsBold},
                          {plkNumber, "NumberAttri", "Number"},
                          {plkOperator, "OperatorAttri", "Operator"},
                          {plkPragma, "PragmaAttri", "Pragma", fsBold},
                          {plkSpace, "SpaceAttri", "Space", 0, clWindow},
                          {plkString, "StringAttri", "String"},
                          {plkSymbol, "SymbolAttri", "Symbol"},
                          {plkVariable, "VariableAttri", "Variable", fsBold},
                      }) {
  Words();  // build the shared table now, not in the middle of a scan
}

bool TPerlHighlighter::IsKeyword(std::string_view word) const {
  const TKeywordCompareEntry* entry = Words().Find(PlainHash(word), word.data(), int(word.size()));
  return entry && entry->Kind == plkKey;
}

void TPerlHighlighter::NextToken() {
  tokenPos_ = run_;
  if (ScanBlankOrLineEnd()) return;
  const char c = line_[run_];
  switch (c) {
    case '#':
      tokenKind_ = plkComment;
      SkipToLineEnd();
      return;
    case '$':
      DollarProc();
      return;
    case '%':
      PercentProc();
      return;
    case '@':
      WordProc(plkSymbol);
      return;
    case 'x':
      if (line_[run_ + 1] == '=' || IsLineEndChar(line_[run_ + 1])) {
        ScanSymbol("=", plkOperator);
        return;
      }
      WordProc(plkIdentifier);
      return;
    case '"':
      // A backslash takes the next character, so only an unescaped quote ends it.
      tokenKind_ = plkString;
      ++run_;
      SkipEscapedQuoted('"');
      return;
    case '\'':
      tokenKind_ = plkString;
      ++run_;
      SkipToQuote('\'');
      return;
    case '=':
      ScanSymbol("=>~", plkSymbol);
      return;
    case '.':
      PointProc();
      return;
    default:
      break;
  }
  if (IsDigit(c)) {
    tokenKind_ = plkNumber;
    ScanNumber(kNumberRule);
  } else if (IsLetterOrUnderscore(c)) {
    WordProc(plkIdentifier);
  } else if (uint8_t(c) >= 127) {
    tokenKind_ = plkInvalid;
    SkipCharacterCell();
  } else {
    ScanSymbol("", plkSymbol);
  }
}

void TPerlHighlighter::DollarProc() {
  const char next = line_[run_ + 1];
  if (next == '^' && kCaretVariables.test(uint8_t(line_[run_ + 2]))) {
    run_ += 3;
    tokenKind_ = plkVariable;
  } else if (kPunctuationVariables.test(uint8_t(next))) {
    run_ += 2;
    tokenKind_ = plkVariable;
  } else {
    WordProc(plkSymbol);
  }
}

void TPerlHighlighter::PercentProc() {
  // `%=` and a `%` with no hash name after it are the operator.
  const char next = line_[run_ + 1];
  if (next == '=' || !kWordChars.test(uint8_t(next)))
    ScanSymbol("=", plkOperator);
  else
    WordProc(plkOperator);
}

void TPerlHighlighter::PointProc() {
  const char next = line_[run_ + 1];
  if (next == '.') {
    run_ += line_[run_ + 2] == '.' ? 3 : 2;
    tokenKind_ = plkSymbol;
  } else if (IsDigit(next)) {
    tokenKind_ = plkNumber;
    ScanNumber(kNumberRule);
  } else {
    // `.=`, `.method` and the concatenation operator.
    ScanSymbol("=", plkSymbol);
  }
}

void TPerlHighlighter::WordProc(int loneKind) {
  ++run_;
  SkipWhileIn(kWordChars);
  if (run_ - tokenPos_ == 1 && !IsLetterOrUnderscore(line_[tokenPos_])) {
    tokenKind_ = loneKind;
    return;
  }
  std::string_view word = TokenView();
  const TKeywordCompareEntry* entry = Words().Find(PlainHash(word), word.data(), int(word.size()));
  tokenKind_ = entry ? entry->Kind : plkIdentifier;
}

}  // namespace vantrel
