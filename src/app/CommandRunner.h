// Runs a command line for Execute command line: /bin/sh -c in a session and
// process group of its own, no terminal, standard input empty, standard
// error left alone; standard output is read as it comes in pieces of at
// most 2400 bytes and handed on converted to the active code page.
// Tested by tests/ui/ToolFormsTest.cpp and tests/e2e/tools.sh
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <sys/types.h>

class QSocketNotifier;

namespace vantrel {

class TOutputDecoder;

class TCommandRunner : public QObject {
  Q_OBJECT

 public:
  static constexpr size_t kChunkSize = 2400;

  explicit TCommandRunner(QObject* parent = nullptr);
  ~TCommandRunner() override;  // ends the process group if it still runs

  // False when the process could not be started.
  bool Start(const std::string& commandLine);
  bool Running() const { return pid_ > 0; }
  // Ends the process group at once; nothing more is handed on.
  void Cancel();

  // Converted output, several pieces at a time (one call per event loop turn).
  std::function<void(std::string_view text)> OnOutput;
  // The process ended and its output is all handed on.
  std::function<void()> OnFinished;

 private:
  void ReadOutput();
  void CheckExited();
  void Finish();
  void CloseOutput();

  pid_t pid_ = 0;
  int outputFd_ = -1;
  bool exited_ = false;
  QSocketNotifier* notifier_ = nullptr;
  QTimer exitPoll_;
  std::unique_ptr<TOutputDecoder> decoder_;
};

}  // namespace vantrel
