// An in-memory clipboard; a test may make it refuse to open.
#pragma once

#include <map>
#include <string>

#include "platform/Clipboard.h"

namespace vantrel {

class FakeClipboard : public Clipboard {
 public:
  bool RefuseOpen = false;
  bool IsOpen = false;
  int Opens = 0;

  bool Open() override {
    if (RefuseOpen || IsOpen) return false;
    IsOpen = true;
    ++Opens;
    return true;
  }
  void Close() override { IsOpen = false; }
  bool Clear() override {
    text_.reset();
    data_.clear();
    return IsOpen;
  }
  bool HasText() const override { return text_.has_value(); }
  std::string GetText() const override { return text_.value_or(std::string()); }
  bool SetText(std::string_view text) override {
    if (!IsOpen) return false;
    text_ = std::string(text);
    return true;
  }
  int RegisterFormat(std::string_view name) override {
    auto [it, inserted] = formats_.try_emplace(std::string(name), 0xC000 + static_cast<int>(formats_.size()));
    return it->second;
  }
  bool HasFormat(int format) const override { return data_.count(format) > 0; }
  std::optional<std::string> GetData(int format) const override {
    auto it = data_.find(format);
    if (it == data_.end()) return std::nullopt;
    return it->second;
  }
  bool SetData(int format, std::string_view data) override {
    if (!IsOpen) return false;
    data_[format] = std::string(data);
    return true;
  }

 private:
  std::optional<std::string> text_;
  std::map<int, std::string> data_;
  std::map<std::string, int> formats_;
};

}  // namespace vantrel
