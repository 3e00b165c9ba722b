#include "monitor/ChangeFilter.h"

#include <sys/inotify.h>

namespace vantrel {

namespace {

constexpr uint32_t kNameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;

}  // namespace

uint32_t InotifyMaskFor(uint32_t changeFilter, bool fileMode, bool subtree) {
  uint32_t mask = IN_ONLYDIR;
  if (fileMode) {
    // Existence always counts, and a touch or chmod reaches us as IN_ATTRIB
    // whatever it changed.
    mask |= kNameEvents | IN_ATTRIB | IN_MODIFY;
    if (changeFilter & cfLastAccess) mask |= IN_ACCESS;
    return mask;
  }
  if (changeFilter & (cfFileName | cfDirName)) mask |= kNameEvents;
  if (changeFilter & (cfAttributes | cfSecurity)) mask |= IN_ATTRIB;
  if (changeFilter & (cfSize | cfLastWrite)) mask |= IN_MODIFY;
  if (changeFilter & cfLastAccess) mask |= IN_ACCESS;
  if (changeFilter & cfCreation) mask |= IN_CREATE;
  if (subtree) mask |= IN_CREATE | IN_MOVED_TO;
  return mask;
}

uint32_t ChangeCategoriesOf(uint32_t eventMask) {
  uint32_t categories = 0;
  if (eventMask & kNameEvents) categories |= (eventMask & IN_ISDIR) ? cfDirName : cfFileName;
  if (eventMask & IN_CREATE) categories |= cfCreation;
  if (eventMask & IN_ATTRIB) categories |= cfAttributes | cfSecurity;
  if (eventMask & IN_MODIFY) categories |= cfSize | cfLastWrite;
  if (eventMask & IN_ACCESS) categories |= cfLastAccess;
  // Lost events may have been anything.
  if (eventMask & IN_Q_OVERFLOW) categories = ~0u;
  return categories;
}

}  // namespace vantrel
