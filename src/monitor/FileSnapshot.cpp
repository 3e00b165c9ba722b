#include "monitor/FileSnapshot.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "monitor/ChangeFilter.h"

namespace vantrel {

namespace {

TFileTime TimeOf(const struct statx_timestamp& t) { return {t.tv_sec, t.tv_nsec}; }

}  // namespace

TFileSnapshot TakeFileSnapshot(const std::string& fileName) {
  TFileSnapshot snapshot;
  struct statx info {};
  if (statx(AT_FDCWD, fileName.c_str(), AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
    return snapshot;
  }
  snapshot.Exists = true;
  snapshot.Device = (uint64_t(info.stx_dev_major) << 32) | info.stx_dev_minor;
  snapshot.Inode = info.stx_ino;
  snapshot.Size = info.stx_size;
  snapshot.Attributes = info.stx_mode;
  snapshot.LastWrite = TimeOf(info.stx_mtime);
  snapshot.Change = TimeOf(info.stx_ctime);
  snapshot.LastAccess = TimeOf(info.stx_atime);
  if (info.stx_mask & STATX_BTIME) snapshot.Creation = TimeOf(info.stx_btime);
  return snapshot;
}

bool SnapshotsDiffer(const TFileSnapshot& before, const TFileSnapshot& after, uint32_t changeFilter) {
  if (before.Exists != after.Exists) return true;
  if (!after.Exists) return false;
  if (before.Device != after.Device || before.Inode != after.Inode) return true;
  if ((changeFilter & cfAttributes) && (before.Attributes != after.Attributes || before.Change != after.Change)) {
    return true;
  }
  if ((changeFilter & cfSize) && before.Size != after.Size) return true;
  if ((changeFilter & cfLastWrite) && before.LastWrite != after.LastWrite) return true;
  if ((changeFilter & cfLastAccess) && before.LastAccess != after.LastAccess) return true;
  return (changeFilter & cfCreation) && before.Creation != after.Creation;
}

}  // namespace vantrel
