#!/usr/bin/env bash
# The game in a real X window, played as a person would. On an 800x600 screen
# it opens at that size, a key starts a game, the mode button switches to
# Lash Tiles, then to Conduit Sage where giving up asks for a name, Escape
# shows the tables, two clicks lead through the farewell to a saved exit, and
# a run closed from the desktop saves too. On a wide screen the window covers
# the screen, the picture fills its height between black bars, and the game's
# own pointer is drawn under the mouse and leaves no trail; on a screen
# smaller than the picture the whole picture is scaled down to it.
#   real_window.sh GAME [DATA_FOLDER]
# The game runs from a copy of its program folder, so the build's own settings
# and scores are left alone. Passes with a note when the machine has no Xvfb;
# KEEP_WORK=1 keeps the screenshots it took.
set -u

game=${1:?usage: real_window.sh GAME [DATA_FOLDER]}
data=${2:-$(dirname "$game")}

for tool in Xvfb xdotool import convert compare; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 0; }
done

work=$(mktemp -d)
folder=$work/game
mkdir "$folder"
cp "$game" "$folder/torvanex"
for f in "$data"/*.wrk "$data"/*.skn "$data"/*.wav "$data"/*.mid "$data"/arial8 "$data"/times16 "$data"/help.txt; do
  [ -e "$f" ] && ln -s "$(cd "$(dirname "$f")" && pwd)/$(basename "$f")" "$folder/"
done

. "$(dirname "$0")/../support/x_session.sh"

# Pixels that differ within a rectangle WxH+X+Y between two screenshots.
differing() {
  convert "$work/$1.png" -crop "$3" +repage "$work/a.png"
  convert "$work/$2.png" -crop "$3" +repage "$work/b.png"
  compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1
}

# Starts the game; its window must cover the screen of WIDTHxHEIGHT, and the
# picture within PICTURE (a rectangle) must show more than one colour once the
# title animation (about four seconds) is over.
start_game() {
  (cd "$folder" && SDL_AUDIODRIVER=dummy exec ./torvanex) >"$work/game.log" 2>&1 &
  game_pid=$!
  find_window
  local geometry
  geometry=$(geometry)
  [ "$geometry" = "$1" ] || fail "the window is $geometry, not the screen's $1"
  sleep 4.5
  shot start
  [ "$(colours start "$2")" -gt 1 ] || fail "the picture is one colour"
}

# Word i of the score file is stored XORed with i + 173, both ways. A file in
# which every entry holds -1, so that any score, even 0, enters the tables:
scramble() { perl -e 'local $/; my @w = unpack("v*", <STDIN>); $w[$_] ^= ($_ + 173) & 0xFFFF for 0 .. $#w; print pack("v*", @w);'; }
perl -e 'print +("\0" x 21 . pack("l<", -1)) x 30' | scramble >"$folder/torvanex.rec"

# ---- a game from the start screen to a saved exit
start_x 800x600x24
start_game 800x600 800x600+0+0
xdotool mousemove 700 580 key space sleep 1.5
shot game

# The mode button twice: Lash Tiles, then Conduit Sage, where giving up at
# once scores 0, which enters the tables of -1, so the name entry asks for a
# name: "Ann", Enter. Only that name in the saved tables shows that both
# presses and the give-up landed where they were shown.
for _ in 1 2; do
  xdotool mousemove 650 233 click 1 sleep 1.5 mousemove 700 580 sleep 0.5
done
xdotool mousemove 140 570 click 1 sleep 2.5 type Ann
xdotool key Return sleep 1.5

# Escape shows the tables; a click outside their two areas shows the
# farewell; a click there saves and closes.
xdotool key Escape sleep 1
shot tables
[ "$(differing game tables 800x600+0+0)" -gt 100000 ] || fail "Escape did not show the top scores"
xdotool mousemove 100 100 click 1 sleep 1 click 1
wait_for_exit "leaving the farewell"

for f in nskin ngame level; do
  [ "$(stat -c %s "$folder/$f" 2>/dev/null)" = 1 ] || fail "$f was not saved as one byte"
done
[ "$(stat -c %s "$folder/torvanex.rec" 2>/dev/null)" = 750 ] || fail "torvanex.rec is not 750 bytes"
scramble <"$folder/torvanex.rec" | grep -aq $'\x03Ann' || fail "the name typed was not saved in torvanex.rec"

# ---- closed from the desktop, it saves all the same
rm -f "$folder/nskin" "$folder/ngame" "$folder/level"
start_game 800x600 800x600+0+0
xdotool key --clearmodifiers alt+F4
wait_for_exit "Alt+F4"
for f in nskin ngame level; do
  [ -f "$folder/$f" ] || fail "closing from the desktop did not save $f"
done

# ---- a wide screen: the 800x600 picture becomes 1067x800 between bars of 106 and 107
start_x 1280x800x16
start_game 1280x800 1067x800+106+0
for bar in 106x800+0+0 107x800+1173+0; do
  [ "$(convert "$work/start.png" -crop "$bar" +repage -format '%[fx:maxima.r+maxima.g+maxima.b]' info:)" = 0 ] ||
    fail "the bar $bar is not black"
done
# In a game the pointer is drawn 24x33 at this scale: it appears under the
# mouse (over the panel, which stays still) and goes again.
xdotool mousemove 640 780 key space sleep 1.5
shot parked
xdotool mousemove 900 200 sleep 0.7
shot there
xdotool mousemove 640 780 sleep 0.7
shot back
arrived=$(differing parked there 24x33+900+200)
left=$(differing parked back 24x33+900+200)
[ "${arrived:-0}" != 0 ] || fail "no pointer was drawn under the mouse"
[ "${left:-1}" = 0 ] || fail "the pointer left a trail on the wide screen ($left pixels differ where it was)"
kill -TERM "$game_pid"
wait_for_exit "being told to end"

# ---- a screen smaller than the picture, with no window manager: the whole
# picture is scaled down to 640x480, so the bottom strip shows and the Help
# button, at (18, 15)-(97, 53) of the picture, is there to be pressed.
start_x 640x480x24
start_game 640x480 640x480+0+0
xdotool mousemove 320 300 key space sleep 1.5 mousemove 600 300 sleep 0.5
shot small_game
[ "$(colours small_game 640x24+0+456)" -gt 1 ] || fail "the bottom strip is not on the 640x480 screen"
xdotool mousemove 46 27 click 1 sleep 1
shot small_help
[ "$(differing small_game small_help 640x480+0+0)" -gt 100000 ] || fail "the Help button could not be pressed at 640x480"
kill -TERM "$game_pid"
wait_for_exit "being told to end"

echo "ok: 800x600 window, Lash Tiles, a name entered," \
  "tables, farewell, saved exit; Alt+F4 saved too;" \
  "1280x800 window, picture between black bars, pointer drawn under the mouse, no trail;" \
  "640x480 window, the whole picture scaled down, Help pressed"
