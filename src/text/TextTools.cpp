#include "text/TextTools.h"

#include <array>

namespace vantrel {

namespace {

constexpr std::array<bool, 256> MakeSeparatorTable() {
  std::array<bool, 256> table{};
  for (unsigned char c : std::string_view("\t\n\r !\"'(),.:;?[]{}")) table[c] = true;
  return table;
}

constexpr std::array<bool, 256> kSeparators = MakeSeparatorTable();

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool IsWordSeparator(char c) { return kSeparators[static_cast<unsigned char>(c)]; }

std::string AsciiUpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AsciiUpper(c);
  return result;
}

std::string AsciiLowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AsciiLower(c);
  return result;
}

std::string CapitalizeWords(std::string_view text) {
  std::string result(text);
  for (size_t i = 0; i < result.size(); ++i) {
    if (i == 0 || (result[i - 1] == ' ' && result[i] != ' ')) result[i] = AsciiUpper(result[i]);
  }
  return result;
}

int CountWords(std::string_view text) {
  // A word starts wherever a non-separator follows a separator or the start;
  // one table lookup per byte keeps this at memory speed on huge files.
  int count = 0;
  bool inSeparators = true;
  for (char c : text) {
    const bool separator = kSeparators[static_cast<unsigned char>(c)];
    count += static_cast<int>(inSeparators && !separator);
    inSeparators = separator;
  }
  return count;
}

}  // namespace vantrel
