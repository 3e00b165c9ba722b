// Assembler highlighter: mnemonics in any letter case, comments, strings,
// numbers and symbols; nothing carries over lines.
#include "highlight/HighlighterAsm.h"

#include "LanguageScan.h"

namespace vantrel {
namespace {

TEST(HighlighterAsmTest, Tokens) {
  TAsmHighlighter h;
  const Tok SP{" ", atkSpace};
  CheckRows(h, {
      {"mnemonic in every case", 0, "MOV mov Mov", {{"MOV", atkKey}, SP, {"mov", atkKey}, SP, {"Mov", atkKey}}, 0},
      {"digits in mnemonics", 0, "f2xm1 fld1 pfrcpit2", {{"f2xm1", atkKey}, SP, {"fld1", atkKey}, SP, {"pfrcpit2", atkKey}}, 0},
      {"near misses are identifiers", 0, "movx mo _mov", {{"movx", atkIdentifier}, SP, {"mo", atkIdentifier}, SP, {"_mov", atkIdentifier}}, 0},
      {"semicolon comment", 0, "ret ; done", {{"ret", atkKey}, SP, {"; done", atkComment}}, 0},
      {"hash and slash comments", 0, "# a", {{"# a", atkComment}}, 0},
      {"double slash comment", 0, "nop // x", {{"nop", atkKey}, SP, {"// x", atkComment}}, 0},
      {"lone slash is a symbol", 0, "4/2", {{"4", atkNumber}, {"/", atkSymbol}, {"2", atkNumber}}, 0},
      {"hex number with h", 0, "0FFh,1.5", {{"0FFh", atkNumber}, {",", atkSymbol}, {"1.5", atkNumber}}, 0},
      {"strings of both quotes", 0, "'a\"b' \"c", {{"'a\"b'", atkString}, SP, {"\"c", atkString}}, 0},
      {"two-character symbols", 0, "<=<>>=<", {{"<=", atkSymbol}, {"<>", atkSymbol}, {">=", atkSymbol}, {"<", atkSymbol}}, 0},
      {"no range is kept", 5, "'open", {{"'open", atkString}}, 0},
  });
  EXPECT_TRUE(h.IsKeyword("CMPXCHG"));
  EXPECT_FALSE(h.IsKeyword("cmpxchg8"));
  EXPECT_FALSE(h.IsKeyword(""));
}

}  // namespace
}  // namespace vantrel
