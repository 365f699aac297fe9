#!/usr/bin/env bash
# desktop-frame.sh [BUILD_DIR]: the windows' own frame on real X displays, as a
# user meets it, once on a bare virtual display and once under a window
# manager (openbox):
#  - quick clicks and double clicks on the main window's title leave it where
#    it is (no window stays glued to the pointer);
#  - a slow drag on the title moves it by exactly the drag, and so does a
#    quick one of two long jumps: the point grabbed stays under the pointer;
#  - a drag of the title with the right or the middle button moves nothing,
#    and nothing follows the pointer once the button is up;
#  - the main window is of fixed size: a caption double click leaves it as is;
#  - a caption double click maximises the questionnaire window to the screen's
#    area and a second one brings back its place and size;
#  - minimising the main window with nothing to show it minimised (bare
#    display) leaves it on the screen, still moving by its title.
# Then at QT_SCALE_FACTOR 2 and 1.5 the main window takes the design's size
# and proportions in device pixels, its frame's lines, title, toolbar and page
# where the design has them times the scale; the screenshots stay in
# BUILD_DIR/desktop-frame.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
shots="$build/desktop-frame"
# shellcheck source=scripts/desktop-common.sh
. "$root/scripts/desktop-common.sh"
desktop_setup desktop-frame.sh Xvfb import xdotool openbox
ok() { echo "$*"; }
# The program names its first-start marker and its version, which its main
# window's title carries.
marker="$(bash "$root/scripts/first-start-marker.sh" "$program")"
main_title="Пальмора $(env LC_ALL=C.UTF-8 "$program" --version | cut -d' ' -f2)"

app=""
# The main window is this wide at least; the splash window is narrower.
main_width=1000
start_program() {
  local dir="$work/install-$1"
  shift
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$program" "$dir/"
  cp -r "$build/bin/Data" "$build/bin/Anketa" "$build/bin/инструкция.rtf" "$dir/"
  # Not the first start: the main window shows at once, without the splash.
  printf 'done\r\n' >"$dir/$marker"
  env "$@" "$dir/palmora" >"$dir/stdout.log" 2>"$dir/stderr.log" &
  app=$!
  pids+=("$app")
  for _ in $(seq 100); do
    main="$(window_named "$main_title" "$main_width" 2>/dev/null || true)"
    [ -n "$main" ] && return 0
    sleep 0.1
  done
  cat "$dir/stderr.log" >&2
  fail "Palmora's main window did not show ($*)"
  return 1
}

# The visible window of that title at least that wide (the splash window
# shares the main window's title).
window_named() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    if [ "$WIDTH" -ge "$2" ]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}
# "x y w h" of a window, as on the screen.
place() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}
# The window's place once it has stopped changing (a busy machine may take a
# moment to carry out a move), or after five seconds.
settled_place() {
  local before now
  before="$(place "$1")"
  for _ in $(seq 25); do
    sleep 0.2
    now="$(place "$1")"
    [ "$now" = "$before" ] && break
    before="$now"
  done
  echo "$before"
}
# Waits up to five seconds for the window to reach a place; says where it is.
wait_for_place() {
  local now
  for _ in $(seq 50); do
    now="$(place "$1")"
    [ "$now" = "$2" ] && break
    sleep 0.1
  done
  echo "$now"
}

# Drags with a button from (x, y) by (dx, dy) in equal steps, a pause after
# each, and lets go: drag BUTTON X Y DX DY STEPS PAUSE.
drag() {
  local button="$1" x="$2" y="$3" dx="$4" dy="$5" steps="$6" pause="$7" step
  xdotool mousemove "$x" "$y" mousedown "$button"
  for step in $(seq 1 "$steps"); do
    sleep "$pause"
    xdotool mousemove $((x + dx * step / steps)) $((y + dy * step / steps))
  done
  sleep 0.2
  xdotool mouseup "$button"
}

