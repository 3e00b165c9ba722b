// Fuzzes the regular-expression engine: compile, search every match and
// replace, with random patterns, modifiers, subjects and templates; the
// matches must equal those of the plain search that reuses no failures.
// Input layout: byte 0 modifiers, byte 1 splits, then pattern, subject and
// template separated by the first two 0x01 bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/Regex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantrel;
  // Caps keep each run short; the step budget keeps pathological ones so.
  if (size < 2 || size > 4096) return 0;
  const int modifiers = data[0] & 63;
  const bool multiLineSeparators = data[1] & 1;
  std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
  size_t first = rest.find('\x01');
  std::string_view pattern = rest.substr(0, first);
  std::string_view subject;
  std::string_view templ;
  if (first != std::string_view::npos) {
    subject = rest.substr(first + 1);
    size_t second = subject.find('\x01');
    if (second != std::string_view::npos) {
      templ = subject.substr(second + 1);
      subject = subject.substr(0, second);
    }
  }
  TRegex regex;
  regex.SetModifiers(modifiers);
  regex.SetStepBudget(200'000);
  if (multiLineSeparators) regex.SetPairedSeparator("");
  try {
    regex.SetExpression(pattern);
    int matches = 0;
    for (bool ok = regex.Exec(subject); ok && matches < 1000; ok = regex.ExecNext(), ++matches) {
      const int start = regex.GroupStart(0);
      const int length = regex.GroupLength(0);
      if (start < 1 || length < 0 || static_cast<size_t>(start - 1 + length) > subject.size()) __builtin_trap();
      for (int g = 1; g < kRegexGroupCount; ++g) {
        const int gs = regex.GroupStart(g);
        if (gs != -1 && (gs < 1 || static_cast<size_t>(gs - 1 + regex.GroupLength(g)) > subject.size())) {
          __builtin_trap();
        }
      }
      regex.ExpandTemplate(templ);
    }
    regex.ReplaceMatches(subject, templ, true);
  } catch (const ERegex&) {
  }
  // Differential: every group of every match, or the error code.
  auto allMatches = [&](bool reuse) {
    TRegex r;
    r.SetModifiers(modifiers);
    r.SetStepBudget(200'000);
    r.SetReuseFailures(reuse);
    if (multiLineSeparators) r.SetPairedSeparator("");
    std::vector<int> out;
    try {
      r.SetExpression(pattern);
      int matches = 0;
      for (bool ok = r.Exec(subject); ok && matches < 1000; ok = r.ExecNext(), ++matches) {
        for (int g = 0; g < kRegexGroupCount; ++g) {
          out.push_back(r.GroupStart(g));
          out.push_back(r.GroupLength(g));
        }
      }
    } catch (const ERegex& e) {
      out.push_back(-1000 - e.ErrorCode());
    }
    return out;
  };
  const std::vector<int> reusing = allMatches(true);
  const std::vector<int> plain = allMatches(false);
  // The plain search may run out of budget where the other does not.
  const bool plainGaveUp = !plain.empty() && plain.back() == -1000 - reeStepBudgetExceeded;
  if (!plainGaveUp && reusing != plain) __builtin_trap();
  return 0;
}
