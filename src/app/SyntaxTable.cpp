#include "app/SyntaxTable.h"

namespace vantrel {

namespace {

struct TExtensionRow {
  std::string_view Extension;
  TSyntaxItem Item;
};

// Tested in this order; the first match wins.
constexpr TExtensionRow kExtensions[] = {
    {".pas", siPascal1},      {".dpr", siPascal1},   {".c", siCC1},         {".cpp", siCC1},
    {".cc", siCC1},           {".h", siCC1},         {".m", siCC1},         {".java", siXML1},
    {".asm", siASM1},         {".php", siPHP1},      {".pl", siPerl1},      {".py", siPython1},
    {".html", siHTML1},       {".htm", siHTML1},     {".bas", siVB1},       {".css", siCSS1},
    {".js", siJavaScript1},   {".xml", siXML2},      {".plist", siXML2},    {".bat", siDOSBatch1},
    {".rb", siRuby1},         {".sh", siUNIXScript1}, {".cs", siC1},        {".awk", siAWK1},
};

}  // namespace

const std::array<TSyntaxItemInfo, kSyntaxItemCount>& SyntaxItems() {
  static const std::array<TSyntaxItemInfo, kSyntaxItemCount> items = {{
      {"Normal1", "&正常", hiNone, siNormal1},
      {"CC1", "&C/C++", hiCpp, siCC1},
      {"ObjectiveC1", "&Objective-C", hiCpp, siCC1},
      {"Pascal1", "&Pascal", hiPas, siPascal1},
      {"ASM1", "&ASM", hiAsm, siASM1},
      {"XML1", "&Java", hiJava, siXML1},
      {"VB1", "&VB", hiVB, siVB1},
      {"C1", "C&#", hiCS, siC1},
      {"Perl1", "Pe&rl", hiPerl, siPerl1},
      {"Python1", "&P&ython", hiPython, siPython1},
      {"Ruby1", "&Ruby", hiRuby, siRuby1},
      {"JavaScript1", "JavaScr&ipt", hiJScript, siJavaScript1},
      {"HTML1", "&HTML", hiHTML, siHTML1},
      {"CSS1", "C&SS", hiCss, siCSS1},
      {"XML2", "&XML", hiXML, siXML2},
      {"PHP1", "PHP", hiPHP, siPHP1},
      {"UNIXScript1", "&UNIX Script", hiUNIXShellScript, siUNIXScript1},
      {"DOSBatch1", "&DOS Batch", hiBat, siDOSBatch1},
      {"AWK1", "A&WK", hiAWK, siAWK1},
  }};
  return items;
}

const std::array<THighlighterInstanceInfo, kHighlighterInstanceCount>& HighlighterInstances() {
  static const std::array<THighlighterInstanceInfo, kHighlighterInstanceCount> instances = {{
      {"CppHighlighter1", "TCppHighlighter"},
      {"JavaHighlighter1", "TJavaHighlighter"},
      {"PasHighlighter1", "TPasHighlighter"},
      {"VBHighlighter1", "TVBHighlighter"},
      {"CssHighlighter1", "TCssHighlighter"},
      {"HTMLHighlighter1", "THTMLHighlighter"},
      {"JScriptHighlighter1", "TJScriptHighlighter"},
      {"PHPHighlighter1", "TPHPHighlighter"},
      {"XMLHighlighter1", "TXMLHighlighter"},
      {"BatHighlighter1", "TBatHighlighter"},
      {"PerlHighlighter1", "TPerlHighlighter"},
      {"PythonHighlighter1", "TPythonHighlighter"},
      {"RubyHighlighter1", "TRubyHighlighter"},
      {"UNIXShellScriptHighlighter1", "TUNIXShellScriptHighlighter"},
      {"AsmHighlighter1", "TAsmHighlighter"},
      {"AWKHighlighter1", "TAWKHighlighter"},
      {"CSHighlighter1", "TCSHighlighter"},
  }};
  return instances;
}

std::string LowerCaseExtension(std::string_view fileName) {
  // Only the name part counts: a dot in a folder name is no extension.
  const size_t slash = fileName.find_last_of('/');
  if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
  const size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return {};
  std::string extension(fileName.substr(dot));
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return extension;
}

TSyntaxItem SyntaxItemForFileName(std::string_view fileName) {
  const std::string extension = LowerCaseExtension(fileName);
  if (extension.empty()) return siNone;
  for (const TExtensionRow& row : kExtensions)
    if (row.Extension == extension) return row.Item;
  return siNone;
}

}  // namespace vantrel
