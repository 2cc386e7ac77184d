#!/usr/bin/env bash
# The game installed as a desktop game. Installed into a staging folder, its
# files are where the file-system layout says, the launcher and the metadata
# pass their validators and the Debian package carries the same files and the
# run-time dependencies. Then an ordinary user plays it from a read-only copy
# of the installation: a window of whole-factor size, Alt+Enter to the whole
# screen and back, a game by key presses; the five settings and score files
# land in that user's data folder and nothing is written beside the program.
#   staged_install.sh BUILD_FOLDER
# Run as root, it plays as an unprivileged user of its own (made with useradd
# and removed again), since root may write anywhere. KEEP_WORK=1 keeps the
# staging folder and the screenshots.
set -u

build=$(cd "${1:?usage: staged_install.sh BUILD_FOLDER}" && pwd)
for tool in Xvfb xdotool import convert identify desktop-file-validate appstreamcli dpkg-deb cpack; do
  command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed"; exit 1; }
done

work=$(mktemp -d)
chmod 755 "$work"
stage=$work/stage
made_user=
remove_player() {
  [ -n "$made_user" ] && userdel "$made_user" 2>/dev/null
  chmod -R u+w "$work" 2>/dev/null
}
. "$(dirname "$0")/../support/x_session.sh"
extra_cleanup=remove_player

# ---- the installation in a staging folder
DESTDIR=$stage cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "cmake --install failed"; }
[ -x "$stage/usr/games/torvanex" ] || fail "no program in usr/games"
data=$stage/usr/share/games/torvanex
for f in back.wrk zast.wrk rec.wrk 01.skn 02.skn 03.skn arial8 times16 help.txt manual.html torvanex.bmp; do
  [ -s "$data/$f" ] || fail "the data file $f is not in usr/share/games/torvanex"
done
for n in $(seq -w 1 13); do [ -s "$data/$n.wav" ] || fail "the effect $n.wav is missing"; done
ls "$data"/*.mid >/dev/null 2>&1 || fail "no music was installed"
leftovers=$(find "$stage" \( -name torvanex.cfg -o -name torvanex.rec -o -name nskin -o -name ngame -o -name level \))
[ -z "$leftovers" ] || fail "settings or scores were installed: $leftovers"
for size in 16 32 48 64 128 256; do
  icon=$stage/usr/share/icons/hicolor/${size}x${size}/apps/torvanex.png
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size}x${size} icon"
done
grep -q '<svg' "$stage/usr/share/icons/hicolor/scalable/apps/torvanex.svg" 2>/dev/null || fail "no scalable icon"
gzip -t "$stage/usr/share/man/man6/torvanex.6.gz" 2>/dev/null || fail "no manual page in section 6"
[ -s "$stage/usr/share/doc/torvanex/copyright" ] || fail "no copyright in usr/share/doc/torvanex"
desktop=$stage/usr/share/applications/torvanex.desktop
desktop-file-validate "$desktop" || fail "the launcher does not validate"
grep -qx 'Categories=Game;LogicGame;' "$desktop" || fail "the launcher is not in Game;LogicGame"
metainfo=$(ls "$stage"/usr/share/metainfo/*.metainfo.xml 2>/dev/null)
[ -n "$metainfo" ] || fail "no metadata in usr/share/metainfo"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "the metadata does not validate"; }
grep -q '<screenshot' "$metainfo" || fail "the metadata shows no screenshot"
"$stage/usr/games/torvanex" --version | grep -q '^Torvanex [0-9]' || fail "--version says no version"

# ---- the Debian package
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package") >"$work/cpack.log" 2>&1 ||
  { tail -20 "$work/cpack.log"; fail "cpack -G DEB failed"; }
deb=$(ls "$work"/package/torvanex_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "cpack made no torvanex package"
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libsdl2-2.0-0 libsdl2-mixer-2.0-0 timgm6mb-soundfont; do
  [[ $depends == *"$dependency"* ]] || fail "the package does not depend on $dependency: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in the games section"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/package.list"
(cd "$stage" && find . ! -type d | sed 's|^\.||') | sort >"$work/stage.list"
grep -v '/$' "$work/package.list" | sort >"$work/package.files"
diff "$work/stage.list" "$work/package.files" >"$work/package.diff" ||
  { cat "$work/package.diff"; fail "the package's files differ from the installation's"; }

# ---- the player: an unprivileged user, since root writes anywhere
home=$work/home
mkdir -p "$home"
as_player=()
if [ "$(id -u)" = 0 ]; then
  player=torvanex-player
  if ! id "$player" >/dev/null 2>&1; then
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$player" ||
      fail "cannot make the user $player"
    made_user=$player
  fi
  as_player=(setpriv --reuid="$(id -u "$player")" --regid="$(id -g "$player")" --clear-groups)
  chown "$player" "$home"
fi

# The read-only copy of the installation the player runs.
installed=$work/installed
cp -a "$stage/usr" "$installed"
chmod -R a-w "$installed"
find "$installed" | sort >"$work/installed.before"

expect_geometry() {
  local got=
  for _ in $(seq 20); do
    got=$(geometry)
    [ "$got" = "$1" ] && return
    sleep 0.1
  done
  fail "the window is $got, not $1 ($2)"
}

start_x 1700x1300x24 150

# ---- installed, read-only, in a window: 800x600 twice over fits 1700x1300
"${as_player[@]}" env -i HOME="$home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin SDL_AUDIODRIVER=dummy \
  "$installed/games/torvanex" --window >"$work/game.log" 2>&1 &
game_pid=$!
find_window
expect_geometry 1600x1200 "--window on a 1700x1300 screen"
sleep 1
xdotool key --clearmodifiers alt+Return
expect_geometry 1700x1300 "Alt+Enter from the window"
xdotool key --clearmodifiers alt+Return
expect_geometry 1600x1200 "Alt+Enter back to the window"
# After the title, Space starts a game, Escape shows the tables, then two
# more keys lead through the farewell to a saved exit.
sleep 4.5
xdotool key space sleep 2
shot installed_game
[ "$(colours installed_game 1600x1200+50+50)" -gt 1 ] || fail "the game shows one colour"
xdotool key Escape sleep 1 key x sleep 1 key x
wait_for_exit "the farewell"
find "$installed" | sort >"$work/installed.after"
diff "$work/installed.before" "$work/installed.after" >/dev/null || fail "something was written beside the program"
saved=$home/.local/share/torvanex
for f in nskin ngame level; do
  [ "$(stat -c %s "$saved/$f" 2>/dev/null)" = 1 ] || fail "$f was not saved as one byte in $saved"
done
[ "$(stat -c %s "$saved/torvanex.rec" 2>/dev/null)" = 750 ] || fail "torvanex.rec is not 750 bytes in $saved"
[ "$(tr -cd '\n' <"$saved/torvanex.cfg" 2>/dev/null | wc -c)" = 4 ] || fail "torvanex.cfg does not hold four lines"
[ "$(find "$home" -type f | wc -l)" = 5 ] || fail "the player's home holds more than the five files: $(find "$home" -type f)"

echo "ok: installed files, launcher, metadata, package ($(basename "$deb")); played from a read-only installation" \
  "in a 1600x1200 window and on the whole screen, files in the player's folder"
