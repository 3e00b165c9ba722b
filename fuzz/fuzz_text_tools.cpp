// Command output and typed numbers are untrusted bytes: the output decoder
// fed in random pieces (checked against one whole conversion), word count,
// capitalising and sorting of the text as lines, and the base conversions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Assert.h"
#include "platform/CodePage.h"
#include "text/BaseConversion.h"
#include "text/LineSort.h"
#include "text/OutputDecoder.h"
#include "text/TextTools.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 4096) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const size_t step = 1 + data[0] % 16;

  TOutputDecoder whole("UTF-8", "CP1252");
  const std::string expected = whole.Convert(text) + whole.Finish();
  TOutputDecoder pieces("UTF-8", "CP1252");
  std::string got;
  for (size_t at = 0; at < text.size(); at += step) got += pieces.Convert(text.substr(at, step));
  got += pieces.Finish();
  VANTREL_ASSERT(got == expected, "fuzz_text_tools");

  const int words = CountWords(text);
  VANTREL_ASSERT(words >= 0 && size_t(words) <= (text.size() + 1) / 2, "fuzz_text_tools");
  VANTREL_ASSERT(CapitalizeWords(text).size() == text.size(), "fuzz_text_tools");

  std::vector<std::string_view> lines;
  for (size_t start = 0;;) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  const std::string sorted = SortedLinesText(lines, CodePage::Active());
  VANTREL_ASSERT(sorted.size() == text.size() + lines.size() - 1, "fuzz_text_tools");

  const int32_t binary = BinaryTextValue(text);
  VANTREL_ASSERT(BinaryTextValue(ToBinaryText(binary)) == binary, "fuzz_text_tools");
  const int32_t hex = HexTextValue(text);
  VANTREL_ASSERT(HexTextValue(ToHexText(hex)) == hex, "fuzz_text_tools");
  try {
    const int32_t value = DecimalTextValue(text);
    VANTREL_ASSERT(DecimalTextValue(std::to_string(value)) == value, "fuzz_text_tools");
  } catch (const EConvertError&) {
  }
  return 0;
}
