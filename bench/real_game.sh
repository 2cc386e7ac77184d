#!/usr/bin/env bash
# What the real game costs on an X screen: start-up to its first picture, the
# start screen left idle with its music playing, and a game with the mouse
# moving 20 times a second. Prints its figures; it is not a test.
#   bench/real_game.sh [GAME [SCREEN [SECONDS]]]
#     GAME     the game in its program folder (default build/torvanex)
#     SCREEN   the Xvfb screen, WxHxDEPTH (default 800x600x16)
#     SECONDS  length of each measured stretch (default 20)
# Environment: STARTS (start-ups timed, default 5), PROBE (bench_first_frame,
# default beside the game, else in build/), SDL_AUDIODRIVER (default dummy: the
# mixer and the synthesiser run as with a sound card, silently).
# CPU is process time from /proc/PID/stat as a share of one core; resident
# memory is VmRSS. Per thread: CPU from schedstat and wake-ups (context
# switches) per second. A game that counts its presents (TORVANEX_PRESENT_STATS)
# adds presents and uploaded pixels per second.
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
game=$(realpath "${1:-$root/build/torvanex}")
screen=${2:-800x600x16}
seconds=${3:-20}
starts=${STARTS:-5}
data=$(dirname "$game")
probe=${PROBE:-$data/bench_first_frame}
[ -x "$probe" ] || probe=$root/build/bench_first_frame
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export TORVANEX_PRESENT_STATS=1

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "needs $tool"; exit 2; }
done
[ -x "$game" ] || { echo "no game at $game"; exit 2; }
[ -x "$probe" ] || { echo "no bench_first_frame (build it: cmake --build build --target bench_first_frame)"; exit 2; }

work=$(mktemp -d)
# The game saves its settings and scores beside itself: it runs from a copy of
# its program folder, so the build's own are left alone.
folder=$work/game
mkdir "$folder"
cp "$game" "$folder/torvanex"
for f in "$data"/*.wrk "$data"/*.skn "$data"/*.wav "$data"/*.mid "$data"/arial8 "$data"/times16 "$data"/help.txt; do
  [ -e "$f" ] && ln -s "$(cd "$(dirname "$f")" && pwd)/$(basename "$f")" "$folder/"
done
xvfb_pid=
game_pid=
probe_pid=
cleanup() {
  [ -n "$game_pid" ] && kill -0 "$probe_pid" 2>/dev/null && kill -KILL "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

display=90
while [ -e "/tmp/.X$display-lock" ] && [ "$display" -lt 130 ]; do display=$((display + 1)); done
export DISPLAY=:$display
Xvfb "$DISPLAY" -screen 0 "$screen" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "Xvfb did not start"; exit 1; }
sleep 1  # a screen that has just started answers slowly at first
read -r screen_w screen_h < <(xdotool getdisplaygeometry)

hz=$(getconf CLK_TCK)

# CPU time the whole machine has spent, in ticks, from /proc/stat: other
# work skews the wall-clock figures (and, less, the rest).
machine_busy() {
  awk '/^cpu / {print $2 + $3 + $4 + $7 + $8 + $9}' /proc/stat
}

# Starts the game through the probe (which stays its parent, so the game is
# reaped when it ends); sets game_pid and first_ms.
start_game() {
  : >"$work/probe.out"
  (cd "$folder" && exec "$probe" "$work/game.log" ./torvanex) >"$work/probe.out" &
  probe_pid=$!
  first_ms=none
  for _ in $(seq 240); do
    grep -q '^first_frame_ms' "$work/probe.out" && break
    kill -0 "$probe_pid" 2>/dev/null || break
    sleep 0.05
  done
  sleep 0.05
  game_pid=$(sed -n 's/^pid //p' "$work/probe.out")
  first_ms=$(sed -n 's/^first_frame_ms //p' "$work/probe.out")
  first_cpu=$(sed -n 's/^first_frame_cpu_ms //p' "$work/probe.out")
}

stop_game() {
  [ -n "$game_pid" ] || return
  kill -TERM "$game_pid" 2>/dev/null
  for _ in $(seq 50); do
    kill -0 "$probe_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$probe_pid" 2>/dev/null && kill -KILL "$game_pid" 2>/dev/null
  wait "$probe_pid" 2>/dev/null
  game_pid=
}

# One line per thread: name, run time in ns, context switches; then the
# process's CPU ticks and resident memory.
snapshot() {
  local pid=$1 t
  for t in /proc/"$pid"/task/*; do
    local name run switches
    name=$(cat "$t/comm" 2>/dev/null) || continue
    run=$(cut -d' ' -f1 "$t/schedstat" 2>/dev/null) || continue
    switches=$(awk '/ctxt_switches/ {s += $2} END {print s}' "$t/status" 2>/dev/null)
    echo "thread ${t##*/} ${name// /_} $run $switches"
  done
  awk '{sub(/.*\) /, ""); print "ticks", $12 + $13}' /proc/"$pid"/stat
  awk '/VmRSS/ {print "rss", $2}' /proc/"$pid"/status
  echo "machine $(machine_busy)"
  echo "wall $(date +%s%N)"
}

# Every 5 s, the run time of all the game's threads (ns) and the wall clock:
# a shared machine's neighbours stretch some windows, the lowest and the
# median say more than the mean alone.
window_sample() {
  echo "$(cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {print s}') $(date +%s%N)" >>"$2"
}

sample_windows() {
  while kill -0 "$1" 2>/dev/null; do
    window_sample "$1" "$2"
    sleep 5
  done
}

