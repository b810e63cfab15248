#!/usr/bin/env bash
# Fetches the editor font "Source Code Pro" (SIL Open Font License) from the npm registry into
# third_party/fonts, where the resource build picks it up. Optional: without it the client
# falls back to an installed fixed-pitch face, so any failure here only warns.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
dest="$root/third_party/fonts"
version=2.42.0
styles=(Regular Bold It BoldIt)
[ -f "$dest/SourceCodePro-Regular.ttf" ] && [ -f "$dest/LICENSE.md" ] && exit 0
if ! command -v npm >/dev/null 2>&1; then
  echo "setup: npm not found, the editor font is not bundled" >&2
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! (cd "$work" && timeout 300 npm pack --silent "source-code-pro@$version" >/dev/null 2>&1); then
  echo "setup: could not fetch source-code-pro@$version, the editor font is not bundled" >&2
  exit 0
fi
members=(package/LICENSE.md)
for s in "${styles[@]}"; do members+=("package/TTF/SourceCodePro-$s.ttf"); done
if ! tar -xzf "$work"/source-code-pro-*.tgz -C "$work" "${members[@]}"; then
  echo "setup: unexpected layout of source-code-pro@$version" >&2
  exit 0
fi
mkdir -p "$dest"
cp "$work/package/LICENSE.md" "$dest/LICENSE.md"
for s in "${styles[@]}"; do cp "$work/package/TTF/SourceCodePro-$s.ttf" "$dest/"; done
echo "setup: editor font Source Code Pro $version in third_party/fonts"
exit 0
