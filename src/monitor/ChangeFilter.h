// The change categories a file notifier reports (the filter bits its options
// add up to) and how they map onto inotify events.
// Tested through tests/monitor/FileNotificationTest.cpp
#pragma once

#include <cstdint>

namespace vantrel {

constexpr uint32_t cfFileName = 0x1;
constexpr uint32_t cfDirName = 0x2;
constexpr uint32_t cfAttributes = 0x4;
constexpr uint32_t cfSize = 0x8;
constexpr uint32_t cfLastWrite = 0x10;
constexpr uint32_t cfLastAccess = 0x20;
constexpr uint32_t cfCreation = 0x40;
constexpr uint32_t cfSecurity = 0x100;

// What a watch on the directory must ask for. In file mode every event that
// can change the file's snapshot is asked for and the snapshot decides; in
// directory mode the events are those of the categories, plus the creations
// a subtree watch needs to follow new subdirectories.
uint32_t InotifyMaskFor(uint32_t changeFilter, bool fileMode, bool subtree);

// The categories one inotify event belongs to (its IN_ISDIR bit tells file
// names from directory names).
uint32_t ChangeCategoriesOf(uint32_t eventMask);

}  // namespace vantrel
