#!/usr/bin/env bash
# Times palmora-search on a generated knowledge base against ripgrep and byte
# grep looking for the first word alone, and checks its peak memory on one
# very large article.
#   bench/run.sh [BUILD_DIR]     (default: build; BENCH_DIR, BIG_MB override)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
tool="$build/bin/palmora-search"
work="${BENCH_DIR:-/tmp/palmora-bench}"
big_mb="${BIG_MB:-1024}"
runs=3

[ -x "$tool" ] || { echo "build palmora-search first: $tool" >&2; exit 2; }
need=()
command -v rg >/dev/null || need+=(ripgrep)
[ -x /usr/bin/time ] || need+=(time)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get install -y -qq "${need[@]}"
fi

if [ ! -d "$work/Data" ]; then
  echo "Generating the knowledge base in $work/Data ..."
  python3 "$root/bench/generate_kb.py" "$work/Data"
fi
echo "Knowledge base: $(ls "$work/Data" | wc -l) articles, $(du -sLm "$work/Data/" | cut -f1) MB"

# best wall-clock seconds and peak resident KB of $runs runs of a command
measure() {
  local best="" mem=0 out
  for _ in $(seq $runs); do
    /usr/bin/time -o "$work/time.out" -f "%e %M" "$@" >/dev/null 2>&1 || true
    out=$(tail -1 "$work/time.out")
    local t=${out% *} m=${out#* }
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
    [ "$m" -gt "$mem" ] && mem=$m
  done
  echo "$best $mem"
}

cd "$work/Data"
for q in "сломанная хиромантия" "линия жизни"; do
  first=${q%% *}
  printf '%s' "$first" | iconv -f utf-8 -t cp1251 > "$work/first.pat"
  matches=$("$tool" --data . "$q" | wc -l || true)
  read -r ps pm <<<"$(measure "$tool" --data . "$q")"
  read -r rs rm <<<"$(measure rg -l -i -F --encoding windows-1251 "$first" .)"
  read -r gs gm <<<"$(measure env LC_ALL=C grep -r -l -F -f "$work/first.pat" .)"
  echo
  echo "query «$q»: $matches matching articles"
  printf '  palmora-search  %6.2f s  %7d KB\n' "$ps" "$pm"
  printf '  rg (first word) %6.2f s  %7d KB\n' "$rs" "$rm"
  printf '  grep (bytes)    %6.2f s  %7d KB\n' "$gs" "$gm"
  awk -v p="$ps" -v r="$rs" -v g="$gs" 'BEGIN{
    printf "  time / rg   = %.2f (target <= 1)\n", (r > 0 ? p / r : 0);
    printf "  time / grep = %.2f (target <= 2)\n", (g > 0 ? p / g : 0) }'
done

if [ "$big_mb" -gt 0 ]; then
  # One plain article, then one RTF article, of $big_mb MB each.
  for kind in Big BigRtf; do
    if [ ! -d "$work/$kind" ]; then
      echo; echo "Generating one article of $big_mb MB in $work/$kind ..."
      python3 "$root/bench/generate_kb.py" "$work/$kind" --big-mb "$big_mb" $([ "$kind" = BigRtf ] && echo --rtf)
    fi
    echo
    echo "one $([ "$kind" = BigRtf ] && echo "RTF " || echo "")article of $(du -sLm "$work/$kind" | cut -f1) MB:"
    for q in "линия жизни" "сломанная хиромантия"; do
      /usr/bin/time -o "$work/time.out" -f "%e %M" "$tool" --data "$work/$kind" "$q" >/dev/null 2>&1 || true
      out=$(tail -1 "$work/time.out")
      printf '  «%s»: %6.2f s, peak %d KB (target < 65536 KB)\n' "$q" "${out% *}" "${out#* }"
    done
  done
fi
