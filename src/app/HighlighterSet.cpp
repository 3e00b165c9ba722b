#include "app/HighlighterSet.h"

#include "highlight/CodeEditHighlighter.h"
#include "highlight/HighlighterLanguages.h"
#include "highlight/HighlighterXML.h"

namespace vantrel {

namespace {

constexpr TColor kXmlElement = 526474;  // #8A0808

TAttributeSetting Fg(THighlighterInstance i, const char* property, TColor fg, int style = TAttributeSetting::kKeepStyle) {
  return {i, property, fg, TAttributeSetting::kKeepColor, style};
}
TAttributeSetting Bg(THighlighterInstance i, const char* property, TColor bg) {
  return {i, property, TAttributeSetting::kKeepColor, bg, TAttributeSetting::kKeepStyle};
}
TAttributeSetting Style(THighlighterInstance i, const char* property, int style) {
  return {i, property, TAttributeSetting::kKeepColor, TAttributeSetting::kKeepColor, style};
}

std::unique_ptr<TCustomHighlighter> CreateInstance(THighlighterInstance instance) {
  return CreateHighlighterOfClass(HighlighterInstances()[size_t(instance)].ClassName);
}

}  // namespace

const std::vector<TAttributeSetting>& AttributeSettings() {
  static const std::vector<TAttributeSetting> settings = {
      Fg(hiCpp, "AsmAttri", clTeal),
      Fg(hiCpp, "CommentAttri", clGreen, 0),
      Fg(hiCpp, "DirecAttri", clNavy),
      Fg(hiCpp, "InvalidAttri", clPurple),
      Fg(hiCpp, "KeyAttri", clBlue, 0),
      Fg(hiCpp, "NumberAttri", clMaroon),
      Fg(hiCpp, "FloatAttri", clMaroon),
      Fg(hiCpp, "HexAttri", clBlue),
      Fg(hiCpp, "OctalAttri", clTeal),
      Fg(hiCpp, "StringAttri", clRed),
      Fg(hiCpp, "CharAttri", clMaroon),

      Fg(hiJava, "CommentAttri", clGreen, 0),
      Fg(hiJava, "DocumentAttri", clGreen, 0),
      Fg(hiJava, "InvalidAttri", clPurple),
      Fg(hiJava, "KeyAttri", clBlue, 0),
      Fg(hiJava, "NumberAttri", clMaroon),
      Fg(hiJava, "StringAttri", clRed),

      Bg(hiPas, "AsmAttri", clTeal),
      Fg(hiPas, "CommentAttri", clNavy, 0),
      Style(hiPas, "DirectiveAttri", fsBold),
      Fg(hiPas, "NumberAttri", clMaroon),
      Bg(hiPas, "FloatAttri", clMaroon),
      Fg(hiPas, "HexAttri", clTeal),
      Fg(hiPas, "StringAttri", clRed),
      Fg(hiPas, "CharAttri", clMaroon),
      Fg(hiPas, "SymbolAttri", clNavy),

      Fg(hiVB, "CommentAttri", clGreen, 0),
      Fg(hiVB, "NumberAttri", clMaroon),
      Fg(hiVB, "StringAttri", clRed),

      Fg(hiCss, "CommentAttri", clGreen),
      Fg(hiCss, "ColorAttri", clTeal),
      Fg(hiCss, "NumberAttri", clNavy),
      Fg(hiCss, "StringAttri", clRed),
      Fg(hiCss, "TextAttri", clMaroon),

      Fg(hiHTML, "AndAttri", clGreen),
      Fg(hiHTML, "CommentAttri", clGreen),
      Fg(hiHTML, "KeyAttri", clNavy),
      Fg(hiHTML, "TextAttri", clMaroon),

      Fg(hiJScript, "CommentAttri", clGreen, 0),
      Bg(hiJScript, "EventAttri", clNavy),
      Fg(hiJScript, "NumberAttri", clMaroon),
      Fg(hiJScript, "StringAttri", clRed),

      Fg(hiPHP, "CommentAttri", clGreen, 0),
      Fg(hiPHP, "IdentifierAttri", clNavy),
      Fg(hiPHP, "NumberAttri", clMaroon),
      Fg(hiPHP, "StringAttri", clRed),
      Fg(hiPHP, "VariableAttri", clTeal),

      Fg(hiXML, "ElementAttri", kXmlElement, 0),
      Fg(hiXML, "AttributeAttri", clTeal),
      Fg(hiXML, "AttributeValueAttri", clRed, 0),
      Style(hiXML, "NamespaceAttributeValueAttri", 0),
      Style(hiXML, "TextAttri", 0),
      Fg(hiXML, "CDATAAttri", clNavy, 0),
      Fg(hiXML, "EntityRefAttri", clMaroon, 0),
      {hiXML, "CommentAttri", clGreen, clNone, 0},
      Fg(hiXML, "DocTypeAttri", clFuchsia, 0),

      Fg(hiPerl, "CommentAttri", clGreen, 0),
      Fg(hiPerl, "InvalidAttri", clFuchsia),
      Fg(hiPerl, "KeyAttri", clNavy, 0),
      Fg(hiPerl, "NumberAttri", clMaroon),
      Fg(hiPerl, "PragmaAttri", clBlue, 0),
      Fg(hiPerl, "SpaceAttri", clNone),
      Fg(hiPerl, "StringAttri", clRed),
      Fg(hiPerl, "SymbolAttri", clMaroon),
      Fg(hiPerl, "VariableAttri", clBlue, 0),

      Fg(hiPython, "CommentAttri", clTeal, 0),
      Fg(hiPython, "KeyAttri", clNavy, 0),
      Fg(hiPython, "NonKeyAttri", clTeal, 0),
      Style(hiPython, "SystemAttri", 0),
      Fg(hiPython, "NumberAttri", clRed),
      Fg(hiPython, "HexAttri", clGreen),
      Fg(hiPython, "OctalAttri", clTeal),
      Fg(hiPython, "StringAttri", clRed),
      Fg(hiPython, "DocStringAttri", clMaroon),
      Fg(hiPython, "ErrorAttri", clFuchsia),

      Fg(hiAWK, "NumberAttri", clMaroon),

      Fg(hiCS, "AsmAttri", clTeal),
      Fg(hiCS, "CommentAttri", clGreen, 0),
      Fg(hiCS, "InvalidAttri", clPurple),
      Fg(hiCS, "KeyAttri", clBlue, 0),
      Fg(hiCS, "NumberAttri", clNavy),
      Fg(hiCS, "StringAttri", clRed),
  };
  return settings;
}

THighlighterSet::THighlighterSet() {
  for (int i = 0; i < kHighlighterInstanceCount; ++i) instances_[size_t(i)] = CreateInstance(THighlighterInstance(i));
  for (const TAttributeSetting& setting : AttributeSettings()) {
    TCustomHighlighter* highlighter = instances_[size_t(setting.Instance)].get();
    if (!highlighter) continue;
    THighlighterAttributes* attribute = highlighter->AttributeByProperty(setting.Property);
    if (!attribute) {
      unapplied_.push_back(&setting);
      continue;
    }
    if (setting.Foreground != TAttributeSetting::kKeepColor) attribute->SetForeground(setting.Foreground);
    if (setting.Background != TAttributeSetting::kKeepColor) attribute->SetBackground(setting.Background);
    if (setting.Style != TAttributeSetting::kKeepStyle) attribute->SetStyle(TFontStyles(setting.Style));
  }
  if (auto* xml = dynamic_cast<TXMLHighlighter*>(instances_[size_t(hiXML)].get())) xml->SetWantBracesParsed(false);
}

THighlighterSet::~THighlighterSet() = default;

TCustomHighlighter* THighlighterSet::Instance(THighlighterInstance instance) const {
  if (instance < 0 || instance >= kHighlighterInstanceCount) return nullptr;
  return instances_[size_t(instance)].get();
}

}  // namespace vantrel
