#!/usr/bin/env bash
# Builds the Debian package vorn-tsdb-client_<version>_<arch>.deb in build-pkg/ (release build,
# every manual) and prints its path. Install it with: apt install ./build-pkg/vorn-tsdb-client_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
VORN_EXTRA_PACKAGES="${VORN_EXTRA_PACKAGES:-} fonts-noto-cjk dpkg-dev fakeroot file" bash scripts/setup.sh
build="${VORN_PKG_BUILD:-$root/build-pkg}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVORN_ALL_MANUALS=ON ${VORN_PKG_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j "$(nproc)" --target vorn_tsdb_cli vorn_tsdb_devserver vorn_tsdb_devmaster \
      vorn_tsdb_lib vorn_icons vorn_changelog ${VORN_PKG_EXTRA_TARGETS:-vorn_manuals}
rm -f "$build"/vorn-tsdb-client_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/vorn-tsdb-client_*.deb
