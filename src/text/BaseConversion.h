// Conversions of the base converter window: a 32-bit value as signed
// decimal, binary and hexadecimal text, and the keys each field accepts.
// Tested by tests/text/TextToolsTest.cpp
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Exception.h"

namespace vantrel {

class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// The 32-bit pattern, leading zeros removed down to one digit.
std::string ToHexText(int32_t value);
std::string ToBinaryText(int32_t value);
// Every character but "1" counts as 0; digits beyond the 32nd wrap away.
int32_t BinaryTextValue(std::string_view text);
// Upper-case digits; wraps at 32 bits.
int32_t HexTextValue(std::string_view text);
// An optional sign and decimal digits within the signed 32-bit range;
// anything else throws EConvertError.
int32_t DecimalTextValue(std::string_view text);

// The typed characters each field lets through (Backspace always).
bool DecimalFieldAccepts(char c);
bool BinaryFieldAccepts(char c);
bool HexFieldAccepts(char c);

}  // namespace vantrel
