#!/usr/bin/env bash
# Builds QuarvineVSTi and runs every test three times: for 64-bit hosts, for
# 32-bit hosts, and for 64-bit hosts under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

build_and_test() {
  local dir=$1
  shift
  cmake -S . -B "$dir" "$@"
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" --output-on-failure -j"$jobs"
}

build_and_test build
build_and_test build32 -DQUARVINE_M32=ON
build_and_test build-asan -DQUARVINE_SANITIZE=ON
