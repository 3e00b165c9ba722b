// The desktop clipboard as the core sees it: plain text of the active code
// page plus custom formats registered by name. The Qt layer implements it;
// tests use tests/support/FakeClipboard.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // A session groups several puts into one clipboard content; every call
  // below is valid only between Open and Close. Open fails when another
  // program holds the clipboard.
  virtual bool Open() = 0;
  virtual void Close() = 0;
  virtual bool Clear() = 0;

  virtual bool HasText() const = 0;
  virtual std::string GetText() const = 0;
  virtual bool SetText(std::string_view text) = 0;

  // The same name gives the same number for the life of the process.
  virtual int RegisterFormat(std::string_view name) = 0;
  virtual bool HasFormat(int format) const = 0;
  virtual std::optional<std::string> GetData(int format) const = 0;
  virtual bool SetData(int format, std::string_view data) = 0;
};

}  // namespace vantrel
