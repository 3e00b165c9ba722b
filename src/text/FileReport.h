// The File information report: the parts of a file name and what the file
// system records about the file.
// Tested by tests/text/TextToolsTest.cpp
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// Attribute words the report names (other values, combinations among them,
// give no attribute line).
enum TFileAttribute : uint32_t {
  faReadOnly = 1,
  faHidden = 2,
  faSystem = 4,
  faDirectory = 16,
  faNormal = 32,
  faNoAttributes = 128,
  faTemporary = 256,
  faCompressed = 2048,
};

// Times are seconds since 1.1.1601 UTC, so that the all-zero record of a
// missing file reads 1.1.1601.
struct TFileRecord {
  uint32_t Attributes = 0;
  int64_t CreationTime = 0;
  int64_t LastAccessTime = 0;
  uint64_t Size = 0;
  std::string AlternateName;
};

// What the file system says about fileName; the zero record when there is
// no such file. Creation time is the birth time where the file system keeps
// one, else zero.
TFileRecord ReadFileRecord(const std::string& fileName);

// The report lines joined with CR LF.
std::string FileReport(const std::string& fileName, const TFileRecord& record);

}  // namespace vantrel
