// The desktop clipboard for the editor.
// Tested by tests/ui/CodeEditWidgetTest.cpp
#include "app/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/CodePage.h"

namespace vantrel {

namespace {

constexpr int kFirstFormat = 0xC000;

const QMimeData* Current() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  return clipboard ? clipboard->mimeData() : nullptr;
}

}  // namespace

QString QtClipboard::MimeTypeOf(std::string_view name) {
  QString type = "application/x-vantrel-";
  for (char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    type += plain ? QChar(QLatin1Char(c)).toLower() : QChar('-');
  }
  return type;
}

bool QtClipboard::Open() {
  if (open_) return false;
  open_ = true;
  return true;
}

void QtClipboard::Close() {
  if (!open_) return;
  open_ = false;
  if (pending_) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setMimeData(pending_.release());
    pending_.reset();
  }
}

bool QtClipboard::Clear() {
  pending_ = std::make_unique<QMimeData>();
  return true;
}

bool QtClipboard::HasText() const {
  const QMimeData* data = Current();
  return data && data->hasText();
}

std::string QtClipboard::GetText() const {
  const QMimeData* data = Current();
  if (!data || !data->hasText()) return {};
  return CodePage::Active().FromUtf8(data->text().toStdString());
}

bool QtClipboard::SetText(std::string_view text) {
  if (!pending_) pending_ = std::make_unique<QMimeData>();
  pending_->setText(QString::fromStdString(CodePage::Active().ToUtf8(text)));
  return true;
}

int QtClipboard::RegisterFormat(std::string_view name) {
  auto found = formats_.find(name);
  if (found != formats_.end()) return found->second;
  const int id = kFirstFormat + static_cast<int>(formats_.size());
  formats_.emplace(std::string(name), id);
  return id;
}

QString QtClipboard::MimeOf(int format) const {
  for (const auto& [name, id] : formats_) {
    if (id == format) return MimeTypeOf(name);
  }
  return {};
}

bool QtClipboard::HasFormat(int format) const {
  const QString mime = MimeOf(format);
  const QMimeData* data = Current();
  return !mime.isEmpty() && data && data->hasFormat(mime);
}

std::optional<std::string> QtClipboard::GetData(int format) const {
  if (!HasFormat(format)) return std::nullopt;
  const QByteArray bytes = Current()->data(MimeOf(format));
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool QtClipboard::SetData(int format, std::string_view data) {
  const QString mime = MimeOf(format);
  if (mime.isEmpty()) return false;
  if (!pending_) pending_ = std::make_unique<QMimeData>();
  pending_->setData(mime, QByteArray(data.data(), static_cast<qsizetype>(data.size())));
  return true;
}

}  // namespace vantrel
