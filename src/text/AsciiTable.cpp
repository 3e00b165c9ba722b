#include "text/AsciiTable.h"

#include <array>
#include <cstdio>

namespace vantrel {

namespace {

struct TAsciiName {
  const char* Value;  // nullptr: the character itself
  const char* Description;  // nullptr: none
};

// Codes 17-20 carry their own layout after the binary digits (kFlowControl).
const std::array<TAsciiName, 33> kControlNames = {{
    {"NUL", "(Null char.)"},
    {"SOH", "(Start of Header)"},
    {"STX", "(Start of Text)"},
    {"ETX", "(End of Text)"},
    {"EOT", "(End of Transmission)"},
    {"ENQ", "(Enquiry)"},
    {"ACK", "(Acknowledgment)"},
    {"BEL", "(Bell)"},
    {"BS", "(Backspace)"},
    {"HT", "(Horizontal Tab)"},
    {"LF", "(Line Feed)"},
    {"VT", "(Vertical Tab)"},
    {"FF", "(Form Feed)"},
    {"CR", "(Carriage Return)"},
    {"SO", "(Shift Out)"},
    {"SI", "(Shift In)"},
    {"DLE", "(Data Link Escape)"},
    {nullptr, nullptr},
    {nullptr, nullptr},
    {nullptr, nullptr},
    {nullptr, nullptr},
    {"NAK", "(Negative Acknowledgement)"},
    {"SYN", "(Synchronous Idle)"},
    {"ETB", "(End of Trans. Block)"},
    {"CAN", "(Cancel)"},
    {"EM", "(End of Medium)"},
    {"SUB", "(Substitute)"},
    {"ESC", "(Escape)"},
    {"FS", "(File Separator)"},
    {"GS", "(Group Separator)"},
    {"RS", "(Request to Send)(Record Separator)"},
    {"US", "(Unit Separator)"},
    {"SP", "(Space)"},
}};

const std::array<const char*, 4> kFlowControl = {
    "      DC1 (XON) (Device Control 1)",
    "      DC2       (Device Control 2)",
    "      DC3 (XOFF)(Device Control 3)",
    "      DC4       (Device Control 4)",
};

struct TDescribed {
  char Code;
  const char* Description;
};

const TDescribed kPunctuation[] = {
    {'!', "(exclamation mark)"},  {'"', "(double quote)"},
    {'#', "(number sign)"},       {'$', "(dollar sign)"},
    {'%', "(percent)"},           {'&', "(ampersand)"},
    {'\'', "(single quote)"},     {'(', "(left/opening parenthesis)"},
    {')', "(right/closing parenthesis)"}, {'*', "(asterisk)"},
    {'+', "(plus)"},              {',', "(comma)"},
    {'-', "(minus or dash)"},     {'.', "(dot)"},
    {'/', "(forward slash)"},     {':', "(colon)"},
    {';', "(semi-colon)"},        {'<', "(less than)"},
    {'=', "(equal sign)"},        {'>', "(greater than)"},
    {'?', "(question mark)"},     {'@', "(AT symbol)"},
    {'[', "(left/opening bracket)"}, {'\\', "(back slash)"},
    {']', "(right/closing bracket)"}, {'^', "(caret/cirumflex)"},
    {'_', "(underscore)"},        {'{', "(left/opening brace)"},
    {'|', "(vertical bar)"},      {'}', "(right/closing brace)"},
    {'~', "(tilde)"},
};

const char* PunctuationDescription(int code) {
  for (const TDescribed& row : kPunctuation) {
    if (row.Code == code) return row.Description;
  }
  return nullptr;
}

std::string CodeColumns(int code) {
  char binary[9];
  for (int bit = 0; bit < 8; ++bit) binary[7 - bit] = ((code >> bit) & 1) ? '1' : '0';
  binary[8] = '\0';
  char text[64];
  std::snprintf(text, sizeof text, "%03d      %03o    %03X   %s", code, code, code, binary);
  return text;
}

std::string CodeLine(int code) {
  std::string line = CodeColumns(code);
  if (code >= 17 && code <= 20) return line + kFlowControl[size_t(code - 17)];
  std::string value;
  const char* description = nullptr;
  if (code <= 32) {
    value = kControlNames[size_t(code)].Value;
    description = kControlNames[size_t(code)].Description;
  } else if (code == 127) {
    value = "DEL";
    description = "(delete)";
  } else {
    value = std::string(1, static_cast<char>(code));
    description = PunctuationDescription(code);
  }
  line += std::string(9 - value.size(), ' ') + value;
  if (description) line += std::string("    ") + description;
  return line;
}

}  // namespace

std::vector<std::string> AsciiTableLines() {
  std::vector<std::string> lines = {
      "Decimal   Octal   Hex    Binary     Value",
      "-------   -----   ---    ------     -----",
  };
  for (int code = 0; code < 128; ++code) lines.push_back(CodeLine(code));
  return lines;
}

}  // namespace vantrel
