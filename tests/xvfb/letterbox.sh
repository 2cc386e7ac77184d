#!/usr/bin/env bash
# The game on a wide screen: its window covers the screen, the picture fills
# the height with its proportions kept between black bars, and the game's own
# pointer is drawn where the mouse is.
#   letterbox.sh GAME [PROGRAM_FOLDER]
# Passes with a note when the machine has no Xvfb or xdotool.
set -u

game=${1:?usage: letterbox.sh GAME [PROGRAM_FOLDER]}
folder=${2:-$(dirname "$game")}

for tool in Xvfb xdotool import convert compare; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed"
    exit 0
  fi
done

work=$(mktemp -d)
# The game saves its settings and scores beside itself: it runs from a copy of
# its program folder, so the build's own are left alone.
copy=$work/game
mkdir "$copy"
cp "$game" "$copy/torvanex"
for f in "$folder"/*.wrk "$folder"/*.skn "$folder"/*.wav "$folder"/*.mid "$folder"/arial8 "$folder"/times16 "$folder"/help.txt; do
  [ -e "$f" ] && ln -s "$(cd "$(dirname "$f")" && pwd)/$(basename "$f")" "$copy/"
done
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

display=121
while [ -e "/tmp/.X$display-lock" ] && [ "$display" -lt 140 ]; do display=$((display + 1)); done
export DISPLAY=:$display
# 1280x800: the 800x600 picture becomes 1067x800 with bars of 106 and 107.
Xvfb "$DISPLAY" -screen 0 1280x800x16 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb did not start on $DISPLAY"

(cd "$copy" && SDL_AUDIODRIVER=dummy exec ./torvanex) >"$work/game.log" 2>&1 &
game_pid=$!

window=
for _ in $(seq 120); do
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended during start-up"
  window=$(xdotool search --onlyvisible --name '^Torvanex$' 2>/dev/null | tail -1)
  [ -n "$window" ] && break
  sleep 0.25
done
[ -n "$window" ] || fail "no visible window named Torvanex within 30 s"
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "1280x800" ] || fail "the window is $geometry, not the screen's 1280x800"

shot() { import -window root "$work/$1.png" 2>/dev/null || fail "no screenshot"; }
colours() { convert "$work/$1.png" -crop "$2" +repage -format '%k' info:; }
differing() {
  convert "$work/$1.png" -crop "$3" +repage "$work/a.png"
  convert "$work/$2.png" -crop "$3" +repage "$work/b.png"
  compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1
}

# The title animation runs for about four seconds; then the screen stays still.
sleep 4.5
shot start
[ "$(colours start 1067x800+106+0)" -gt 1 ] || fail "the picture is one colour"
for bar in 106x800+0+0 107x800+1173+0; do
  [ "$(convert "$work/start.png" -crop "$bar" +repage -format '%[fx:maxima.r+maxima.g+maxima.b]' info:)" = 0 ] ||
    fail "the bar $bar is not black"
done

# In a game the pointer is the game's own, drawn 24x33 at this scale: it
# appears under the mouse (over the panel, which stays still) and goes again.
xdotool mousemove 640 780
xdotool key space
sleep 1.5
shot parked
xdotool mousemove 900 200
sleep 0.7
shot there
xdotool mousemove 640 780
sleep 0.7
shot back
kill -0 "$game_pid" 2>/dev/null || fail "the game ended while the mouse moved"
arrived=$(differing parked there 24x33+900+200)
left=$(differing parked back 24x33+900+200)
[ "${arrived:-0}" != 0 ] || fail "no pointer was drawn under the mouse"
[ "${left:-1}" = 0 ] || fail "the pointer left a trail ($left pixels differ where it was)"

kill -TERM "$game_pid"
wait "$game_pid"
status=$?
game_pid=
[ "$status" -eq 0 ] || fail "the game ended with status $status"

echo "ok: 1280x800 window, picture 1067x800 between black bars, pointer drawn under the mouse"
