// JavaScript, Visual Basic, Object Pascal, Java, AWK and C#: the constructs
// that carry state over lines, number rules and each language's letter-case
// rule, one table per language.
#include "LanguageScan.h"
#include "highlight/HighlighterAWK.h"
#include "highlight/HighlighterCS.h"
#include "highlight/HighlighterJScript.h"
#include "highlight/HighlighterJava.h"
#include "highlight/HighlighterPas.h"
#include "highlight/HighlighterVB.h"

namespace vantrel {
namespace {

TEST(HighlighterCatalogueTest, JScript) {
  TJScriptHighlighter h;
  const Tok sp{" ", jstkSpace};
  CheckRows(h, {
      {"block comment opens", 0, "a /* b", {{"a", jstkIdentifier}, sp, {"/* b", jstkComment}}, jsrComment},
      {"block comment closes", jsrComment, "c */d", {{"c */", jstkComment}, {"d", jstkIdentifier}}, 0},
      {"empty line keeps the comment", jsrComment, "", {}, jsrComment},
      {"opener alone at the line end", 0, "/*", {{"/*", jstkComment}}, jsrComment},
      {"line comment", 0, "x// y", {{"x", jstkIdentifier}, {"// y", jstkComment}}, 0},
      {"slash-assign", 0, "/=/", {{"/=", jstkSymbol}, {"/", jstkSymbol}}, 0},
      {"case significant", 0, "if If onLoad onload Math",
       {{"if", jstkKey}, sp, {"If", jstkIdentifier}, sp, {"onLoad", jstkEvent}, sp, {"onload", jstkIdentifier}, sp,
        {"Math", jstkNonReservedKey}}, 0},
      {"hex and decimal", 0, "0x1F 1.5 1..2 0xg 12ab",
       {{"0x1F", jstkNumber}, sp, {"1.5", jstkNumber}, sp, {"1", jstkNumber}, {".", jstkSymbol}, {".", jstkSymbol},
        {"2", jstkNumber}, sp, {"0", jstkNumber}, {"xg", jstkIdentifier}, sp, {"12", jstkNumber}, {"ab", jstkIdentifier}}, 0},
      {"escaped quotes", 0, R"("a\"b" 'c\\' "d)", {{R"("a\"b")", jstkString}, sp, {R"('c\\')", jstkString}, sp, {"\"d", jstkString}}, 0},
      {"string does not continue", 0, "\"a\\", {{"\"a\\", jstkString}}, 0},
  });
}

TEST(HighlighterCatalogueTest, VB) {
  TVBHighlighter h;
  const Tok sp{" ", vbtkSpace};
  CheckRows(h, {
      {"case ignored", 0, "DIM dim Dim x", {{"DIM", vbtkKey}, sp, {"dim", vbtkKey}, sp, {"Dim", vbtkKey}, sp, {"x", vbtkIdentifier}}, 0},
      {"rem in any case", 0, "x: ReM note 'q", {{"x", vbtkIdentifier}, {":", vbtkSymbol}, sp, {"ReM note 'q", vbtkComment}}, 0},
      {"remark is a word", 0, "remark", {{"remark", vbtkIdentifier}}, 0},
      {"apostrophe comment", 0, "a 'b", {{"a", vbtkIdentifier}, sp, {"'b", vbtkComment}}, 0},
      {"end with is one keyword", 0, "End With", {{"End With", vbtkKey}}, 0},
      {"end without with", 0, "End Without", {{"End", vbtkKey}, sp, {"Without", vbtkIdentifier}}, 0},
      {"date literal and strings", 0, "#1/2# \"a\"\"b\" \"c",
       {{"#1/2#", vbtkString}, sp, {"\"a\"", vbtkString}, {"\"b\"", vbtkString}, sp, {"\"c", vbtkString}}, 0},
      {"numbers and comparisons", 0, "1.5E3<>2<=",
       {{"1.5E3", vbtkNumber}, {"<>", vbtkSymbol}, {"2", vbtkNumber}, {"<=", vbtkSymbol}}, 0},
  });
  EXPECT_EQ(h.RangeState(), 0);
}

TEST(HighlighterCatalogueTest, Pas) {
  TPasHighlighter h;
  const Tok sp{" ", pastkSpace};
  CheckRows(h, {
      {"brace comment opens", pasrNormal, "a { b", {{"a", pastkIdentifier}, sp, {"{ b", pastkComment}}, pasrBor},
      {"brace comment closes", pasrBor, "c } d", {{"c }", pastkComment}, sp, {"d", pastkIdentifier}}, pasrNormal},
      {"directive over lines", pasrNormal, "{$IFDEF X", {{"{$IFDEF X", pastkDirective}}, pasrDirective},
      {"directive closes", pasrDirective, "}", {{"}", pastkDirective}}, pasrNormal},
      {"paren comment", pasrNormal, "(* a", {{"(* a", pastkComment}}, pasrAnsi},
      {"opener alone at the line end", pasrNormal, "(*", {{"(*", pastkComment}}, pasrAnsi},
      {"brace alone at the line end", pasrAsm, "{", {{"{", pastkComment}}, pasrBorAsm},
      {"paren comment ignores brace", pasrAnsi, "} *)x", {{"} *)", pastkComment}, {"x", pastkIdentifier}}, pasrNormal},
      {"case ignored", pasrNormal, "BEGIN begin Begin", {{"BEGIN", pastkKey}, sp, {"begin", pastkKey}, sp, {"Begin", pastkKey}}, pasrNormal},
      {"asm block", pasrNormal, "asm MOV EAX,1", {{"asm", pastkKey}, {" ", pastkSpace}, {"MOV", pastkAsm}, sp, {"EAX", pastkAsm}, {",", pastkAsm}, {"1", pastkAsm}}, pasrAsm},
      {"comment inside asm", pasrAsm, "{ c } nop (* d", {{"{ c }", pastkComment}, sp, {"nop", pastkAsm}, sp, {"(* d", pastkComment}}, pasrAnsiAsm},
      {"back to asm after comment", pasrAnsiAsm, "*) end;", {{"*)", pastkComment}, sp, {"end", pastkKey}, {";", pastkSymbol}}, pasrNormal},
      {"directive inside asm", pasrAsm, "{$R+", {{"{$R+", pastkDirective}}, pasrDirectiveAsm},
      {"read only in a property", pasrNormal, "Read; property P read F;",
       {{"Read", pastkIdentifier}, {";", pastkSymbol}, sp, {"property", pastkKey}, sp, {"P", pastkIdentifier}, sp,
        {"read", pastkKey}, sp, {"F", pastkIdentifier}, {";", pastkSymbol}}, pasrNormal},
      {"property goes on over lines", pasrNormal, "property P", {{"property", pastkKey}, sp, {"P", pastkIdentifier}}, pasrProperty},
      {"exports words", pasrNormal, "exports F index 1 name",
       {{"exports", pastkKey}, sp, {"F", pastkIdentifier}, sp, {"index", pastkKey}, sp, {"1", pastkNumber}, sp, {"name", pastkKey}}, pasrExports},
      {"name outside exports", pasrNormal, "name", {{"name", pastkIdentifier}}, pasrNormal},
      {"strings and characters", pasrNormal, "'it''s' #13#$0A $1F #",
       {{"'it''s'", pastkString}, sp, {"#13", pastkChar}, {"#$0A", pastkChar}, sp, {"$1F", pastkHex}, sp, {"#", pastkSymbol}}, pasrNormal},
      {"numbers", pasrNormal, "10 1.5 2e-3 1..5",
       {{"10", pastkNumber}, sp, {"1.5", pastkFloat}, sp, {"2e-3", pastkFloat}, sp, {"1", pastkNumber}, {"..", pastkSymbol}, {"5", pastkNumber}}, pasrNormal},
      {"two-character symbols", pasrNormal, ":=<>(.@@|", {{":=", pastkSymbol}, {"<>", pastkSymbol}, {"(.", pastkSymbol}, {"@@", pastkSymbol}, {"|", pastkSymbol}}, pasrNormal},
      {"line comment", pasrNormal, "Cdecl // x", {{"Cdecl", pastkKey}, sp, {"// x", pastkComment}}, pasrNormal},
  });
  h.SetPackageSource(false);
  h.SetDelphiVersion(dvDelphi1);
  CheckRows(h, {
      {"old version", pasrNormal, "Cdecl // x", {{"Cdecl", pastkIdentifier}, sp, {"/", pastkSymbol}, {"/", pastkSymbol}, sp, {"x", pastkIdentifier}}, pasrNormal},
      {"no package words", pasrNormal, "requires", {{"requires", pastkIdentifier}}, pasrNormal},
  });
  h.SetDelphiVersion(dvDelphi3);
  CheckRows(h, {
      {"version boundary", pasrProperty, "readonly Implements", {{"readonly", pastkKey}, sp, {"Implements", pastkIdentifier}}, pasrProperty},
  });
  h.ResetRangeState();
  EXPECT_EQ(h.RangeState(), pasrNormal);
}

TEST(HighlighterCatalogueTest, Java) {
  TJavaHighlighter h;
  const Tok sp{" ", jtkSpace};
  CheckRows(h, {
      {"documentation comment", jrNormal, "/** doc", {{"/** doc", jtkDocument}}, jrDocument},
      {"documentation goes on", jrDocument, "more */x", {{"more */", jtkDocument}, {"x", jtkIdentifier}}, jrNormal},
      {"empty comment is no documentation", jrNormal, "/**/x", {{"/**/", jtkComment}, {"x", jtkIdentifier}}, jrNormal},
      {"plain comment", jrNormal, "/* a", {{"/* a", jtkComment}}, jrComment},
      {"empty line keeps documentation", jrDocument, "", {}, jrDocument},
      {"case significant", jrNormal, "class Class $x", {{"class", jtkKey}, sp, {"Class", jtkIdentifier}, sp, {"$x", jtkIdentifier}}, jrNormal},
      {"numbers", jrNormal, "0x7FL 1.5e-3 1..2 n-1",
       {{"0x7FL", jtkNumber}, sp, {"1.5e-3", jtkNumber}, sp, {"1", jtkNumber}, {".", jtkSymbol}, {".", jtkSymbol}, {"2", jtkNumber},
        sp, {"n", jtkIdentifier}, {"-", jtkSymbol}, {"1", jtkNumber}}, jrNormal},
      {"subtraction is no number", jrNormal, "10-x", {{"10", jtkNumber}, {"-", jtkSymbol}, {"x", jtkIdentifier}}, jrNormal},
      {"escapes", jrNormal, R"('\'' "a\"b")", {{R"('\'')", jtkString}, sp, {R"("a\"b")", jtkString}}, jrNormal},
      {"accented word stays whole", jrNormal, "caf\xc3\xa9 #", {{"caf\xc3\xa9", jtkIdentifier}, sp, {"#", jtkInvalid}}, jrNormal},
  });
}

TEST(HighlighterCatalogueTest, AWK) {
  TAWKHighlighter h;
  const Tok sp{" ", awtkSpace};
  CheckRows(h, {
      {"next file", 0, "next  file;", {{"next  file", awtkKey}, {";", awtkSymbol}}, 0},
      {"next filename", 0, "next filex", {{"next", awtkKey}, sp, {"filex", awtkIdentifier}}, 0},
      {"kinds and case", 0, "print Print NR length",
       {{"print", awtkKey}, sp, {"Print", awtkIdentifier}, sp, {"NR", awtkSysVar}, sp, {"length", awtkInterFunc}}, 0},
      {"fields", 0, "$1,$NF $10", {{"$1", awtkSymbol}, {",", awtkSymbol}, {"$", awtkIdentifier}, {"NF", awtkSysVar}, sp,
                                    {"$", awtkIdentifier}, {"10", awtkNumber}}, 0},
      {"only double quote closes", 0, "'a' b\"", {{"'a' b\"", awtkString}}, 0},
      {"escaped quote and tab", 0, "\"a\\\"\tb\"", {{"\"a\\\"\tb\"", awtkString}}, 0},
      {"open string", 0, "\"abc", {{"\"abc", awtkIdentifier}}, 0},
      {"dollar and next at the line end", 0, "next $", {{"next", awtkKey}, sp, {"$", awtkIdentifier}}, 0},
      {"comment and words of letters", 0, "a_b1 # c", {{"a", awtkIdentifier}, {"_", awtkSymbol}, {"b", awtkIdentifier}, {"1", awtkNumber},
                                                       sp, {"# c", awtkComment}}, 0},
  });
}

TEST(HighlighterCatalogueTest, CS) {
  TCSHighlighter h;
  const Tok sp{" ", cshtkSpace};
  CheckRows(h, {
      {"directive to line end", csrNormal, "  #if X", {{"  ", cshtkSpace}, {"#if X", cshtkDirec}}, csrNormal},
      {"directive continues", csrNormal, "#if A \\", {{"#if A \\", cshtkDirec}}, csrDirectiveContinued},
      {"continuation ends", csrDirectiveContinued, "&& B", {{"&& B", cshtkDirec}}, csrNormal},
      {"directive then line comment", csrNormal, "#endif // x", {{"#endif ", cshtkDirec}, {"// x", cshtkComment}}, csrNormal},
      {"directive comment", csrNormal, "#define A /* c", {{"#define A ", cshtkDirec}, {"/* c", cshtkComment}}, csrDirectiveComment},
      {"directive comment closes into directive", csrDirectiveComment, "d */ B", {{"d */", cshtkComment}, {" B", cshtkDirec}}, csrNormal},
      {"directive comment closes at line end", csrDirectiveComment, "d */", {{"d */", cshtkComment}}, csrNormal},
      {"block comment", csrNormal, "/* a", {{"/* a", cshtkComment}}, csrComment},
      {"case significant", csrNormal, "string String", {{"string", cshtkKey}, sp, {"String", cshtkIdentifier}}, csrNormal},
      {"single-quoted string", csrNormal, R"('\'')", {{R"('\'')", cshtkString}}, csrNormal},
      {"string continues", csrNormal, "\"a\\", {{"\"a\\", cshtkString}}, csrStringContinued},
      {"numbers", csrNormal, "0xFFUL 1.5 1..2 .5",
       {{"0xFFUL", cshtkNumber}, sp, {"1.5", cshtkNumber}, sp, {"1", cshtkNumber}, {".", cshtkSymbol}, {".2", cshtkNumber}, sp, {".5", cshtkNumber}}, csrNormal},
      {"operators", csrNormal, "<<= -> :: @", {{"<<=", cshtkSymbol}, sp, {"->", cshtkSymbol}, sp, {"::", cshtkSymbol}, sp, {"@", cshtkInvalid}}, csrNormal},
  });
}

}  // namespace
}  // namespace vantrel
