#!/usr/bin/env bash
# Installs what building, running and testing Palmora needs on Debian 12.
# The package manager's output goes to build-logs/setup.log, shown on failure.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-image-formats-plugins qt6-translations-l10n libgl-dev
  libgsf-1-dev libturbojpeg0-dev libcap-dev
  fonts-liberation
  xvfb xauth imagemagick xdotool openbox
  qt6-gtk-platformtheme qt6ct
  python3 python3-xlwt
  clang libclang-rt-14-dev valgrind
  dpkg-dev file desktop-file-utils appstream lintian man-db
)
# The Wayland run of the desktop check; without them it is left out.
wayland_packages=(weston qt6-wayland)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}
missing=()
for p in "${packages[@]}" "${wayland_packages[@]}"; do
  installed "$p" || missing+=("$p")
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
apt_install() {
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"
}
echo "Installing ${#missing[@]} Debian packages (a few minutes on a fresh machine; log: $log)"
if ! { $sudo apt-get update -qq && apt_install "${missing[@]}"; } >"$log" 2>&1; then
  # Try again without the Wayland packages, which only one check needs.
  required=()
  for p in "${missing[@]}"; do
    [[ " ${wayland_packages[*]} " == *" $p "* ]] || required+=("$p")
  done
  if [ ${#required[@]} -ne 0 ] && ! apt_install "${required[@]}" >>"$log" 2>&1; then
    tail -n 20 "$log" >&2
    echo "Installing the packages failed; the whole log is $log" >&2
    exit 1
  fi
  echo "The Wayland packages (${wayland_packages[*]}) could not be installed; the desktop check leaves out its Wayland run" >&2
fi