check_frame() {
  local desktop="$1"
  start_program "$desktop" || return 0
  sleep 1
  local x y w h
  read -r x y w h < <(place "$main")
  local title_x=$((x + 500)) title_y=$((y + 14))

  # Quick clicks, as a touchpad tap gives, and quick double clicks.
  xdotool mousemove "$title_x" "$title_y"
  for _ in $(seq 6); do xdotool click 1; sleep 0.08; done
  xdotool click --repeat 2 --delay 60 1
  xdotool mousemove $((title_x + 150)) $((title_y + 120))
  sleep 0.5
  if [ "$(place "$main")" = "$x $y $w $h" ]; then
    ok "$desktop: quick clicks and double clicks on the title leave the main window in place"
  else
    fail "$desktop: quick clicks on the title moved the main window to $(place "$main") from $x $y $w $h"
  fi

  # A slow drag.
  drag 1 "$title_x" "$title_y" 60 40 10 0.05
  local nx ny nw nh
  read -r nx ny nw nh < <(settled_place "$main")
  if [ "$nx $ny $nw $nh" = "$((x + 60)) $((y + 40)) $w $h" ]; then
    ok "$desktop: a slow drag of 60, 40 on the title moves the main window by 60, 40"
  else
    fail "$desktop: a slow drag of 60, 40 left the main window at $nx $ny $nw $nh, from $x $y"
  fi
  read -r x y w h < <(place "$main")

  # A quick drag: the first move already lies far past the drag distance.
  title_x=$((x + 500)) title_y=$((y + 14))
  drag 1 "$title_x" "$title_y" -120 -40 2 0.1
  read -r nx ny nw nh < <(settled_place "$main")
  if [ "$nx $ny $nw $nh" = "$((x - 120)) $((y - 40)) $w $h" ]; then
    ok "$desktop: a quick drag of -120, -40 in two jumps moves the main window by -120, -40"
  else
    fail "$desktop: a quick drag of -120, -40 moved the main window by $((nx - x)), $((ny - y)) (now $nw x $nh)"
  fi
  read -r x y w h < <(place "$main")

  # Other buttons move nothing, and nothing is left on the pointer.
  local button
  for button in 3 2; do
    title_x=$((x + 500)) title_y=$((y + 14))
    drag "$button" "$title_x" "$title_y" -160 96 8 0.05
    xdotool mousemove $((title_x - 300)) $((title_y + 250))
    sleep 0.2
    xdotool mousemove $((title_x + 100)) $((title_y + 300))
    read -r nx ny nw nh < <(settled_place "$main")
    # Whatever a press of that button opened closes with Esc.
    xdotool key Escape
    if [ "$nx $ny $nw $nh" = "$x $y $w $h" ]; then
      ok "$desktop: a drag of the title with button $button leaves the main window in place"
    else
      fail "$desktop: a drag of the title with button $button moved the main window to $nx $ny $nw $nh, from $x $y"
    fi
    read -r x y w h < <(place "$main")
  done
  import -window root "$shots/$desktop-main.png"
  if [ "$desktop" = bare ]; then
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shots/scale-1-main.png"
  fi

  # The main window is of fixed size.
  xdotool mousemove $((x + 60)) $((y + 12)) click --repeat 2 --delay 60 1
  sleep 0.8
  if [ "$(place "$main")" = "$x $y $w $h" ]; then
    ok "$desktop: a caption double click leaves the fixed main window as it is"
  else
    fail "$desktop: a caption double click changed the fixed main window to $(place "$main")"
  fi

  # The questionnaire window maximises and comes back.
  xdotool mousemove $((x + 74)) $((y + 50)) click 1
  local form=""
  for _ in $(seq 50); do
    form="$(window_named 'Анкета' 100 || true)"
    [ -n "$form" ] && break
    sleep 0.1
  done
  if [ -z "$form" ]; then
    fail "$desktop: the questionnaire window did not show"
  else
    sleep 0.5
    local before
    before="$(place "$form")"
    local fx fy fw fh
    read -r fx fy fw fh <<<"$before"
    xdotool mousemove $((fx + 40)) $((fy + 12)) click --repeat 2 --delay 60 1
    read -r fx fy fw fh < <(wait_for_place "$form" "0 0 ${screen_size// x / }")
    sleep 0.3
    import -window root "$shots/$desktop-questionnaire-maximised.png"
    if [ "$fw x $fh" = "$screen_size" ]; then
      ok "$desktop: a caption double click maximises the questionnaire window to $fw x $fh"
    else
      fail "$desktop: after a caption double click the questionnaire window is at $fx $fy, $fw x $fh"
    fi
    xdotool mousemove $((fx + 40)) $((fy + 12)) click --repeat 2 --delay 60 1
    if [ "$(wait_for_place "$form" "$before")" = "$before" ]; then
      ok "$desktop: a second double click brings back its place and size"
    else
      fail "$desktop: after a second double click the questionnaire window is at $(place "$form"), not $before"
    fi
  fi

  if [ "$desktop" = bare ]; then
    # Nothing can show a minimised window here: it stays, and still moves.
    read -r x y w h < <(place "$main")
    xdotool mousemove $((x + 974)) $((y + 15)) click 1
    sleep 1.5
    drag 1 $((x + 500)) $((y + 14)) 30 20 5 0.05
    if [ "$(wait_for_place "$main" "$((x + 30)) $((y + 20)) $w $h")" = "$((x + 30)) $((y + 20)) $w $h" ]; then
      ok "$desktop: minimising with nothing to show it leaves the main window on the screen, moving by its title"
    else
      fail "$desktop: after minimising, the main window is at $(place "$main") and does not move by its title"
    fi
  fi
  stop_program
}

