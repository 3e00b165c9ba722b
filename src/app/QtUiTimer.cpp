#include "app/QtUiTimer.h"

#include <QThread>

namespace vantrel {

QtUiTimer::QtUiTimer() {
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    if (enabled_ && OnTimer) OnTimer();
  });
}

void QtUiTimer::SetEnabled(bool enabled) {
  if (enabled_.exchange(enabled) == enabled) return;
  if (QThread::currentThread() == timer_.thread()) {
    Apply();
  } else {
    // Dropped with the QTimer if the timer goes first.
    QMetaObject::invokeMethod(&timer_, [this] { Apply(); }, Qt::QueuedConnection);
  }
}

void QtUiTimer::Apply() {
  if (enabled_ && !timer_.isActive()) {
    timer_.start(interval_);
  } else if (!enabled_ && timer_.isActive()) {
    timer_.stop();
  }
}

}  // namespace vantrel
