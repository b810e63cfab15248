#!/usr/bin/env bash
# Installs, builds and runs the client against the development server: starts
# `vorn_tsdb_devserver --demo` on 127.0.0.1:55555 unless something already listens there,
# starts the client with defaults pointing at it (user admin, password admin) and stops the
# server again when the client exits.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
VORN_EXTRA_PACKAGES="${VORN_EXTRA_PACKAGES:-} fonts-noto-cjk" bash scripts/setup.sh

build="$root/build-run"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target vorn_tsdb_cli vorn_tsdb_devserver -j "$(nproc)"

# The client reads and writes `config` in its working folder; this one is kept between runs.
work="$build/run"
mkdir -p "$work"

# First run: a configuration equal to the initial one except for the remembered user, so the
# login dialog opens ready for the development server. Layout: the client's configuration file.
text() { printf '%s' "$1"; head -c $(( $2 - ${#1} )) /dev/zero; }
seed_config() {
  printf '\x01\0\0\0\x20\0\0\0'                  # lang 1 (English), icon_size 32
  text admin 64                                  # user
  text 127.0.0.1 32                              # ip
  printf '\x03\xd9\0\0'                          # port 55555
  printf '\x01\x01\x01\x01'                      # view_db, view_log, view_statusbar, view_toolbar
  printf '\0\0\x80\x3f\xcd\xcc\xcc\x3f'          # h_factor 1.0, v_factor 1.6
  printf '\0\0\0\0'                              # theme 0
  for _ in $(seq 30); do                         # three themes of ten styles
    text "Source Code Pro" 64
    head -c 20 /dev/zero                         # flags, padding, red, green, blue
    printf '\xff\0\0\0\x0c\0\0\0'                # alpha 255, point_size 12
  done
  printf '\x01\0\0\0\x04\0\0\0'                  # show_space 1, as_space 0, tab_width 4
  printf '\0\0\x80\x3f\x01\0\0\0'                # edit_time 1.0, cursor_width 1
  printf '\x01\0\0\0\0\0\0\0\x01\0\0\0'          # auto_enable 1, least_count 0, only_cmd 1, check_update 0
  printf '\0\0\0\0\0\0\0\0'                      # no open files, no recent files
}
[ -f "$work/config" ] || seed_config > "$work/config"

listening() { (exec 3<>/dev/tcp/127.0.0.1/55555) 2>/dev/null; }
server_pid=""
stop_server() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
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

cd "$work"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display, starting the client on a virtual one (xvfb-run)"
  xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bin/vorn_tsdb_cli" || true
else
  "$build/bin/vorn_tsdb_cli" || true
fi
