#include "text/FileReport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <vector>

namespace vantrel {

namespace {

// Seconds from 1.1.1601 to 1.1.1970.
constexpr int64_t kUnixEpochFrom1601 = 11644473600;

struct TDateTime {
  int Day, Month, Year, Hour, Minute;
};

TDateTime DateTimeOf(int64_t secondsSince1601) {
  using namespace std::chrono;
  const sys_seconds at{seconds{secondsSince1601 - kUnixEpochFrom1601}};
  const sys_days day = floor<days>(at);
  const year_month_day date{day};
  const hh_mm_ss<seconds> time{at - day};
  return {int(unsigned(date.day())), int(unsigned(date.month())), int(date.year()), int(time.hours().count()),
          int(time.minutes().count())};
}

std::string DateText(const TDateTime& t) {
  return std::to_string(t.Day) + "." + std::to_string(t.Month) + "." + std::to_string(t.Year);
}

const char* AttributeText(uint32_t attributes) {
  switch (attributes) {
    case faReadOnly: return "Attribute - Read only file";
    case faHidden: return "Attribute - File is hidden";
    case faSystem: return "Attribute - System file";
    case faNormal: return "Attribute - Normal file";
    case faNoAttributes: return "Attribute - File has no any attributes";
    case faTemporary: return "Attribute - File for temporary storage";
    case faCompressed: return "Attribute - File is compressed";
    default: return nullptr;
  }
}

std::string NamePart(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

// The directory with its trailing separator; empty for a bare name.
std::string PathPart(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

int64_t Since1601(const struct statx_timestamp& t) { return t.tv_sec + kUnixEpochFrom1601; }

}  // namespace

TFileRecord ReadFileRecord(const std::string& fileName) {
  TFileRecord record;
  struct statx info {};
  if (fileName.empty() || statx(AT_FDCWD, fileName.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
    return record;
  }
  const bool hidden = NamePart(fileName).starts_with('.');
  const bool readOnly = access(fileName.c_str(), W_OK) != 0;
  if (S_ISDIR(info.stx_mode)) record.Attributes |= faDirectory;
  if (readOnly) record.Attributes |= faReadOnly;
  if (hidden) record.Attributes |= faHidden;
  if (record.Attributes == 0 && S_ISREG(info.stx_mode)) record.Attributes = faNormal;
  if (info.stx_mask & STATX_BTIME) record.CreationTime = Since1601(info.stx_btime);
  record.LastAccessTime = Since1601(info.stx_atime);
  record.Size = info.stx_size;
  record.AlternateName = NamePart(fileName);
  return record;
}

std::string FileReport(const std::string& fileName, const TFileRecord& record) {
  const std::string path = PathPart(fileName);
  // The root keeps its separator, as a drive's root directory does.
  const std::string directory = path.size() > 1 ? path.substr(0, path.size() - 1) : path;
  const std::string name = NamePart(fileName);
  const size_t dot = name.rfind('.');
  const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
  const TDateTime created = DateTimeOf(record.CreationTime);

  std::vector<std::string> lines = {
      "File - " + fileName,
      "Directory - " + directory,
      "Drive - ",
      "Extension - " + extension,
      "File name - " + name,
      "Path - " + path,
      "",
  };
  if (const char* attribute = AttributeText(record.Attributes)) lines.emplace_back(attribute);
  lines.push_back("Time Creation - " + DateText(created) + "  " + std::to_string(created.Hour) + ":" +
                  std::to_string(created.Minute));
  lines.push_back("Last time access - " + DateText(DateTimeOf(record.LastAccessTime)));
  lines.push_back("Size - " + std::to_string(static_cast<uint32_t>(record.Size)) + " bytes");
  lines.push_back("Alternate name - " + record.AlternateName);

  std::string report;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) report += "\r\n";
    report += lines[i];
  }
  return report;
}

}  // namespace vantrel
