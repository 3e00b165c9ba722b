#include "hexview/StreamSearch.h"

namespace vantrel {

void TStreamSearch::ClearState() {
  foundPos_ = -1;
  foundText_.clear();
}

void TStreamSearch::SetFileName(const std::string& name) {
  own_.reset();
  stream_ = nullptr;
  fileName_ = name;
  if (name.empty()) return;
  ClearState();
  own_ = OpenHexFile(name);
  stream_ = own_.get();
}

void TStreamSearch::SetStream(THexSource* stream) {
  own_.reset();
  ClearState();
  fileName_.clear();
  stream_ = stream;
}

}  // namespace vantrel
