#!/usr/bin/env bash
# Sets up a fresh Debian machine for Torvanex, builds the game with its data
# files, then plays it or runs every test.
#   scripts/run.sh play      build and start the game
#   scripts/run.sh test      build and run all tests: normal build, the staged installation,
#                            sanitizer build, fuzzers
#   scripts/run.sh package   build the Debian package (build/torvanex_*.deb)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
  libcairo2-dev libfreetype-dev libfontconfig-dev fonts-liberation2 fonts-dejavu-core
  googletest libgtest-dev clang libclang-rt-14-dev
  xvfb xdotool imagemagick x11-utils sox
  desktop-file-utils appstream dpkg-dev
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

jobs=$(nproc)

build() {  # build DIR [cmake options...]
  local dir=$1
  shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

run_tests() {
  build build -DCMAKE_BUILD_TYPE=Release -DTORVANEX_WERROR=ON
  ctest --test-dir build --output-on-failure -j"$jobs"

  echo "== installed into a staging folder, packaged, and played from there as an ordinary user"
  tests/install/staged_install.sh build

  echo "== the same tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTORVANEX_WERROR=ON -DTORVANEX_SANITIZE=ON
  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -E '^xvfb_'

  echo "== fuzzing every file reader and the whole game briefly"
  local fuzz_start=$SECONDS
  local targets=()
  for f in fuzz/*.cpp; do targets+=("fuzz_$(basename "$f" .cpp)"); done
  [ ${#targets[@]} -eq 0 ] && return 0
  # Optimised: in 20 s a fuzzer at -O0 barely gets through the real pictures.
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVANEX_FUZZ=ON -DTORVANEX_TESTS=OFF >/dev/null
  cmake --build build-fuzz -j"$jobs" --target "${targets[@]}"
  # Seeds from the data files the fuzz build generated beside its targets.
  bash fuzz/seed_corpus.sh build-fuzz build-fuzz
  for t in "${targets[@]}"; do
    echo "-- $t"
    mkdir -p "build-fuzz/corpus-$t"
    if ! ASAN_OPTIONS=detect_leaks=0 "build-fuzz/fuzz/$t" -max_total_time=20 -rss_limit_mb=2048 \
        "build-fuzz/corpus-$t" >"build-fuzz/$t.log" 2>&1; then
      tail -n 40 "build-fuzz/$t.log"
      echo "FAILED: $t found a crash (input saved in the current folder)"
      return 1
    fi
    grep -E '^#[0-9]+[[:space:]]+DONE' "build-fuzz/$t.log" | tail -n 1 || true
  done
  echo "fuzzing took $((SECONDS - fuzz_start)) s, its build included"
}

install_missing
case "${1:-}" in
  play)
    build build -DCMAKE_BUILD_TYPE=Release
    exec build/torvanex
    ;;
  test)
    run_tests
    ;;
  package)
    build build -DCMAKE_BUILD_TYPE=Release
    (cd build && cpack -G DEB)
    ;;
  *)
    echo "usage: scripts/run.sh play|test|package" >&2
    exit 2
    ;;
esac
