// Reporting of broken internal invariants.
#include "platform/Assert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vantrel {
namespace {

const char* BaseName(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

std::string Describe(const char* unit, const char* condition, const char* file, int line) {
  return "Assertion failure (" + std::string(unit) + ": " + condition + ", " + BaseName(file) + " line " +
         std::to_string(line) + ")";
}

}  // namespace

EAssertionFailure::EAssertionFailure(const char* unit, const char* condition, const char* file, int line)
    : Exception(Describe(unit, condition, file, line)), unit_(unit) {}

void AssertionFailed(const char* unit, const char* condition, const char* file, int line) {
#ifdef VANTREL_ASSERT_ABORTS
  std::fprintf(stderr, "%s\n", Describe(unit, condition, file, line).c_str());
  std::abort();
#else
  throw EAssertionFailure(unit, condition, file, line);
#endif
}

}  // namespace vantrel
