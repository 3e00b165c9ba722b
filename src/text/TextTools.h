// Small text tools of the main window: ASCII case conversion, capitalising
// words, counting words.
// Tested by tests/text/TextToolsTest.cpp
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Tab, line feed, carriage return, space and ! " ' ( ) , . : ; ? [ ] { }.
bool IsWordSeparator(char c);

// Converts the ASCII letters only; every other byte (and so every second
// byte of a double-byte character) stays as it is.
std::string AsciiUpperCase(std::string_view text);
std::string AsciiLowerCase(std::string_view text);

// Upper-cases (ASCII) the first character and every non-blank character that
// follows a space; nothing is lowered.
std::string CapitalizeWords(std::string_view text);

// The number of maximal runs of characters that are not word separators.
int CountWords(std::string_view text);

}  // namespace vantrel
