// The View > Syntax items, the highlighter instances of the main window and
// the file-extension table that picks one of them.
// Tested by tests/ui/SyntaxTableTest.cpp
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace vantrel {

// The main window's highlighter instances, one per language, shared by every
// editor showing that language.
enum THighlighterInstance : int {
  hiNone = -1,
  hiCpp,
  hiJava,
  hiPas,
  hiVB,
  hiCss,
  hiHTML,
  hiJScript,
  hiPHP,
  hiXML,
  hiBat,
  hiPerl,
  hiPython,
  hiRuby,
  hiUNIXShellScript,
  hiAsm,
  hiAWK,
  hiCS,
  kHighlighterInstanceCount
};

// The Syntax submenu items in menu order.
enum TSyntaxItem : int {
  siNone = -1,
  siNormal1,
  siCC1,
  siObjectiveC1,
  siPascal1,
  siASM1,
  siXML1,
  siVB1,
  siC1,
  siPerl1,
  siPython1,
  siRuby1,
  siJavaScript1,
  siHTML1,
  siCSS1,
  siXML2,
  siPHP1,
  siUNIXScript1,
  siDOSBatch1,
  siAWK1,
  kSyntaxItemCount
};

struct TSyntaxItemInfo {
  const char* Name;     // component name, also the QAction's object name
  const char* Caption;  // as stored, with its accelerator
  THighlighterInstance Highlighter;
  // The item the handler checks: itself, except Objective-C, which shares
  // the C/C++ handler and checks C/C++.
  TSyntaxItem Checks;
};

const std::array<TSyntaxItemInfo, kSyntaxItemCount>& SyntaxItems();

struct THighlighterInstanceInfo {
  const char* Name;       // "CppHighlighter1"
  const char* ClassName;  // "TCppHighlighter"
};

const std::array<THighlighterInstanceInfo, kHighlighterInstanceCount>& HighlighterInstances();

// The extension of the file name part (from its last "." on, dot included),
// lower-cased in ASCII; empty when the name has no dot.
std::string LowerCaseExtension(std::string_view fileName);

// The syntax item the extension table picks for a file name, or siNone when
// the extension is missing or unknown (the choice then stays as it was).
TSyntaxItem SyntaxItemForFileName(std::string_view fileName);

}  // namespace vantrel
