#!/usr/bin/env bash
# The game in a real X window, played as a person would. On an 800x600 screen
# it opens at that size, a key starts a game, presses turn pieces, the pointer
# leaves no trail, F1 shows the help, the mode button switches to Lash Tiles,
# then to Conduit Sage where giving up asks for a name, Escape shows the
# tables, two clicks lead through the farewell to a saved exit, and a run
# closed from the desktop saves too. On a wide screen the window covers the
# screen, the picture fills its height between black bars, and the game's own
# pointer is drawn under the mouse; on a screen smaller than the picture the
# whole picture is scaled down to it.
#   real_window.sh GAME [DATA_FOLDER]
# The game runs from a copy of its program folder, so the build's own settings
# and scores are left alone. Passes with a note when the machine has no Xvfb;
# KEEP_WORK=1 keeps the screenshots it took.
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

. "$(dirname "$0")/x_session.sh"

# Pixels that differ within a rectangle WxH+X+Y between two screenshots.
differing() {
  convert "$work/$1.png" -crop "$3" +repage "$work/a.png"
  convert "$work/$2.png" -crop "$3" +repage "$work/b.png"
  compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1
}
cell() { echo "35x35+$((90 + 35 * $1))+$((122 + 35 * $2))"; }

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

# A score file in which every entry holds -1, so that any score, even 0, enters
# the tables: word i of the file is stored XORed with i + 173.
perl -e 'my $b = ("\0" x 21 . pack("l<", -1)) x 30;
         my @w = unpack("v*", $b); $w[$_] ^= ($_ + 173) & 0xFFFF for 0 .. $#w;
         print pack("v*", @w);' >"$folder/torvanex.rec"
plain_scores() {
  perl -e 'local $/; my @w = unpack("v*", <STDIN>); $w[$_] ^= ($_ + 173) & 0xFFFF for 0 .. $#w;
           print pack("v*", @w);' <"$folder/torvanex.rec"
}
# ---- a game from the start screen to a saved exit
start_x 800x600x24
start_game 800x600 800x600+0+0
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

# F1 shows the help; any key goes back to the game, whose panel is as it was.
xdotool key F1
sleep 1
shot help
[ "$(differing after_pointer help 800x600+0+0)" -gt 100000 ] || fail "F1 did not show the help"
xdotool key x
sleep 1
shot back_from_help
[ "$(differing after_pointer back_from_help 235x341+537+200)" = 0 ] || fail "the help did not go back to the game"

# The mode button starts a Lash Tiles game: another title, blocks on the board.
xdotool mousemove 650 233 click 1
sleep 1.5
xdotool mousemove 700 580
sleep 0.5
shot lines
[ "$(differing back_from_help lines 202x38+552+214)" != 0 ] || fail "the mode button did not change the mode"

# Conduit Sage next; giving up at once scores 0, which enters the tables of -1,
# so the name entry asks for a name: "Ann", Enter.
xdotool mousemove 650 233 click 1
sleep 1.5
xdotool mousemove 140 570 click 1
sleep 2.5
xdotool type Ann
xdotool key Return
sleep 1.5

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
plain_scores | grep -aq $'\x03Ann' || fail "the name typed was not saved in torvanex.rec"

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
xdotool mousemove 320 300 key space
sleep 1.5
xdotool mousemove 600 300
sleep 0.5
shot small_game
[ "$(colours small_game 640x24+0+456)" -gt 1 ] || fail "the bottom strip is not on the 640x480 screen"
xdotool mousemove 46 27 click 1
sleep 1
shot small_help
[ "$(differing small_game small_help 640x480+0+0)" -gt 100000 ] || fail "the Help button could not be pressed at 640x480"
kill -TERM "$game_pid"
wait_for_exit "being told to end"

echo "ok: 800x600 window, piece $turned turned, no pointer trail, help, Lash Tiles, a name entered," \
  "tables, farewell, saved exit; Alt+F4 saved too;" \
  "1280x800 window, picture between black bars, pointer drawn under the mouse;" \
  "640x480 window, the whole picture scaled down, Help pressed"
