// The XML highlighter: elements, attributes and namespace attributes with
// their quoted values, entity references, comments, CDATA sections,
// processing instructions and DOCTYPE declarations with an internal subset,
// each carried over line ends in the range.
// Tested by tests/highlight/HighlighterXMLTest.cpp and tests/highlight/GoldenTest.cpp
#pragma once

#include "highlight/HighlighterKit.h"

namespace vantrel {

// Several kinds share one attribute: the kind tells where a token stands
// (which quote, namespace or not), the attribute how it is drawn.
enum TXMLTokenKind : int {
  xtkAposAttrValue,
  xtkAposEntityRef,
  xtkAttribute,
  xtkCDATA,
  xtkComment,
  xtkElement,
  xtkEntityRef,
  xtkEqual,
  xtkNull,  // end of line
  xtkProcessingInstruction,
  xtkQuotAttrValue,
  xtkQuotEntityRef,
  xtkSpace,
  xtkSymbol,
  xtkText,
  xtknsAposAttrValue,
  xtknsAposEntityRef,
  xtknsAttribute,
  xtknsEqual,
  xtknsQuotAttrValue,
  xtknsQuotEntityRef,
  xtkDocType,
};

enum TXMLRangeState : int {
  xrsAposAttrValue,
  xrsAposEntityRef,
  xrsAttribute,
  xrsCDATA,
  xrsComment,
  xrsElement,
  xrsEntityRef,
  xrsEqual,
  xrsProcessingInstruction,
  xrsQuotAttrValue,
  xrsQuotEntityRef,
  xrsText,
  xrsnsAposAttrValue,
  xrsnsAposEntityRef,
  xrsnsEqual,
  xrsnsQuotAttrValue,
  xrsnsQuotEntityRef,
  xrsDocType,
  xrsDocTypeSquareBraces,
};

class TXMLHighlighter : public TKitHighlighter {
 public:
  TXMLHighlighter();

  THighlighterAttributes& ElementAttri() const { return *AttributeOfKind(xtkElement); }
  THighlighterAttributes& AttributeAttri() const { return *AttributeOfKind(xtkAttribute); }
  THighlighterAttributes& NamespaceAttributeAttri() const { return *AttributeOfKind(xtknsAttribute); }
  THighlighterAttributes& AttributeValueAttri() const { return *AttributeOfKind(xtkAposAttrValue); }
  THighlighterAttributes& NamespaceAttributeValueAttri() const { return *AttributeOfKind(xtknsAposAttrValue); }
  THighlighterAttributes& TextAttri() const { return *AttributeOfKind(xtkText); }
  THighlighterAttributes& CDATAAttri() const { return *AttributeOfKind(xtkCDATA); }
  THighlighterAttributes& EntityRefAttri() const { return *AttributeOfKind(xtkEntityRef); }
  THighlighterAttributes& ProcessingInstructionAttri() const { return *AttributeOfKind(xtkProcessingInstruction); }
  THighlighterAttributes& CommentAttri() const { return *AttributeOfKind(xtkComment); }
  THighlighterAttributes& DocTypeAttri() const { return *AttributeOfKind(xtkDocType); }
  THighlighterAttributes& SpaceAttri() const { return *AttributeOfKind(xtkSpace); }
  THighlighterAttributes& SymbolAttri() const { return *AttributeOfKind(xtkSymbol); }

  // Kept for the settings; scanning does not depend on it.
  bool WantBracesParsed() const { return wantBracesParsed_; }
  void SetWantBracesParsed(bool value) { wantBracesParsed_ = value; }

  THighlighterAttributes* TokenAttribute() const override;
  THighlighterCharSet IdentifierChars() const override;
  std::string ClassName() const override { return "TXMLHighlighter"; }
  void NextToken() override;

 private:
  void LessThanProc();
  void CDATAProc();
  void CommentProc();
  void ProcessingInstructionProc();
  void DocTypeProc();
  void TextProc();
  void ElementProc();
  void AttributeProc();
  void EqualProc();
  void AttributeValueProc();
  void EntityRefProc();
  void SkipName();

  bool wantBracesParsed_ = true;
};

}  // namespace vantrel
