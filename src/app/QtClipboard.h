// The desktop clipboard for the editor: plain text converted from and to the
// active code page, and named formats as custom MIME types beside it.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#pragma once

#include <QMimeData>
#include <QString>
#include <map>
#include <memory>
#include <string>

#include "platform/Clipboard.h"

namespace vantrel {

class QtClipboard : public Clipboard {
 public:
  QtClipboard() = default;
  QtClipboard(const QtClipboard&) = delete;  // holds a pending clipboard content
  QtClipboard& operator=(const QtClipboard&) = delete;

  // The MIME type a registered format name travels as.
  static QString MimeTypeOf(std::string_view name);

  bool Open() override;
  void Close() override;
  bool Clear() override;
  bool HasText() const override;
  std::string GetText() const override;
  bool SetText(std::string_view text) override;
  int RegisterFormat(std::string_view name) override;
  bool HasFormat(int format) const override;
  std::optional<std::string> GetData(int format) const override;
  bool SetData(int format, std::string_view data) override;

 private:
  QString MimeOf(int format) const;

  // Puts collect here and reach the desktop as one content at Close.
  std::unique_ptr<QMimeData> pending_;
  bool open_ = false;
  std::map<std::string, int, std::less<>> formats_;
};

}  // namespace vantrel
