#!/usr/bin/env bash
# The game in a real X window: it opens at 800x600, shows a picture, draws its
# own pointer where the mouse goes, and ends cleanly when closed with Alt+F4.
#   real_window.sh GAME [PROGRAM_FOLDER]
# Passes with a note when the machine has no Xvfb or xdotool.
set -u

game=${1:?usage: real_window.sh GAME [PROGRAM_FOLDER]}
folder=${2:-$(dirname "$game")}

for tool in Xvfb xdotool import convert compare; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed"
    exit 0
  fi
done

work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  [ -f "$work/game.log" ] && sed 's/^/  game: /' "$work/game.log" | tail -20
  exit 1
}

# The game finds its data beside its executable.
[ "$(cd "$(dirname "$game")" && pwd)" = "$(cd "$folder" && pwd)" ] ||
  fail "the game $game is not in its program folder $folder"

display=97
while [ -e "/tmp/.X$display-lock" ] && [ "$display" -lt 120 ]; do display=$((display + 1)); done
export DISPLAY=:$display
Xvfb "$DISPLAY" -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb did not start on $DISPLAY"

(cd "$folder" && SDL_AUDIODRIVER=dummy exec "$game") >"$work/game.log" 2>&1 &
game_pid=$!

# An OpenGL renderer makes SDL create its X window again; the game has none
# now, but the window is still looked up until the same one is found twice.
window=
for _ in $(seq 120); do
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended during start-up"
  found=$(xdotool search --onlyvisible --name '^Torvanex$' 2>/dev/null | tail -1)
  if [ -n "$found" ] && [ "$found" = "$window" ]; then break; fi
  window=$found
  sleep 0.25
done
[ -n "$window" ] || fail "no visible window named Torvanex within 30 s"

geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "800x600" ] || fail "the window is $geometry, not 800x600"

shot() { import -window root "$work/$1.png" 2>/dev/null || fail "no screenshot"; }
colours() { convert "$work/$1.png" -format '%k' info:; }
# Pixels that differ between two screenshots within a rectangle WxH+X+Y.
differing() {
  convert "$work/$1.png" -crop "$3" +repage "$work/a.png"
  convert "$work/$2.png" -crop "$3" +repage "$work/b.png"
  compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1
}

# The start-up ends with a picture on the screen, not one flat colour.
for _ in $(seq 40); do
  shot start
  [ "$(colours start)" -gt 1 ] && break
  sleep 0.25
done
[ "$(colours start)" -gt 1 ] || fail "the screen stays one colour"

# A key starts a game; the game screen shows the game's own pointer.
xdotool key space
sleep 1.5
shot game

# The pointer the player sees is the game's own: it must follow the mouse and
# leave no trail behind.
xdotool mousemove 600 400
sleep 1.5
shot pointer_right
xdotool mousemove 200 150
sleep 1.5
shot pointer_left
kill -0 "$game_pid" 2>/dev/null || fail "the game ended while the mouse moved"
moved_away=$(differing pointer_right pointer_left 18x25+600+400)
arrived=$(differing pointer_right pointer_left 18x25+200+150)
[ "${moved_away:-0}" != 0 ] && [ "${arrived:-0}" != 0 ] ||
  fail "the pointer did not follow the mouse (changed pixels: $moved_away where it left, $arrived where it went)"
trail=$(differing game pointer_left 18x25+600+400)
[ "${trail:-1}" = 0 ] || fail "the pointer left a trail ($trail pixels differ where it was)"

# Alt+F4 closes the game the way the desktop would.
xdotool key --clearmodifiers alt+F4
for _ in $(seq 50); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then
  fail "the game is still running 5 s after Alt+F4"
fi
wait "$game_pid"
status=$?
game_pid=
[ "$status" -eq 0 ] || fail "the game ended with status $status"

echo "ok: 800x600 window, $(colours start) colours at start, pointer followed the mouse, Alt+F4 ended the game"
