#!/usr/bin/env bash
# Installs what building, running and testing Palmora needs on Debian 12.
# The package manager's output goes to build-logs/setup.log, shown on failure.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev
  libfreexl-dev libgsf-1-dev libturbojpeg0-dev libcap-dev
  fonts-liberation
  xvfb xauth imagemagick
  python3 python3-xlwt
  clang libclang-rt-14-dev
  dpkg-dev file desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
mkdir -p "$root/build-logs"
log="$root/build-logs/setup.log"
echo "Installing ${#missing[@]} Debian packages (a few minutes on a fresh machine; log: $log)"
if ! { $sudo apt-get update -qq \
  && $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"; } \
  >"$log" 2>&1; then
  tail -n 20 "$log" >&2
  echo "Installing the packages failed; the whole log is $log" >&2
  exit 1
fi
