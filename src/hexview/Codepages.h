// Text of an 8-bit encoding to wide characters, with built-in tables for the
// generic encodings when the platform lacks their code page, and clipboard
// output of 8-bit text in an encoding.
// Tested by tests/hexview/CodepagesTest.cpp
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "hexview/TextEncoding.h"

namespace vantrel {

class Clipboard;

// Converts 8-bit text; an unavailable or failing code page gives "?".
// The Unicode encodings are an internal error.
std::u32string CodepageToUnicode(std::string_view text, TTextEncoding encoding);

// One wide character per byte for drawing a fixed cell grid: 0 where the
// byte has no character of its own (undefined, or part of a multi-byte
// sequence). Built once per encoding.
const std::array<char32_t, 256>& EncodingByteTable(TTextEncoding encoding);

// Puts text on the clipboard as the active code page's text and, beside it,
// the wide text as UTF-8 in the "Unicode Text" format. Empty text succeeds
// without touching the clipboard; false when the clipboard would not open.
bool CopyTextInEncoding(Clipboard& clipboard, std::string_view text, TTextEncoding encoding);

// The clipboard format the wide text goes in.
inline constexpr std::string_view kUnicodeTextFormat = "Unicode Text";

}  // namespace vantrel
