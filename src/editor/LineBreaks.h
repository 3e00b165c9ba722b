// Splitting text that may hold CR LF, CR or LF line breaks.
#pragma once

#include <string_view>
#include <vector>

namespace vantrel {

// The pieces between line breaks (CR LF, CR or LF); a text ending in a break
// ends in an empty piece, and an empty text is one empty piece.
std::vector<std::string_view> SplitAtLineBreaks(std::string_view text);

}  // namespace vantrel
