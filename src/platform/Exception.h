// The base of every error a user can cause; the UI shows its message text.
#pragma once

#include <stdexcept>
#include <string>

namespace vantrel {

class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vantrel
