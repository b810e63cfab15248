#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh built: lintian finds no error, it holds every
# file it should, its unpacked programs find their libraries, the unpacked development server
# answers a login made through the unpacked library and header, and the units verify.
# Usage: check_package.sh BUILD_FOLDER_OF_THE_PACKAGE
set -uo pipefail
. "$(dirname "$0")/../common/start_listening.sh"
pkg_dir=${1:?package build folder}
deb=$(ls "$pkg_dir"/vorn-tsdb-client_*.deb 2>/dev/null | head -n 1)
passed=0
failed=0
ok() { echo "ok: $1"; passed=$((passed + 1)); }
bad() { echo "FAILED: $1"; failed=$((failed + 1)); }
finish() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; exit $?; }

[ -n "$deb" ] || { bad "no package in $pkg_dir"; finish; }
work=$(mktemp -d)
server_pid=""
cleanup() { [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

# lintian: errors fail, warnings are shown.
if command -v lintian >/dev/null; then
  lintian --allow-root --no-tag-display-limit "$deb" > "$work/lintian.txt" 2>&1
  if grep -q '^E:' "$work/lintian.txt"; then bad "lintian errors:"; grep '^E:' "$work/lintian.txt"; else ok "lintian reports no error"; fi
  grep '^W:' "$work/lintian.txt" | sed 's/^/  lintian /' || true
else
  bad "lintian is not installed"
fi

dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's#^\./#/#' > "$work/contents.txt"
arch_lib=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || echo x86_64-linux-gnu)
expected=(
  /usr/bin/vorn-tsdb-client /usr/lib/vorn_tsdb/vorn_tsdb_cli /usr/bin/vorn_tsdb_devserver /usr/bin/vorn_tsdb_devmaster
  "/usr/lib/$arch_lib/libvorn_tsdb_lib.so" /usr/include/vorn_tsdb.h /usr/include/vorn_log.h
  /usr/lib/vorn_tsdb/doc/en/vorn_cli.pdf
  /usr/share/vorn_tsdb/translations/vorn_tsdb_cli_zh.qm /usr/share/vorn_tsdb/translations/vorn_tsdb_cli_fr.qm
  /usr/share/vorn_tsdb/translations/vorn_tsdb_cli_jp.qm
  /usr/share/applications/vorn_tsdb_cli.desktop /usr/share/icons/hicolor/scalable/apps/vorn_tsdb_cli.svg
  /usr/share/icons/hicolor/48x48/apps/vorn_tsdb_cli.png /usr/share/icons/hicolor/256x256/apps/vorn_tsdb_cli.png
  /lib/systemd/system/vorn_tsdb_s.service /lib/systemd/system/vorn_dt_cluster_s.service
  /usr/share/doc/vorn-tsdb-client/copyright /usr/share/doc/vorn-tsdb-client/changelog.gz
)
[ -f "$(dirname "$0")/../../third_party/fonts/SourceCodePro-Regular.ttf" ] &&
  expected+=(/usr/share/vorn_tsdb/fonts/SourceCodePro-Regular.ttf /usr/share/vorn_tsdb/fonts/LICENSE.md)
missing=0
for f in "${expected[@]}"; do
  grep -qxF "$f" "$work/contents.txt" || { echo "  missing: $f"; missing=1; }
done
[ $missing -eq 0 ] && ok "the package lists every expected file" || bad "files missing from the package"

root="$work/root"
dpkg-deb -x "$deb" "$root"
libdir="$root/usr/lib/$arch_lib"
notfound=0
for b in "$root/usr/lib/vorn_tsdb/vorn_tsdb_cli" "$root/usr/bin/vorn_tsdb_devserver" "$root/usr/bin/vorn_tsdb_devmaster" "$libdir/libvorn_tsdb_lib.so"; do
  if LD_LIBRARY_PATH="$libdir" ldd "$b" | grep -q 'not found'; then
    echo "  $b:"; LD_LIBRARY_PATH="$libdir" ldd "$b" | grep 'not found'; notfound=1
  fi
done
[ $notfound -eq 0 ] && ok "ldd finds every library of the unpacked programs" || bad "unresolved libraries"

# The program's log: spdlog is a dependency, and the stripped program still exports the log's
# C functions (and nothing else of its own).
if dpkg-deb -f "$deb" Depends | grep -q 'libspdlog'; then ok "the package depends on spdlog"; else bad "no spdlog in Depends: $(dpkg-deb -f "$deb" Depends)"; fi
exported=$(nm -D --defined-only "$root/usr/lib/vorn_tsdb/vorn_tsdb_cli" | awk '$2 == "T" {print $3}' | grep -v '^_' | LC_ALL=C sort | tr '\n' ' ')
wanted="log_bytes log_error log_fatal log_info log_it log_note log_warn set_auto_endline set_count set_cpu set_enable set_flush set_log2cmd set_log2file set_log2tcp set_log2udp set_max set_mini_level set_thread set_time set_with_hex "
[ "$exported" = "$wanted" ] && ok "the program exports the log functions" || bad "the program exports: $exported"

start_listening "$work/server.log" "$root/usr/bin/vorn_tsdb_devserver" --data "$work/data"
if [ -z "$port" ]; then
  bad "the unpacked development server did not start"; cat "$work/server.log"
elif ! cc -o "$work/login_check" "$(dirname "$0")/login_check.c" -I"$root/usr/include" -L"$libdir" -lvorn_tsdb_lib; then
  bad "login check does not build against the packaged header and library"
elif LD_LIBRARY_PATH="$libdir" "$work/login_check" "$port"; then
  ok "the unpacked development server answers a login through the unpacked library"
else
  bad "login through the unpacked library"
fi

if command -v systemd-analyze >/dev/null; then
  # The units name the installed programs; verify copies that point at the unpacked ones.
  mkdir -p "$work/units"
  for u in vorn_tsdb_s.service vorn_dt_cluster_s.service; do
    sed "s#/usr/bin/#$root/usr/bin/#g" "$root/lib/systemd/system/$u" > "$work/units/$u"
  done
  if SYSTEMD_LOG_LEVEL=warning systemd-analyze verify "$work/units/vorn_tsdb_s.service" \
       "$work/units/vorn_dt_cluster_s.service" > "$work/verify.txt" 2>&1 && ! grep -q 'vorn' "$work/verify.txt"; then
    ok "systemd-analyze verifies both units"
  else
    bad "systemd-analyze verify:"; cat "$work/verify.txt"
  fi
else
  echo "skipped: systemd-analyze is not installed"
fi
finish
