#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# (TULMO_ASAN_BUILD_DIR overrides it) and runs the whole test suite there; the first fault a
# sanitizer finds fails its test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export TULMO_BUILD_DIR=${TULMO_ASAN_BUILD_DIR:-$root/build-asan}
# The benchmarks time nothing useful when instrumented. Warnings are the normal build's to fail
# on: the instrumentation changes GCC's flow analysis and gives false ones (-Wmaybe-uninitialized,
# -Wstringop-overflow) in code the normal build compiles cleanly.
export TULMO_CMAKE_ARGS="-DTULMO_SANITIZE=ON -DTULMO_BUILD_BENCH=OFF -DTULMO_WERROR=OFF"
# The engine's steps and the map-layer library are instrumented too; the child processes and the
# loaded library inherit these settings.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
exec "$root/scripts/test.sh"
