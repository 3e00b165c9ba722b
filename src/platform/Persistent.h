// Base of objects that copy their state from another object of a compatible
// class and can name themselves as the sender of a change notification.
#pragma once

#include <string>

#include "platform/Exception.h"

namespace vantrel {

class TPersistent {
 public:
  virtual ~TPersistent() = default;

  // Copies the state of source; classes override it for the sources they
  // understand and defer to this one, which refuses every source.
  virtual void Assign(const TPersistent& source) {
    throw Exception("Cannot assign a " + source.ClassName() + " to a " + ClassName());
  }
  virtual std::string ClassName() const { return "TPersistent"; }

 protected:
  TPersistent() = default;
  TPersistent(const TPersistent&) = default;
  TPersistent& operator=(const TPersistent&) = default;
};

}  // namespace vantrel
