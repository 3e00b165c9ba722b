// The content of the ASCII table window: a heading of two lines and one
// line per code 0-127.
// Tested by tests/text/TextToolsTest.cpp
#pragma once

#include <string>
#include <vector>

namespace vantrel {

std::vector<std::string> AsciiTableLines();

}  // namespace vantrel
