#!/usr/bin/env bash
# Installs, builds (with AddressSanitizer and UBSan) and runs the whole test suite, including
# bounded fuzz runs. Usage: scripts/test.sh [ctest arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
jobs=$(nproc)
# A compiler cache, where the machine has one, keeps repeated runs short.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  export VORN_PKG_CMAKE_ARGS="${VORN_PKG_CMAKE_ARGS:-} ${launcher[*]}"
fi

# libFuzzer targets need clang; they build in a folder of their own.
cmake -S . -B build-fuzz -DVORN_FUZZ_ONLY=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j "$jobs"

# The library for Windows (mingw-w64, no Qt); the lib_c_api_wine test runs its C check under wine.
cmake -S . -B build-win -DVORN_LIB_ONLY=ON -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DVORN_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build-win -j "$jobs"

# The Debian package, from a release build of its own; the package_check test examines it.
VORN_PKG_BUILD="$root/build-pkg" bash scripts/package.sh

cmake -S . -B build-test -DVORN_SANITIZE=ON -DVORN_WERROR=ON -DVORN_FUZZ_DIR="$root/build-fuzz" \
      -DVORN_PACKAGE_DIR="$root/build-pkg" -DVORN_WIN_DIR="$root/build-win" -DCMAKE_BUILD_TYPE=Debug \
      "${launcher[@]}" >/dev/null
cmake --build build-test -j "$jobs"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build-test
status=0
ctest --output-on-failure -j "$jobs" --timeout 600 "$@" || status=$?
# The Windows step's own count (the library's C check as a Windows program under wine).
grep -h '^wine: [0-9]* passed, [0-9]* failed' Testing/Temporary/LastTest.log || true
exit "$status"
