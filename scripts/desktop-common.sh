# desktop-common.sh: sourced by the desktop checks. Given NAME (the check's
# script name), build (the build folder), shots (the screenshots' folder) and
# the tools the check needs, it checks for them and for the built program, and
# sets up: program, a work folder removed at the end with every process
# started into pids, a private runtime and settings folder, and fail, which
# counts failures.
desktop_setup() {
  local name="$1" tool
  shift
  desktop_name="$name"
  program="$build/bin/palmora"
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "$name: $tool is missing; scripts/setup.sh installs it" >&2
      exit 1
    fi
  done
  if [ ! -x "$program" ]; then
    echo "$name: Palmora is not built in $build" >&2
    exit 1
  fi
  work="$(mktemp -d)"
  pids=()
  trap desktop_cleanup EXIT
  rm -rf "$shots"
  mkdir -p "$shots" "$work/runtime"
  chmod 700 "$work/runtime"
  export XDG_RUNTIME_DIR="$work/runtime"
  # Nothing of the user's own desktop settings reaches the runs.
  export XDG_CONFIG_HOME="$work/config" HOME="$work/home"
  unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR GTK_THEME WAYLAND_DISPLAY
  failures=0
}

# A virtual screen of the given size; its display name goes to $started.
# DISPLAY_NUMBER, when set, numbers the displays from there up by offset.
started=""
start_xvfb() {
  local size="$1" offset="$2" numberfile="$work/display$2"
  if [ -n "${DISPLAY_NUMBER:-}" ]; then
    Xvfb ":$((DISPLAY_NUMBER + offset))" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    echo "$((DISPLAY_NUMBER + offset))" >"$numberfile"
  else
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
    pids+=($!)
  fi
  for _ in $(seq 100); do
    if [ -s "$numberfile" ] && DISPLAY=":$(head -n 1 "$numberfile")" xdotool getmouselocation >/dev/null 2>&1; then
      started=":$(head -n 1 "$numberfile")"
      return 0
    fi
    sleep 0.1
  done
  echo "$desktop_name: the virtual display (Xvfb) did not start" >&2
  return 1
}

desktop_cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}

# Ends the program the script started last (its process id is in $app).
stop_program() {
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
}

fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
