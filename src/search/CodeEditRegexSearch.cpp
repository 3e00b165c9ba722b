// The regular-expression search engine behind the search dialogs: runs one
// TRegex over each line the editor hands it.
// Tested by tests/search/CodeEditRegexSearchTest.cpp
#include "search/CodeEditRegexSearch.h"

namespace vantrel {

void TCodeEditRegexSearch::CheckIndex(int32_t index) const {
  if (index < 0 || index >= static_cast<int32_t>(positions_.size())) {
    throw ESearchListError("List index out of bounds (" + std::to_string(index) + ")");
  }
}

int32_t TCodeEditRegexSearch::MatchLength(int32_t index) const {
  CheckIndex(index);
  return lengths_[index];
}

int32_t TCodeEditRegexSearch::MatchPosition(int32_t index) const {
  CheckIndex(index);
  return positions_[index];
}

void TCodeEditRegexSearch::SetSearchFlags(TSearchFlags flags) {
  // Whole words and the rest are the editor's business or not supported.
  regex_.SetModifier(1, !flags.Contains(srCaseSensitive));
}

int32_t TCodeEditRegexSearch::FindMatches(std::string_view line) {
  positions_.clear();
  lengths_.clear();
  if (regex_.Exec(line)) {
    do {
      positions_.push_back(regex_.GroupStart(0));
      lengths_.push_back(regex_.GroupLength(0));
    } while (regex_.ExecNext());
  }
  return static_cast<int32_t>(positions_.size());
}

std::string TCodeEditRegexSearch::ReplacementText(std::string_view found, std::string_view replacement) {
  return regex_.ReplaceMatches(found, replacement, true);
}

std::string TCodeEditRegexSearch::ReplacementTextAt(int32_t index, std::string_view found,
                                                    std::string_view replacement) {
  CheckIndex(index);
  // The regex still holds the line of the last FindMatches: searching it
  // again from the match's start finds the same match first.
  const int position = positions_[index];
  if (regex_.GroupStart(0) != position || regex_.GroupLength(0) != lengths_[index]) {
    if (!regex_.ExecPos(position) || regex_.GroupStart(0) != position || regex_.GroupLength(0) != lengths_[index]) {
      return ReplacementText(found, replacement);
    }
  }
  return regex_.ExpandTemplate(replacement);
}

}  // namespace vantrel
