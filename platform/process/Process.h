// Starting a program as a hidden child process in the working directory and waiting for it to end,
// without a time-out and without a shell. The runner is replaceable so that tests can stand in for
// the engine.
#pragma once
#include <string>
#include <vector>

namespace process {

// What became of one command line.
struct Outcome {
  bool started = false;  // false: the program was not found or could not be started
  int exitCode = -1;     // the exit status when it ended normally
  bool crashed = false;  // ended by a signal
  std::string error;     // why it did not start or did not end normally
  std::string errorOutput;  // what the program wrote to its error output (the start of it)

  bool Succeeded() const { return started && !crashed && exitCode == 0; }
};

class Runner {
 public:
  virtual ~Runner() = default;
  // Runs the command line (program name and arguments separated by blanks, double quotes group) in
  // the current directory and returns when the process has ended.
  virtual Outcome Run(const std::string& commandLine) = 0;
};

// The real runner: the program is looked up with FindExecutable.
class SystemRunner : public Runner {
 public:
  Outcome Run(const std::string& commandLine) override;
};

// The runner in use (the system runner unless replaced).
Runner& CurrentRunner();
// Replaces the runner; nullptr restores the system runner. The caller keeps ownership.
void SetRunner(Runner* runner);

// While alive, the given runner is the current one.
class ScopedRunner {
 public:
  explicit ScopedRunner(Runner& runner);
  ~ScopedRunner();
  ScopedRunner(const ScopedRunner&) = delete;
  ScopedRunner& operator=(const ScopedRunner&) = delete;

 private:
  Runner* previous_;
};

// Splits a command line at blanks; a double-quoted part keeps its blanks.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// The folder of the running program.
std::string ApplicationFolder();
// A name with a slash is taken as it is. Otherwise the program's own folder is searched first,
// then every folder on PATH (an empty entry is the current directory). Empty when no executable
// file of that name is found.
std::string FindExecutable(const std::string& name);

}  // namespace process
