// What the benchmarks share: a series of timings with its median and maximum, and one program run
// as the application runs the engine (a fresh process in the working folder, output discarded).
#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

struct Series {
  std::vector<double> v;
  double Median() const {
    std::vector<double> s = v;
    std::sort(s.begin(), s.end());
    if (s.empty()) return 0;
    const size_t n = s.size();
    return n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
  }
  double Max() const { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }
};

// Milliseconds from fork to the child's exit, or a negative value when it failed.
inline double TimeProcess(const std::filesystem::path& program, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  std::string p = program.string();
  argv.push_back(p.data());
  std::vector<std::string> copies = args;
  for (auto& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  const auto t0 = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    std::FILE* null = std::fopen("/dev/null", "w");
    if (null) dup2(fileno(null), STDOUT_FILENO), dup2(fileno(null), STDERR_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  const auto t1 = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::chrono::duration<double, std::milli>(t1 - t0).count();
}

}  // namespace bench
