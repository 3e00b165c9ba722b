// The XML highlighter.
// Tested by tests/highlight/HighlighterXMLTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterXML.h"

#include <cstring>

namespace vantrel {

namespace {

// Bytes above 127 belong to names so that names in UTF-8 stay one token.
bool IsNameChar(char c) {
  const auto b = uint8_t(c);
  return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '-' || b == '.' ||
         b == ':' || b == '_' || b >= 128;
}

bool StartsWith(const char* at, std::string_view text) { return std::strncmp(at, text.data(), text.size()) == 0; }

// A place entity references occur in: a quoted value of either quote, for
// plain and namespace attributes, or text. The entity returns to ValueState.
struct TEntityContext {
  int ValueState;
  int EntityState;
  int ValueKind;
  int EntityKind;
  char Quote;  // NUL in text
};

constexpr TEntityContext kContexts[] = {
    {xrsAposAttrValue, xrsAposEntityRef, xtkAposAttrValue, xtkAposEntityRef, '\''},
    {xrsQuotAttrValue, xrsQuotEntityRef, xtkQuotAttrValue, xtkQuotEntityRef, '"'},
    {xrsnsAposAttrValue, xrsnsAposEntityRef, xtknsAposAttrValue, xtknsAposEntityRef, '\''},
    {xrsnsQuotAttrValue, xrsnsQuotEntityRef, xtknsQuotAttrValue, xtknsQuotEntityRef, '"'},
    {xrsText, xrsEntityRef, xtkText, xtkEntityRef, '\0'},
};

const TEntityContext& ContextOf(int range) {
  for (const TEntityContext& context : kContexts)
    if (context.ValueState == range || context.EntityState == range) return context;
  return kContexts[4];
}

bool IsValueState(int range) {
  return range == xrsAposAttrValue || range == xrsQuotAttrValue || range == xrsnsAposAttrValue ||
         range == xrsnsQuotAttrValue;
}

bool IsEntityState(int range) {
  return range == xrsAposEntityRef || range == xrsQuotEntityRef || range == xrsnsAposEntityRef ||
         range == xrsnsQuotEntityRef || range == xrsEntityRef;
}

// The kind whose attribute draws tokens of each kind.
int AttributeKindOf(int kind) {
  switch (kind) {
    case xtkQuotAttrValue: return xtkAposAttrValue;
    case xtknsQuotAttrValue: return xtknsAposAttrValue;
    case xtkAposEntityRef:
    case xtkQuotEntityRef:
    case xtknsAposEntityRef:
    case xtknsQuotEntityRef: return xtkEntityRef;
    case xtkEqual:
    case xtknsEqual: return xtkSymbol;
    default: return kind;
  }
}

}  // namespace

TXMLHighlighter::TXMLHighlighter()
    : TKitHighlighter(
          {.LanguageName = "XML",
           .DefaultFilter = "XML Files (*.xml;*.xsd;*.xsl;*.xslt;*.dtd)|*.xml;*.xsd;*.xsl;*.xslt;*.dtd",
           .EndKind = xtkNull,
           .SpaceKind = xtkSpace,
           .Defaults = {xtkComment, xtkAttribute, xtkElement, TDefaultKinds::kNoKind, xtkSpace, xtkSymbol},
           .Ranges = {xrsAposAttrValue, xrsAposEntityRef, xrsAttribute, xrsCDATA, xrsComment, xrsElement,
                      xrsEntityRef, xrsEqual, xrsProcessingInstruction, xrsQuotAttrValue, xrsQuotEntityRef,
                      xrsText, xrsnsAposAttrValue, xrsnsAposEntityRef, xrsnsEqual, xrsnsQuotAttrValue,
                      xrsnsQuotEntityRef, xrsDocType, xrsDocTypeSquareBraces},
           .InitialRange = xrsText},
          {
              {xtkElement, "ElementAttri", "Element Name", fsBold, clMaroon},
              {xtkAttribute, "AttributeAttri", "Attribute Name", 0, clMaroon},
              {xtknsAttribute, "NamespaceAttributeAttri", "Namespace Attribute Name", 0, clRed},
              {xtkAposAttrValue, "AttributeValueAttri", "Attribute Value", fsBold, clNavy},
              {xtknsAposAttrValue, "NamespaceAttributeValueAttri", "Namespace Attribute Value", fsBold, clRed},
              {xtkText, "TextAttri", "Text", fsBold, clBlack},
              {xtkCDATA, "CDATAAttri", "CDATA Section", fsItalic, clOlive},
              {xtkEntityRef, "EntityRefAttri", "Entity Reference", fsBold, clBlue},
              {xtkProcessingInstruction, "ProcessingInstructionAttri", "Processing Instruction", 0, clBlue},
              {xtkComment, "CommentAttri", "Comment", fsBold | fsItalic, clGray, clSilver},
              {xtkDocType, "DocTypeAttri", "DOCTYPE Section", fsItalic, clBlue},
              {xtkSpace, "SpaceAttri", "Whitespace"},
              {xtkSymbol, "SymbolAttri", "Symbol", 0, clBlue},
          }) {}

THighlighterAttributes* TXMLHighlighter::TokenAttribute() const {
  return AttributeOfKind(AttributeKindOf(tokenKind_));
}

THighlighterCharSet TXMLHighlighter::IdentifierChars() const {
  THighlighterCharSet chars;
  for (int c = 1; c < 256; ++c)
    if (IsNameChar(char(c))) chars.set(size_t(c));
  return chars;
}

void TXMLHighlighter::NextToken() {
  tokenPos_ = run_;
  if (range_ == xrsCDATA) return CDATAProc();
  if (range_ == xrsComment) return CommentProc();
  if (range_ == xrsProcessingInstruction) return ProcessingInstructionProc();
  if (range_ == xrsDocType || range_ == xrsDocTypeSquareBraces) return DocTypeProc();
  if (range_ == xrsText) return TextProc();
  // A value runs on over blanks and markup characters up to its quote.
  if (IsValueState(range_)) return AttributeValueProc();
  if (ScanBlankOrLineEnd()) return;
  switch (line_[run_]) {
    case '<': return LessThanProc();
    case '>':
      ++run_;
      tokenKind_ = xtkSymbol;
      range_ = xrsText;
      return;
    default: break;
  }
  if (range_ == xrsElement) return ElementProc();
  if (range_ == xrsEqual || range_ == xrsnsEqual) return EqualProc();
  if (IsEntityState(range_)) return EntityRefProc();
  AttributeProc();
}

void TXMLHighlighter::LessThanProc() {
  ++run_;
  if (line_[run_] == '/') ++run_;
  const char* at = line_ + run_;
  if (StartsWith(at, "!--")) {
    run_ += 3;
    tokenKind_ = xtkSymbol;
    range_ = xrsComment;
  } else if (StartsWith(at, "!DOCTYPE")) {
    run_ += 8;
    range_ = xrsDocType;
    DocTypeProc();
  } else if (StartsWith(at, "![CDATA[")) {
    run_ += 8;
    range_ = xrsCDATA;
    CDATAProc();
  } else if (*at == '!') {
    ++run_;
    tokenKind_ = xtkSymbol;
    range_ = xrsElement;
  } else if (*at == '?') {
    ++run_;
    range_ = xrsProcessingInstruction;
    ProcessingInstructionProc();
  } else {
    tokenKind_ = xtkSymbol;
    range_ = xrsElement;
  }
}

// The procedures of the constructs that run over lines are also entered right
// after their opening characters, which then belong to the same token.
void TXMLHighlighter::CDATAProc() {
  if (run_ == tokenPos_ && LineEndAtContinuation()) return;
  tokenKind_ = xtkCDATA;
  if (SkipToTerminator("]>")) range_ = xrsText;
}

void TXMLHighlighter::ProcessingInstructionProc() {
  if (run_ == tokenPos_ && LineEndAtContinuation()) return;
  tokenKind_ = xtkProcessingInstruction;
  if (SkipToTerminator("?>")) range_ = xrsText;
}

void TXMLHighlighter::CommentProc() {
  if (LineEndAtContinuation()) return;
  if (StartsWith(line_ + run_, "-->")) {
    run_ += 3;
    tokenKind_ = xtkSymbol;
    range_ = xrsText;
    return;
  }
  tokenKind_ = xtkComment;
  while (!IsLineEndChar(line_[run_]) && !StartsWith(line_ + run_, "-->")) ++run_;
}

void TXMLHighlighter::DocTypeProc() {
  if (run_ == tokenPos_ && LineEndAtContinuation()) return;
  tokenKind_ = xtkDocType;
  for (char c; !IsLineEndChar(c = line_[run_]);) {
    ++run_;
    if (range_ == xrsDocTypeSquareBraces) {
      if (c == ']') range_ = xrsDocType;
    } else if (c == '[') {
      range_ = xrsDocTypeSquareBraces;
    } else if (c == '>') {
      // What follows the declaration is text again, not the inside of a tag.
      range_ = xrsText;
      return;
    }
  }
}

void TXMLHighlighter::TextProc() {
  if (LineEndAtContinuation()) return;
  const char c = line_[run_];
  if (uint8_t(c) < 32) {
    ScanBlankOrLineEnd();
    return;
  }
  if (c == '<') return LessThanProc();
  if (c == '&') {
    range_ = xrsEntityRef;
    return EntityRefProc();
  }
  tokenKind_ = xtkText;
  for (char d; (d = line_[run_]) != '<' && d != '&' && uint8_t(d) >= 32;) ++run_;
  if (line_[run_] == '&') range_ = xrsEntityRef;
}

void TXMLHighlighter::SkipName() {
  while (IsNameChar(line_[run_])) ++run_;
  if (run_ == tokenPos_) ++run_;  // a stray character is a token of its own
}

void TXMLHighlighter::ElementProc() {
  if (line_[run_] == '/') ++run_;
  while (IsNameChar(line_[run_])) ++run_;
  if (run_ == tokenPos_) ++run_;  // a stray character is a token of its own
  tokenKind_ = xtkElement;
  range_ = xrsAttribute;
}

void TXMLHighlighter::AttributeProc() {
  if (!IsNameChar(line_[run_])) {
    ++run_;
    tokenKind_ = xtkSymbol;
    return;
  }
  SkipName();
  if (TokenView().find("xmlns") != std::string_view::npos) {
    tokenKind_ = xtknsAttribute;
    range_ = xrsnsEqual;
  } else {
    tokenKind_ = xtkAttribute;
    range_ = xrsEqual;
  }
}

void TXMLHighlighter::EqualProc() {
  const bool ns = range_ == xrsnsEqual;
  tokenKind_ = ns ? xtknsEqual : xtkEqual;
  // Stops before markup so that a value without quotes cannot swallow the
  // rest of the tag.
  for (char c; !IsLineEndChar(c = line_[run_]) && c != '<' && c != '>';) {
    ++run_;
    if (c == '"') {
      range_ = ns ? xrsnsQuotAttrValue : xrsQuotAttrValue;
      return;
    }
    if (c == '\'') {
      range_ = ns ? xrsnsAposAttrValue : xrsAposAttrValue;
      return;
    }
    if (c == '/') {
      range_ = xrsElement;
      return;
    }
  }
}

void TXMLHighlighter::AttributeValueProc() {
  if (LineEndAtContinuation()) return;
  const TEntityContext& context = ContextOf(range_);
  const char c = line_[run_];
  if (c == context.Quote) {
    ++run_;
    tokenKind_ = xtkSymbol;
    range_ = xrsAttribute;
    return;
  }
  if (c == '&') {
    range_ = context.EntityState;
    return EntityRefProc();
  }
  tokenKind_ = context.ValueKind;
  for (char d; !IsLineEndChar(d = line_[run_]) && d != context.Quote && d != '&';) ++run_;
  if (line_[run_] == context.Quote)
    range_ = xrsAttribute;
  else if (line_[run_] == '&')
    range_ = context.EntityState;
}

void TXMLHighlighter::EntityRefProc() {
  const TEntityContext& context = ContextOf(range_);
  tokenKind_ = context.EntityKind;
  range_ = context.ValueState;
  ++run_;
  // Also ends before the quote of its value and before markup, which a
  // stray `&` must not swallow.
  for (char c; (c = line_[run_]) != ';' && uint8_t(c) > 32 && c != '<' && c != '&' &&
               (context.Quote == '\0' || c != context.Quote);)
    ++run_;
  if (line_[run_] == ';') ++run_;
}

}  // namespace vantrel