screen_size="1280 x 800"
start_xvfb 1280x800 0
export DISPLAY="$started"
check_frame bare
openbox --sm-disable --config-file /dev/null >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1
check_frame openbox

# Scaled screens: every size the design gives in pixels, times the scale.
for scale in 2 1.5; do
  start_xvfb 2560x1600 "${scale%.*}"
  export DISPLAY="$started"
  main_width="$(awk -v s="$scale" 'BEGIN { printf "%d", 1000 * s }')"
  if start_program "scale-$scale" QT_SCALE_FACTOR="$scale"; then
    sleep 1
    read -r x y w h < <(place "$main")
    expected="$(awk -v s="$scale" 'BEGIN { printf "%d %d", 1016 * s + 0.5, 711 * s + 0.5 }')"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shots/scale-$scale-main.png"
    if [ "$w $h" = "$expected" ]; then
      ok "scale $scale: the main window is $w x $h device pixels, the design's size times $scale"
    else
      fail "scale $scale: the main window is $w x $h device pixels, not $expected"
    fi
    # The design's proportions: points of the frame's lines, the title, the
    # toolbar and the tab page show at their places times the scale in the
    # colours they have at scale 1.
    differ=""
    for point in "0 300" "1 300" "2 300" "3 300" "1015 300" "1014 300" "1013 300" "500 710" "500 709" \
      "500 708" "300 2" "300 27" "600 45" "1005 45" "1000 400" "8 690"; do
      read -r px py <<<"$point"
      one="$(convert "$shots/scale-1-main.png" -format "%[pixel:p{$px,$py}]" info:)"
      # Counted from the nearer edge, as the lines are drawn.
      sx="$(awk -v p="$px" -v s="$scale" -v n=1016 -v d="$w" 'BEGIN { printf "%d", 2 * p < n ? (p + 0.5) * s : d - (n - p - 0.5) * s }')"
      sy="$(awk -v p="$py" -v s="$scale" -v n=711 -v d="$h" 'BEGIN { printf "%d", 2 * p < n ? (p + 0.5) * s : d - (n - p - 0.5) * s }')"
      scaled="$(convert "$shots/scale-$scale-main.png" -format "%[pixel:p{$sx,$sy}]" info:)"
      [ "$one" = "$scaled" ] || differ="$differ ($px, $py): $one at scale 1, $scaled scaled;"
    done
    if [ -z "$differ" ]; then
      ok "scale $scale: the frame's lines, the title, the toolbar and the page lie at the design's places times $scale"
    else
      fail "scale $scale: not in the design's proportions:$differ"
    fi
    # The check box (16 x 16 at 798, 100 in the window): its shading and its
    # mark are drawn at the screen's resolution, so it shows colours that the
    # design's pixels made larger could not give.
    side="$(awk -v s="$scale" 'BEGIN { printf "%d", 16 * s + 0.5 }')"
    box_x="$(awk -v s="$scale" 'BEGIN { printf "%d", 798 * s }')"
    box_y="$(awk -v s="$scale" 'BEGIN { printf "%d", 100 * s }')"
    convert "$shots/scale-$scale-main.png" -crop "${side}x${side}+${box_x}+${box_y}" +repage "$shots/scale-$scale-check-box.png"
    convert "$shots/scale-1-main.png" -crop "16x16+798+100" +repage "$shots/scale-1-check-box.png"
    one="$(convert "$shots/scale-1-check-box.png" -unique-colors -format %w info:)"
    scaled="$(convert "$shots/scale-$scale-check-box.png" -unique-colors -format %w info:)"
    # The outline, one colour, equally wide on the left and the right.
    middle=$((side / 2))
    outline_left="$(convert "$shots/scale-$scale-check-box.png" -format "%[pixel:p{0,$middle}]" info:)"
    outline_right="$(convert "$shots/scale-$scale-check-box.png" -format "%[pixel:p{$((side - 1)),$middle}]" info:)"
    outline_at_1="$(convert "$shots/scale-1-check-box.png" -format "%[pixel:p{0,8}]" info:)"
    if [ "$scaled" -gt "$one" ] && [ "$outline_left" = "$outline_at_1" ] && [ "$outline_right" = "$outline_at_1" ]; then
      ok "scale $scale: the check box is drawn at the screen's resolution ($scaled colours, $one at scale 1)"
    else
      fail "scale $scale: the check box shows $scaled colours ($one at scale 1), outline $outline_left, $outline_right"
    fi
    stop_program
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "desktop-frame.sh: $failures checks failed; the screenshots are in $shots" >&2
  exit 1
fi
echo "desktop-frame.sh: the frame behaves on a bare display and under openbox; screenshots in $shots"
