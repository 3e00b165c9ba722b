// The largest text the line buffer can hold: a line's length and the number
// of lines are 32-bit, so bigger text is refused before it is split.
// Tested by tests/text/CodeEditTextBufferTest.cpp
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

constexpr size_t kMaxLineLength = INT32_MAX;  // a line of 2 GiB or more does not fit
constexpr size_t kMaxLineCount = INT32_MAX - 1;

// Throws EFileError naming `fileName` when some line of `data` (split at CR,
// LF and CR LF) is longer than maxLength bytes or there are more than
// maxLines lines. Text too short to break either limit is not scanned.
void CheckLoadable(std::string_view data, const std::string& fileName, size_t maxLength = kMaxLineLength,
                   size_t maxLines = kMaxLineCount);

}  // namespace vantrel
