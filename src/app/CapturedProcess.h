#pragma once
// Runs one outside program with its standard output and standard error merged into one captured
// text and its standard input at end of file. The run does not block the event loop: the window
// keeps repainting, and the owner learns of the end through OnFinished. A program that does not
// end can be stopped, with everything it started.
#include <QProcess>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ql {

struct TCapturedRun {
  std::string Output;      // standard output and standard error, in arrival order
  int ExitStatus = 0;      // the program's exit status; meaningful when it ended normally
  bool Crashed = false;    // ended by a signal
  bool Stopped = false;    // ended by Stop
  bool Truncated = false;  // more output came than MaxOutput; the rest was dropped
};

class TCapturedProcess {
public:
  // Output beyond this is dropped, so a runaway program cannot exhaust memory.
  static constexpr size_t MaxOutput = 16u << 20;

  TCapturedProcess();
  // Ends a program that is still running, without reporting it.
  ~TCapturedProcess();
  TCapturedProcess(const TCapturedProcess&) = delete;
  TCapturedProcess& operator=(const TCapturedProcess&) = delete;

  // Starts arguments[0] with the other arguments in workingFolder. False, with the reason in
  // error, when the program could not be started; OnFinished is then not raised.
  bool Start(const std::vector<std::string>& arguments, const std::string& workingFolder, std::string& error);
  bool Running() const;
  // Kills the program and its children; OnFinished follows with Stopped set.
  void Stop();
  // Kills the program and waits for it without raising OnFinished.
  void Abandon();

  std::function<void(const TCapturedRun& run)> OnFinished;

private:
  void KillGroup();
  void Collect();
  void Finished(int exitCode, QProcess::ExitStatus status);

  std::unique_ptr<QProcess> process_;
  TCapturedRun run_;
  qint64 pid_ = 0;
};

}  // namespace ql
