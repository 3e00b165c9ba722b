// The regular-expression search engine behind the search dialogs: runs one
// TRegex over each line the editor hands it.
// Tested by tests/search/CodeEditRegexSearchTest.cpp
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/CodeEditSearch.h"
#include "search/Regex.h"

namespace vantrel {

class TCodeEditRegexSearch : public TCodeEditSearchCustom {
 public:
  TCodeEditRegexSearch() = default;

  std::string GetPattern() const override { return regex_.Expression(); }
  void SetPattern(std::string_view value) override { regex_.SetExpression(value); }
  int32_t MatchLength(int32_t index) const override;
  int32_t MatchPosition(int32_t index) const override;
  int32_t MatchCount() const override { return static_cast<int32_t>(positions_.size()); }
  void SetSearchFlags(TSearchFlags flags) override;
  int32_t FindMatches(std::string_view line) override;
  std::string ReplacementText(std::string_view found, std::string_view replacement) override;
  // Expands the template with the groups of that match as it was found in
  // its line, so that anchors, boundaries and empty matches keep the
  // meaning they had when searching.
  std::string ReplacementTextAt(int32_t index, std::string_view found, std::string_view replacement) override;

  TRegex& Regex() { return regex_; }

 private:
  void CheckIndex(int32_t index) const;

  TRegex regex_;
  std::vector<int32_t> positions_;
  std::vector<int32_t> lengths_;
};

}  // namespace vantrel
