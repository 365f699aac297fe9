#!/usr/bin/env bash
# fuzz.sh [RUNS]: builds the libFuzzer targets with clang and runs each over a
# copy of its seed corpus (the seeds themselves are never changed), from a
# fixed seed. Without RUNS each target runs for PALMORA_FUZZ_SECONDS (20 by
# default), so that the test command's fuzz step takes a known few minutes
# however loaded the machine is; with RUNS each runs that many inputs,
# however long they take, to explore.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ $# -gt 0 ]; then
  bound=(-runs="$1")
  what="$1 runs"
else
  seconds="${PALMORA_FUZZ_SECONDS:-20}"
  bound=(-max_total_time="$seconds")
  what="$seconds s"
fi

if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ is not installed; the fuzz targets need it" >&2
  exit 0
fi

# Allocations system libraries keep until exit are listed there.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$root/scripts/lsan.supp:print_suppressions=0}"

dir="$root/build-fuzz"
mkdir -p "$dir"
log="$dir/build.log"
if ! { cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DPALMORA_FUZZ=ON \
  && cmake --build "$dir" --parallel "$(nproc)" --target fuzz_rtfreader fuzz_fieldreader \
    fuzz_scan fuzz_workbookreader fuzz_htmllimit fuzz_textcodec fuzz_linebreaks fuzz_newspage fuzz_messagestore; } \
  >"$log" 2>&1; then
  grep -E -A5 'error|FAILED' "$log" | head -n 60 >&2 || tail -n 40 "$log" >&2
  echo "Building the fuzz targets failed; the whole log is $log" >&2
  exit 1
fi
echo "Built the fuzz targets in $dir (log: $log)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
run() {
  local target="$1" seeds="$2"
  shift 2
  mkdir -p "$work/$target"
  cp -r "$seeds"/. "$work/$target/"
  echo "fuzzing $target: $what"
  "$dir/bin/$target" "${bound[@]}" -seed=1 "$@" "$work/$target" 2>"$work/$target.log" \
    || { tail -n 60 "$work/$target.log" >&2; exit 1; }
}
run fuzz_rtfreader "$root/platform/tests/data/rtf_corpus"
run fuzz_fieldreader "$root/search/tests/data/fuzz/fieldreader"
run fuzz_scan "$root/search/tests/data/fuzz/scan"
# No workbook may make the reader ask for more than a few megabytes at once.
run fuzz_workbookreader "$root/questionnaire/tests/data/fuzz/workbook" -malloc_limit_mb=64
run fuzz_htmllimit "$root/platform/tests/data/fuzz/htmllimit"
run fuzz_textcodec "$root/platform/tests/data/fuzz/textcodec"
run fuzz_linebreaks "$root/platform/tests/data/fuzz/linebreaks"
run fuzz_newspage "$root/news/tests/data/fuzz/newspage"
# The archive's readings go through files: a folder in memory keeps the disk out of it.
TMPDIR="$(test -d /dev/shm -a -w /dev/shm && echo /dev/shm || echo "${TMPDIR:-/tmp}")" \
  run fuzz_messagestore "$root/news/tests/data/fuzz/messagestore"
