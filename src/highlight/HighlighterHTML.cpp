// The HTML highlighter.
// Tested by tests/highlight/HighlighterHTMLTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterHTML.h"

#include <algorithm>
#include <cstring>

#include "highlight/HighlighterHashEntries.h"
#include "highlight/HighlighterMarkupKit.h"

namespace vantrel {

namespace {

// Tag names, the closing forms included; compared with letter case ignored.
constexpr std::string_view kTagNames[] = {
    "A", "B", "DD", "I", "H1", "H2", "H3", "H4", "H5", "H6", "DL", "P", "KBD", "Q", "BIG", "EM", "HEAD", "S",
    "BR", "DEL", "LI", "U", "BDO", "ABBR", "DFN", "DT", "TD", "AREA", "HR", "BASE", "CODE", "OL", "TH",
    "EMBED", "IMG", "COL", "MAP", "DIR", "LABEL", "UL", "DIV", "CITE", "THEAD", "TR", "META", "PRE", "TABLE",
    "TT", "var", "INS", "SUB", "FRAME", "WBR", "BODY", "LINK", "LEGend", "BLINK", "NOBR", "PARAM", "SAMP",
    "SPAN", "FORM", "IFRAME", "HTML", "MENU", "XMP", "FONT", "object", "SUP", "SMALL", "NOEMBED", "LAYER",
    "SPACER", "SELECT", "CENTER", "TBODY", "TITLE", "KEYGEN", "ADDRESS", "APPLET", "ILAYER", "NEXTID",
    "TFOOT", "CAPTION", "FIELDSET", "INPUT", "MARQUEE", "STYLE", "BASEFONT", "BGSOUND", "STRIKE", "COMMENT",
    "ISINDEX", "SCRIPT", "SERVER", "FRAMESET", "ACRONYM", "OPTION", "LISTING", "NOLAYER", "NOFRAMES",
    "BUTTON", "STRONG", "TEXTAREA", "MULTICOL", "COLGROUP", "NOSCRIPT", "BLOCKQUOTE", "PLAINTEXT", "/A",
    "/B", "OPTGROUP", "/DD", "/I", "/H1", "/H2", "/H3", "/H4", "/H5", "/H6", "/DL", "/P", "/KBD", "/Q",
    "/BIG", "/EM", "/HEAD", "/S", "/DEL", "/LI", "/U", "/BDO", "/ABBR", "/DFN", "/DT", "/TD", "/CODE", "/OL",
    "/TH", "/EMBED", "/MAP", "/DIR", "/LABEL", "/UL", "/DIV", "/CITE", "/THEAD", "/TR", "/PRE", "/TABLE",
    "/TT", "/var", "/INS", "/SUB", "/BODY", "/LEGend", "/BLINK", "/NOBR", "/SAMP", "/SPAN", "/FORM",
    "/IFRAME", "/HTML", "/MENU", "/XMP", "/FONT", "/object", "/SUP", "/SMALL", "/NOEMBED", "/LAYER",
    "/SELECT", "/CENTER", "/TBODY", "/TITLE", "/ADDRESS", "/APPLET", "/ILAYER", "/TFOOT", "/CAPTION",
    "/FIELDSET", "/MARQUEE", "/STYLE", "/STRIKE", "/COMMENT", "/SCRIPT", "/FRAMESET", "/SERVER", "/ACRONYM",
    "/OPTION", "!DOCTYPE", "/LISTING", "/NOLAYER", "/NOFRAMES", "/BUTTON", "/STRONG", "/TEXTAREA",
    "/MULTICOL", "/COLGROUP", "/NOSCRIPT", "/BLOCKQUOTE", "/OPTGROUP"};

// Every name ends at its first `;`, so at most one can match at a `&` and a
// sorted table answers as well as trying them in turn.
constexpr std::string_view kEntityNames[] = {
    "&AElig;", "&Aacute;", "&Acirc;", "&Agrave;", "&Alpha;", "&Aring;", "&Atilde;", "&Auml;", "&Beta;",
    "&Ccedil;", "&Chi;", "&Dagger;", "&Delta;", "&ETH;", "&Eacute;", "&Ecirc;", "&Egrave;", "&Epsilon;",
    "&Eta;", "&Euml;", "&Gamma;", "&Iacute;", "&Icirc;", "&Igrave;", "&Iota;", "&Iuml;", "&Kappa;",
    "&Lambda;", "&Mu;", "&Ntilde;", "&Nu;", "&OElig;", "&Oacute;", "&Ocirc;", "&Ograve;", "&Omega;",
    "&Omicron;", "&Oslash;", "&Otilde;", "&Ouml;", "&Phi;", "&Pi;", "&Prime;", "&Psi;", "&Rho;", "&Scaron;",
    "&Sigma;", "&THORN;", "&Tau;", "&Theta;", "&Uacute;", "&Ucirc;", "&Ugrave;", "&Upsilon;", "&Uuml;",
    "&Xi;", "&Yacute;", "&Zeta;", "&aacute;", "&acirc;", "&acute;", "&aelig;", "&agrave;", "&alefsym;",
    "&alpha;", "&amp;", "&and;", "&ang;", "&aring;", "&asymp;", "&atilde;", "&auml;", "&bdquo;", "&beta;",
    "&brkbar;", "&brvbar;", "&bull;", "&cap;", "&ccedil;", "&cedil;", "&cent;", "&chi;", "&circ;", "&clubs;",
    "&cong;", "&copy;", "&crarr;", "&cup;", "&curren;", "&dArr;", "&dagger;", "&darr;", "&deg;", "&delta;",
    "&diams;", "&die;", "&divide;", "&eacute;", "&ecirc;", "&egrave;", "&empty;", "&emsp;", "&ensp;",
    "&epsilon;", "&equiv;", "&eta;", "&eth;", "&euml;", "&euro;", "&exist;", "&fnof;", "&forall;",
    "&frac12;", "&frac14;", "&frac34;", "&frasl;", "&gamma;", "&ge;", "&gt;", "&hArr;", "&harr;", "&hearts;",
    "&hellip;", "&hibar;", "&iacute;", "&icirc;", "&iexcl;", "&igrave;", "&image;", "&infin;", "&int;",
    "&iota;", "&iquest;", "&isin;", "&iuml;", "&kappa;", "&lArr;", "&lambda;", "&lang;", "&laquo;", "&larr;",
    "&lceil;", "&ldquo;", "&le;", "&lfloor;", "&lowast;", "&loz;", "&lsaquo;", "&lsquo;", "&lt;", "&macr;",
    "&mdash;", "&micro;", "&middot;", "&minus;", "&mu;", "&nabla;", "&nbsp;", "&ndash;", "&ne;", "&ni;",
    "&not;", "&notin;", "&nsub;", "&ntilde;", "&nu;", "&oacute;", "&ocirc;", "&oelig;", "&ograve;",
    "&oline;", "&omega;", "&omicron;", "&oplus;", "&or;", "&ordf;", "&ordm;", "&oslash;", "&otilde;",
    "&otimes;", "&ouml;", "&para;", "&part;", "&permil;", "&perp;", "&phi;", "&pi;", "&piv;", "&plusmn;",
    "&pound;", "&prime;", "&prod;", "&prop;", "&psi;", "&quot;", "&rArr;", "&radic;", "&rang;", "&raquo;",
    "&rarr;", "&rceil;", "&rdquo;", "&real;", "&reg;", "&rfloor;", "&rho;", "&rsaquo;", "&rsquo;", "&sbquo;",
    "&scaron;", "&sdot;", "&sect;", "&shy;", "&sigma;", "&sigmaf;", "&sim;", "&spades;", "&sub;", "&sube;",
    "&sum;", "&sup1;", "&sup2;", "&sup3;", "&sup;", "&supe;", "&szlig;", "&tau;", "&there4;", "&theta;",
    "&thetasym;", "&thinsp;", "&thorn;", "&times;", "&trade;", "&uArr;", "&uacute;", "&uarr;", "&ucirc;",
    "&ugrave;", "&uml;", "&upsih;", "&upsilon;", "&uuml;", "&weierp;", "&xi;", "&yacute;", "&yen;", "&yuml;",
    "&zeta;"};

constexpr int kTagHashSize = 251;

const TKeywordCompareTable& Tags() {
  static const TKeywordCompareTable table = [] {
    TKeywordCompareTable t(kTagHashSize, /*caseSensitive=*/false);
    for (std::string_view name : kTagNames) t.Add(MarkupWordHash(name), name, htkKey);
    return t;
  }();
  return table;
}

bool IsHexDigit(char c) { return IsAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Length of the complete character reference at `&` (a listed name, or `&#`
// decimal or `&#x` hexadecimal digits closed by `;`); 0 when there is none.
int ReferenceLength(const char* at) {
  if (at[1] == '#') {
    int i = 2;
    const bool hex = at[2] == 'x' || at[2] == 'X';
    if (hex) ++i;
    const int digitsFrom = i;
    while (hex ? IsHexDigit(at[i]) : IsAsciiDigit(at[i])) ++i;
    return i > digitsFrom && at[i] == ';' ? i + 1 : 0;
  }
  constexpr int kLongestName = 10;  // "&thetasym;"
  int length = 1;
  while (length < kLongestName && at[length] != ';' && at[length] != '\0') ++length;
  if (at[length] != ';') return 0;
  const std::string_view candidate(at, size_t(length + 1));
  return std::binary_search(std::begin(kEntityNames), std::end(kEntityNames), candidate) ? int(candidate.size()) : 0;
}

}  // namespace

THTMLHighlighter::THTMLHighlighter()
    : TKitHighlighter(
          {.LanguageName = "HTML",
           .DefaultFilter = "HTML Documents (*.htm;*.html)|*.htm;*.html",
           .EndKind = htkNull,
           .SpaceKind = htkSpace,
           .Defaults = {htkComment, htkIdentifier, htkKey, TDefaultKinds::kNoKind, htkSpace, htkSymbol},
           .Ranges = {hrsAmpersand, hrsComment, hrsAfterLess, hrsTag, hrsText, hrsAfterEqual, hrsAposValue,
                      hrsQuotValue},
           .InitialRange = hrsText},
          {
              {htkComment, "CommentAttri", "Comment"},
              {htkIdentifier, "IdentifierAttri", "Identifier", fsBold},
              {htkKey, "KeyAttri", "Reserved Word", fsBold, TColor(0xFF0080)},
              {htkSpace, "SpaceAttri", "Space"},
              {htkSymbol, "SymbolAttri", "Symbol", fsBold},
              {htkText, "TextAttri", "Text"},
              {htkUndefKey, "UndefKeyAttri", "Unknown Word", fsBold, clRed},
              {htkValue, "ValueAttri", "Value", 0, TColor(0xFF8000)},
              {htkAmpersand, "AndAttri", "Escape Ampersand", fsBold, clLime},
          }) {
  Tags();  // build the shared table now, not in the middle of a scan
}

bool THTMLHighlighter::IsKeyword(std::string_view word) const {
  return !word.empty() && Tags().Find(MarkupWordHash(word), word.data(), int(word.size())) != nullptr;
}

void THTMLHighlighter::NextToken() {
  tokenPos_ = run_;
  switch (range_) {
    case hrsComment:
      if (LineEndAtContinuation()) return;
      tokenKind_ = htkComment;
      if (SkipToTerminator("-->")) range_ = hrsText;
      return;
    case hrsText: return TextProc();
    case hrsAposValue: return QuotedValueProc('\'');
    case hrsQuotValue: return QuotedValueProc('"');
    default: break;
  }
  if (ScanBlankOrLineEnd()) return;
  switch (line_[run_]) {
    case '<':
      if (std::strncmp(line_ + run_ + 1, "!--", 3) == 0) {
        run_ += 4;
        tokenKind_ = htkComment;
        range_ = hrsComment;
      } else {
        ++run_;
        tokenKind_ = htkSymbol;
        range_ = hrsAfterLess;
      }
      return;
    case '>':
      ++run_;
      tokenKind_ = htkSymbol;
      range_ = hrsText;
      return;
    case '=':
      ++run_;
      tokenKind_ = htkSymbol;
      range_ = hrsAfterEqual;
      return;
    case '"':
    case '\'':
      if (range_ == hrsAfterEqual) {
        const char quote = line_[run_++];
        range_ = quote == '"' ? hrsQuotValue : hrsAposValue;
        tokenKind_ = htkValue;
        if (SkipToQuote(quote)) range_ = hrsTag;
        return;
      }
      break;
    case '&':
      if (range_ == hrsAmpersand) return AmpersandProc();
      if (range_ == hrsAfterLess) {
        ++run_;
        tokenKind_ = htkText;
        range_ = hrsText;
        return;
      }
      break;
    default: break;
  }
  switch (range_) {
    case hrsAfterLess: return TagNameProc();
    case hrsAfterEqual: return UnquotedValueProc();
    // A line stored as starting before a reference starts as text.
    case hrsAmpersand: range_ = hrsText; return TextProc();
    default: return AttributeNameProc();
  }
}

void THTMLHighlighter::TextProc() {
  if (LineEndAtContinuation()) return;
  const char c = line_[run_];
  if (uint8_t(c) < 32) {
    ScanBlankOrLineEnd();
    return;
  }
  if (c == '<') {
    range_ = hrsTag;  // any state but text: the `<` rule applies
    return NextToken();
  }
  tokenKind_ = htkText;
  for (;;) {
    const char d = line_[run_];
    if (uint8_t(d) < 32 || d == '<') return;
    if (d == '&') {
      if (const int length = ReferenceLength(line_ + run_)) {
        if (run_ == tokenPos_) {
          run_ += length;
          tokenKind_ = htkAmpersand;
        } else {
          range_ = hrsAmpersand;
        }
        return;
      }
    }
    ++run_;
  }
}

void THTMLHighlighter::AmpersandProc() {
  const int length = ReferenceLength(line_ + run_);
  tokenKind_ = length ? htkAmpersand : htkText;
  run_ += length ? length : 1;
  range_ = hrsText;
}

void THTMLHighlighter::QuotedValueProc(char quote) {
  if (LineEndAtContinuation()) return;
  tokenKind_ = htkValue;
  if (SkipToQuote(quote)) range_ = hrsTag;
}

void THTMLHighlighter::TagNameProc() {
  while (line_[run_] == '!' || line_[run_] == '/' || IsAsciiLetter(line_[run_])) ++run_;
  while (IsAsciiDigit(line_[run_])) ++run_;
  if (run_ == tokenPos_) ++run_;  // no name: the character alone
  range_ = hrsTag;
  const std::string_view name = TokenView();
  const unsigned hash = MarkupWordHash(name);
  if (hash >= unsigned(kTagHashSize))
    tokenKind_ = htkIdentifier;
  else
    tokenKind_ = Tags().Find(hash, name.data(), int(name.size())) ? htkKey : htkUndefKey;
}

void THTMLHighlighter::UnquotedValueProc() {
  while (uint8_t(line_[run_]) > 32 && line_[run_] != '>') ++run_;
  tokenKind_ = htkValue;
  range_ = hrsTag;
}

void THTMLHighlighter::AttributeNameProc() {
  ++run_;  // the first character even when it would end a name (a stray quote)
  for (char c; uint8_t(c = line_[run_]) > 32 && c != '"' && c != '=' && c != '>';) ++run_;
  tokenKind_ = htkIdentifier;
}

}  // namespace vantrel
