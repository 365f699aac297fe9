#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures and builds Palmora into DIR. The
# compiler's output goes to DIR/build.log and is shown when the build fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1"
shift
mkdir -p "$dir"
log="$dir/build.log"
if ! { cmake -S "$root" -B "$dir" -G Ninja "$@" && cmake --build "$dir" --parallel "$(nproc)"; } >"$log" 2>&1; then
  grep -E -A5 'error|FAILED' "$log" | head -n 60 >&2 || tail -n 40 "$log" >&2
  echo "Building in $dir failed; the whole log is $log" >&2
  exit 1
fi
echo "Built in $dir (log: $log)"
