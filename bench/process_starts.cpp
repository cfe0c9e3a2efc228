// A small parent for timing process starts: the engine's two steps as whole processes, side by
// side with two bare starts of /bin/true, interleaved run by run so that both see the same load.
// Forking from a large process (a Qt program) costs more than the step itself, so engine_bench
// hands the timing to this program. Prints medians and the ratio; asserts nothing.
//
//   process_starts RUNS DIR CORVIX1 TULMO
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench/BenchSupport.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: process_starts RUNS DIR CORVIX1 TULMO\n");
    return 64;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  std::filesystem::current_path(argv[2]);
  bench::Series steps, bare, ratio;
  for (int r = 0; r < runs; ++r) {
    const double a = bench::TimeProcess(argv[3], {"pirsel.inp", "-np"});
    const double b = a < 0 ? -1 : bench::TimeProcess(argv[4], {"pirsel"});
    const double t1 = bench::TimeProcess("/bin/true", {}), t2 = bench::TimeProcess("/bin/true", {});
    if (a < 0 || b < 0 || t1 < 0 || t2 < 0) {
      std::fprintf(stderr, "process_starts: a process failed in run %d\n", r + 1);
      return 3;
    }
    steps.v.push_back(a + b);
    bare.v.push_back(t1 + t2);
    ratio.v.push_back((a + b) / (t1 + t2));
  }
  std::printf("  %-46s %9.3f %9.3f\n", "both steps as processes", steps.Median(), steps.Max());
  std::printf("  %-46s %9.3f %9.3f\n", "two bare starts of /bin/true", bare.Median(), bare.Max());
  const double r = steps.Median() / bare.Median();
  std::printf("  %-46s %9.2f %9s   target   1.6: %s\n", "ratio of the medians", r, "", r <= 1.6 ? "met" : "MISSED");
  std::printf("  %-46s %9.2f %9.2f\n", "ratio run by run", ratio.Median(), ratio.Max());
  return 0;
}
