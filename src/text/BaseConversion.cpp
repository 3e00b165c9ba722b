#include "text/BaseConversion.h"

#include <charconv>

namespace vantrel {

namespace {

constexpr char kBackspace = '\b';

std::string WithoutLeadingZeros(std::string digits) {
  const size_t first = digits.find_first_not_of('0');
  digits.erase(0, first == std::string::npos ? digits.size() - 1 : first);
  return digits;
}

}  // namespace

std::string ToHexText(int32_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const auto bits = static_cast<uint32_t>(value);
  std::string digits(8, '0');
  for (int i = 0; i < 8; ++i) digits[size_t(7 - i)] = kDigits[(bits >> (4 * i)) & 0xF];
  return WithoutLeadingZeros(digits);
}

std::string ToBinaryText(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  std::string digits(32, '0');
  for (int i = 0; i < 32; ++i) digits[size_t(31 - i)] = ((bits >> i) & 1) ? '1' : '0';
  return WithoutLeadingZeros(digits);
}

int32_t BinaryTextValue(std::string_view text) {
  uint32_t value = 0;
  uint32_t weight = 1;
  for (size_t i = text.size(); i-- > 0; weight <<= 1) {
    if (text[i] == '1') value += weight;
  }
  return static_cast<int32_t>(value);
}

int32_t HexTextValue(std::string_view text) {
  uint32_t value = 0;
  uint32_t weight = 1;
  for (size_t i = text.size(); i-- > 0; weight <<= 4) {
    const auto code = static_cast<uint8_t>(text[i]);
    value += (code <= '9' ? uint32_t(code) - 48u : uint32_t(code) - 55u) * weight;
  }
  return static_cast<int32_t>(value);
}

int32_t DecimalTextValue(std::string_view text) {
  std::string_view digits = text;
  // from_chars takes a minus sign only; a plus is ours to strip, once.
  if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
  int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || (digits.size() < text.size() && digits[0] == '-')) {
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  }
  return value;
}

bool DecimalFieldAccepts(char c) { return (c >= '0' && c <= '9') || c == kBackspace; }
bool BinaryFieldAccepts(char c) { return c == '0' || c == '1' || c == kBackspace; }
bool HexFieldAccepts(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == kBackspace;
}

}  // namespace vantrel
