// What the benchmarks share: a series of timings with its median and maximum, and one program run
// as the application runs the engine (a fresh process in the working folder, output discarded).
#pragma once
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace bench {

inline std::string ReadText(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs a script of SQL statements on the database file; false (and why, on stderr) when it fails.
inline bool Exec(const std::filesystem::path& db, const std::string& sql) {
  sqlite3* h = nullptr;
  if (sqlite3_open(db.c_str(), &h) != SQLITE_OK) return false;
  char* msg = nullptr;
  const int rc = sqlite3_exec(h, sql.c_str(), nullptr, nullptr, &msg);
  if (rc != SQLITE_OK) std::fprintf(stderr, "SQL failed: %s\n", msg ? msg : "?");
  sqlite3_free(msg);
  sqlite3_close(h);
  return rc == SQLITE_OK;
}

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
