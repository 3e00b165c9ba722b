// A temporary directory with small helpers to change files in it.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace vantrel {

class TTempDir {
 public:
  TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-monitor-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TTempDir(const TTempDir&) = delete;  // removes its directory once
  TTempDir& operator=(const TTempDir&) = delete;

  std::string Path(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline void AppendFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::app) << text;
}

// As atomic savers do: a new file renamed over the old one.
inline void ReplaceFile(const std::string& path, const std::string& text) {
  WriteFile(path + ".tmp", text);
  std::filesystem::rename(path + ".tmp", path);
}

}  // namespace vantrel
