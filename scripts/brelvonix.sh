#!/usr/bin/env bash
# One entry point for the two quick-start commands:
#   scripts/brelvonix.sh run    install what is missing, build, start the editor
#   scripts/brelvonix.sh test   install what is missing, build and run the whole suite:
#                               the normal build, the sanitizer build and the fuzzers
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 4)

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libgif-dev libjpeg62-turbo-dev zlib1g-dev
  libemf2svg-dev libwmf-dev fonts-urw-base35
  libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  fonts-arphic-uming fonts-arphic-ukai fonts-wqy-zenhei fontconfig
  python3 python3-fonttools
  libtiff-tools giflib-tools libjpeg-turbo-progs poppler-utils qpdf imagemagick
  qt6-svg-dev emf2svg qt6-image-formats-plugins qt6-translations-l10n
  xvfb xauth xdotool x11-utils
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure() {  # dir, extra cmake arguments...
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja "$@"
  fi
}

configure_build() {  # dir, extra cmake arguments...
  configure "$@"
  cmake --build "$1" -j "$jobs"
}

run_suite() {  # dir
  ctest --test-dir "$1" --output-on-failure -j "$jobs" --timeout 900
}

case "${1:-}" in
  run)
    install_missing
    configure "$root/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    # The editor alone, with what it loads (its dialogs library, its metafile worker and
    # its data folders); the tests and benchmarks are the test command's to build.
    cmake --build "$root/build/release" -j "$jobs" --target Brelvonix
    exec "$root/build/release/bin/Brelvonix" "${@:2}"
    ;;
  test)
    install_missing
    configure_build "$root/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    configure_build "$root/build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DBRELVONIX_SANITIZE=ON
    configure_build "$root/build/fuzz" -DCMAKE_BUILD_TYPE=Debug -DBRELVONIX_FUZZ=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
    status=0
    for dir in release sanitize fuzz; do
      echo "== tests: $dir build =="
      run_suite "$root/build/$dir" || status=1
    done
    exit $status
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
