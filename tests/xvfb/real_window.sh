#!/usr/bin/env bash
# The game in a real X window, played as a person would: it opens at 800x600,
# a key starts a game, presses turn pieces, the pointer leaves no trail, Escape
# shows the tables, two clicks lead through the farewell to a saved exit. A
# second run closed from the desktop saves too.
#   real_window.sh GAME [DATA_FOLDER]
# The game runs from a copy of its program folder, so the build's own settings
# and scores are left alone. Passes with a note when the machine has no Xvfb.
set -u

game=${1:?usage: real_window.sh GAME [DATA_FOLDER]}
data=${2:-$(dirname "$game")}

for tool in Xvfb xdotool import convert compare; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed"
    exit 0
  fi
done

work=$(mktemp -d)
folder=$work/game
mkdir "$folder"
cp "$game" "$folder/torvanex"
for f in "$data"/*.wrk "$data"/*.skn "$data"/*.wav "$data"/*.mid "$data"/arial8 "$data"/times16 "$data"/help.txt; do
  [ -e "$f" ] && ln -s "$(cd "$(dirname "$f")" && pwd)/$(basename "$f")" "$folder/"
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

shot() { import -window root "$work/$1.png" 2>/dev/null || fail "no screenshot"; }
colours() { convert "$work/$1.png" -format '%k' info:; }
# Pixels that differ between two screenshots within a rectangle WxH+X+Y.
differing() {
  convert "$work/$1.png" -crop "$3" +repage "$work/a.png"
  convert "$work/$2.png" -crop "$3" +repage "$work/b.png"
  compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1
}
cell() { echo "35x35+$((90 + 35 * $1))+$((122 + 35 * $2))"; }

start_game() {
  (cd "$folder" && SDL_AUDIODRIVER=dummy exec ./torvanex) >"$work/game.log" 2>&1 &
  game_pid=$!
  # SDL may make its X window again during start-up, so look it up until the
  # same one has been found twice.
  local window=
  for _ in $(seq 120); do
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended during start-up"
    local found
    found=$(xdotool search --onlyvisible --name '^Torvanex$' 2>/dev/null | tail -1)
    if [ -n "$found" ] && [ "$found" = "$window" ]; then break; fi
    window=$found
    sleep 0.25
  done
  [ -n "$window" ] || fail "no visible window named Torvanex within 30 s"
  local geometry
  geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
  [ "$geometry" = "800x600" ] || fail "the window is $geometry, not 800x600"
  # The title animation runs for about four seconds; then the screen stays still.
  sleep 4.5
  shot start
  [ "$(colours start)" -gt 1 ] || fail "the start screen is one colour"
}

wait_for_exit() {
  for _ in $(seq 50); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$game_pid" 2>/dev/null && fail "the game is still running 5 s after $1"
  wait "$game_pid"
  local status=$?
  game_pid=
  [ "$status" -eq 0 ] || fail "the game ended with status $status after $1"
}

# ---- first run: a game from the start screen to a saved exit
start_game
xdotool mousemove 700 580
xdotool key space
sleep 1.5
shot game

# Presses on the centre of the board, where the set-up put pieces, until one
# turns (a cross would not): the cell's pixels change and stay changed.
turned=
for c in 5 6 4 7; do
  for r in 5 6 4 7; do
    xdotool mousemove $((90 + 35 * c + 17)) $((122 + 35 * r + 17)) click 1
    sleep 0.6
    xdotool mousemove 700 580
    sleep 0.3
    shot after
    if [ "$(differing game after "$(cell $c $r)")" != 0 ]; then turned="$c,$r"; break 2; fi
  done
done
[ -n "$turned" ] || fail "no press turned a piece"

# The pointer the player sees is the game's own: it follows the mouse and
# leaves no trail behind.
shot before_pointer
xdotool mousemove 600 300
sleep 0.5
xdotool mousemove 700 580
sleep 0.5
shot after_pointer
trail=$(differing before_pointer after_pointer 18x25+600+300)
[ "${trail:-1}" = 0 ] || fail "the pointer left a trail ($trail pixels differ where it was)"

# Escape shows the tables; a click outside their two areas shows the
# farewell; a click there saves and closes.
xdotool key Escape
sleep 1
shot tables
[ "$(differing game tables 800x600+0+0)" -gt 100000 ] || fail "Escape did not show the top scores"
xdotool mousemove 100 100 click 1
sleep 1
xdotool click 1
wait_for_exit "leaving the farewell"

for f in nskin ngame level; do
  [ "$(stat -c %s "$folder/$f" 2>/dev/null)" = 1 ] || fail "$f was not saved as one byte"
done
[ "$(stat -c %s "$folder/torvanex.rec" 2>/dev/null)" = 750 ] || fail "torvanex.rec is not 750 bytes"
[ "$(tr -cd '\n' <"$folder/torvanex.cfg" | wc -c)" = 4 ] || fail "torvanex.cfg does not hold four lines"
grep -q $'\r$' "$folder/torvanex.cfg" || fail "torvanex.cfg lines do not end with CR LF"

# ---- second run: closed from the desktop, it saves all the same
rm -f "$folder/nskin" "$folder/ngame" "$folder/level"
start_game
xdotool key --clearmodifiers alt+F4
wait_for_exit "Alt+F4"
for f in nskin ngame level; do
  [ -f "$folder/$f" ] || fail "closing from the desktop did not save $f"
done

echo "ok: 800x600 window, piece $turned turned, no pointer trail, tables, farewell, saved exit; Alt+F4 saved too"
