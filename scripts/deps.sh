#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and its benchmarks need, when any is
# missing. Sourced by run.sh, test.sh and scripts/package.sh.
LUCKYDRAW_PACKAGES=(
  cmake ninja-build g++ ccache pkg-config zlib1g-dev libminizip-dev
  qt6-base-dev qt6-base-private-dev qt6-multimedia-dev
  qt6-l10n-tools qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk fonts-arphic-ukai
)

# luckydraw_install_deps [extra package...]
luckydraw_install_deps() {
  local missing=() p
  for p in "${LUCKYDRAW_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    # A fresh Debian has no sudo: name the command, the user runs it as root (su -).
    echo "Missing Debian packages. As root, run: apt-get install -y --no-install-recommends ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# luckydraw_build [target...]: configures build/ and builds the given targets (all when
# none is given).
luckydraw_build() {
  local targets=() t
  for t in "$@"; do targets+=(--target "$t"); done
  luckydraw_ccache
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LUCKYDRAW_LAUNCHER[@]}" >/dev/null
  cmake --build build -j"$(nproc)" "${targets[@]}"
}

# luckydraw_ccache: sets LUCKYDRAW_LAUNCHER to the CMake options that compile through ccache,
# when it is installed (none otherwise). Paths are taken relative to the tree, so another
# clone of it reuses the same compiled objects.
LUCKYDRAW_LAUNCHER=()
luckydraw_ccache() {
  LUCKYDRAW_LAUNCHER=()
  command -v ccache >/dev/null || return 0
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
  LUCKYDRAW_LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
}
