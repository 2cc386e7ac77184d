#!/usr/bin/env bash
# Fills the fuzz targets' corpus folders with seeds made from the game's real
# data files, as the build generated them, and a few whole-game sessions.
#   fuzz/seed_corpus.sh DATA_FOLDER CORPUS_ROOT
# Each target's corpus is CORPUS_ROOT/corpus-fuzz_NAME; seeds already there stay.
set -euo pipefail
data=$1
root=$2
corpus() { mkdir -p "$root/corpus-fuzz_$1" && echo "$root/corpus-fuzz_$1"; }

# Pictures and fonts carry a few bytes in front that place what is drawn.
pictures=$(corpus picture_reader)
for f in "$data"/*.wrk "$data"/*.skn; do
  { printf '\x00\x00'; cat "$f"; } >"$pictures/$(basename "$f")"
done
fonts=$(corpus font_reader)
for f in "$data"/arial8 "$data"/times16; do
  { printf '\x10\x04\x0cA'; cat "$f"; } >"$fonts/$(basename "$f")"
done
for target in wave_reader effect_loader; do
  cp "$data"/*.wav "$(corpus $target)/"
done

# The settings and a score file as the game writes them.
persist=$(corpus persist_readers)
printf 'Set sound: 1 - on, 0 - off.\r\n1\r\nSet midi on/off: 1 - on, 0 - off.\r\n0\r\n' >"$persist/torvanex.cfg"
[ -f "$data/torvanex.rec" ] && cp "$data/torvanex.rec" "$persist/"

# The program folder's names, the pieces flagged as MIDI.
{
  for f in "$data"/*; do
    name=$(basename "$f")
    case "$name" in *.mid) printf '\x01%s\n' "$name" ;; *) printf '\x00%s\n' "$name" ;; esac
  done
} >"$(corpus music_folder)/program_folder"

# Whole-game sessions: mode byte, clock byte, then events of four bytes
# (wait, kind, two arguments); see fuzz/whole_game.cpp.
game=$(corpus whole_game)
ev() { printf "\\x$(printf %02x "$1")\\x$(printf %02x "$2")\\x$(printf %02x "$3")\\x$(printf %02x "$4")"; }
start() { ev 199 2 0 0; ev 194 0 0 0; }          # the title's four seconds, Space, a breath
press() { ev 60 "$1" "$2" "$3"; }                # on cell (a mod 12, b mod 12)
{
  printf '\x00\x07'; start
  for cell in "3 3" "4 5" "5 5" "6 6" "7 4" "8 8" "5 3" "3 8"; do press 0x1b $cell; press 0x0b $cell; done
  ev 230 4 100 100; for cell in "4 4" "5 6" "6 7"; do press 0x1b $cell; done
  ev 100 2 1 0; ev 100 2 0 0; ev 200 11 5 5
} >"$game/mode0"
{
  printf '\x01\x11'; start
  for cell in "1 1" "5 1" "5 7" "1 7" "1 1" "9 2" "9 9"; do press 0x1b $cell; done
  for key in 0 1 2 3 2 3; do ev 40 0 "$key" 0; done
  ev 40 2 0 0; ev 40 0 6 0; ev 235 4 10 10; ev 100 2 1 0
} >"$game/mode1"
{
  printf '\x02\x2a'; start
  press 0x1b 6 8; press 0x0b 3 3; ev 80 0x7c 2 5; ev 80 0x2c 9 5; ev 80 0 0 0; ev 80 0 2 0
  ev 196 9 45 243; ev 200 2 4 0; ev 10 2 5 0; ev 10 2 2 0
} >"$game/mode2"
{
  printf '\x04\x33'; start
  ev 100 0 7 0; ev 50 0 5 0; ev 50 0 5 0; ev 50 0 4 0; ev 50 2 4 0
  ev 100 13 0 0; ev 100 14 0 0; ev 100 13 1 0
  ev 100 9 250 200; ev 100 9 250 150; ev 100 2 1 0; ev 100 2 0 0; ev 100 2 1 0; ev 100 2 4 0; ev 100 2 4 0
} >"$game/help_and_farewell"
