#!/usr/bin/env bash
# desktop-schemes.sh [BUILD_DIR]: starts the built program on virtual displays
# as users of other desktops would, and checks that it looks like itself.
#  - Colour schemes: under a light desktop, under GTK's Adwaita and
#    Adwaita:dark through Qt's gtk3 theme, and under qt6ct's darker scheme, it
#    takes screenshots of the main window with the manual, of the questionnaire
#    window and of the main window's photo tab; each must match the light one.
#  - Wayland, where weston and Qt's Wayland plugin are installed: the program
#    runs under weston nested in the virtual display; it must show, print
#    nothing on stderr, and no title-bar button or check box may stay lit (or
#    keep its hint) after the pointer leaves the window in one jump; a drag of
#    the questionnaire window's left border moves its left edge with the
#    pointer and leaves the right one.
# The screenshots are kept in BUILD_DIR/desktop-schemes. DISPLAY_NUMBER picks
# the virtual displays' numbers (that and the next ten up); by default Xvfb
# finds free ones.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
shots="$build/desktop-schemes"
# shellcheck source=scripts/desktop-common.sh
. "$root/scripts/desktop-common.sh"
desktop_setup desktop-schemes.sh Xvfb import compare convert xdotool

# A fresh installation: the program and the sample data, no first-run marker.
install_copy() {
  local dir="$work/install-$1"
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$program" "$dir/"
  cp -r "$build/bin/Data" "$build/bin/Anketa" "$build/bin/инструкция.rtf" "$dir/"
  echo "$dir"
}

# Starts the program of an installation with extra environment; waits for the
# splash and the start-up to be over.
app=""
start_program() {
  local dir="$1"
  shift
  env "$@" "$dir/palmora" >"$dir/stdout.log" 2>"$dir/stderr.log" &
  app=$!
  pids+=("$app")
  sleep 5
  if ! kill -0 "$app" 2>/dev/null; then
    cat "$dir/stderr.log" >&2
    fail "Palmora exited early ($*)"
    return 1
  fi
}

# Differing pixels of two pictures of one size.
differing_pixels() {
  compare -metric AE "$1" "$2" "$3" 2>&1 >/dev/null | cut -d' ' -f1 || true
}

# --- Colour schemes ---------------------------------------------------------

# The main window sits in the middle of the 1280 x 800 screen; the
# questionnaire button is the third of the toolbar.
questionnaire_button="206 94"
away="1270 790"

# Three screenshots of one scheme: on the first start the manual, then the
# questionnaire window over it; on the second start the photo tab.
shoot_scheme() {
  local scheme="$1"
  shift
  local dir
  dir="$(install_copy "$scheme")"
  start_program "$dir" "$@" || return 0
  xdotool mousemove $away
  sleep 0.5
  import -window root "$shots/$scheme-manual.png"
  xdotool mousemove $questionnaire_button click 1
  sleep 2
  xdotool mousemove $away
  sleep 0.5
  import -window root "$shots/$scheme-questionnaire.png"
  stop_program
  start_program "$dir" "$@" || return 0
  import -window root "$shots/$scheme-photo.png"
  stop_program
}

start_xvfb 1280x800 0
export DISPLAY="$started"
mkdir -p "$XDG_CONFIG_HOME/qt6ct"
cat >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf" <<EOF
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
EOF

shoot_scheme light
plugins="$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)"
schemes=()
if [ -e "$plugins/platformthemes/libqgtk3.so" ]; then
  shoot_scheme adwaita QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita
  shoot_scheme adwaita-dark QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
  schemes+=(adwaita adwaita-dark)
else
  echo "Qt's gtk3 theme (qt6-gtk-platformtheme) is not installed: the GTK schemes are not tried"
fi
if [ -e "$plugins/platformthemes/libqt6ct.so" ] && [ -e /usr/share/qt6ct/colors/darker.conf ]; then
  shoot_scheme qt6ct-darker QT_QPA_PLATFORMTHEME=qt6ct
  schemes+=(qt6ct-darker)
else
  echo "qt6ct is not installed: its darker scheme is not tried"
fi
for scheme in "${schemes[@]}"; do
  for view in manual questionnaire photo; do
    shot="$shots/$scheme-$view.png"
    [ -e "$shot" ] || continue
    differ="$(differing_pixels "$shots/light-$view.png" "$shot" "$shots/diff-$scheme-$view.png")"
    if [ "$differ" = "0" ]; then
      echo "$scheme, $view: the same as under the light scheme"
      rm -f "$shots/diff-$scheme-$view.png"
    else
      fail "$scheme, $view: $differ pixels differ from the light scheme (see $shots/diff-$scheme-$view.png)"
    fi
  done
done

# --- Wayland ----------------------------------------------------------------

