#include "app/CommandRunner.h"

#include <fcntl.h>
#include <cerrno>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QSocketNotifier>

#include "platform/CodePage.h"
#include "text/OutputDecoder.h"

extern char** environ;

namespace vantrel {

namespace {

// Reading stops after this long, or after this much output (appending
// costs more than reading: a turn of short lines must not hold the window
// for a second), so that the window repaints in between.
constexpr int kReadBudgetMs = 40;
constexpr size_t kReadBudgetBytes = 1024 * 1024;
// How often the process is checked for having ended (the pipe may stay
// open after it, held by a child it left behind).
constexpr int kExitPollMs = 100;

}  // namespace

TCommandRunner::TCommandRunner(QObject* parent) : QObject(parent) {
  exitPoll_.setInterval(kExitPollMs);
  connect(&exitPoll_, &QTimer::timeout, this, [this] { CheckExited(); });
}

TCommandRunner::~TCommandRunner() { Cancel(); }

bool TCommandRunner::Start(const std::string& commandLine) {
  if (Running()) return false;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // A session of its own: no controlling terminal, and one process group
  // that Cancel can end with every child the command started.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  const char* argv[] = {"/bin/sh", "-c", commandLine.c_str(), nullptr};
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, "/bin/sh", &actions, &attributes, const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    return false;
  }
  pid_ = pid;
  exited_ = false;
  outputFd_ = fds[0];
  fcntl(outputFd_, F_SETFL, fcntl(outputFd_, F_GETFL) | O_NONBLOCK);
  decoder_ = std::make_unique<TOutputDecoder>(CodePage::ConsoleCharset(), CodePage::IconvName(CodePage::Active().Number()));
  notifier_ = new QSocketNotifier(outputFd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { ReadOutput(); });
  exitPoll_.start();
  return true;
}

void TCommandRunner::ReadOutput() {
  if (outputFd_ < 0) return;
  QElapsedTimer clock;
  clock.start();
  std::string text;
  char chunk[kChunkSize];
  bool drained = false;
  size_t bytes = 0;
  while (clock.elapsed() < kReadBudgetMs && bytes < kReadBudgetBytes) {
    const ssize_t n = read(outputFd_, chunk, sizeof chunk);
    if (n > 0) {
      bytes += size_t(n);
      text += decoder_->Convert(std::string_view(chunk, size_t(n)));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // The end of the output; or, once the process has ended, nothing more
    // for now means the rest is in (a child it left behind may hold the
    // pipe open, and is not waited for).
    drained = n == 0 || errno != EAGAIN || exited_;
    break;
  }
  if (drained) text += decoder_->Finish();
  if (!text.empty() && OnOutput) OnOutput(text);
  if (!drained) return;
  CloseOutput();
  CheckExited();
}

void TCommandRunner::CheckExited() {
  if (pid_ <= 0) return;
  if (!exited_) {
    int status = 0;
    const pid_t rc = waitpid(pid_, &status, WNOHANG);
    exited_ = rc == pid_ || (rc < 0 && errno == ECHILD);
  }
  if (!exited_) return;
  if (outputFd_ >= 0) {
    ReadOutput();  // finishes once the pipe is drained
  } else {
    Finish();
  }
}

void TCommandRunner::Finish() {
  CloseOutput();
  exitPoll_.stop();
  pid_ = 0;
  if (OnFinished) OnFinished();
}

void TCommandRunner::CloseOutput() {
  if (notifier_) {
    notifier_->setEnabled(false);
    notifier_->deleteLater();
    notifier_ = nullptr;
  }
  if (outputFd_ >= 0) close(outputFd_);
  outputFd_ = -1;
}

void TCommandRunner::Cancel() {
  if (pid_ <= 0) return;
  OnOutput = nullptr;
  CloseOutput();
  exitPoll_.stop();
  kill(-pid_, SIGKILL);
  if (!exited_) waitpid(pid_, nullptr, 0);
  pid_ = 0;
}

}  // namespace vantrel
