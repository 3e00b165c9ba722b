// The error a file notifier raises to its caller.
#pragma once

#include "platform/Exception.h"

namespace vantrel {

class EFileNotificationError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace vantrel