# weston's window of 1216 x 911 on a larger virtual screen leaves a border of
# desktop around the 1016 x 711 main window, wherever weston places it.
output_w=1216
output_h=911
background='srgb(32,48,64)'

# Where the main window lies on weston's desktop, and its size: "x y w h".
window_place() {
  convert "$1" -crop "${output_w}x${output_h}+0+0" +repage -fuzz 1% -bordercolor "$background" -border 1 \
    -format '%@' info: | sed -E 's/^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$/\3 \4 \1 \2/' \
    | awk '{print $1 - 1, $2 - 1, $3, $4}'
}

# A point on the desktop just outside the window, reached in one jump from
# the point (x, y) of the window: above it where there is room, else beside it.
outside_from() {
  local wx="$1" wy="$2" x="$3" y="$4"
  if [ "$wy" -ge 20 ]; then
    echo "$((wx + x - 60)) $((wy - 10))"
  elif [ "$wx" -ge 60 ]; then
    echo "$((wx - 40)) $((wy + y))"
  else
    echo "$((wx + 1016 + 40)) $((wy + y))"
  fi
}

# The pixels of one part of the window in two screenshots.
same_part() {
  local a="$1" b="$2" geometry="$3" wx="$4" wy="$5"
  local w="${geometry%%+*}" rest="${geometry#*+}"
  local x="${rest%%+*}" y="${rest#*+}"
  convert "$a" -crop "$w+$((wx + x))+$((wy + y))" +repage "$work/part-a.png"
  convert "$b" -crop "$w+$((wx + x))+$((wy + y))" +repage "$work/part-b.png"
  [ "$(differing_pixels "$work/part-a.png" "$work/part-b.png" null:)" = "0" ]
}

# Puts weston's pointer at (x, y) of the virtual screen. weston's X11 backend
# moves its pointer by the differences of the X pointer's places and stops it
# at its output's edges, so after a move against an edge its pointer lies
# away from the X one; a way out of its output window and back in puts it
# where the X pointer is.
weston_pointer() {
  DISPLAY="$wdisplay" xdotool mousemove $((output_w + 20)) $((output_h + 20)) sleep 0.2 mousemove "$1" "$2" sleep 0.2
}

# Hovers the control at (x, y) of the window, leaves the window in one jump and
# checks that the given parts look as they did before the hover. The first
# part must show the hover.
quick_exit() {
  local name="$1" what="$2" shot_before="$3" wx="$4" wy="$5" x="$6" y="$7" wait="$8"
  shift 8
  weston_pointer $((wx + x)) $((wy + y))
  sleep "$wait"
  DISPLAY="$wdisplay" import -window root "$shots/wayland-$name-hovered.png"
  # shellcheck disable=SC2046
  DISPLAY="$wdisplay" xdotool mousemove $(outside_from "$wx" "$wy" "$x" "$y")
  sleep 0.6
  DISPLAY="$wdisplay" import -window root "$shots/wayland-$name-left.png"
  if same_part "$shot_before" "$shots/wayland-$name-hovered.png" "$1" "$wx" "$wy"; then
    fail "Wayland: the $what showed no hover look"
  fi
  local part
  for part in "$@"; do
    if ! same_part "$shot_before" "$shots/wayland-$name-left.png" "$part" "$wx" "$wy"; then
      fail "Wayland: after a quick exit from the $what, the part $part of the window stays changed"
      return
    fi
  done
  echo "Wayland: after a quick exit from the $what nothing stays lit"
}

# The columns of a screenshot's row where a window's outer frame line lies.
frame_columns() {
  convert "$1" -crop "${output_w}x1+0+$2" +repage txt:- | grep 'srgb(102,102,126)' | cut -d, -f1 | tr '\n' ' '
}

