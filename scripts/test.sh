#!/usr/bin/env bash
# Installs what is missing, builds Palmora and runs the whole test suite: the
# fuzz targets briefly, then the tests once as built for use, that build's look
# under dark desktop schemes and under Wayland and its frame under a window
# manager and without one, the Debian package of that
# build, and the tests once more under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

"$root/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"

# The fuzz targets, built with clang, over their seed corpora (a fixed, short run).
"$root/scripts/fuzz.sh"

# Warnings count as errors here, so the build stays free of them.
"$root/scripts/build.sh" "$root/build" -DPALMORA_WERROR=ON
(cd "$root/build" && ctest --output-on-failure --parallel "$(nproc)")
# That build on virtual displays under dark desktop schemes and under Wayland,
# and its frame on a bare display, under a window manager and on scaled screens.
"$root/scripts/desktop-schemes.sh" "$root/build"
"$root/scripts/desktop-frame.sh" "$root/build"
# The Debian package of that build, unpacked and run from a temporary root.
"$root/scripts/test-package.sh"

"$root/scripts/build.sh" "$root/build-sanitize" -DPALMORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DPALMORA_WERROR=ON
(cd "$root/build-sanitize" && ctest --output-on-failure --parallel "$(nproc)")
