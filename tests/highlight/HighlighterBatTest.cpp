// Batch highlighter: keywords in any letter case, rem and :: comments,
// labels, % variables, numbers; no string or symbol attribute.
#include "highlight/HighlighterBat.h"

#include "LanguageScan.h"

namespace vantrel {
namespace {

const Tok SP{" ", btkSpace};

TEST(HighlighterBatTest, Tokens) {
  TBatHighlighter h;
  CheckRows(h, {
      {"keywords in any case", 0, "If IF if ErrorLevel", {{"If", btkKey}, SP, {"IF", btkKey}, SP, {"if", btkKey}, SP, {"ErrorLevel", btkKey}}, 0},
      {"near misses", 0, "iff echo1", {{"iff", btkIdentifier}, SP, {"echo1", btkIdentifier}}, 0},
      {"rem comment in any case", 0, "ReM note", {{"ReM note", btkComment}}, 0},
      {"rem alone", 0, "rem", {{"rem", btkComment}}, 0},
      {"remark is a word", 0, "remark", {{"remark", btkIdentifier}}, 0},
      {"rem inside a word is no comment", 0, "prem x", {{"prem", btkIdentifier}, SP, {"x", btkIdentifier}}, 0},
      {"double colon comment", 0, ":: note", {{":: note", btkComment}}, 0},
      {"label", 0, ":loop", {{":", btkIdentifier}, {"loop", btkIdentifier}}, 0},
      {"variables", 0, "%1 %PATH% %x", {{"%1", btkVariable}, SP, {"%PATH%", btkVariable}, SP, {"%x", btkVariable}}, 0},
      {"numbers", 0, "1.5 10", {{"1.5", btkNumber}, SP, {"10", btkNumber}}, 0},
      {"other characters are identifiers", 0, "@\"a\"", {{"@", btkIdentifier}, {"\"", btkIdentifier}, {"a", btkIdentifier}, {"\"", btkIdentifier}}, 0},
  });
  EXPECT_EQ(h.DefaultAttribute(haString), nullptr);
  EXPECT_EQ(h.DefaultAttribute(haSymbol), nullptr);
  EXPECT_EQ(h.DefaultAttribute(haKeyword)->Name(), "Key");
}

}  // namespace
}  // namespace vantrel
