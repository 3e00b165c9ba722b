// TStreamSearch: the viewer's search component. It holds its source (a file
// it opened itself, or a stream it was handed) and the state of the last
// search; this program never starts a search.
// Tested by tests/hexview/HexViewerTest.cpp
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "hexview/HexSource.h"

namespace vantrel {

// Progress of a search in percent; set cancel to stop it.
using TStreamSearchProgress = std::function<void(int percent, bool& cancel)>;

class TStreamSearch {
 public:
  // A non-empty name opens that file read-only (its own stream); an empty
  // name only frees the stream it had opened.
  void SetFileName(const std::string& name);
  // Uses stream without owning it; clears the name.
  void SetStream(THexSource* stream);

  const std::string& FileName() const { return fileName_; }
  THexSource* Source() const { return stream_; }
  bool OwnsSource() const { return own_ != nullptr; }
  int64_t FoundPos() const { return foundPos_; }
  const std::string& FoundText() const { return foundText_; }

  TStreamSearchProgress OnProgress;

 private:
  void ClearState();

  std::string fileName_;
  std::unique_ptr<THexSource> own_;
  THexSource* stream_ = nullptr;
  int64_t foundPos_ = -1;
  std::string foundText_;
};

}  // namespace vantrel