# Opens the questionnaire window from the main window at (wx, wy) and drags
# its left border 80 pixels to the left: the compositor carries the resize
# out, so the left edge follows the pointer and the right edge stays.
left_border_drag() {
  local wx="$1" wy="$2" row
  weston_pointer $((wx + 74)) $((wy + 50))
  sleep 0.2
  DISPLAY="$wdisplay" xdotool click 1
  sleep 2
  DISPLAY="$wdisplay" xdotool mousemove $((output_w - 5)) $((output_h - 5))
  sleep 0.3
  DISPLAY="$wdisplay" import -window root "$shots/wayland-questionnaire.png"
  # The questionnaire's lines are those the main window alone did not show,
  # on a row 60 pixels below the first one across it (weston places it where
  # it likes), clear of its title.
  local found="" shown column left="" right=""
  for row in $(seq $((wy + 20)) 20 $((wy + 640))); do
    if [ -z "$found" ]; then
      [ "$(frame_columns "$shots/wayland-questionnaire.png" "$row")" = "$(frame_columns "$shots/wayland-photo.png" "$row")" ] \
        && continue
      found="$row"
    fi
    [ "$row" -lt $((found + 60)) ] && continue
    shown=" $(frame_columns "$shots/wayland-photo.png" "$row") "
    for column in $(frame_columns "$shots/wayland-questionnaire.png" "$row"); do
      [[ "$shown" == *" $column "* ]] && continue
      [ -z "$left" ] && left="$column"
      right="$column"
    done
    break
  done
  if [ -z "$right" ] || [ "$right" = "$left" ]; then
    fail "Wayland: the questionnaire window did not show over the main window"
    return
  fi
  # Onto the border from inside the window, with a pause before the drag.
  weston_pointer $((left + 12)) "$row"
  DISPLAY="$wdisplay" xdotool mousemove $((left + 2)) "$row" sleep 0.3 mousedown 1 sleep 0.3
  local step after
  for step in $(seq 1 8); do
    DISPLAY="$wdisplay" xdotool mousemove $((left + 2 - 10 * step)) "$row"
    sleep 0.05
  done
  sleep 0.3
  DISPLAY="$wdisplay" xdotool mouseup 1
  DISPLAY="$wdisplay" xdotool mousemove $((output_w - 5)) $((output_h - 5))
  sleep 1
  DISPLAY="$wdisplay" import -window root "$shots/wayland-questionnaire-widened.png"
  after="$(frame_columns "$shots/wayland-questionnaire-widened.png" "$row")"
  if [[ " $after " == *" $((left - 80)) "* ]] && [[ " $after " == *" $right "* ]] \
    && [[ " $after " != *" $left "* ]]; then
    echo "Wayland: a drag of the questionnaire window's left border by 80 moves its left edge by 80, the right one stays"
  else
    fail "Wayland: after a drag of the left border by 80 from $left (right edge $right) the frame lines lie at $after"
  fi
}

wayland_plugin="$plugins/platforms/libqwayland-generic.so"
if ! command -v weston >/dev/null || [ ! -e "$wayland_plugin" ]; then
  echo "weston or Qt's Wayland plugin (qt6-wayland) is not installed: no Wayland run"
else
  start_xvfb 1280x1024 10
  wdisplay="$started"
  cat >"$work/weston.ini" <<EOF
[core]
idle-time=0
[shell]
panel-position=none
background-color=0xff203040
locking=false
animation=none
startup-animation=none
EOF
  socket="palmora-$$"
  DISPLAY="$wdisplay" weston --backend=x11-backend.so --use-pixman --width="$output_w" --height="$output_h" \
    --socket="$socket" --config="$work/weston.ini" >"$work/weston.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    sleep 0.1
  done
  if [ ! -S "$XDG_RUNTIME_DIR/$socket" ]; then
    tail -n 20 "$work/weston.log" >&2
    fail "weston did not start"
  else
    sleep 1
    dir="$(install_copy wayland)"
    # The title-bar buttons, the check box and the hint line, as
    # width x height + left + top in the window.
    top_buttons="46x23+963+4"
    check_box="22x22+795+97"
    hint="601x25+135+41"
    for view in manual photo; do
      # Each start with the pointer in the middle, over the window to come,
      # not drawn in a corner beside it.
      weston_pointer $((output_w / 2)) $((output_h / 2))
      start_program "$dir" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$socket" DISPLAY= || break
      before="$shots/wayland-$view.png"
      DISPLAY="$wdisplay" import -window root "$before"
      read -r wx wy ww wh < <(window_place "$before")
      if [ "$ww" != 1016 ] || [ "$wh" != 711 ]; then
        fail "Wayland: the main window with what surrounds it is $ww x $wh, not 1016 x 711 ($view tab)"
        stop_program
        continue
      fi
      echo "Wayland: the main window shows at ($wx, $wy) on weston's desktop, 1016 x 711 with no second decoration ($view tab)"
      quick_exit "$view-close" "close button ($view tab)" "$before" "$wx" "$wy" 997 15 0.4 "$top_buttons"
      if [ "$view" = photo ]; then
        # Long enough for the hint to show.
        quick_exit "$view-check-box" "check box" "$before" "$wx" "$wy" 805 107 1.6 "$check_box" "$hint"
        left_border_drag "$wx" "$wy"
      fi
      stop_program
      if [ -s "$dir/stderr.log" ]; then
        fail "Wayland: Palmora printed on stderr: $(head -c 400 "$dir/stderr.log")"
      fi
    done
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "desktop-schemes.sh: $failures checks failed; the screenshots are in $shots" >&2
  exit 1
fi
echo "desktop-schemes.sh: the program looks like itself under every scheme tried; screenshots in $shots"