window_figures() {
  awk 'NR > 1 && $2 - b < 1e9 {next} NR > 1 {v[++n] = 100 * ($1 - a) / ($2 - b)} {a = $1; b = $2}
    END {
      if (n < 2) exit
      for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (v[j] < v[i]) {t = v[i]; v[i] = v[j]; v[j] = t}
      printf "   per 5 s window: lowest %.2f %%, median %.2f %% of a core (%d windows)\n", v[1], v[int((n + 1) / 2)], n
    }' "$1"
}

# The last cumulative present count the game printed: ms presents pixels.
present_line() {
  grep -a '^present-stats ' "$work/game.log" 2>/dev/null | tail -1 | awk '{print $2, $3, $4}'
}

# Prints the figures between two snapshots and two present lines.
report() {
  local title=$1 before=$2 after=$3 p0=$4 p1=$5
  echo "-- $title"
  awk -v hz="$hz" -v p0="$p0" -v p1="$p1" '
    FNR == NR { if ($1 == "thread") { run0[$2] = $4; sw0[$2] = $5 } else v0[$1] = $2; next }
    $1 == "thread" { name[$2] = $3; run1[$2] = $4; sw1[$2] = $5; next }
    { v1[$1] = $2 }
    END {
      wall = (v1["wall"] - v0["wall"]) / 1e9
      printf "   CPU (process, /proc/PID/stat): %.2f %% of a core over %.1f s\n", 100 * (v1["ticks"] - v0["ticks"]) / hz / wall, wall
      printf "   resident memory (VmRSS): %.1f MiB\n", v1["rss"] / 1024
      printf "   (the rest of the machine, X included, was busy %.2f cores meanwhile)\n",
        ((v1["machine"] - v0["machine"]) - (v1["ticks"] - v0["ticks"])) / hz / wall
      for (t in name) if (t in run0) {
        byname[name[t]] += (run1[t] - run0[t]); wake[name[t]] += (sw1[t] - sw0[t])
      }
      for (n in byname)
        printf "   thread %-16s %6.2f %% of a core, %7.1f wake-ups/s\n", n, 100 * byname[n] / 1e9 / wall, wake[n] / wall
      split(p0, a, " "); split(p1, b, " ")
      if (p0 == "" || p1 == "" || b[1] <= a[1]) print "   presents: not counted by this build"
      else {
        span = (b[1] - a[1]) / 1000
        printf "   presents: %.1f per second, %.0f pixels uploaded per second (%.0f per present)\n",
          (b[2] - a[2]) / span, (b[3] - a[3]) / span, (b[2] > a[2]) ? (b[3] - a[3]) / (b[2] - a[2]) : 0
      }
    }' "$before" "$after"
}

echo "== $game on Xvfb $screen, audio driver $SDL_AUDIODRIVER"

# (c) start-up, timed several times (the median is the figure).
times=()
cpus=()
busy0=$(machine_busy)
wall0=$(date +%s%N)
for run in $(seq "$starts"); do
  start_game
  times+=("${first_ms%% *}")
  cpus+=("${first_cpu:-?}")
  sleep 1
  [ "$run" -eq 1 ] && awk '/VmRSS/ {printf "   resident memory 1 s after start: %.1f MiB\n", $2 / 1024}' /proc/"$game_pid"/status
  stop_game
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n | tr '\n' ' ')
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}')
echo "-- (c) start-up to the first picture: median $median ms (runs: $sorted)"
echo "   CPU the game used until its first picture, ms: ${cpus[*]}"
busy1=$(machine_busy)
wall1=$(date +%s%N)
awk -v b="$((busy1 - busy0))" -v w="$((wall1 - wall0))" -v hz="$hz" 'BEGIN {
  printf "   the machine was busy %.2f cores on average meanwhile (game and X included; 2 cores: figures are slowed above ~1)\n", b / hz / (w / 1e9) }'

start_game
# The title animation runs for about four seconds; then the start screen stays still.
sleep 6

# (a) the start screen, idle, music playing.
snapshot "$game_pid" >"$work/a0"
p0=$(present_line)
sample_windows "$game_pid" "$work/aw" &
sampler=$!
sleep "$seconds"
kill "$sampler" 2>/dev/null
window_sample "$game_pid" "$work/aw"
wait "$sampler" 2>/dev/null
snapshot "$game_pid" >"$work/a1"
p1=$(present_line)
report "(a) start screen, idle, music on" "$work/a0" "$work/a1" "$p0" "$p1"
window_figures "$work/aw"

# (b) a game with the mouse moving 20 times a second over the picture.
xdotool key space
sleep 2
moves=$((seconds * 20))
chain=()
for i in $(seq 0 $((moves - 1))); do
  x=$(( screen_w / 2 + (i * 37 % 300) - 150 ))
  y=$(( screen_h / 2 + (i * 53 % 240) - 120 ))
  chain+=(mousemove "$x" "$y" sleep 0.0485)
done
snapshot "$game_pid" >"$work/b0"
p0=$(present_line)
sample_windows "$game_pid" "$work/bw" &
sampler=$!
move_start=$(date +%s%N)
xdotool "${chain[@]}"
move_end=$(date +%s%N)
kill "$sampler" 2>/dev/null
window_sample "$game_pid" "$work/bw"
wait "$sampler" 2>/dev/null
snapshot "$game_pid" >"$work/b1"
p1=$(present_line)
report "(b) a game, mouse moving" "$work/b0" "$work/b1" "$p0" "$p1"
window_figures "$work/bw"
awk -v n="$moves" -v a="$move_start" -v b="$move_end" 'BEGIN {printf "   mouse moves: %d in %.1f s (%.1f per second)\n", n, (b - a) / 1e9, n / ((b - a) / 1e9)}'
kill -0 "$game_pid" 2>/dev/null || echo "   (the game ended during the run)"
stop_game
