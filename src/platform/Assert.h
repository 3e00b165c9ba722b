// Assertions for broken internal invariants; always on, they name the unit.
// A failure throws EAssertionFailure, which the UI boundary reports like any
// other error, so one internal slip never takes the other open documents
// down with it. Fuzzing builds define VANTREL_ASSERT_ABORTS: there a broken
// invariant must be a crash the fuzzer can see, not an error it swallows.
#pragma once

#include <string>

#include "platform/Exception.h"

namespace vantrel {

class EAssertionFailure : public Exception {
 public:
  EAssertionFailure(const char* unit, const char* condition, const char* file, int line);

  const std::string& Unit() const { return unit_; }

 private:
  std::string unit_;
};

[[noreturn]] void AssertionFailed(const char* unit, const char* condition, const char* file, int line);

}  // namespace vantrel

#define VANTREL_ASSERT(cond, unit)                                          \
  do {                                                                      \
    if (!(cond)) ::vantrel::AssertionFailed(unit, #cond, __FILE__, __LINE__); \
  } while (0)
