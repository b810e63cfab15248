#!/usr/bin/env bash
# Installs, builds and runs the client against the development server: starts
# `vorn_tsdb_devserver --demo` on 127.0.0.1:55555 unless something already listens there,
# starts a development cluster master on 127.0.0.1:55556 beside it, starts the client with
# defaults pointing at the server (user admin, password admin) and stops both when it exits.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
VORN_EXTRA_PACKAGES="${VORN_EXTRA_PACKAGES:-} fonts-noto-cjk" bash scripts/setup.sh

build="$root/build-run"
# All three manuals come with the program (fonts-noto-cjk gives the Chinese one its glyphs).
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_ALL_MANUALS=ON >/dev/null
cmake --build "$build" --target vorn_tsdb_cli vorn_tsdb_devserver vorn_tsdb_devmaster vorn_seed_config -j "$(nproc)"

# The client reads and writes `config` in its working folder; this one is kept between runs.
work="$build/run"
mkdir -p "$work"

# First run: the initial configuration with the built-in colour palettes and the remembered
# user, so the login dialog opens ready for the development server and scripts show colours.
[ -f "$work/config" ] || "$build/bin/vorn_seed_config" "$work/config" admin

listening() { (exec 3<>/dev/tcp/127.0.0.1/55555) 2>/dev/null; }
server_pid=""
master_pid=""
stop_server() {
  for pid in $master_pid $server_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
}
trap stop_server EXIT
if listening; then
  echo "run: something already listens on 127.0.0.1:55555, using it"
else
  "$build/bin/vorn_tsdb_devserver" --demo --bind 127.0.0.1 --port 55555 --data "$work/devserver-data" \
    > "$work/devserver.out" 2> "$work/devserver.log" &
  server_pid=$!
  for _ in $(seq 100); do
    grep -q '^listening on' "$work/devserver.out" 2>/dev/null && break
    kill -0 "$server_pid" 2>/dev/null || { echo "run: the development server did not start:" >&2; cat "$work/devserver.log" >&2; exit 1; }
    sleep 0.1
  done
  echo "run: development server on 127.0.0.1:55555 (user admin, password admin), log in $work/devserver.log"
fi

# A development cluster master for "cluster manage(&m)": the development server is its running
# node, two more nodes are listed but not running.
if (exec 3<>/dev/tcp/127.0.0.1/55556) 2>/dev/null; then
  echo "run: something already listens on 127.0.0.1:55556, using it as the cluster master"
else
  "$build/bin/vorn_tsdb_devmaster" --bind 127.0.0.1 --port 55556 --node tsdb_dev=127.0.0.1:55555:2097152 \
    --node tsdb_b=127.0.0.1:55565:1073741824 --node tsdb_c=127.0.0.1:55575:1073741824 \
    > "$work/devmaster.out" 2> "$work/devmaster.log" &
  master_pid=$!
  for _ in $(seq 50); do
    grep -q '^listening on' "$work/devmaster.out" 2>/dev/null && break
    sleep 0.1
  done
  echo "run: cluster master on 127.0.0.1:55556 (file, cluster manage, reconnect)"
fi

cd "$work"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display, starting the client on a virtual one (xvfb-run)"
  xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bin/vorn_tsdb_cli" || true
else
  "$build/bin/vorn_tsdb_cli" || true
fi
