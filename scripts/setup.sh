#!/usr/bin/env bash
# Installs what building, testing and running need on Debian 12. Skips apt when everything is present.
set -euo pipefail
packages=(build-essential cmake clang libclang-rt-14-dev qtbase5-dev qtbase5-dev-tools libqt5svg5-dev libspdlog-dev
          qttools5-dev qttools5-dev-tools qttranslations5-l10n xvfb xauth openbox xdotool x11-utils
          zlib1g-dev libqt5charts5-dev poppler-utils lintian dpkg-dev file dbus-daemon mingw-w64 wine64
          ${VORN_EXTRA_PACKAGES:-})
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
# Optional extras fetched at set-up time (never committed), for example the editor font.
for hook in "$(dirname "$0")"/setup.d/*.sh; do
  [ -e "$hook" ] && bash "$hook"
done
exit 0
