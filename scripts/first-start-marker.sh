#!/usr/bin/env bash
# first-start-marker.sh PROGRAM: prints the name of the file palmora writes on
# its first start, as the program's own help names it, so that the scripts
# that make or remove it never spell it themselves.
set -euo pipefail
name="$(env LC_ALL=C.UTF-8 LANG=C.UTF-8 LANGUAGE= "$1" --help | sed -n 's/^It keeps the first-run marker \([^ ]*\) .*/\1/p')"
if [ -z "$name" ]; then
  echo "first-start-marker.sh: $1 --help names no first-run marker" >&2
  exit 1
fi
printf '%s\n' "$name"
