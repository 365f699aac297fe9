#!/usr/bin/env bash
# news-demo.sh [BUILD_DIR] [PORT]: serves the demo news page on this machine
# and points the built program at it by writing news.ini beside it. Runs until
# Ctrl+C; start the program meanwhile and its news tab shows the message.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
port="${2:-8765}"
bin="$build/bin"
if [ ! -x "$bin/palmora" ]; then
  echo "Palmora is not built in $build yet: run bash scripts/run.sh first" >&2
  exit 1
fi
address="http://127.0.0.1:$port/news.txt"
printf '%s\r\n' "$address" >"$bin/news.ini"
echo "news.ini in $bin now names $address"
echo "Start $bin/palmora (or press «Обновить» on its news tab); Ctrl+C here stops the page."
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/docs/news-demo"
