#include "app/BusyDialog.h"

#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/CommandRunner.h"

namespace vantrel {

TBusyDialog::TBusyDialog(TCommandRunner& runner, const QString& commandLine, QWidget* parent)
    : QDialog(parent), runner_(runner) {
  setObjectName("BusyDialog");
  setWindowTitle("Running command");
  Label1 = new QLabel("Running: " + commandLine, this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setMinimumWidth(280);
  CancelButton = new QPushButton("Cancel", this);
  CancelButton->setObjectName("CancelButton");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(CancelButton, 0, Qt::AlignRight);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

bool TBusyDialog::Wait() {
  const auto previous = runner_.OnFinished;
  QEventLoop quiet;
  runner_.OnFinished = [&] {
    quiet.quit();
    accept();
  };
  if (runner_.Running()) {
    // No typing into the document while output is being appended to it.
    QTimer::singleShot(kQuietMs, &quiet, &QEventLoop::quit);
    quiet.exec(QEventLoop::ExcludeUserInputEvents);
  }
  if (runner_.Running() && exec() != QDialog::Accepted) {
    cancelled_ = true;
    runner_.Cancel();
  }
  runner_.OnFinished = previous;
  return !cancelled_;
}

}  // namespace vantrel
