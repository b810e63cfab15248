#!/usr/bin/env bash
# Runs c_api_check against a fresh development server (--demo, port 0, a scratch data folder),
# natively or as a Windows program under wine, and checks the library's exported names.
# Usage: run_c_api.sh native|wine PROGRAM LIBRARY DEVSERVER
# Prints the check's lines and "<mode>: N passed, M failed"; exit status 1 when any failed.
set -uo pipefail
mode=$1 program=$2 library=$3 devserver=$4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../common/start_listening.sh"
header="$here/../../lib/vorn_tsdb.h"
work=$(mktemp -d "${TMPDIR:-/tmp}/c_api_check.XXXXXX")
server_pid=""
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

finish() {
  [ -n "$server_pid" ] && kill -KILL "$server_pid" 2>/dev/null
  [ "$mode" = wine ] && [ -x "$wineserver" ] && "$wineserver" -k 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT

passed=0 failed=0
note() {  # note OK TEXT
  if [ "$1" = 1 ]; then passed=$((passed + 1)); echo "ok   - $2"; else failed=$((failed + 1)); echo "FAIL - $2"; fi
}

# Exactly the header's functions leave the library, under their plain C names.
want=$(sed -n 's/^VORN_TSDB_API [^(]*[ *]\([a-z_0-9]*\)(.*/\1/p' "$header" | sort)
if [ "$mode" = wine ]; then
  dump=$(x86_64-w64-mingw32-objdump -p "$library")
  have=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] \(.*\)$/\1/p' | sort)
  foreign=$(printf '%s\n' "$dump" | sed -n 's/^\s*DLL Name: //p' | grep -Eiv '^(kernel32|ws2_32|msvcrt|user32|advapi32|ntdll)\.dll$')
  note "$([ -z "$foreign" ] && echo 1)" "the DLL needs no compiler DLLs beside it (imports: $(printf '%s\n' "$dump" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' '))"
else
  have=$(nm -D --defined-only "$library" | awk '$2 == "T" { print $3 }' | sort)
fi
if [ "$have" = "$want" ]; then
  note 1 "the library exports exactly the header's $(echo "$want" | wc -l) functions"
else
  note 0 "exports differ from the header: $(diff <(echo "$want") <(echo "$have") | grep '^[<>]' | tr '\n' ' ')"
fi

mkdir -p "$work/data"
start_listening "$work/server.log" "$devserver" --demo --data "$work/data"
disown "$server_pid"  # its killing is part of the check, not news
if [ -z "$port" ]; then
  note 0 "the development server did not start: $(cat "$work/server.log")"
  echo "$mode: $passed passed, $failed failed"
  exit 1
fi

if [ "$mode" = wine ]; then
  mkdir -p "$work/win"
  cp "$program" "$library" "$work/win/"
  # A fresh prefix; what wine says while making it is kept apart. wineboot returns while the
  # prefix's own set-up still writes system DLLs; a program started then can find one missing
  # (exit status 53, the low byte of STATUS_DLL_NOT_FOUND), so wait until every wine process ends.
  "$wine" wineboot -i >"$work/wineboot.log" 2>&1
  "$wineserver" -w
  # Module errors only: they name a DLL that does not load, and say nothing otherwise.
  export WINEDEBUG=-all,err+module
  run=("$wine" "$work/win/$(basename "$program")" "$port" "Z:$work/data")
else
  run=("$program" "$port" "$work/data")
fi
# The check asks for the server's end with a line of its own; its other lines are counted.
run_check() {
  "${run[@]}" | while IFS= read -r line; do
    line=${line%$'\r'}
    if [ "$line" = "@@ stop the server" ]; then
      kill -KILL "$server_pid"
    fi
    printf '%s\n' "$line"
  done | tee "$work/check.out"
  status=${PIPESTATUS[0]}
}
run_check
if [ "$mode" = wine ] && [ ! -s "$work/check.out" ]; then
  # Not one line: wine did not get the program going, so nothing of the library ran yet and
  # the server is untouched. Say so, and give it one more start.
  echo "# wine ended the check before its first line (exit status $status); starting it once more"
  run_check
fi
summary=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$work/check.out")
if [ -z "$summary" ]; then
  note 0 "the check ended early (exit status $status)"
  [ "$mode" = wine ] && tail -n 20 "$work/wineboot.log" | sed 's/^/# wineboot: /'
else
  passed=$((passed + ${summary% *})) failed=$((failed + ${summary#* }))
  [ "$status" = 0 ] || [ "${summary#* }" != 0 ] || note 0 "the check exited with status $status"
fi
echo "$mode: $passed passed, $failed failed"
[ "$failed" = 0 ]
