#include "app/CapturedProcess.h"

#include <signal.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>

namespace ql {

TCapturedProcess::TCapturedProcess() = default;

TCapturedProcess::~TCapturedProcess() { Abandon(); }

bool TCapturedProcess::Start(const std::vector<std::string>& arguments, const std::string& workingFolder,
                             std::string& error) {
  if (Running()) {
    error = "a program is already running";
    return false;
  }
  if (arguments.empty()) {
    error = "no program was named";
    return false;
  }
  run_ = TCapturedRun{};
  process_ = std::make_unique<QProcess>();
  QProcess& p = *process_;
  p.setProgram(QFile::decodeName(arguments[0].c_str()));
  QStringList args;
  for (size_t i = 1; i < arguments.size(); ++i) args << QFile::decodeName(arguments[i].c_str());
  p.setArguments(args);
  p.setWorkingDirectory(QFile::decodeName(workingFolder.c_str()));
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.setStandardInputFile(QProcess::nullDevice());
  // Its own process group, so that Stop reaches whatever the program starts (a launcher script
  // and the runtime it starts).
  p.setChildProcessModifier([] { ::setpgid(0, 0); });
  QObject::connect(&p, &QProcess::readyReadStandardOutput, [this] { Collect(); });
  QObject::connect(&p, &QProcess::finished, [this](int code, QProcess::ExitStatus status) { Finished(code, status); });
  p.start();
  if (!p.waitForStarted(-1)) {
    error = p.errorString().toStdString();
    process_.reset();
    return false;
  }
  pid_ = p.processId();
  return true;
}

bool TCapturedProcess::Running() const { return process_ && process_->state() != QProcess::NotRunning; }

void TCapturedProcess::KillGroup() {
  if (pid_ > 0) ::kill(static_cast<pid_t>(-pid_), SIGKILL);
  if (process_) process_->kill();
}

void TCapturedProcess::Stop() {
  if (!Running()) return;
  run_.Stopped = true;
  KillGroup();
}

void TCapturedProcess::Abandon() {
  if (!Running()) return;
  OnFinished = nullptr;
  process_->disconnect();
  KillGroup();
  process_->waitForFinished(-1);
}

void TCapturedProcess::Collect() {
  const QByteArray bytes = process_->readAllStandardOutput();
  const size_t room = MaxOutput - run_.Output.size();
  if (static_cast<size_t>(bytes.size()) > room) run_.Truncated = true;
  run_.Output.append(bytes.constData(), std::min(room, static_cast<size_t>(bytes.size())));
}

void TCapturedProcess::Finished(int exitCode, QProcess::ExitStatus status) {
  Collect();
  run_.ExitStatus = exitCode;
  run_.Crashed = status == QProcess::CrashExit;
  pid_ = 0;
  // The QProcess is released after this signal has returned, never inside it.
  process_.release()->deleteLater();
  const TCapturedRun run = run_;
  if (OnFinished) OnFinished(run);
}

}  // namespace ql
