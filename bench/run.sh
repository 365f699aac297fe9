#!/usr/bin/env bash
# Times palmora-search on a generated knowledge base side by side with
# byte-level grep looking for one rare Windows-1251 word (which reads every
# file to its end) and with ripgrep looking for the first word, prints the
# ratios and peak memory, then times one very large article.
#   bench/run.sh [BUILD_DIR]
# Environment: BENCH_DIR (where the bases go), BIG_MB (size of the large
# article, 0 for none), RUNS (runs per command, the best counts).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
tool="$build/bin/palmora-search"
work="${BENCH_DIR:-/tmp/palmora-bench}"
big_mb="${BIG_MB:-1024}"
runs="${RUNS:-10}"

[ -x "$tool" ] || { echo "build palmora-search first: $tool" >&2; exit 2; }
# What the benchmark itself needs (Debian 12 packages), not the build.
need=()
command -v rg >/dev/null || need+=(ripgrep)
[ -x /usr/bin/time ] || need+=(time)
command -v iconv >/dev/null || need+=(libc-bin)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq "${need[@]}"
fi

if [ ! -d "$work/Data" ]; then
  echo "Generating the knowledge base in $work/Data ..."
  python3 "$root/bench/generate_kb.py" "$work/Data"
fi
echo "Knowledge base: $(ls "$work/Data" | wc -l) articles, $(du -sLm "$work/Data/" | cut -f1) MB;" \
     "best of $runs runs, warm cache, $(nproc) cores"

cp1251() { printf '%s' "$1" | iconv -f utf-8 -t cp1251; }
# Peak resident memory in KB of one run (finding nothing is no failure).
peak_kb() {
  { /usr/bin/time -v "$@" 2>&1 >/dev/null || true; } | awk -F': ' '/Maximum resident set size/ { print $2 }'
}
now_us() { local t=$EPOCHREALTIME; echo "${t/./}"; }

rare="хиромантия"
cp1251 "$rare" > "$work/rare.pat"
queries=("линия жизни" "холм фаланга" "сломанная хиромантия")
notes=("matches early in every article" "common words never within the interval: every byte is read"
       "rare words")
for q in "${queries[@]}"; do cp1251 "${q%% *}" > "$work/first-${q%% *}.pat"; done

# The commands, run in turn round after round so that load from elsewhere
# falls on all of them alike; the best time of each counts.
cd "$work/Data"
commands=("grep")
declare -A best
best[grep]=999999999
for i in "${!queries[@]}"; do
  commands+=("palmora $i" "rg $i")
  best["palmora $i"]=999999999
  best["rg $i"]=999999999
done
run_command() {
  case "$1" in
    grep) LC_ALL=C grep -l -F -r -f "$work/rare.pat" . ;;
    palmora*) "$tool" --data . ${queries[${1#palmora }]} ;;
    rg*) local q=${queries[${1#rg }]}; rg -l -i -F --encoding windows-1251 "${q%% *}" . ;;
  esac
}
for c in "${commands[@]}"; do run_command "$c" >/dev/null || true; done # warm the cache
for _ in $(seq "$runs"); do
  for c in "${commands[@]}"; do
    start=$(now_us)
    run_command "$c" >/dev/null || true
    elapsed=$(( $(now_us) - start ))
    [ "$elapsed" -lt "${best[$c]}" ] && best[$c]=$elapsed
  done
done

ms() { awk -v us="$1" 'BEGIN { printf "%7.1f ms", us / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
grep_us=${best[grep]}
echo
echo "grep: LC_ALL=C grep -l -F -r for the rare word «$rare» (bytes, one core, every file to its end)"
printf '  %-28s %s  %7d KB\n' "grep" "$(ms "$grep_us")" \
  "$(peak_kb env LC_ALL=C grep -l -F -r -f "$work/rare.pat" .)"
for i in "${!queries[@]}"; do
  q=${queries[$i]}
  p=${best["palmora $i"]}
  r=${best["rg $i"]}
  matches=$("$tool" --data . $q | wc -l || true)
  echo
  echo "query «$q»: $matches matching articles (${notes[$i]})"
  printf '  %-28s %s  %7d KB\n' "palmora-search" "$(ms "$p")" "$(peak_kb "$tool" --data . $q)"
  printf '  %-28s %s  %7d KB\n' "rg -l -i -F, first word" "$(ms "$r")" \
    "$(peak_kb rg -l -i -F --encoding windows-1251 "${q%% *}" .)"
  echo "  palmora-search / grep = $(ratio "$p" "$grep_us") (target <= 0.80)," \
       "palmora-search / rg = $(ratio "$p" "$r")"
done

if [ -x "$build/bin/bench_window" ]; then
  echo
  for q in "линия жизни" "холм фаланга"; do
    QT_QPA_PLATFORM=offscreen "$build/bin/bench_window" "$work" "$q" | head -1 | sed 's/^/  /'
  done
fi

if [ "$big_mb" -gt 0 ]; then
  # One plain article, then one RTF article, of $big_mb MB each.
  for kind in Big BigRtf; do
    if [ ! -d "$work/$kind" ]; then
      echo; echo "Generating one article of $big_mb MB in $work/$kind ..."
      python3 "$root/bench/generate_kb.py" "$work/$kind" --big-mb "$big_mb" $([ "$kind" = BigRtf ] && echo --rtf)
    fi
    bytes=$(du -sLb "$work/$kind" | cut -f1)
    echo
    echo "one $([ "$kind" = BigRtf ] && echo "RTF " || echo "")article of $((bytes >> 20)) MB:"
    cat "$work/$kind"/* >/dev/null # warm the cache
    for q in "линия жизни" "холм фаланга"; do
      start=$(now_us)
      kb=$(peak_kb "$tool" --data "$work/$kind" $q)
      elapsed=$(( $(now_us) - start ))
      printf '  «%s»: %s, %.2f GB/s, peak %d KB (target < 65536 KB%s)\n' "$q" "$(ms "$elapsed")" \
        "$(awk -v b="$bytes" -v us="$elapsed" 'BEGIN { print b / us / 1000 }')" "$kb" \
        "$([ "$kind" = Big ] && echo ", >= 1 GB/s")"
    done
  done
fi
