#include "app/KeyFilter.h"

#include <QKeyEvent>
#include <QWidget>

namespace vantrel {

TKeyFilter::TKeyFilter(QWidget* field, std::function<bool(char)> accepts)
    : QObject(field), accepts_(std::move(accepts)) {
  field->installEventFilter(this);
}

bool TKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Backspace) return !accepts_('\b');
  const QString text = key->text();
  if (text.isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
  for (QChar c : text) {
    if (c.unicode() >= 0x80 || c.unicode() < 0x20 || !accepts_(char(c.unicode()))) return true;
  }
  return false;
}

}  // namespace vantrel
