#include "text/LineSort.h"

#include <algorithm>
#include <array>
#include <clocale>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <numeric>

#include "platform/CodePage.h"

namespace vantrel {

namespace {

// The C locales collate by code point: for a single-byte page one weight per
// byte says everything, and comparing mapped bytes needs no per-line keys
// from the C library (which would cost seconds on a million lines).
bool CollatesByCodePoint() {
  const char* name = std::setlocale(LC_COLLATE, nullptr);
  if (!name) return true;
  return std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 || std::strncmp(name, "C.", 2) == 0;
}

// Rank of each byte's lower-case code point among all 256.
std::array<uint8_t, 256> CaseFoldedWeights(const CodePage& cp) {
  std::array<char32_t, 256> folded{};
  for (int b = 0; b < 256; ++b) {
    const char32_t unicode = cp.ToUnicode(cp.ToLower(static_cast<uint8_t>(b)));
    folded[size_t(b)] = static_cast<char32_t>(std::towlower(static_cast<wint_t>(unicode)));
  }
  std::array<int, 256> bytes{};
  std::iota(bytes.begin(), bytes.end(), 0);
  std::stable_sort(bytes.begin(), bytes.end(), [&](int a, int b) { return folded[size_t(a)] < folded[size_t(b)]; });
  std::array<uint8_t, 256> weights{};
  int rank = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0 && folded[size_t(bytes[i])] != folded[size_t(bytes[i - 1])]) ++rank;
    weights[size_t(bytes[i])] = static_cast<uint8_t>(rank);
  }
  return weights;
}

// Collation keys of the C library for lines of a double-byte page or under
// a real locale.
std::vector<std::wstring> LocaleKeys(const std::vector<std::string_view>& lines, const CodePage& cp) {
  std::vector<std::wstring> keys(lines.size());
  std::wstring wide;
  for (size_t i = 0; i < lines.size(); ++i) {
    wide.clear();
    for (char32_t c : cp.Decode(lines[i])) wide.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))));
    const size_t length = std::wcsxfrm(nullptr, wide.c_str(), 0);
    keys[i].resize(length + 1);
    std::wcsxfrm(keys[i].data(), wide.c_str(), length + 1);
    keys[i].resize(length);
  }
  return keys;
}

std::vector<size_t> SortedOrder(const std::vector<std::string_view>& lines, const CodePage& cp) {
  std::vector<size_t> order(lines.size());
  std::iota(order.begin(), order.end(), size_t{0});
  if (!cp.IsDoubleByte() && CollatesByCodePoint()) {
    // Keys are the lines with each byte replaced by its weight, in one block.
    const std::array<uint8_t, 256> weights = CaseFoldedWeights(cp);
    size_t total = 0;
    for (std::string_view line : lines) total += line.size();
    std::string block(total, '\0');
    std::vector<std::string_view> keys(lines.size());
    size_t at = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
      for (char c : lines[i]) block[at++] = static_cast<char>(weights[static_cast<uint8_t>(c)]);
      keys[i] = std::string_view(block).substr(at - lines[i].size(), lines[i].size());
    }
    // string_view compares as unsigned bytes (char_traits<char>::compare is memcmp).
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    return order;
  }
  const std::vector<std::wstring> keys = LocaleKeys(lines, cp);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
  return order;
}

}  // namespace

std::string SortedLinesText(const std::vector<std::string_view>& all, const CodePage& cp) {
  const bool finalBreak = all.size() > 1 && all.back().empty();
  const std::vector<std::string_view> lines(all.begin(), all.end() - (finalBreak ? 1 : 0));
  const std::vector<size_t> order = SortedOrder(lines, cp);
  size_t total = lines.empty() ? 0 : 2 * lines.size();
  for (std::string_view line : lines) total += line.size();
  std::string text;
  text.reserve(total);
  for (size_t i = 0; i < order.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[order[i]];
  }
  if (finalBreak) text += "\r\n";
  return text;
}

}  // namespace vantrel
