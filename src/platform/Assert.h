// Assertions for broken internal invariants; always on, they name the unit.
#pragma once

#include <cstdio>
#include <cstdlib>

#define VANTREL_ASSERT(cond, unit)                                                        \
  do {                                                                                    \
    if (!(cond)) {                                                                        \
      std::fprintf(stderr, "Assertion failed in %s: %s (%s:%d)\n", unit, #cond, __FILE__, \
                   __LINE__);                                                             \
      std::abort();                                                                       \
    }                                                                                     \
  } while (0)
