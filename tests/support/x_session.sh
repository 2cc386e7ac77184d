# The parts of a real-window test every such script shares: a scratch folder
# ($work) removed on exit, fail, a fresh X server, screenshots, finding the
# game's window and waiting for the game to end. A script sets $work, then
# sources this file; it may set extra_cleanup to a function of its own.
xvfb_pid=
game_pid=
window=
extra_cleanup=
cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  [ -n "$extra_cleanup" ] && "$extra_cleanup"
  if [ -n "${KEEP_WORK:-}" ]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  [ -f "$work/game.log" ] && sed 's/^/  game: /' "$work/game.log" | tail -20
  exit 1
}

# A fresh X server with a screen of WIDTHxHEIGHTxDEPTH, on the first free
# display from FIRST (default 97). Another run may take the same free number
# at the same moment; the server that loses ends at once, and the next number
# is tried.
start_x() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  local display first=${2:-97}
  for display in $(seq "$first" $((first + 42))); do
    [ -e "/tmp/.X$display-lock" ] && continue
    export DISPLAY=:$display
    # -noreset: the server would otherwise start over whenever its last client
    # leaves (the readiness probe below), refusing whoever connects meanwhile.
    Xvfb "$DISPLAY" -screen 0 "$1" -nolisten tcp -ac -noreset >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      if xdotool getdisplaygeometry >/dev/null 2>&1; then
        sleep 0.2
        kill -0 "$xvfb_pid" 2>/dev/null && return
        break
      fi
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  done
  xvfb_pid=
  fail "Xvfb did not start on any free display"
}

shot() { import -window root "$work/$1.png" 2>/dev/null || fail "no screenshot"; }
# Colours within a rectangle WxH+X+Y of a screenshot.
colours() { convert "$work/$1.png" -crop "$2" +repage -format '%k' info:; }

# Waits for the started game ($game_pid) to show its window and sets $window.
# SDL may make its X window again during start-up, so it is looked up until
# the same one has been found twice.
find_window() {
  local found
  window=
  for _ in $(seq 120); do
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended during start-up"
    found=$(xdotool search --onlyvisible --name '^Torvanex$' 2>/dev/null | tail -1)
    if [ -n "$found" ] && [ "$found" = "$window" ]; then return; fi
    window=$found
    sleep 0.25
  done
  [ -n "$window" ] || fail "no visible window named Torvanex within 30 s"
}
geometry() { xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p'; }

# Waits up to 5 s for the game to end after WHAT; it must end with status 0.
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
