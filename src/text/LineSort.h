// The order of the Sort tool: letter case ignored, the locale's collation,
// empty lines first, duplicates kept.
// Tested by tests/text/TextToolsTest.cpp
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class CodePage;

// The lines sorted, joined with CR LF (no break after the last one). Lines
// are text of code page cp. An empty last line, the break that ends a file,
// stays last: sorting does not move a file's final line break to its top.
std::string SortedLinesText(const std::vector<std::string_view>& lines, const CodePage& cp);

}  // namespace vantrel
