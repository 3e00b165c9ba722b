// What a file notifier remembers of the watched file, and which differences
// count for a change filter.
// Tested through tests/monitor/FileNotificationTest.cpp and
// tests/monitor/FileNotificationSimpleTest.cpp
#pragma once

#include <compare>
#include <cstdint>
#include <string>

namespace vantrel {

struct TFileTime {
  int64_t Seconds = 0;
  uint32_t Nanoseconds = 0;
  friend auto operator<=>(const TFileTime&, const TFileTime&) = default;
};

struct TFileSnapshot {
  bool Exists = false;
  // Which file the name leads to: a file replaced through rename is another
  // file even when its size and times match the old one.
  uint64_t Device = 0;
  uint64_t Inode = 0;
  uint64_t Size = 0;
  uint32_t Attributes = 0;  // the mode bits
  TFileTime LastWrite;
  TFileTime Change;  // inode change: counts with the attributes
  TFileTime LastAccess;
  TFileTime Creation;  // zero where the file system keeps no birth time
  friend bool operator==(const TFileSnapshot&, const TFileSnapshot&) = default;
};

// Follows symbolic links; a file that cannot be examined counts as missing.
TFileSnapshot TakeFileSnapshot(const std::string& fileName);

// Existence and identity always count; the other fields when changeFilter
// covers them (cfAttributes, cfSize, cfLastWrite, cfLastAccess, cfCreation).
bool SnapshotsDiffer(const TFileSnapshot& before, const TFileSnapshot& after, uint32_t changeFilter);

}  // namespace vantrel
