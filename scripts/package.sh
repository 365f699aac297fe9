#!/usr/bin/env bash
# Installs what is missing, builds Palmora and makes its Debian package in the
# build folder; prints the package's path.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/build"

"$root/scripts/setup.sh" >&2
"$root/scripts/build.sh" "$dir" >&2
rm -f "$dir"/palmora_*.deb
log="$dir/cpack.log"
if ! (cd "$dir" && cpack -G DEB >"$log" 2>&1); then
  cat "$log" >&2
  exit 1
fi
ls "$dir"/palmora_*.deb
