#!/usr/bin/env bash
# test-package.sh: builds the Debian package and checks it unpacked into a
# temporary root (no root rights needed): its layout, menu entry, icons and
# metadata; that palmora started from it as a user who cannot write there keeps
# its first-run marker in the user's data folder and writes nothing beside
# itself; that palmora-search finds an article of the sample base and
# palmora-anketa reads a questionnaire of it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

deb="$(bash "$root/scripts/package.sh")"
work="$(mktemp -d)"
app=""
cleanup() {
  if [ -n "$app" ]; then kill "$app" 2>/dev/null || true; fi
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
check() { # check WHAT COMMAND...
  local what="$1"
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $what" >&2
  fi
}

# A tool's report is shown only when it fails.
quiet() {
  local out
  out="$("$@" 2>&1)" && return 0
  echo "$out" >&2
  return 1
}

pkg="$work/root"
lib="$pkg/usr/lib/palmora"
dpkg-deb -x "$deb" "$pkg"

# Dependencies: the libraries the executables link, and the fonts.
depends="$(dpkg-deb -f "$deb" Depends)"
check "depends on the fonts" grep -q 'fonts-liberation' <<<"$depends"
check "depends on the Qt libraries it links" grep -q 'libqt6widgets6' <<<"$depends"

# The program folder: the three executables and the sample installation, nothing else.
check "the program folder holds the sample installation and nothing more" \
  diff -r --exclude=palmora --exclude=palmora-search --exclude=palmora-anketa --exclude=.installed-at "$root/sample" "$lib"
share="$pkg/usr/share/palmora"
check "the articles, questionnaires and manual lie under /usr/share/palmora" diff -r "$root/sample" "$share"
for entry in "$root"/sample/*; do
  name="$(basename "$entry")"
  check "$name in the program folder is a relative link to /usr/share/palmora" \
    test -L "$lib/$name" -a "$(readlink "$lib/$name" | cut -c1)" != / -a "$lib/$name" -ef "$share/$name"
done
check "the program folder names itself as installed" test "$(cat "$lib/.installed-at")" = /usr/lib/palmora
for program in palmora palmora-search palmora-anketa; do
  check "$program is an executable in the program folder" grep -q ELF <<<"$(file -b "$lib/$program")"
  check "$program on the PATH is the one in the program folder" test "$pkg/usr/bin/$program" -ef "$lib/$program"
  check "$program on the PATH is a link" test -L "$pkg/usr/bin/$program"
done

# The manual pages, English and Russian, render without a warning.
for program in palmora palmora-search palmora-anketa; do
  for pages in man1 ru/man1; do
    page="$pkg/usr/share/man/$pages/$program.1.gz"
    check "$pages/$program.1 is there" test -f "$page"
    rendered="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1)" || true
    check "$pages/$program.1 renders without a warning" test -z "$(grep -E '^(troff|man|preconv|tbl):' <<<"$rendered")"
    check "$pages/$program.1 explains --version" grep -q -- '--version' <<<"$rendered"
  done
done
check "the Russian page is in Russian" grep -q 'ПАРАМЕТРЫ' <<<"$(zcat "$pkg/usr/share/man/ru/man1/palmora-search.1.gz")"

# What a Debian maintainer's check finds: no error or warning that is not
# overridden with its reason in the package.
lintian_ok=1
lintian -I --pedantic --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || lintian_ok=0
# lintian's remark on being run as root is no finding.
grep -v 'root privileges' "$work/lintian.log" >&2 || true
check "lintian finds no error or warning that is not overridden" test "$lintian_ok" -eq 1

# The menu entry, its program and icon.
desktop="$(find "$pkg/usr/share/applications" -name '*.desktop')"
check "one menu entry" test "$(wc -l <<<"$desktop")" -eq 1 -a -f "$desktop"
check "the menu entry is valid" quiet desktop-file-validate "$desktop"
value() { sed -n "s/^$1=//p" "$desktop"; }
check "the menu entry starts palmora from the PATH" test "$pkg/usr/bin/$(value Exec | cut -d' ' -f1)" -ef "$lib/palmora"
check "the menu entry is in the Education menu" grep -qw Education <<<"$(value Categories)"
icon="$(value Icon)"
check "the menu icon has the size menus ask for" test -f "$pkg/usr/share/icons/hicolor/48x48/apps/$icon.png"
for png in "$pkg"/usr/share/icons/hicolor/*/apps/"$icon".png; do
  size="$(basename "$(dirname "$(dirname "$png")")")"
  check "icon $size has its folder's size" grep -q "PNG image data, ${size/x/ x }," <<<"$(file -b "$png")"
done

# The AppStream metadata names the menu entry and is valid.
metainfo="$(find "$pkg/usr/share/metainfo" -name '*.metainfo.xml')"
check "the metadata launches the menu entry" \
  grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo"
if command -v appstreamcli >/dev/null; then
  check "the metadata is valid" quiet appstreamcli validate --no-net "$metainfo"
fi

marker="$(bash "$root/scripts/first-start-marker.sh" "$pkg/usr/bin/palmora")"
# Starts the unpacked palmora with the given data folder and environment, waits
# for its first-run marker there, and ends it.
first_start() {
  local data="$1"
  shift
  env "${user_env[@]}" XDG_DATA_HOME="$data" QT_QPA_PLATFORM=offscreen "$@" "$pkg/usr/bin/palmora" >"$work/palmora.log" 2>&1 &
  app=$!
  # It runs until it is closed: wait for the marker of the first start, then end it.
  for _ in $(seq 300); do
    [ -e "$data/palmora/$marker" ] && break
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
  done
  check "palmora is still running once started" kill -0 "$app"
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  app=""
}
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
user_env=(HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/home/.config"
  XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C.UTF-8)
listing() { (cd "$pkg/usr" && find lib/palmora share/palmora -printf '%p %s %T@\n' | sort); }

# Installed, the program folder is never written, even by whoever could: the
# unpacked folder stands in for the installed one.
printf '%s\n' "$lib" >"$lib/.installed-at"
before="$(listing)"
first_start "$work/owner-data"
check "the installed palmora writes its first-run marker in the data folder of whoever may write beside it" \
  cmp -s "$work/owner-data/palmora/$marker" <(printf 'done\r\n')
check "the installed palmora writes nothing beside itself" test "$(listing)" = "$before"
printf '/usr/lib/palmora\n' >"$lib/.installed-at"

# Run as a user who cannot write to the program folder. Root ignores the
# permission bits, so it runs without the capabilities that override them.
chmod -R a-w "$lib" "$share"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --bounding-set=-dac_override,-dac_read_search,-fowner --)
fi
before="$(listing)"

first_start "$work/data" "${as_user[@]}"
check "palmora writes its first-run marker in the user's data folder" cmp -s "$work/data/palmora/$marker" <(printf 'done\r\n')
check "the user's data folder is not doubled" test ! -e "$work/data/Palmora"

search="$(env "${user_env[@]}" "${as_user[@]}" "$pkg/usr/bin/palmora-search" 'Симиева линия')" || true
check "palmora-search finds an article of the sample base" grep -qxF 'Симиева линия.txt' <<<"$search"
anketa="$(env "${user_env[@]}" "${as_user[@]}" "$pkg/usr/bin/palmora-anketa" "$lib/Anketa/Основные линии.xls" 2>/dev/null)" || true
check "palmora-anketa reads a questionnaire of the sample" grep -q 'Какая у вас линия жизни?' <<<"$anketa"
check "nothing is written beside the program" test "$(listing)" = "$before"

if [ "$failed" -ne 0 ]; then
  echo "palmora.log:" >&2
  cat "$work/palmora.log" >&2
fi
echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
